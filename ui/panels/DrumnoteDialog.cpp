#include "ui/panels/DrumnoteDialog.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/NoteName.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/validators/NumberTextCtrl.h"

wxIMPLEMENT_DYNAMIC_CLASS(CDrumnoteDialog, wxPanel);

bool CDrumnoteDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_DRUMNOTEDIALOG"))
        return false;
    m_note = NumberEntry("Note_Number");
    m_noteName = Child<wxStaticText>("ID_NOTENAME");
    m_curve = NumberEntry("Velocity_Curve");
    m_autoOff = NumberEntry("Auto_Off");
    m_offSync = Child<wxChoice>("Off_Sync");
    Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) {
        if (const CBaseControlState* state = State())
            SubmitIfChanged<CSetDrumOffSyncCommand>(state->GetDrumOffSync(), event.GetSelection());
    }, XRCID("Off_Sync"));
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CDrumnoteDialog::BindEntries()
{
    BindEntry(m_note, CreatorOf<CSetOffValueCommand>());
    BindEntry(m_curve, CreatorOf<CSetOnValueCommand>());
    BindEntry(m_autoOff, CreatorOf<CSetDrumAutoOffTimeCommand>());
}

void CDrumnoteDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state)
        return;
    if (m_note)
        m_note->ShowValue(state->GetOffValue());
    if (m_noteName)
        m_noteName->SetLabel(ToWx(NoteName(state->GetOffValue())));
    if (m_curve)
        m_curve->ShowValue(state->GetOnValue());
    if (m_autoOff)
        m_autoOff->ShowValue(state->GetDrumAutoOffTime());
    SelectPosition(m_offSync, state->GetDrumOffSync());
}
