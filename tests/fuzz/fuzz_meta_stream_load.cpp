#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/dorvasynth/DorvaSynthOS.h"
#include "tests/fuzz/FuzzTempFile.h"

// Loading a file of messages against the in-memory rule: message after
// message, each read from just past the previous F7, until one is bad.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzTempFile file;
    CDorvaSynthOS image;
    const bool ok = image.LoadFromFile(file.Hold(data, size));

    std::vector<SysExBuffer> expected;
    const uint8_t* end = data + size;
    for (const uint8_t* p = data;;)
    {
        const uint8_t* start = std::find(p, end, SysExBuffer::kStart);
        SysExBuffer message = SysExBuffer::FromBytes(start, static_cast<size_t>(end - start));
        if (!message.IsValid())
            break;
        p = start + message.size();
        expected.push_back(message);
    }

    if (image.GetCount() != expected.size() || ok != !expected.empty())
        __builtin_trap();
    for (size_t i = 0; i < expected.size(); ++i)
        if (image.GetMessage(i) != expected[i])
            __builtin_trap();
    const OSVersion v = image.GetVersion();
    if (v.major > 15 || v.minor > 7 || v.build > 0x7F)
        __builtin_trap();
    return 0;
}
