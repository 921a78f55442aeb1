#include "ui/panels/ButtonDialog.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/WindowHelpers.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/NumberValidator.h"

wxIMPLEMENT_DYNAMIC_CLASS(CButtonDialog, wxPanel);

namespace
{
const char* const kActionNames[] = {"Normal_Button", "Momentary_Button", "Toggle_Button", "Step_Button"};
}

bool CButtonDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_BUTTONSPECIFICDIALOG"))
        return false;
    m_release = NumberEntry("Release_Stroke_Max_Value");
    m_press = NumberEntry("Press_Stroke_Min_Value");
    m_format0To127 = Child<wxRadioButton>("Display_0_To_127");
    m_formatMinus64 = Child<wxRadioButton>("Display_Minus_64_To_63");
    m_formatOnOff = Child<wxRadioButton>("Display_On_Stroke_Off");
    for (int action = 0; action < 4; ++action)
        m_actions[action] = Child<wxRadioButton>(kActionNames[action]);
    m_stepSize = Child<wxSpinCtrl>("Button_Step_Size");
    if (m_stepSize)
        FilterSpinKeys(m_stepSize);
    if (!Device().HasOnStrokeOffDisplay())
    {
        RemoveWindowIf(true, m_formatOnOff);
        m_formatOnOff = nullptr;
    }

    const std::pair<const char*, int> formats[] = {{"Display_0_To_127", DisplayFormat::Range0To127},
        {"Display_Minus_64_To_63", DisplayFormat::RangeMinus64To63},
        {"Display_On_Stroke_Off", DisplayFormat::OnStrokeOff}};
    for (const auto& [name, format] : formats)
        Bind(wxEVT_RADIOBUTTON, [this, format = format](wxCommandEvent&) { SubmitDisplayFormat(format); },
             XRCID(name));
    for (int action = 0; action < 4; ++action)
        Bind(wxEVT_RADIOBUTTON, [this, action](wxCommandEvent&) { OnAction(action); }, XRCID(kActionNames[action]));
    Bind(wxEVT_TEXT, &CButtonDialog::OnStepSize, this, XRCID("Button_Step_Size"));
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CButtonDialog::BindEntries()
{
    BindEntry(m_release, CreatorOf<CSetOnValueCommand>());
    BindEntry(m_press, CreatorOf<CSetOffValueCommand>());
}

void CButtonDialog::UpdateUI()
{
    const CBaseControlState* state = State();
    if (!state)
        return;
    if (m_release)
        m_release->ShowValue(state->GetOnValue());
    if (m_press)
        m_press->ShowValue(state->GetOffValue());
    if (m_actions[ControlAction::Momentary] && Device().SupportsDrumNote(m_control->GetIndex()))
    {
        m_actions[ControlAction::Momentary]->SetLabel("Velocity");
        m_actions[ControlAction::Momentary]->SetToolTip("Send a value in proportion to hit velocity");
    }
    if (state->HasDisplayFormat())
    {
        wxRadioButton* chosen = m_format0To127;
        if (state->GetDisplayFormat() == DisplayFormat::RangeMinus64To63)
            chosen = m_formatMinus64;
        else if (state->GetDisplayFormat() == DisplayFormat::OnStrokeOff && m_formatOnOff)
            chosen = m_formatOnOff;
        if (chosen)
            chosen->SetValue(true);
    }
    else
    {
        RemoveWindowIf(true, m_format0To127);
        RemoveWindowIf(true, m_formatMinus64);
        RemoveWindowIf(true, m_formatOnOff);
        RemoveWindowIf(true, Child("ID_DISPFMTTEXT"));
    }
    const int action = state->GetAction();
    const bool known = action >= ControlAction::Normal && action <= ControlAction::Step;
    // Enabled in one step: GTK takes the focus from a field it disables, and
    // this runs after every step size typed into that field.
    if (m_stepSize)
        m_stepSize->Enable(action == ControlAction::Step);
    if (!known)
        return;
    if (m_actions[action])
        m_actions[action]->SetValue(true);
    if (m_release)
        m_release->Enable(action != ControlAction::Normal);
    if (action == ControlAction::Step && m_stepSize && m_stepSize->GetValue() != state->GetMultiStep())
        m_stepSize->SetValue(state->GetMultiStep());
}

void CButtonDialog::OnAction(int action)
{
    if (m_stepSize)
        m_stepSize->Enable(action == ControlAction::Step);
    if (const CBaseControlState* state = State())
        SubmitIfChanged<CSetActionCommand>(state->GetAction(), action);
}

void CButtonDialog::OnStepSize(wxCommandEvent& event)
{
    const CBaseControlState* state = State();
    if (!state || !m_stepSize)
        return;
    int step = state->GetMultiStep();
    if (NumberTextCtrl::ApplyEntry(m_stepSize, step, -1, event))
        Submit<CSetMultiStepCommand>(static_cast<unsigned char>(step));
}
