#pragma once

#include <string>
#include <vector>

// The recent-file list: always exactly kSize entries, entry 0 the most recent,
// an empty string a free entry. Every change removes one entry and inserts or
// appends one, so the list stays dense unless the stored values were edited.
class RecentFiles
{
public:
    static constexpr int kSize = 8;

    RecentFiles() : m_entries(kSize) {}

    // Entry i (0..7); an empty string outside that range.
    std::string Get(int i) const;
    // Entries before the first empty one.
    int Count() const;
    // Moves an equal entry (exact, case-sensitive) to the top; a new path
    // drops the last entry. An empty path changes nothing.
    void Add(const std::string& path);
    // Removes the first equal entry and appends a free one; false when absent.
    bool Remove(const std::string& path);
    void Clear();

    // Loading from the store: entry i, as stored.
    void Set(int i, const std::string& path);

private:
    std::vector<std::string> m_entries;
};
