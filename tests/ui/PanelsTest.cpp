#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "app/WxText.h"
#include "model/commands/ControlEditCommands.h"
#include "model/TemplateGroups.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/panels/ButtonDialog.h"
#include "ui/panels/GenericDialog.h"
#include "ui/panels/SnapValueDialog.h"
#include "ui/validators/NumberTextCtrl.h"

namespace
{
using Panels = PanelTest;

bool Shown(wxWindow* window)
{
    return window && window->IsShown();
}
} // namespace

// ---------------------------------------------------------------------------
// Pot

TEST_F(Panels, FourteenBitPotTakesTheWideRangeAndLocksTheFormats)
{
    State(Place::kKnob).SetType(ControlMessageType::CC, false);
    State(Place::kKnob).SetDisplayFormat(DisplayFormat::Send14Bit);
    Show(Place::kKnob);
    auto* high = Find<NumberTextCtrl>("High_Value");
    ASSERT_NE(nullptr, high);
    EXPECT_EQ(16383, high->GetMaximum());
    EXPECT_FALSE(Find("Display_0_To_127")->IsEnabled());
    EXPECT_FALSE(Find("Display_Minus_64_To_63")->IsEnabled());

    Check(Find<wxCheckBox>("Send_14_Bit_Values"), false);
    EXPECT_EQ(DisplayFormat::Range0To127, State(Place::kKnob).GetDisplayFormat());
    EXPECT_EQ(127, high->GetMaximum());
    EXPECT_TRUE(Find("Display_0_To_127")->IsEnabled());
    EXPECT_TRUE(Find<wxRadioButton>("Display_0_To_127")->GetValue());
}

TEST_F(Panels, PotShowsAndEditsItsValues)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetOnValue(100, false);
    knob.SetOffValue(10, false);
    Show(Place::kKnob);
    EXPECT_EQ("100", Find<wxTextCtrl>("High_Value")->GetValue());
    EXPECT_EQ("10", Find<wxTextCtrl>("Low_Value")->GetValue());

    Enter(Find<wxTextCtrl>("High_Value"), "90");
    EXPECT_EQ(90, knob.GetOnValue());
    EXPECT_EQ("Set High Value", templ.GetUndoText());
    templ.Undo();
    EXPECT_EQ(100, knob.GetOnValue());
    EXPECT_EQ("100", Find<wxTextCtrl>("High_Value")->GetValue());
}

TEST_F(Panels, WheelPotHasNoFormatsPickupOrStrategy)
{
    State(Place::kWheel).SetType(ControlMessageType::CC, false);
    Show(Place::kWheel);
    ASSERT_NE(nullptr, Find("High_Value"));
    for (const char* name : {"Display_0_To_127", "Display_Minus_64_To_63", "ID_DISPFMTTEXT", "Do_Pot_Pickup",
                             "Pot_Strategy", "ID_CATCHUPTEXT", "Send_14_Bit_Values", "REL_1", "A_POT"})
        EXPECT_FALSE(Shown(Find(name))) << name;
}

TEST_F(Panels, ChoosingTheCurrentFormatSubmitsNothingButPickupAlwaysSubmits)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetDisplayFormat(DisplayFormat::RangeMinus64To63);
    knob.SetPotCatchup(1);
    Show(Place::kKnob);
    Click(Find<wxRadioButton>("Display_Minus_64_To_63"));
    EXPECT_EQ(0, Commands());
    Click(Find<wxRadioButton>("Display_0_To_127"));
    EXPECT_EQ(1, Commands());
    EXPECT_EQ(DisplayFormat::Range0To127, knob.GetDisplayFormat());

    // Hidden on the main unit; the handler still answers.
    Check(Find<wxCheckBox>("Do_Pot_Pickup"), true);
    EXPECT_EQ(2, Commands());
    EXPECT_EQ("Edit Control Pot Strategy", templ.GetUndoText());
}

