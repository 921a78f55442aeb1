#pragma once

#include <cstddef>
#include <map>
#include <string>

// The abbreviation dictionary used to shorten control names: lower-case word
// -> abbreviation, ordered by word. The application owns one, filled once at
// start-up with FillStandardAbbreviations.
class AbbreviationMap
{
public:
    // Keys are stored lower-cased; a word added twice keeps its first abbreviation.
    void Add(const std::string& word, const std::string& abbreviation);
    // The n-th word in map order, or "" past the end.
    std::string KeyAt(std::size_t n) const;
    std::size_t Size() const { return m_map.size(); }
    // The abbreviation of a lower-case word, or null.
    const std::string* Find(const std::string& lowerCaseWord) const;

private:
    std::map<std::string, std::string> m_map;
};

// The 34 pairs the application starts with ("filter" -> "Flt.", ...).
void FillStandardAbbreviations(AbbreviationMap& map);
