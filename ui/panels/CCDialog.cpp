#include "ui/panels/CCDialog.h"

#include <wx/sizer.h>

#include "model/ControlState.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/validators/NumberTextCtrl.h"

wxIMPLEMENT_DYNAMIC_CLASS(CCCDialog, wxPanel);

bool CCCDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_CCDIALOG"))
        return false;
    m_number = NumberEntry("CC_Number");
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CCCDialog::BindEntries()
{
    BindEntry(m_number, CreatorOf<CSetMIDIControlLSBNumCommand>());
}

void CCCDialog::RefreshFromControl()
{
    if (const CBaseControlState* state = State(); state && m_number)
        m_number->ShowValue(state->GetMIDIControlLSBNum());
}
