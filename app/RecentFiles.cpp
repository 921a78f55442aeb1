#include "app/RecentFiles.h"

#include <algorithm>

std::string RecentFiles::Get(int i) const
{
    if (i < 0 || i >= kSize)
        return std::string();
    return m_entries[i];
}

int RecentFiles::Count() const
{
    const auto firstFree = std::find_if(m_entries.begin(), m_entries.end(),
                                        [](const std::string& e) { return e.empty(); });
    return static_cast<int>(firstFree - m_entries.begin());
}

void RecentFiles::Add(const std::string& path)
{
    if (path.empty())
        return;
    auto same = std::find(m_entries.begin(), m_entries.end(), path);
    if (same == m_entries.end())
        same = m_entries.end() - 1;
    m_entries.erase(same);
    m_entries.insert(m_entries.begin(), path);
}

bool RecentFiles::Remove(const std::string& path)
{
    const auto same = std::find(m_entries.begin(), m_entries.end(), path);
    if (path.empty() || same == m_entries.end())
        return false;
    m_entries.erase(same);
    m_entries.emplace_back();
    return true;
}

void RecentFiles::Clear()
{
    std::fill(m_entries.begin(), m_entries.end(), std::string());
}

void RecentFiles::Set(int i, const std::string& path)
{
    if (i >= 0 && i < kSize)
        m_entries[i] = path;
}
