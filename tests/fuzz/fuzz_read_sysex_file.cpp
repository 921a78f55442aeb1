#include <algorithm>

#include "model/SysExFile.h"
#include "tests/fuzz/FuzzTempFile.h"

// The file reader against the in-memory rule: from the offset, skip to the
// first F0 and take the bytes through the first F7.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzTempFile file;
    const std::string& path = file.Hold(data, size);
    const size_t offset = size > 0 ? data[0] % (size + 1) : 0;
    SysExBuffer out;
    size_t next = 0;
    const bool ok = ReadSysExFromFile(path, out, offset, next);
    const uint8_t* end = data + size;
    const uint8_t* start = std::find(data + offset, end, SysExBuffer::kStart);
    const SysExBuffer expected = SysExBuffer::FromBytes(start, static_cast<size_t>(end - start));
    if (out != expected || ok != expected.IsValid() ||
        (ok && (next <= offset || next > size || data[next - 1] != SysExBuffer::kEnd)))
        __builtin_trap();
    return 0;
}
