#include "ui/panels/SnapValueDialog.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/validators/NumberTextCtrl.h"

wxIMPLEMENT_DYNAMIC_CLASS(CSnapValueDialog, wxPanel);

bool CSnapValueDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_SNAPVALUEDIALOG"))
        return false;
    if (!Device().HasAutoSnapshot())
        if (wxStaticText* label = Child<wxStaticText>("ID_SNAPLABEL"))
            label->SetLabel("Default value:");
    m_value = NumberEntry("Snapshot_Value");
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CSnapValueDialog::BindEntries()
{
    BindEntry(m_value, CreatorOf<CSetSnapshotValueCommand>());
}

void CSnapValueDialog::Register()
{
    RegisterValueObserver(this);
    RegisterObserver(this);
}

void CSnapValueDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state || !m_value)
        return;
    m_value->SetRange(state->GetOnValue(), state->GetOffValue());
    m_value->ShowValue(state->GetSnapshotValue());
    if (IsPlacedControlButton(*m_control))
        m_value->Enable(state->GetAction() != ControlAction::Normal);
}
