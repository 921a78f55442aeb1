#include "ui/panels/PotDialog.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/WindowHelpers.h"
#include "ui/validators/NumberTextCtrl.h"

wxIMPLEMENT_DYNAMIC_CLASS(CPotDialog, wxPanel);

bool CPotDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_POTSPECIFICDIALOG"))
        return false;
    m_high = NumberEntry("High_Value");
    m_low = NumberEntry("Low_Value");
    m_strategyLabel = Child("ID_CATCHUPTEXT");
    m_strategy = Child<wxChoice>("Pot_Strategy");
    m_pickup = Child<wxCheckBox>("Do_Pot_Pickup");
    m_send14Bit = Child<wxCheckBox>("Send_14_Bit_Values");
    m_formatLabel = Child("ID_DISPFMTTEXT");
    m_format0To127 = Child<wxRadioButton>("Display_0_To_127");
    m_formatMinus64 = Child<wxRadioButton>("Display_Minus_64_To_63");
    m_rel1 = Child<wxRadioButton>("REL_1");
    m_rel2 = Child<wxRadioButton>("REL_2");
    m_aPot = Child<wxRadioButton>("A_POT");
    m_noFormat = Child<wxRadioButton>("No_Display_Format");

    Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) {
        if (const CBaseControlState* state = State())
            SubmitIfChanged<CSetPotCatchupCommand>(state->GetPotCatchup(), event.GetSelection());
    }, XRCID("Pot_Strategy"));
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
        Submit<CSetPotCatchupCommand>(event.IsChecked() ? 1 : 0);
    }, XRCID("Do_Pot_Pickup"));
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
        Submit<CSetDisplayFormatCommand>(event.IsChecked() ? int(DisplayFormat::Send14Bit) : 0);
        RefreshFromControl();
    }, XRCID("Send_14_Bit_Values"));
    const std::pair<const char*, int> radios[] = {{"Display_0_To_127", DisplayFormat::Range0To127},
        {"Display_Minus_64_To_63", DisplayFormat::RangeMinus64To63}, {"REL_1", DisplayFormat::Rel1},
        {"REL_2", DisplayFormat::Rel2}, {"A_POT", DisplayFormat::APot}};
    for (const auto& [name, format] : radios)
        Bind(wxEVT_RADIOBUTTON, [this, format = format](wxCommandEvent&) { SubmitDisplayFormat(format); },
             XRCID(name));
    if (GetSizer())
        GetSizer()->Fit(this);
    return true;
}

bool CPotDialog::UpdateFromControl(const CPlacedControl& control)
{
    m_control = control.Clone();
    const IDeviceAnswers& device = Device();
    const int index = control.GetIndex();
    const bool wheel = device.IsWheelIndex(index);
    const bool axisOrWheel = wheel || device.IsPadAxisIndex(index);

    RemoveWindowIf(wheel, m_format0To127);
    RemoveWindowIf(wheel, m_formatMinus64);
    RemoveWindowIf(wheel, m_formatLabel);
    RemoveWindowIf(!device.Supports14BitValues(index), m_send14Bit);
    if (device.HasPotPickup())
    {
        RemoveWindowIf(true, m_pickup);
        RemoveWindowIf(axisOrWheel, m_strategy);
        RemoveWindowIf(axisOrWheel, m_strategyLabel);
    }
    else
    {
        RemoveWindowIf(true, m_strategy);
        RemoveWindowIf(true, m_strategyLabel);
        RemoveWindowIf(axisOrWheel, m_pickup);
    }
    const bool noStrategy = !device.HasPickupStrategy(index);
    RemoveWindowIf(noStrategy, m_strategy);
    RemoveWindowIf(noStrategy, m_strategyLabel);
    RemoveWindowIf(noStrategy, m_pickup);
    const bool noRelative = !device.HasRelativePotModes();
    RemoveWindowIf(noRelative, m_rel1);
    RemoveWindowIf(noRelative, m_rel2);
    RemoveWindowIf(noRelative, m_aPot);

    BindEntry(m_high, CreatorOf<CSetOnValueCommand>());
    BindEntry(m_low, CreatorOf<CSetOffValueCommand>());
    RefreshFromControl();
    return true;
}

void CPotDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state)
        return;
    const int format = state->GetDisplayFormat();
    const bool fourteenBit = format == DisplayFormat::Send14Bit;
    if (m_send14Bit)
        m_send14Bit->SetValue(fourteenBit);
    for (wxRadioButton* radio : {m_format0To127, m_formatMinus64, m_rel1, m_rel2, m_aPot})
        if (radio)
            radio->Enable(!fourteenBit);
    const int maximum = fourteenBit ? 16383 : 127;
    for (NumberTextCtrl* entry : {m_high, m_low})
        if (entry)
            entry->SetRange(maximum, 0);
    if (!fourteenBit)
    {
        wxRadioButton* chosen = m_noFormat;
        switch (format)
        {
        case DisplayFormat::Range0To127: chosen = m_format0To127; break;
        case DisplayFormat::RangeMinus64To63: chosen = m_formatMinus64; break;
        case DisplayFormat::Rel1: chosen = m_rel1; break;
        case DisplayFormat::Rel2: chosen = m_rel2; break;
        case DisplayFormat::APot: chosen = m_aPot; break;
        default: break;
        }
        if (chosen)
            chosen->SetValue(true);
    }
    if (m_high)
        m_high->ShowValue(state->GetOnValue());
    if (m_low)
        m_low->ShowValue(state->GetOffValue());
    if (m_pickup)
        m_pickup->SetValue(state->GetPotCatchup() == 1);
    SelectPosition(m_strategy, state->GetPotCatchup());
}
