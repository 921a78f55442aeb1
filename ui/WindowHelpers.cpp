#include "ui/WindowHelpers.h"

#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/stdpaths.h>
#include <wx/window.h>

wxString GetImagesPath(const wxString& name, const wxString& extension)
{
    return GetProgramFolder() + "/images/" + name + "." + extension;
}

wxString GetResourceFilePath(const wxString& name, const wxString& extension)
{
    return GetProgramFolder() + "/" + name + "." + extension;
}

void RemoveWindowIf(bool condition, wxWindow* window)
{
    if (!condition || window == nullptr)
        return;
    wxSizer* sizer = window->GetContainingSizer();
    if (sizer == nullptr)
    {
        window->Hide();
        return;
    }
    sizer->Show(window, false);
    sizer->Detach(window);
    sizer->Layout();
}
