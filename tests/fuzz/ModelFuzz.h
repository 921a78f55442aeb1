#pragma once

// The template reader targets' body. The input is laid over the body of a
// fresh dump (header and F7 kept, all data bytes): it must read and write back
// as kept, junk and unmodelled bits included, then pass the load check and a
// conversion. The input as a dump of its own may be refused, never crash.
#include "model/dorvasynth/DorvaSynthTemplate.h"

template <class Template>
void FuzzTemplateReader(const uint8_t* data, size_t size, size_t headerSize, void (*expectKept)(SysExBuffer&) = nullptr)
{
    static const SysExBuffer fresh = Template().Write();
    SysExBuffer dump = fresh;
    for (size_t i = 0; headerSize + i + 1 < dump.size() && i < size; ++i)
        dump[headerSize + i] = data[i] & 0x7F;
    SysExBuffer expected = dump;
    if (expectKept)
        expectKept(expected);

    Template tmpl;
    size_t position = 0;
    if (!tmpl.Read(dump, position) || tmpl.Write() != expected)
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
