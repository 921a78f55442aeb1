#include "model/AbbreviationMap.h"
#include "model/ShortenName.h"
#include "model/WordList.h"

// First byte: the limit (-8..247); second: the mode (low bit); the rest: the
// name. A shortened name never exceeds the limit, never ends in a blank, and
// one that already fits comes back unchanged. The word list keeps its rules.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static const AbbreviationMap map = [] {
        AbbreviationMap filled;
        FillStandardAbbreviations(filled);
        return filled;
    }();
    const int limit = data[0] - 8;
    const int mode = data[1] & 1;
    const std::string name(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string shortened = ShortenName(name, map, limit, mode);
    const bool fits = limit < 0 || name.size() <= static_cast<size_t>(limit);
    if (fits ? shortened != name
             : shortened.size() > static_cast<size_t>(limit) || (!shortened.empty() && shortened.back() == ' '))
        __builtin_trap();
    WordList list;
    list.AddName(name);
    for (const std::string& word : list.Words())
        if (word.size() < 3 || word.back() == ' ')
            __builtin_trap();
    for (const std::string& candidate : list.Completions(name.substr(0, 2)))
        if (candidate.size() <= 2)
            __builtin_trap();
    return 0;
}
