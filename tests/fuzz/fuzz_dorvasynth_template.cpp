// Any 1808-byte DorvaSynth dump must read, and a read template with no edits
// must write back exactly the bytes it was read from. The input fills the
// dump after its header, so every mutation reaches the record codecs.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/dorvasynth/DorvaSynthTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const SysExBuffer fresh = CDorvaSynthTemplate().Write();
    SysExBuffer dump = fresh;
    const size_t body = dump.size() - 14; // between the header and the F7
    for (size_t i = 0; i < body && i < size; ++i)
        dump[13 + i] = data[i] & 0x7F;

    CDorvaSynthTemplate tmpl;
    size_t position = 0;
    if (!tmpl.Read(dump, position))
        __builtin_trap();
    if (tmpl.Write() != dump)
        __builtin_trap();
    tmpl.ValidateAfterLoad();
    (void)tmpl.Write();

    // The whole input as a dump of its own: refused or read, never a crash.
    CDorvaSynthTemplate raw;
    SysExBuffer bytes = SysExBuffer::FromBytes(data, size);
    position = 0;
    if (raw.Read(bytes, position))
        (void)raw.Write();
    return 0;
}
