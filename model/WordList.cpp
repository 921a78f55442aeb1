#include "model/WordList.h"

#include <algorithm>
#include <sstream>

#include "model/AbbreviationMap.h"
#include "model/NameText.h"

void WordList::AddWord(const std::string& word)
{
    const std::string trimmed = TrimTrailingBlanks(word);
    if (trimmed.size() < 3)
        return;
    const std::string key = LowerCase(trimmed);
    m_words.erase(std::remove_if(m_words.begin(), m_words.end(),
                                 [&key](const std::string& entry) { return LowerCase(entry) == key; }),
                  m_words.end());
    m_words.push_back(trimmed);
}

void WordList::AddName(const std::string& name)
{
    AddWord(name);
    std::istringstream words(name);
    std::vector<std::string> parts;
    for (std::string part; words >> part;)
        parts.push_back(part);
    if (parts.size() > 1)
        for (const std::string& part : parts)
            AddWord(part);
}

void WordList::AddDictionary(const AbbreviationMap& map)
{
    for (std::size_t i = 0; i < map.Size(); ++i)
        AddWord(map.KeyAt(i));
}

std::vector<std::string> WordList::Completions(const std::string& typed) const
{
    std::vector<std::string> candidates;
    if (typed.empty())
        return candidates;
    const std::string prefix = LowerCase(typed);
    for (auto entry = m_words.rbegin(); entry != m_words.rend(); ++entry)
    {
        if (entry->size() <= typed.size() || LowerCase(entry->substr(0, typed.size())) != prefix)
            continue;
        candidates.push_back(typed + entry->substr(typed.size()));
    }
    return candidates;
}
