#pragma once

// The shared body of the other models' reader fuzz targets. The input is laid
// over the body of a fresh dump (header and F7 kept, every byte a data byte):
// such a dump must read, and write back as the reader keeps it, junk in
// skipped bytes and unmodelled bits included. The template is then repaired
// and converted into a DorvaSynth template. The input is also offered as a
// dump of its own, which may be refused but must not crash.
#include <cstddef>
#include <cstdint>

#include "model/dorvasynth/DorvaSynthTemplate.h"

template <class Template>
void FuzzTemplateReader(const uint8_t* data, size_t size, size_t headerSize,
                        void (*expectKept)(SysExBuffer&) = nullptr)
{
    static const SysExBuffer fresh = Template().Write();
    SysExBuffer dump = fresh;
    const size_t body = dump.size() - headerSize - 1;
    for (size_t i = 0; i < body && i < size; ++i)
        dump[headerSize + i] = data[i] & 0x7F;
    SysExBuffer expected = dump;
    if (expectKept)
        expectKept(expected);

    Template tmpl;
    size_t position = 0;
    if (!tmpl.Read(dump, position))
        __builtin_trap();
    if (tmpl.Write() != expected)
        __builtin_trap();
    tmpl.ValidateAfterLoad();
    (void)tmpl.Write();

    CDorvaSynthTemplate target;
    target.ConvertFrom(tmpl);
    target.ValidateAfterLoad();
    (void)target.Write();

    Template raw;
    SysExBuffer bytes;
    for (size_t i = 0; i < size; ++i)
        bytes.PushByte(data[i]);
    position = 0;
    if (raw.Read(bytes, position))
        (void)raw.Write();
}
