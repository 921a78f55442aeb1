#pragma once

#include <string>
#include <vector>

class AbbreviationMap;

// The words and names offered for name completion, oldest first. Holds no
// word shorter than 3 characters and no two words equal ignoring case (the
// latest form is kept, last). The application owns one for the process;
// reach it through Host().Words().
class WordList
{
public:
    // Trailing blanks are trimmed; a word already present (ignoring case) moves to the end in its new form.
    void AddWord(const std::string& word);
    // The whole name and, when it has more than one word, each of its words.
    void AddName(const std::string& name);
    // Every dictionary word, in map order (what start-up puts in first).
    void AddDictionary(const AbbreviationMap& map);

    // Completions of a typed word, newest entry first: the typed text (in the
    // user's case) followed by the rest of each entry that starts with it
    // ignoring case; an entry equal to the typed word gives none.
    std::vector<std::string> Completions(const std::string& typed) const;

    const std::vector<std::string>& Words() const { return m_words; }

private:
    std::vector<std::string> m_words;
};
