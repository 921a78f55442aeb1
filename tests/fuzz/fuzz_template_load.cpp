// Loading a template dump of any model into a DorvaSynth template. The first
// input byte picks the shape: the raw input, or a dump of one model's size
// and header whose body is the rest of the input, so mutations reach every
// model's reader and the conversion.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/TemplateLoader.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/fuzz/FuzzTempFile.h"

namespace
{

struct Shape
{
    size_t size;
    uint8_t group, type;
};
// DorvaSynth, Tolvar, Calder, Tolvar Vesk, Tolvar Drel.
const Shape kShapes[] = {{1808, 2, 5}, {2832, 2, 0}, {8208, 2, 0}, {8208, 1, 0}, {4112, 2, 3}, {1305, 2, 4}};

SysExBuffer Shaped(const Shape& shape, const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(shape.size, 0);
    const uint8_t header[] = {0xF0, 0x00, 0x6A, 0x3C, shape.group, shape.type, 0x7F, 0x00, 0x00, 0x11, 0x02, 0x00, 0x01};
    const size_t headerSize = shape.type == 4 ? 6 : sizeof header;
    std::copy(header, header + headerSize, bytes.begin());
    for (size_t i = 0; headerSize + i + 1 < bytes.size() && i < size; ++i)
        bytes[headerSize + i] = data[i] & 0x7F;
    bytes.back() = SysExBuffer::kEnd;
    return SysExBuffer::FromBytes(bytes);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The difference file goes to a folder of this run's own.
    FuzzScratchFolder("TMPDIR");
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
    if (loaded)
    {
        const SysExBuffer out = target.Write();
        CDorvaSynthTemplate again;
        size_t position = 0;
        if (out.size() != 1808 || !again.Read(out, position) || again.Write() != out)
            __builtin_trap();
    }
    return 0;
}
