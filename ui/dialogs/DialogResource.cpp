#include "ui/dialogs/DialogResource.h"

#include <wx/dialog.h>
#include <wx/log.h>
#include <wx/sizer.h>

bool LoadDialogResource(wxDialog* dialog, wxWindow* parent, const char* name)
{
    if (wxXmlResource::Get()->LoadDialog(dialog, parent, name))
        return true;
    wxLogError("Missing wxXmlResource::Get()->Load() in OnInit()?");
    return false;
}

void FitAndCentre(wxDialog* dialog)
{
    if (wxSizer* sizer = dialog->GetSizer())
    {
        sizer->Fit(dialog);
        sizer->SetSizeHints(dialog);
    }
    dialog->CentreOnParent(wxBOTH);
}

void ShowArea(wxDialog* dialog, std::initializer_list<wxWindow*> windows, bool show)
{
    for (wxWindow* window : windows)
        if (window)
            window->Show(show);
    if (wxSizer* sizer = dialog->GetSizer())
    {
        sizer->Layout();
        sizer->Fit(dialog);
    }
}
