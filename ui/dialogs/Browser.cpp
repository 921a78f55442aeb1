#include "ui/dialogs/Browser.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/process.h>
#include <wx/utils.h>

namespace
{
// Learns how xdg-open ended; deletes itself then.
class OpenerProcess : public wxProcess
{
public:
    explicit OpenerProcess(std::function<void()> failed) : m_failed(std::move(failed)) {}
    void OnTerminate(int, int status) override
    {
        if (status != 0 && m_failed)
            m_failed();
        delete this;
    }

private:
    std::function<void()> m_failed;
};
} // namespace

bool LaunchBrowser(const wxString& url, std::function<void()> failed)
{
    wxString path;
    wxString opener;
    if (wxGetEnv("PATH", &path) && wxFindFileInPath(&opener, path, "xdg-open"))
    {
        const wxScopedCharBuffer program = opener.utf8_str();
        const wxScopedCharBuffer address = url.utf8_str();
        const char* argv[] = {program.data(), address.data(), nullptr};
        auto* process = new OpenerProcess(std::move(failed));
        if (wxExecute(argv, wxEXEC_ASYNC, process) > 0)
            return true;
        // Not started: the process object is never told of an end.
        delete process;
        return false;
    }
    // The toolkit would put up a box of its own when it finds no browser;
    // the caller's message says it better.
    wxLogNull quiet;
    return wxLaunchDefaultBrowser(url);
}

wxString LocalFileUrl(const wxString& path)
{
    wxFileName name(path);
    name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE | wxPATH_NORM_TILDE);
    wxString full = name.GetFullPath();
    full.Replace("\\", "/");
    return "file://" + full;
}
