// The property panels of the settings window, used through the X server:
// Space on a radio button or check box, arrows on a choice, typing over a
// field and leaving it.

#include <functional>

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "app/WxText.h"
#include "model/TemplateGroups.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/panels/SnapValueDialog.h"
#include "ui/validators/NumberTextCtrl.h"

namespace
{
using Panels = PanelTest;
using T = ControlMessageType::Value;
using CS = CBaseControlState;

bool Shown(wxWindow* window)
{
    return window && window->IsShown();
}

// One entry in one field of the panels of the control at place: what the
// user gives (text typed and Tab; nullptr: Space; "#n": the n-th choice),
// the value it leaves and the undo step it made (none: refused or unchanged).
struct Edit
{
    const char* what;
    int place;
    std::function<void(CS&)> prepare;
    const char* field;
    const char* input;
    std::function<int(const CS&)> read;
    int expected;
    const char* undo;
};

TEST_F(Panels, EachEntryReachesTheControlInOneStepThatUndoTakesBack)
{
    host.answers.portGroups = true;
    host.answers.drumNotes = true;
    host.answers.usbPorts = true; // a unit with three USB ports
    const auto type = [](int t) { return [t](CS& s) { s.SetType(t, false); }; };
    const auto cc = [](CS& s) {
        s.SetType(T::CC, false);
        s.SetOnValue(100, false);
        s.SetOffValue(20, false);
        s.SetMIDIControlLSBNum(74);
        s.SetMIDIChannelOrMMCDeviceNum(5);
        s.SetDisplayFormat(DisplayFormat::RangeMinus64To63);
        s.SetUSBPortEnabled(true);
        s.SetUSBPort2Enabled(true);
        s.SetUSBPort3Enabled(false);
        s.SetMIDIChanGroup(ControlGroup::Own);
        s.SetSnapshotValue(40);
    };
    const auto button = [](int t, int action) {
        return [t, action](CS& s) {
            s.SetType(t, false);
            s.SetAction(action);
            s.SetOnValue(90, false);
            s.SetOffValue(36, false);
            s.SetMMCControlType(0);
            s.SetMIDIChannelOrMMCDeviceNum(5);
        };
    };
    const Edit edits[] = {
        {"pot high value", Place::kKnob, cc, "High_Value", "90", &CS::GetOnValue, 90, "Set High Value"},
        {"pot low value", Place::kKnob, cc, "Low_Value", "30", &CS::GetOffValue, 30, "Set Low Value"},
        {"a value beyond 127", Place::kKnob, cc, "High_Value", "128", &CS::GetOnValue, 100, nullptr},
        {"CC number", Place::kKnob, cc, "CC_Number", "71", [](const CS& s) { return s.GetMIDIControlLSBNum(); },
         71, "Set Control LSB"},
        {"NRPN high byte", Place::kKnob, type(T::NRPN), "Most_Significant_Byte", "9",
         [](const CS& s) { return s.GetMIDIControlMSBNum(); }, 9, "Set Control MSB"},
        {"NRPN low byte", Place::kKnob, type(T::NRPN), "Least_Significant_Byte", "12",
         [](const CS& s) { return s.GetMIDIControlLSBNum(); }, 12, "Set Control LSB"},
        {"channel 16", Place::kKnob, cc, "Midi_Channel", "16", &CS::GetMIDIChannelOrMMCDeviceNum, 16,
         "Set Control MIDIChannel / MMC Device"},
        {"channel 17 is refused", Place::kKnob, cc, "Midi_Channel", "17", &CS::GetMIDIChannelOrMMCDeviceNum, 5,
         nullptr},
        {"snapshot within low to high", Place::kKnob, cc, "Snapshot_Value", "30", &CS::GetSnapshotValue, 30,
         "Set Snapshot Value"},
        {"snapshot above high is refused", Place::kKnob, cc, "Snapshot_Value", "101", &CS::GetSnapshotValue, 40,
         nullptr},
        {"the other display format", Place::kKnob, cc, "Display_0_To_127", nullptr, &CS::GetDisplayFormat,
         DisplayFormat::Range0To127, "Set Control Display Format"},
        {"the current display format", Place::kKnob, cc, "Display_Minus_64_To_63", nullptr,
         &CS::GetDisplayFormat, DisplayFormat::RangeMinus64To63, nullptr},
        {"turning off a USB port leaves the others", Place::kKnob, cc, "Enable_USB_Port", nullptr,
         [](const CS& s) { return s.GetUSBPortEnabled() * 4 + s.GetUSBPort2Enabled() * 2 + s.GetUSBPort3Enabled(); },
         2, "Disable Control MIDI Port USB"},
        {"turning on a USB port turns the others off", Place::kKnob, cc, "Enable_USB_Port_C", nullptr,
         [](const CS& s) { return s.GetUSBPortEnabled() * 4 + s.GetUSBPort2Enabled() * 2 + s.GetUSBPort3Enabled(); },
         1, "Enable Control USB Port 3"},
        {"MIDI port 1", Place::kKnob, cc, "Enable_Midi_Port_1", nullptr,
         [](const CS& s) { return s.GetMIDIPort1Enabled(); }, 0, "Disable Control MIDI Port 1"},
        {"channel group", Place::kKnob, cc, "Midi_Chanel_Group", "#1", &CS::GetMIDIChanGroup, ControlGroup::Common,
         "Set Control MIDI Channel Group"},
        {"button toggles", Place::kButton, button(T::CC, ControlAction::Normal), "Toggle_Button", nullptr,
         &CS::GetAction, ControlAction::Toggle, "Set Button Action"},
        {"button press value", Place::kButton, button(T::CC, ControlAction::Momentary), "Press_Stroke_Min_Value", "7",
         &CS::GetOffValue, 7, "Set Low Value"},
        {"button release value", Place::kButton, button(T::CC, ControlAction::Toggle), "Release_Stroke_Max_Value", "64",
         &CS::GetOnValue, 64, "Set High Value"},
        {"button display format", Place::kButton, button(T::CC, ControlAction::Normal), "Display_Minus_64_To_63",
         nullptr, &CS::GetDisplayFormat, DisplayFormat::RangeMinus64To63, "Set Control Display Format"},
        {"note velocity", Place::kButton, button(T::NoteOn, ControlAction::Normal), "Note_Velocity", "100",
         &CS::GetOffValue, 100, "Set Low Value"},
        {"note button momentary", Place::kButton, button(T::NoteOn, ControlAction::Normal), "Momentary_Button",
         nullptr, &CS::GetAction, ControlAction::Momentary, "Set Button Action"},
        {"drum note", Place::kButton, button(T::DrumNote, ControlAction::Normal), "Note_Number", "38",
         &CS::GetOffValue, 38, "Set Low Value"},
        {"drum velocity curve", Place::kButton, button(T::DrumNote, ControlAction::Normal), "Velocity_Curve", "4",
         &CS::GetOnValue, 4, "Set High Value"},
        {"drum auto off", Place::kButton, button(T::DrumNote, ControlAction::Normal), "Auto_Off", "20",
         &CS::GetDrumAutoOffTime, 20, "Set High Value"},
        {"drum off sync", Place::kButton, button(T::DrumNote, ControlAction::Normal), "Off_Sync", "#1",
         &CS::GetDrumOffSync, 1, "Set High Value"},
        {"MMC command", Place::kButton, button(T::MMC, ControlAction::Normal), "ID_PLAY", nullptr,
         &CS::GetMMCControlType, MMCCommand::Play, "Set Control MMC Command"},
        {"MMC device 99", Place::kButton, button(T::MMC, ControlAction::Normal), "MMC_Device_Number", "99",
         &CS::GetMIDIChannelOrMMCDeviceNum, 99, "Set Control MIDIChannel / MMC Device"},
        {"MMC device 0", Place::kButton, button(T::MMC, ControlAction::Normal), "MMC_Device_Number", "0",
         &CS::GetMIDIChannelOrMMCDeviceNum, 0, "Set Control MIDIChannel / MMC Device"},
        {"MMC device 100 is refused", Place::kButton, button(T::MMC, ControlAction::Normal), "MMC_Device_Number",
         "100", &CS::GetMIDIChannelOrMMCDeviceNum, 5, nullptr},
    };
    for (const Edit& edit : edits)
    {
        SCOPED_TRACE(edit.what);
        templ.ClearUndoHistory();
        CS& state = State(edit.place);
        edit.prepare(state);
        Show(edit.place);
        const int before = edit.read(state), history = Commands();
        if (!edit.input)
            Press(edit.field);
        else if (edit.input[0] == '#')
            Pick(edit.field, edit.input[1] - '0');
        else
            TypeInto(edit.field, edit.input);
        EXPECT_EQ(edit.read(state), edit.expected);
        EXPECT_EQ(Commands() - history, edit.undo ? 1 : 0);
        if (!edit.undo)
            continue;
        EXPECT_EQ(templ.GetUndoText(), edit.undo);
        templ.Undo();
        EXPECT_EQ(edit.read(state), before) << "after undo";
    }
}

// Which rows a control's panels show, and which they lock.
TEST_F(Panels, RowsFollowTheControlAndTheDevice)
{
    struct Case
    {
        const char* what;
        int place;
        int type;
        std::vector<const char*> hidden, shown, locked;
    };
    const Case cases[] = {
        {"a wheel has no formats, pickup or strategy", Place::kWheel, T::CC,
         {"Display_0_To_127", "Display_Minus_64_To_63", "ID_DISPFMTTEXT", "Do_Pot_Pickup", "Pot_Strategy",
          "ID_CATCHUPTEXT", "Send_14_Bit_Values", "REL_1", "A_POT"},
         {"High_Value"}, {}},
        {"the main unit has one MIDI port, one USB port and no groups", Place::kButton, T::MMC,
         {"Enable_Midi_Port_2", "Enable_USB_Port_B", "Enable_USB_Port_C", "Midi_Port_Group", "ID_MIDIGROUPTEXT",
          "Parameter_Name", "ID_PARAMNAMETEXT"},
         {"Enable_USB_Port"}, {"Name"}},
        {"a program change button has no formats", Place::kButton, T::ProgramChange,
         {"Display_0_To_127", "Display_Minus_64_To_63", "ID_DISPFMTTEXT"}, {"Normal_Button"}, {}},
        {"channels without groups", Place::kKnob, T::CC, {"Midi_Chanel_Group", "Display_On_Stroke_Off"},
         {"Midi_Channel"}, {}},
        {"a disabled control", Place::kKnob, T::Disabled, {"ID_SEPARATOR"}, {},
         {"Enable_USB_Port", "Enable_Midi_Port_1"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        State(c.place).SetType(c.type, false);
        Show(c.place);
        for (const char* name : c.hidden)
            EXPECT_FALSE(Shown(Find(name))) << name;
        for (const char* name : c.shown)
            EXPECT_TRUE(Shown(Find(name))) << name;
        for (const char* name : c.locked)
            EXPECT_FALSE(Find(name)->IsEnabled()) << name;
    }
    EXPECT_EQ(Column(), std::vector<std::string>{"CGenericDialog"}) << "the disabled control: the generic panel only";
}

TEST_F(Panels, ValuesShowAsTheUserReadsThem)
{
    CS& knob = State(Place::kKnob);
    knob.SetType(T::CC, false);
    knob.SetMIDIChannelOrMMCDeviceNum(0);
    Show(Place::kKnob);
    EXPECT_EQ(Find<wxTextCtrl>("Midi_Channel")->GetValue(), "1") << "channel 0 shows as 1";
    EXPECT_EQ(knob.GetMIDIChannelOrMMCDeviceNum(), 0) << "without changing the control";

    CS& button = State(Place::kButton);
    button.SetType(T::NoteOn, false);
    button.SetAction(ControlAction::Step);
    button.SetMIDIControlLSBNum(60);
    Show(Place::kButton);
    EXPECT_EQ(button.GetAction(), ControlAction::Normal) << "a note never steps";
    EXPECT_EQ(Commands(), 0) << "put right without an undo step";
    EXPECT_TRUE(Find<wxRadioButton>("Normal_Button")->GetValue());
    EXPECT_EQ(Find<wxStaticText>("ID_NOTENAME")->GetLabel(), "C3");

    host.answers.drumNotes = true;
    button.SetType(T::DrumNote, false);
    button.SetOffValue(36, false);
    button.SetOnValue(3, false);
    button.SetDrumAutoOffTime(9);
    Show(Place::kButton);
    for (auto [field, shown] : {std::pair{"Note_Number", "36"}, {"Velocity_Curve", "3"}, {"Auto_Off", "9"}})
        EXPECT_EQ(Find<wxTextCtrl>(field)->GetValue(), shown) << field;
    EXPECT_EQ(Find<wxStaticText>("ID_NOTENAME")->GetLabel(), "C1");
    TypeInto("Note_Number", "38");
    EXPECT_EQ(Find<wxStaticText>("ID_NOTENAME")->GetLabel(), "D1");

    button.SetType(T::MMC, false);
    button.SetMMCControlType(0);
    Show(Place::kButton);
    for (const char* name : {"ID_STOP", "ID_PLAY", "ID_MMCRESET"})
        EXPECT_FALSE(Find<wxRadioButton>(name)->GetValue()) << name;
}

// What one panel changes, the others show at once.
TEST_F(Panels, PanelsFollowEachOthersChanges)
{
    host.answers.fourteenBit = true;
    CS& knob = State(Place::kKnob);
    knob.SetType(T::CC, false);
    knob.SetDisplayFormat(DisplayFormat::Send14Bit);
    Show(Place::kKnob);
    EXPECT_EQ(Find<NumberTextCtrl>("High_Value")->GetMaximum(), 16383);
    EXPECT_FALSE(Find("Display_0_To_127")->IsEnabled()) << "14-bit values lock the formats";
    Press("Send_14_Bit_Values");
    EXPECT_EQ(knob.GetDisplayFormat(), DisplayFormat::Range0To127);
    EXPECT_EQ(Find<NumberTextCtrl>("High_Value")->GetMaximum(), 127);
    EXPECT_TRUE(Find("Display_0_To_127")->IsEnabled());
    EXPECT_TRUE(Find<wxRadioButton>("Display_0_To_127")->GetValue());

    host.answers.portGroups = true;
    Show(Place::kKnob);
    EXPECT_EQ(Find<wxChoice>("Midi_Chanel_Group")->GetString(2), "Keyboard");
    Pick("Midi_Chanel_Group", 1);
    EXPECT_FALSE(Find("Midi_Channel")->IsEnabled()) << "a group's channel is not the control's";

    CS& button = State(Place::kButton);
    button.SetType(T::CC, false);
    button.SetAction(ControlAction::Step);
    button.SetMultiStep(4);
    Show(Place::kButton);
    EXPECT_EQ(host.window.valueObserver, static_cast<IObserver*>(FindPanel<CSnapValueDialog>()));
    EXPECT_EQ(Find<wxStaticText>("ID_SNAPLABEL")->GetLabel(), "Default value:");
    EXPECT_EQ(Find<wxSpinCtrl>("Button_Step_Size")->GetValue(), 4);
    const int history = Commands();
    Press("Step_Button");
    EXPECT_EQ(Commands(), history) << "the action it has already";
    const struct
    {
        const char* action;
        bool release, step, snapshot;
    } actions[] = {{"Normal_Button", false, false, false},
                   {"Toggle_Button", true, false, true},
                   {"Step_Button", true, true, true}};
    for (const auto& a : actions)
    {
        Press(a.action);
        EXPECT_EQ(Find("Release_Stroke_Max_Value")->IsEnabled(), a.release) << a.action;
        EXPECT_EQ(Find("Button_Step_Size")->IsEnabled(), a.step) << a.action;
        EXPECT_EQ(Find("Snapshot_Value")->IsEnabled(), a.snapshot) << a.action;
    }
    templ.Undo();
    EXPECT_TRUE(Find<wxRadioButton>("Toggle_Button")->GetValue()) << "undo shows in the panels too";
    EXPECT_FALSE(Find("Button_Step_Size")->IsEnabled());
}

TEST_F(Panels, PotPickupAndStrategyOnADeviceThatHasThem)
{
    CS& knob = State(Place::kKnob);
    knob.SetType(T::CC, false);
    knob.SetPotCatchup(0);
    Show(Place::kKnob);
    Press("Do_Pot_Pickup");
    EXPECT_EQ(templ.GetUndoText(), "Edit Control Pot Strategy");
    EXPECT_EQ(knob.GetPotCatchup(), 1);

    host.answers.potPickup = true;
    knob.SetPotCatchup(2);
    Show(Place::kKnob);
    EXPECT_EQ(Find<wxChoice>("Pot_Strategy")->GetSelection(), 2);
    const int history = Commands();
    Pick("Pot_Strategy", 0);
    EXPECT_EQ(knob.GetPotCatchup(), 0);
    EXPECT_EQ(Commands(), history + 2) << "one step an arrow";
}

TEST_F(Panels, SysExIsCheckedWhileTypedAndSetOnlyByTheButton)
{
    State(Place::kKnob).SetType(T::SysEx, false);
    const SysExDef before = State(Place::kKnob).GetSysExData();
    Show(Place::kKnob);
    auto* set = Find<wxButton>("ID_SETBUTTON");
    EXPECT_FALSE(Find("Message_Status")->IsEnabled());
    FieldInput::TypeOver(Find("Sys_Ex_Message"), "F0 4");
    EXPECT_FALSE(set->IsEnabled());
    EXPECT_NE(Find<wxTextCtrl>("Message_Status")->GetValue(), "");
    FieldInput::TypeOver(Find("Sys_Ex_Message"), "43 10 DV");
    EXPECT_TRUE(set->IsEnabled()) << Find<wxTextCtrl>("Message_Status")->GetValue();
    EXPECT_EQ(Commands(), 0);
    Press("ID_SETBUTTON");
    Press("ID_SETBUTTON");
    EXPECT_EQ(Commands(), 2) << "set again with the same text: submitted all the same";
    EXPECT_EQ(templ.GetUndoText(), "Set Control SysEx Data");
    EXPECT_EQ(SysExText::Format(State(Place::kKnob).GetSysExData()).substr(0, 8), "43 10 DV");
    templ.Undo();
    templ.Undo();
    EXPECT_EQ(SysExText::Format(State(Place::kKnob).GetSysExData()), SysExText::Format(before));
}

TEST_F(Panels, GroupPositionsShowTheTemplatesSharedSets)
{
    host.answers.portGroups = true;
    CTolvarVeskTemplate vesk;
    host.window.current = &vesk;
    PortChannelGroup& groups = vesk.GetGroups()->GetGroups();
    groups.own = PortChannelSet{3, 0, 0, 0, 1, 0};
    groups.common = PortChannelSet{9, 1, 0, 1, 0, 0};
    CS& control = *vesk.GetControl(Place::kKnob);
    control.SetType(T::CC, false);
    control.SetMIDIChanGroup(ControlGroup::Common);
    control.SetMIDIPortGroup(ControlGroup::Keyboard);
    control.SetMIDIChannelOrMMCDeviceNum(5);
    CPlacedControl placed(&control, Place::kKnob);
    PlacedControlPanels::RebuildEditDialog(frame, placed);

    EXPECT_EQ(Find<wxTextCtrl>("Midi_Channel")->GetValue(), "9");
    // The keyboard group follows its own ports unless it uses the common ones.
    EXPECT_TRUE(Find<wxCheckBox>("Enable_USB_Port_B")->GetValue());
    EXPECT_FALSE(Find<wxCheckBox>("Enable_USB_Port")->GetValue());
    EXPECT_FALSE(Find("Enable_USB_Port")->IsEnabled());

    Pick("Midi_Port_Group", ControlGroup::Common);
    EXPECT_EQ(control.GetMIDIPortGroup(), ControlGroup::Common);
    EXPECT_TRUE(Find<wxCheckBox>("Enable_USB_Port")->GetValue());
    EXPECT_FALSE(Find<wxCheckBox>("Enable_USB_Port_B")->GetValue());

    Pick("Midi_Chanel_Group", ControlGroup::Own);
    EXPECT_EQ(Find<wxTextCtrl>("Midi_Channel")->GetValue(), "5");
    EXPECT_TRUE(Find("Midi_Channel")->IsEnabled());
}

TEST_F(Panels, PanelsLetGoOfTheWindowWhenTheyGoAndKeepWhatWasTyped)
{
    CS& button = State(Place::kButton);
    button.SetType(T::CC, false);
    button.SetAction(ControlAction::Toggle);
    Show(Place::kButton);
    EXPECT_EQ(host.window.observers.size(), 2u) << "snapshot and button panels";
    FieldInput::TypeOver(Find("Release_Stroke_Max_Value"), "64");
    frame->DestroyChildren();
    EXPECT_EQ(button.GetOnValue(), 64) << "typed, not yet left, when the window closed";
    EXPECT_EQ(Commands(), 1);
    EXPECT_TRUE(host.window.observers.empty());
    EXPECT_EQ(host.window.valueObserver, nullptr);
    button.SetAction(ControlAction::Normal); // would reach a destroyed panel
}
} // namespace
