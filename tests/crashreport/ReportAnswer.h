#pragma once

#include <chrono>

#include <wx/textctrl.h>
#include <wx/utils.h>

#include "crashreport/dialog/CrashReportDialog.h"
#include "tests/app/DialogScripts.h"

// What a user does in the report dialog: types a description and an address, then clicks a button
// and reads the outcome: waits until the dialog has closed or says that sending failed.
inline void AnswerReport(MyDialog& dialog, const wxString& description, const wxString& email, int button)
{
    static_cast<wxTextCtrl*>(dialog.FindWindow(MyDialog::ID_DESCRIPTION))->SetValue(description);
    static_cast<wxTextCtrl*>(dialog.FindWindow(MyDialog::ID_EMAIL))->SetValue(email);
    ClickButton(dialog, button);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (dialog.IsModal() && dialog.GetStatus() != "Report submission failed." &&
           std::chrono::steady_clock::now() < deadline)
    {
        wxYield();
        wxMilliSleep(5);
    }
}
