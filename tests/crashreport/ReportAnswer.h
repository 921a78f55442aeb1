#pragma once

#include <wx/textctrl.h>

#include "crashreport/dialog/CrashReportDialog.h"
#include "tests/app/DialogScripts.h"

// What a user does in the report dialog: types a description and an address, then clicks a button.
inline void AnswerReport(MyDialog& dialog, const wxString& description, const wxString& email, int button)
{
    static_cast<wxTextCtrl*>(dialog.FindWindow(MyDialog::ID_DESCRIPTION))->SetValue(description);
    static_cast<wxTextCtrl*>(dialog.FindWindow(MyDialog::ID_EMAIL))->SetValue(email);
    ClickButton(dialog, button);
}