TEST_F(Panels, PotStrategyChoiceFollowsTheControl)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetPotCatchup(2);
    Show(Place::kKnob);
    auto* strategy = Find<wxChoice>("Pot_Strategy");
    ASSERT_NE(nullptr, strategy); // taken out on the main unit; its handler still answers
    EXPECT_EQ(2, strategy->GetSelection());
    Choose(strategy, 0);
    EXPECT_EQ(0, knob.GetPotCatchup());
    Choose(strategy, 0);
    EXPECT_EQ(1, Commands());
}

// ---------------------------------------------------------------------------
// Snapshot, CC, NRPN, channel

TEST_F(Panels, SnapshotEntryFollowsTheButtonsActionThroughTheObserver)
{
    CBaseControlState& button = State(Place::kButton);
    button.SetType(ControlMessageType::CC, false);
    Show(Place::kButton);
    auto* snapshot = Find<NumberTextCtrl>("Snapshot_Value");
    ASSERT_NE(nullptr, snapshot);
    EXPECT_FALSE(snapshot->IsEnabled());
    EXPECT_EQ("Default value:", Find<wxStaticText>("ID_SNAPLABEL")->GetLabel());
    EXPECT_EQ(host.window.valueObserver, static_cast<IObserver*>(FindPanel<CSnapValueDialog>()));

    SubmitToCurrentTemplate(std::make_unique<CSetActionCommand>(Placed(Place::kButton), ControlAction::Toggle));
    EXPECT_TRUE(snapshot->IsEnabled());
}

TEST_F(Panels, SnapshotRangeIsTheControlsLowToHigh)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetOffValue(20, false);
    knob.SetOnValue(40, false);
    knob.ClampSnapshotValue();
    Show(Place::kKnob);
    Enter(Find<wxTextCtrl>("Snapshot_Value"), "50");
    EXPECT_EQ(0, Commands());
    Enter(Find<wxTextCtrl>("Snapshot_Value"), "30");
    EXPECT_EQ(30, knob.GetSnapshotValue());
}

TEST_F(Panels, CCAndNRPNNumbers)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetMIDIControlLSBNum(74);
    Show(Place::kKnob);
    EXPECT_EQ("74", Find<wxTextCtrl>("CC_Number")->GetValue());
    Enter(Find<wxTextCtrl>("CC_Number"), "71");
    EXPECT_EQ(71, knob.GetMIDIControlLSBNum());

    knob.SetType(ControlMessageType::NRPN, false);
    knob.SetMIDIControlMSBNum(3);
    Show(Place::kKnob);
    EXPECT_EQ("3", Find<wxTextCtrl>("Most_Significant_Byte")->GetValue());
    EXPECT_EQ("71", Find<wxTextCtrl>("Least_Significant_Byte")->GetValue());
    Enter(Find<wxTextCtrl>("Most_Significant_Byte"), "9");
    EXPECT_EQ(9, knob.GetMIDIControlMSBNum());
    EXPECT_EQ(71, knob.GetMIDIControlLSBNum());
}

TEST_F(Panels, ChannelZeroShowsOneWithoutChangingTheState)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetMIDIChannelOrMMCDeviceNum(0);
    Show(Place::kKnob);
    EXPECT_EQ("1", Find<wxTextCtrl>("Midi_Channel")->GetValue());
    EXPECT_EQ(0, knob.GetMIDIChannelOrMMCDeviceNum());
    EXPECT_FALSE(Shown(Find("Midi_Chanel_Group")));
    Enter(Find<wxTextCtrl>("Midi_Channel"), "17");
    EXPECT_EQ(0, Commands());
    Enter(Find<wxTextCtrl>("Midi_Channel"), "16");
    EXPECT_EQ(16, knob.GetMIDIChannelOrMMCDeviceNum());
}

