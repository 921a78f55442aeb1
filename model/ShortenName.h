#pragma once

#include <string>

class AbbreviationMap;

// Fits a control name into a character limit: abbreviates words from the
// dictionary or drops their inner vowels, then reduces words to initials.
// Used as a function: std::string caption = ShortenName(name, map, 8, 0);
//
// Mode 0 keeps blanks between words (none after a word ending in ".");
// mode 1 writes the words run together, each capitalised, without their
// final "." (plug-in parameter names).
class ShortenName
{
public:
    // A negative limit, or a name that already fits, leaves the name unchanged.
    ShortenName(const std::string& name, const AbbreviationMap& map, int limit, int mode);

    operator const std::string&() const { return m_result; }
    const std::string& Text() const { return m_result; }

    // The dictionary's abbreviation of the word (looked up in lower case);
    // else the word without the lower-case vowels between its first and last character.
    static std::string AbbreviateWord(const std::string& word, const AbbreviationMap& map);
    // The first character, the digits of the rest, and "." (a word shorter than 2 stays).
    static std::string InitialAndDigits(const std::string& word);

private:
    std::string m_result;
};
