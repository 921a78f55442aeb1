#include "ui/ViewImages.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

wxString ViewImagePath(const wxString& name)
{
    const wxString folder = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    return folder + "/images/" + name + ".png";
}
