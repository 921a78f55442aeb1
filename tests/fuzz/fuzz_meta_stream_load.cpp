#include "model/dorvasynth/DorvaSynthOS.h"
#include "tests/fuzz/FuzzTempFile.h"

// Loading a file of messages against the in-memory rule: message after
// message, each read from just past the previous F7, until one is bad.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzTempFile file;
    CDorvaSynthOS image;
    const bool ok = image.LoadFromFile(file.Hold(data, size));
    const std::vector<SysExBuffer> expected = MessagesIn(data, size);
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
