// The report program's reading of a dump: only a file that begins with the
// magic line is one; program and vendor come from the last such header lines
// before "Registers:", without control characters (they go into a subject).
#include <sstream>

#include "crashreport/CrashDump.h"
#include "tests/fuzz/FuzzTempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzTempFile file;
    // Half the inputs begin with the magic line, so the header lines are reached.
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size > 0 && data[0] & 1)
        text = std::string(kCrashDumpMagic) + "\n" + text.substr(1);
    CrashDumpHeader header;
    header.title = "untouched";
    const bool ok = ReadCrashDumpHeader(file.Hold(reinterpret_cast<const uint8_t*>(text.data()), text.size()), header);

    std::istringstream in(text);
    std::string line;
    const bool isDump = std::getline(in, line) && line == kCrashDumpMagic;
    if (ok != isDump || (!ok && header.title != "untouched"))
        __builtin_trap();
    const auto bare = [](std::string text) {
        std::string kept;
        for (unsigned char c : text)
            if (c >= 0x20 && c != 0x7F)
                kept += static_cast<char>(c);
        return kept;
    };
    CrashDumpHeader expected;
    while (ok && std::getline(in, line) && bare(line) != "Registers:")
    {
        if (line.rfind("Program: ", 0) == 0)
            expected.title = bare(line.substr(9));
        else if (line.rfind("Vendor: ", 0) == 0)
            expected.vendor = bare(line.substr(8));
    }
    if (ok && (header.title != expected.title || header.vendor != expected.vendor))
        __builtin_trap();
    return 0;
}