TEST_F(Panels, ChannelGroupLocksTheChannelOnDevicesWithGroups)
{
    host.answers.portGroups = true;
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    Show(Place::kKnob);
    auto* group = Find<wxChoice>("Midi_Chanel_Group");
    ASSERT_TRUE(Shown(group));
    EXPECT_EQ("Keyboard", group->GetString(2).ToStdString());
    EXPECT_TRUE(Find("Midi_Channel")->IsEnabled());
    Choose(group, 1);
    EXPECT_EQ(ControlGroup::Common, knob.GetMIDIChanGroup());
    EXPECT_FALSE(Find("Midi_Channel")->IsEnabled());
    EXPECT_EQ("Set Control MIDI Channel Group", templ.GetUndoText());
}

// ---------------------------------------------------------------------------
// Generic and SysEx

TEST_F(Panels, TurningOnOneUsbPortTurnsTheOthersOffAsOneStep)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetUSBPortEnabled(true);
    knob.SetUSBPort3Enabled(true);
    Show(Place::kKnob);
    Check(Find<wxCheckBox>("Enable_USB_Port_B"), true);
    EXPECT_FALSE(knob.GetUSBPortEnabled());
    EXPECT_TRUE(knob.GetUSBPort2Enabled());
    EXPECT_FALSE(knob.GetUSBPort3Enabled());
    EXPECT_EQ(1, Commands());
    EXPECT_EQ("Enable Control USB Port 2", templ.GetUndoText());
    templ.Undo();
    EXPECT_TRUE(knob.GetUSBPortEnabled());
    EXPECT_FALSE(knob.GetUSBPort2Enabled());
    EXPECT_TRUE(knob.GetUSBPort3Enabled());
    EXPECT_TRUE(Find<wxCheckBox>("Enable_USB_Port")->GetValue());
}

TEST_F(Panels, TurningOffAUsbPortLeavesTheOthers)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    knob.SetUSBPortEnabled(true);
    knob.SetUSBPort2Enabled(true);
    Show(Place::kKnob);
    Check(Find<wxCheckBox>("Enable_USB_Port"), false);
    EXPECT_FALSE(knob.GetUSBPortEnabled());
    EXPECT_TRUE(knob.GetUSBPort2Enabled());
    EXPECT_EQ("Disable Control MIDI Port USB", templ.GetUndoText());

    Check(Find<wxCheckBox>("Enable_Midi_Port_1"), !knob.GetMIDIPort1Enabled());
    EXPECT_EQ(2, Commands());
}

TEST_F(Panels, MainUnitGenericPanelRows)
{
    State(Place::kButton).SetType(ControlMessageType::MMC, false);
    Show(Place::kButton);
    for (const char* name : {"Enable_Midi_Port_2", "Enable_USB_Port_B", "Enable_USB_Port_C", "Midi_Port_Group",
                             "ID_MIDIGROUPTEXT", "Parameter_Name", "ID_PARAMNAMETEXT"})
        EXPECT_FALSE(Shown(Find(name))) << name;
    EXPECT_TRUE(Shown(Find("Enable_USB_Port")));
    EXPECT_FALSE(Find("Name")->IsEnabled());
}

TEST_F(Panels, DisabledControlHasItsPortsLockedAndNoSeparator)
{
    Show(Place::kKnob);
    EXPECT_EQ(std::vector<std::string>{"CGenericDialog"}, Column());
    EXPECT_FALSE(Find("ID_SEPARATOR")->IsShown());
    EXPECT_FALSE(Find("Enable_USB_Port")->IsEnabled());
    EXPECT_FALSE(Find("Enable_Midi_Port_1")->IsEnabled());
}

TEST_F(Panels, TypingANameSubmitsItAndTheSameTextDoesNot)
{
    State(Place::kKnob).SetType(ControlMessageType::CC, false);
    Show(Place::kKnob);
    auto* name = Find<wxTextCtrl>("Name");
    auto* panel = FindPanel<CGenericDialog>();
    name->SetValue("Cutoff");
    EXPECT_EQ("Cutoff", State(Place::kKnob).GetName());
    EXPECT_EQ("Set Control Name", templ.GetUndoText());
    EXPECT_FALSE(panel->OnAutoComplete());
    name->SetValue("Cutoff");
    EXPECT_EQ(1, Commands());
    name->ChangeValue("Cutoff 2");
    EXPECT_TRUE(panel->OnAutoComplete());
}

