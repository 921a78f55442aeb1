// Loading a dump of any model into a DorvaSynth template. The first byte picks
// the shape: the raw input, or a dump of one model's size and header with the
// rest as its body, so mutations reach every model's reader and conversion.
#include <iterator>
#include <vector>

#include "model/TemplateLoader.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/fuzz/FuzzTempFile.h"

namespace
{
// DorvaSynth, Tolvar, Calder (two groups), Tolvar Vesk, Tolvar Drel: size, group, type.
const size_t kShapes[][3] = {{1808, 2, 5}, {2832, 2, 0}, {8208, 2, 0}, {8208, 1, 0}, {4112, 2, 3}, {1305, 2, 4}};

SysExBuffer Shaped(const size_t* shape, const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes = {0xF0, 0x00, 0x6A, 0x3C, uint8_t(shape[1]), uint8_t(shape[2]),
                                  0x7F, 0x00, 0x00, 0x11, 0x02, 0x00, 0x01};
    bytes.resize(shape[2] == 4 ? 6 : 13);
    for (size_t i = 0; bytes.size() + 1 < shape[0]; ++i)
        bytes.push_back(i < size ? data[i] & 0x7F : 0);
    bytes.push_back(SysExBuffer::kEnd);
    return SysExBuffer::FromBytes(bytes);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzScratchFolder("TMPDIR"); // for the difference file
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t pick = data[0] % (std::size(kShapes) + 1);
    const SysExBuffer dump =
        pick == 0 ? SysExBuffer::FromBytes(data + 1, size - 1) : Shaped(kShapes[pick - 1], data + 1, size - 1);
    CDorvaSynthTemplate target;
    bool converted = false;
    const bool loaded = LoadTemplateFromSysEx(converted, dump, target);
    if (pick == 1 && (!loaded || converted))
        __builtin_trap(); // every DorvaSynth-shaped dump reads
    const SysExBuffer out = target.Write();
    CDorvaSynthTemplate again;
    size_t position = 0;
    if (loaded && (out.size() != 1808 || !again.Read(out, position) || again.Write() != out))
        __builtin_trap();
    return 0;
}
