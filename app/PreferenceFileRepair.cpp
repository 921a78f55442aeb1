#include "app/PreferenceFileRepair.h"

#include <set>

#include <wx/fileconf.h>
#include <wx/file.h>
#include <wx/log.h>

#include "app/WxText.h"
#include "model/RegularFile.h"

namespace
{
// A name as the store reads it: a backslash takes the character after it
// literally, a backslash at the end is dropped.
wxString Unescaped(const wxString& name)
{
    wxString result;
    for (auto it = name.begin(); it != name.end(); ++it)
    {
        if (*it == '\\' && ++it == name.end())
            break;
        result += *it;
    }
    return result;
}

// Where the first character stop that no backslash escapes stands; end when none does.
wxString::const_iterator FindUnescaped(wxString::const_iterator begin, wxString::const_iterator end, wxUniChar stop)
{
    for (auto it = begin; it != end; ++it)
    {
        if (*it == '\\')
        {
            if (++it == end)
                break;
        }
        else if (*it == stop)
        {
            return it;
        }
    }
    return end;
}

class LineJudge
{
public:
    // False for a line the store cannot take, and for the lines under a
    // group header it cannot take.
    bool Keep(const wxString& whole)
    {
        // The store reads a line as a C string.
        const wxString line = whole.BeforeFirst('\0');
        auto it = line.begin();
        while (it != line.end() && wxIsspace(*it))
            ++it;
        if (it == line.end() || *it == ';' || *it == '#')
            return !m_skippingGroup;
        if (*it == '[')
        {
            const auto close = FindUnescaped(it + 1, line.end(), ']');
            if (close == line.end()) // the store passes over it with a complaint
                return !m_skippingGroup;
            // The store's own reading of the group's path: "/a", "//a", "/b/../a" and "/A" are one group.
            m_groups.SetPath("/" + Unescaped(wxString(it + 1, close)));
            const wxString path = m_groups.GetPath().Lower();
            m_skippingGroup = !path.empty() && !m_headed.insert(path).second;
            return !m_skippingGroup;
        }
        if (m_skippingGroup)
            return false;
        const auto equals = FindUnescaped(it, line.end(), '=');
        return equals == line.end() || !Unescaped(wxString(it, equals).Trim()).empty();
    }

private:
    wxFileConfig m_groups{wxString(), wxString(), wxString(), wxString(), 0}; // no file: paths only
    std::set<wxString> m_headed;
    bool m_skippingGroup = false;
};
} // namespace

std::string WithoutUnreadableLines(const std::string& text, const wxMBConv& conv)
{
    wxLogNull quiet; // the store's path reading warns of a ".." too many
    LineJudge judge;
    std::string kept;
    // Lines end as the store's reader ends them: at "\n", "\r\n" or "\r".
    for (std::size_t start = 0; start < text.size();)
    {
        std::size_t end = text.find_first_of("\r\n", start);
        const std::size_t content = end == std::string::npos ? text.size() : end;
        end = end == std::string::npos ? text.size() : end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (judge.Keep(wxString(text.data() + start, conv, content - start)))
            kept.append(text, start, end - start);
        start = end;
    }
    return kept;
}

void RepairPreferenceFile(const std::string& path, const wxMBConv& conv)
{
    std::string text;
    std::string reason;
    if (!ReadRegularFile(path, text, reason))
        return;
    const std::string kept = WithoutUnreadableLines(text, conv);
    if (kept.size() == text.size())
        return;
    wxLogNull quiet; // a file that cannot be rewritten is read as it is
    wxTempFile file(ToWx(path));
    if (file.IsOpened() && file.Write(kept.data(), kept.size()))
        file.Commit();
}
