#include "ui/dialogs/Browser.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/utils.h>

bool LaunchBrowser(const wxString& url)
{
    wxString path;
    wxString opener;
    if (wxGetEnv("PATH", &path) && wxFindFileInPath(&opener, path, "xdg-open"))
    {
        const wxScopedCharBuffer program = opener.utf8_str();
        const wxScopedCharBuffer address = url.utf8_str();
        const char* argv[] = {program.data(), address.data(), nullptr};
        return wxExecute(argv, wxEXEC_ASYNC) > 0;
    }
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

bool OpenLocalFileInBrowser(const wxString& path)
{
    return LaunchBrowser(LocalFileUrl(path));
}
