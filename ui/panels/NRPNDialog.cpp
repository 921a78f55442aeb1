#include "ui/panels/NRPNDialog.h"

#include <wx/sizer.h>

#include "model/ControlState.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/validators/NumberTextCtrl.h"

wxIMPLEMENT_DYNAMIC_CLASS(CNRPNDialog, wxPanel);

bool CNRPNDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_NRPNDIALOG"))
        return false;
    m_msb = NumberEntry("Most_Significant_Byte");
    m_lsb = NumberEntry("Least_Significant_Byte");
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CNRPNDialog::BindEntries()
{
    BindEntry(m_msb, CreatorOf<CSetMIDIControlMSBNumCommand>());
    BindEntry(m_lsb, CreatorOf<CSetMIDIControlLSBNumCommand>());
}

void CNRPNDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state)
        return;
    if (m_msb)
        m_msb->ShowValue(state->GetMIDIControlMSBNum());
    if (m_lsb)
        m_lsb->ShowValue(state->GetMIDIControlLSBNum());
}
