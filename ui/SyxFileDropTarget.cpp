#include "ui/SyxFileDropTarget.h"

#include <wx/filename.h>

#include "ui/MainFrame.h"

bool AllFilesAreSyx(const wxArrayString& fileNames)
{
    for (const wxString& name : fileNames)
    {
        const wxFileName file(name);
        if (file.GetName().empty() && file.GetExt().empty())
            return false;
        if (file.GetExt() != "syx")
            return false;
    }
    return true;
}

bool CSyxFileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& fileNames)
{
    if (fileNames.empty() || !AllFilesAreSyx(fileNames))
        return false;
    for (const wxString& name : fileNames)
        m_frame.OpenTemplateFile(name, true);
    return true;
}
