#include "model/SysExDef.h"

// First byte: the device's maximum length (any value, bounded by the parser);
// the rest: the typed text. An accepted text formats back to one that parses
// to the same record.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int max = data[0] - 64;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    SysExDef def;
    def.Init();
    std::string verdict;
    const bool ok = SysExText::Parse(text, def, verdict, max);
    const std::string formatted = SysExText::Format(def, max);
    if (verdict.empty() || formatted.size() > 3 * size_t(SysExDef::kMessagePlaces))
        __builtin_trap();
    if (!ok)
        return 0;

    SysExDef again;
    again.Init();
    if (!SysExText::Parse(formatted, again, verdict, max))
        __builtin_trap();
    for (int i = 0; i < SysExDef::kRecordSize; ++i)
        if (again.GetByte(i) != def.GetByte(i))
            __builtin_trap();
    return 0;
}