TEST_F(Panels, SysExTextIsCheckedWhileTypingAndSetOnlyByTheButton)
{
    State(Place::kKnob).SetType(ControlMessageType::SysEx, false);
    const SysExDef before = State(Place::kKnob).GetSysExData();
    Show(Place::kKnob);
    auto* message = Find<wxTextCtrl>("Sys_Ex_Message");
    auto* set = Find<wxButton>("ID_SETBUTTON");
    ASSERT_NE(nullptr, message);
    EXPECT_FALSE(Find("Message_Status")->IsEnabled());

    message->SetValue("F0 4");
    EXPECT_FALSE(set->IsEnabled());
    EXPECT_NE("", Find<wxTextCtrl>("Message_Status")->GetValue());
    wxCommandEvent click(wxEVT_BUTTON, set->GetId());
    click.SetEventObject(set);
    set->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(0, Commands());

    message->SetValue("43 10 DV");
    EXPECT_TRUE(set->IsEnabled()) << Find<wxTextCtrl>("Message_Status")->GetValue();
    EXPECT_EQ(0, Commands());
    set->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(1, Commands());
    EXPECT_EQ("Set Control SysEx Data", templ.GetUndoText());
    EXPECT_EQ("43 10 DV", SysExText::Format(State(Place::kKnob).GetSysExData()).substr(0, 8));

    // Set again with the same text: submitted all the same.
    set->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(2, Commands());
    templ.Undo();
    templ.Undo();
    EXPECT_EQ(SysExText::Format(before), SysExText::Format(State(Place::kKnob).GetSysExData()));
}

TEST_F(Panels, GroupPositionsShowTheTemplatesSharedSets)
{
    host.answers.portGroups = true;
    CTolvarVeskTemplate vesk;
    host.window.current = &vesk;
    PortChannelGroup& groups = vesk.GetGroups()->GetGroups();
    groups.own = PortChannelSet{3, 0, 0, 0, 1, 0};
    groups.common = PortChannelSet{9, 1, 0, 1, 0, 0};
    CBaseControlState& control = *vesk.GetControl(Place::kKnob);
    control.SetType(ControlMessageType::CC, false);
    control.SetMIDIChanGroup(ControlGroup::Common);
    control.SetMIDIPortGroup(ControlGroup::Keyboard);
    control.SetMIDIChannelOrMMCDeviceNum(5);
    CPlacedControl placed(&control, Place::kKnob);
    PlacedControlPanels::RebuildEditDialog(frame, placed);

    EXPECT_EQ("9", Find<wxTextCtrl>("Midi_Channel")->GetValue());
    // The keyboard group follows its own ports unless it uses the common ones.
    EXPECT_TRUE(Find<wxCheckBox>("Enable_USB_Port_B")->GetValue());
    EXPECT_FALSE(Find<wxCheckBox>("Enable_USB_Port")->GetValue());
    EXPECT_FALSE(Find("Enable_USB_Port")->IsEnabled());

    Choose(Find<wxChoice>("Midi_Port_Group"), ControlGroup::Common);
    EXPECT_EQ(ControlGroup::Common, control.GetMIDIPortGroup());
    EXPECT_TRUE(Find<wxCheckBox>("Enable_USB_Port")->GetValue());
    EXPECT_FALSE(Find<wxCheckBox>("Enable_USB_Port_B")->GetValue());

    Choose(Find<wxChoice>("Midi_Chanel_Group"), ControlGroup::Own);
    EXPECT_EQ("5", Find<wxTextCtrl>("Midi_Channel")->GetValue());
    EXPECT_TRUE(Find("Midi_Channel")->IsEnabled());
    EXPECT_EQ(2, vesk.GetHistorySize());
}
