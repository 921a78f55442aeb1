#include "ui/dialogs/DialogResource.h"

#include <wx/dialog.h>
#include <wx/log.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>

#include "app/WxText.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "app/ProgramFiles.h"
#include "ui/ResourceFiles.h"
#include "ui/WindowFocusGtk.h"

bool LoadDialogResource(wxDialog* dialog, wxWindow* parent, const char* name)
{
    return LoadDialogLayout(dialog, parent, name, ResourceFileStemOf(name));
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

bool GiveKeysToFirst(std::initializer_list<wxWindow*> windows)
{
    for (wxWindow* window : windows)
        if (window && window->IsShownOnScreen() && window->IsEnabled() && window->CanAcceptFocus())
        {
            FocusInsideWindow(*window);
            return true;
        }
    return false;
}

void KeepKeysWhile(const std::function<void()>& change, std::initializer_list<wxWindow*> fallbacks)
{
    wxWindow* focus = wxWindow::FindFocus();
    change();
    if (focus && !focus->IsEnabled())
        GiveKeysToFirst(fallbacks);
}

void LabelPortCheckBoxes(wxCheckBox* midiPort1, wxCheckBox* midiPort2, wxCheckBox* usbPort, wxCheckBox* usbPortB)
{
    const IDeviceAnswers& device = Device();
    const std::pair<wxCheckBox*, std::string> labels[] = {{midiPort1, device.GetMidiPort1Label()},
                                                          {midiPort2, device.GetMidiPort2Label()},
                                                          {usbPort, device.GetUsbPortLabel()},
                                                          {usbPortB, device.GetUsbPortBLabel()}};
    for (const auto& [box, label] : labels)
        if (box)
            box->SetLabel(ToWx(label));
}
