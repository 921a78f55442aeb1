#include "ui/panels/SysExDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/commands/ControlEditCommands.h"

wxIMPLEMENT_DYNAMIC_CLASS(CSysExDialog, wxPanel);

bool CSysExDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_SYSEXDIALOG"))
        return false;
    m_message = Child<wxTextCtrl>("Sys_Ex_Message");
    m_status = Child<wxTextCtrl>("Message_Status");
    m_set = Child<wxButton>("ID_SETBUTTON");
    if (m_status)
        m_status->Disable();
    Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        SysExDef parsed;
        CheckText(parsed);
    }, XRCID("Sys_Ex_Message"));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        SysExDef parsed;
        if (CheckText(parsed))
            Submit<CSetSysExDataCommand>(parsed);
    }, XRCID("ID_SETBUTTON"));
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

bool CSysExDialog::CheckText(SysExDef& parsed)
{
    if (!m_message)
        return false;
    parsed.Init();
    std::string verdict;
    const bool valid = SysExText::Parse(FromWx(m_message->GetValue()), parsed, verdict);
    if (m_set)
        m_set->Enable(valid);
    ShowText(m_status, ToWx(verdict));
    return valid;
}

void CSysExDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state || !m_message)
        return;
    ShowText(m_message, ToWx(SysExText::Format(state->GetSysExData())));
    SysExDef parsed;
    CheckText(parsed);
}
