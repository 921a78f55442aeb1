#pragma once

#include <functional>

#include <wx/button.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>

#include "crashreport/dialog/CrashReportDialog.h"
#include "tests/app/ModalWatchdog.h"

// Scripts every report dialog shown while it exists: once the dialog's modal
// loop runs, whileShown gets the dialog (by default it clicks Don't send, so
// no run can hang on it). What the dialog shows when it closes is kept.
class ReportDialogScript : public wxModalDialogHook
{
public:
    std::function<void(MyDialog&)> whileShown = [](MyDialog& dialog) { Click(dialog, wxID_CANCEL); };

    int shown = 0;
    wxString titleAtClose;
    wxString statusAtClose;
    bool buttonsEnabledAtClose = true;
    wxWindow* parent = nullptr;

    ReportDialogScript() { Register(); }
    ~ReportDialogScript() override { Unregister(); }

    static void Type(MyDialog& dialog, const wxString& description, const wxString& email)
    {
        static_cast<wxTextCtrl*>(dialog.FindWindow(MyDialog::ID_DESCRIPTION))->SetValue(description);
        static_cast<wxTextCtrl*>(dialog.FindWindow(MyDialog::ID_EMAIL))->SetValue(email);
    }

    // As a click: the button's event, handled by the dialog's table.
    static void Click(MyDialog& dialog, int id)
    {
        wxWindow* button = dialog.FindWindow(id);
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
    }

protected:
    int Enter(wxDialog* dialog) override
    {
        auto* report = wxDynamicCast(dialog, MyDialog);
        if (report)
        {
            ++shown;
            MarkScripted(*report);
            parent = report->GetParent();
            report->CallAfter([this, report] { whileShown(*report); });
        }
        return wxID_NONE;
    }

    void Exit(wxDialog* dialog) override
    {
        auto* report = wxDynamicCast(dialog, MyDialog);
        if (!report)
            return;
        titleAtClose = report->GetTitle();
        statusAtClose = report->GetStatus();
        buttonsEnabledAtClose =
            report->FindWindow(wxID_OK)->IsEnabled() || report->FindWindow(wxID_CANCEL)->IsEnabled();
    }
};
