#include "app/ProgramFiles.h"

#include <set>
#include <string>

#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/stdpaths.h>
#include <wx/xrc/xmlres.h>

const char* const kCommonResourceName = "Common";

namespace
{
wxString NotLoaded(const char* name, const wxString& fileStem)
{
    return wxString::Format("its layout \"%s\" could not be loaded from \"%s\".", name, ResourceFilePath(fileStem));
}
} // namespace

wxString GetProgramFolder()
{
    // The executable's own path, not argv[0] and not the working folder: the
    // program may be started through a link or from any folder.
    static const wxString folder = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    return folder;
}

wxString ResourceFilePath(const wxString& fileStem)
{
    return GetProgramFolder() + "/" + fileStem + ".xrc";
}

bool LoadDialogLayout(wxDialog* dialog, wxWindow* parent, const char* name, const wxString& fileStem)
{
    {
        wxLogNull quiet;
        if (wxXmlResource::Get()->LoadDialog(dialog, parent, name))
            return true;
    }
    wxLogError("This window cannot be opened: %s", NotLoaded(name, fileStem));
    return false;
}

bool LoadPanelLayout(wxPanel* panel, wxWindow* parent, const char* name, const wxString& fileStem)
{
    {
        wxLogNull quiet;
        if (wxXmlResource::Get()->LoadPanel(panel, parent, name))
            return true;
    }
    static std::set<std::string> reported;
    if (reported.insert(name).second)
        wxLogError("A settings panel is left out: %s", NotLoaded(name, fileStem));
    return false;
}
