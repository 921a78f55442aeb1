#include "ui/panels/NoteOnDialog.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/NoteName.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/validators/NumberTextCtrl.h"

wxIMPLEMENT_DYNAMIC_CLASS(CNoteOnDialog, wxPanel);

namespace
{
const char* const kActionNames[] = {"Normal_Button", "Momentary_Button", "Toggle_Button"};
}

bool CNoteOnDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_NOTEONDIALOG"))
        return false;
    m_note = NumberEntry("Note_Number");
    m_noteName = Child<wxStaticText>("ID_NOTENAME");
    m_velocity = NumberEntry("Note_Velocity");
    for (int action = 0; action < 3; ++action)
    {
        m_actions[action] = Child<wxRadioButton>(kActionNames[action]);
        Bind(wxEVT_RADIOBUTTON, [this, action](wxCommandEvent&) {
            if (const CBaseControlState* state = State())
                SubmitIfChanged<CSetActionCommand>(state->GetAction(), action);
        }, XRCID(kActionNames[action]));
    }
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CNoteOnDialog::BindEntries()
{
    BindEntry(m_note, CreatorOf<CSetMIDIControlLSBNumCommand>());
    BindEntry(m_velocity, CreatorOf<CSetOffValueCommand>());
}

void CNoteOnDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state)
        return;
    if (m_note)
        m_note->ShowValue(state->GetMIDIControlLSBNum());
    if (m_noteName)
        m_noteName->SetLabel(ToWx(NoteName(state->GetMIDIControlLSBNum())));
    if (m_velocity)
        m_velocity->ShowValue(state->GetOffValue());
    int action = state->GetAction();
    if (action < ControlAction::Normal || action > ControlAction::Toggle)
    {
        // A note cannot step: put it right at once, outside the undo history.
        CSetActionCommand(*m_control, ControlAction::Normal).Execute();
        action = ControlAction::Normal;
    }
    if (m_actions[action])
        m_actions[action]->SetValue(true);
}
