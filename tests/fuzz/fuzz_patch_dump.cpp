// Any 270-byte patch dump (the input after its F0) must read and write back
// byte for byte, but for the bulk flag: 1 only when it was read as exactly 1.
#include "model/calder/CalderPatch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SysExBuffer dump = CCalderPatch().Write();
    for (size_t i = 0; i + 2 < dump.size() && i < size; ++i)
        dump[1 + i] = data[i] & 0x7F;

    CCalderPatch patch;
    size_t position = 0;
    const bool read = patch.Read(dump, position);
    const SysExBuffer out = patch.Write();
    if (!read || position != dump.size() || out.size() != dump.size())
        __builtin_trap();
    for (size_t i = 0; i < out.size(); ++i)
    {
        const uint8_t expected = i == CCalderPatch::kBulkFlagByte ? (dump[i] == 1 ? 1 : 0) : dump[i];
        if (out[i] != expected)
            __builtin_trap();
    }
    if (patch.GetLocation() != dump[CCalderPatch::kLocationByte] || patch.GetName().size() != 16)
        __builtin_trap();
    (void)patch.GetDefaultFileName();

    // The whole input as a message of its own: refused or read, never a crash,
    // and a refused one leaves the patch as it was.
    SysExBuffer raw = SysExBuffer::FromBytes(data, size);
    position = 0;
    if (!patch.Read(raw, position) && patch.Write() != out)
        __builtin_trap();
    return 0;
}
