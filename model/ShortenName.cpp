#include "model/ShortenName.h"

#include <cctype>
#include <cstddef>
#include <vector>

#include "model/AbbreviationMap.h"
#include "model/NameText.h"

namespace
{
using Words = std::vector<std::string>;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsNumber(const std::string& word)
{
    const std::size_t start = (!word.empty() && (word[0] == '+' || word[0] == '-')) ? 1 : 0;
    if (word.size() <= start)
        return false;
    for (std::size_t i = start; i < word.size(); ++i)
        if (!IsDigit(word[i]))
            return false;
    return true;
}

bool EndsWith(const std::string& word, char c)
{
    return !word.empty() && word.back() == c;
}

// Words split at blanks; a number joins the word before it unless that is a number too (Osc 2 -> Osc2).
Words SplitWords(const std::string& name)
{
    Words words;
    std::size_t start = 0;
    while (start < name.size())
    {
        std::size_t end = name.find(' ', start);
        if (end == std::string::npos)
            end = name.size();
        if (end > start)
            words.push_back(name.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 1; i < words.size();)
    {
        if (IsNumber(words[i]) && !IsNumber(words[i - 1]))
        {
            words[i - 1] += words[i];
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i));
        }
        else
            ++i;
    }
    return words;
}

int JoinedLength(const Words& words, int mode)
{
    int length = 0;
    for (std::size_t i = 0; i < words.size(); ++i)
    {
        const std::string& word = words[i];
        length += static_cast<int>(word.size());
        if (mode == 1)
        {
            if (EndsWith(word, '.') || EndsWith(word, ' '))
                --length;
        }
        else if (i + 1 < words.size() && !EndsWith(word, '.'))
            ++length;
    }
    return length;
}

std::string Join(const Words& words, int mode)
{
    std::string joined;
    for (const std::string& word : words)
    {
        if (mode == 1)
        {
            std::string part = LowerCase(word);
            if (!part.empty())
                part[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(part[0])));
            if (EndsWith(part, ' ') || EndsWith(part, '.'))
                part.pop_back();
            joined += part;
        }
        else
        {
            joined += word;
            if (!EndsWith(word, ' ') && !EndsWith(word, '.'))
                joined += ' ';
        }
    }
    return joined;
}
} // namespace

ShortenName::ShortenName(const std::string& name, const AbbreviationMap& map, int limit, int mode)
{
    if (limit < 0 || name.size() <= static_cast<std::size_t>(limit))
    {
        m_result = name;
        return;
    }
    const Words original = SplitWords(name);
    Words working = original;
    const std::size_t n = original.size();
    for (std::size_t i = 0; i < n; ++i)
    {
        for (std::size_t u = i; u < n && JoinedLength(working, mode) > limit; ++u)
        {
            working[u] = AbbreviateWord(original[u], map);
            if (u == n - 1 && EndsWith(working[u], '.'))
                working[u].pop_back();
        }
        if (JoinedLength(working, mode) <= limit)
            break;
        for (std::size_t u = i; u < n; ++u)
            working[u] = original[u];
        bool hasDigit = false;
        for (char c : original[i])
            hasDigit = hasDigit || IsDigit(c);
        if (i != n - 1 || hasDigit)
            working[i] = InitialAndDigits(original[i]);
    }
    m_result = TrimTrailingBlanks(Join(working, mode).substr(0, static_cast<std::size_t>(limit)));
}

std::string ShortenName::AbbreviateWord(const std::string& word, const AbbreviationMap& map)
{
    if (const std::string* abbreviation = map.Find(LowerCase(word)))
        return *abbreviation;
    if (word.size() <= 2)
        return word;
    std::string shortened(1, word.front());
    for (std::size_t i = 1; i + 1 < word.size(); ++i)
    {
        const char c = word[i];
        if (c != 'a' && c != 'e' && c != 'i' && c != 'o' && c != 'u')
            shortened += c;
    }
    shortened += word.back();
    return shortened;
}

std::string ShortenName::InitialAndDigits(const std::string& word)
{
    if (word.size() < 2)
        return word;
    std::string initial(1, word.front());
    for (std::size_t i = 1; i < word.size(); ++i)
        if (IsDigit(word[i]))
            initial += word[i];
    return initial + ".";
}
