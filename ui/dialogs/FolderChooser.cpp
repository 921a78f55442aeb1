#include "ui/dialogs/FolderChooser.h"

#include <wx/dirdlg.h>

namespace
{
FolderChooserFunction& Replacement()
{
    static FolderChooserFunction chooser;
    return chooser;
}
} // namespace

bool ChooseFolder(wxWindow* parent, const wxString& title, wxString& path)
{
    if (Replacement())
        return Replacement()(parent, title, path);
    wxDirDialog dialog(parent, title, path);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    path = dialog.GetPath();
    return true;
}

FolderChooserFunction SetFolderChooser(FolderChooserFunction chooser)
{
    FolderChooserFunction previous = Replacement();
    Replacement() = std::move(chooser);
    return previous;
}
