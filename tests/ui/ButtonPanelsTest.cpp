#include <gtest/gtest.h>

#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "model/commands/ControlEditCommands.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/panels/ButtonDialog.h"
#include "ui/panels/GenericDialog.h"
#include "ui/validators/NumberTextCtrl.h"

namespace
{
class ButtonPanels : public PanelTest
{
protected:
    CBaseControlState& ShowStepButton(int stepSize)
    {
        CBaseControlState& button = State(Place::kButton);
        button.SetType(ControlMessageType::CC, false);
        button.SetAction(ControlAction::Step);
        button.SetMultiStep(static_cast<uint8_t>(stepSize));
        Show(Place::kButton);
        return button;
    }
};
} // namespace

TEST_F(ButtonPanels, ReleaseValueFollowsTheActionThroughTheObserver)
{
    CBaseControlState& button = State(Place::kButton);
    button.SetType(ControlMessageType::CC, false);
    Show(Place::kButton);
    EXPECT_TRUE(Find<wxRadioButton>("Normal_Button")->GetValue());
    EXPECT_FALSE(Find("Release_Stroke_Max_Value")->IsEnabled());
    EXPECT_FALSE(Find("Button_Step_Size")->IsEnabled());

    Click(Find<wxRadioButton>("Toggle_Button"));
    EXPECT_EQ(1, Commands());
    EXPECT_EQ(ControlAction::Toggle, button.GetAction());
    EXPECT_TRUE(Find("Release_Stroke_Max_Value")->IsEnabled());

    templ.Undo();
    EXPECT_FALSE(Find("Release_Stroke_Max_Value")->IsEnabled());
    EXPECT_TRUE(Find<wxRadioButton>("Normal_Button")->GetValue());
}

TEST_F(ButtonPanels, StepOnAStepButtonSubmitsNothingButUnlocksTheStepSize)
{
    ShowStepButton(4);
    auto* step = Find<wxSpinCtrl>("Button_Step_Size");
    EXPECT_EQ(4, step->GetValue());
    Click(Find<wxRadioButton>("Momentary_Button"));
    EXPECT_FALSE(step->IsEnabled());
    templ.Undo();
    Click(Find<wxRadioButton>("Step_Button"));
    EXPECT_EQ(1, Commands()); // the undone Momentary stays as redo
    EXPECT_TRUE(step->IsEnabled());
}

TEST_F(ButtonPanels, PressAndReleaseValuesAndFormats)
{
    CBaseControlState& button = State(Place::kButton);
    button.SetType(ControlMessageType::CC, false);
    button.SetAction(ControlAction::Momentary);
    button.SetOnValue(90, false);
    button.SetOffValue(5, false);
    Show(Place::kButton);
    EXPECT_EQ("90", Find<wxTextCtrl>("Release_Stroke_Max_Value")->GetValue());
    EXPECT_EQ("5", Find<wxTextCtrl>("Press_Stroke_Min_Value")->GetValue());
    EXPECT_FALSE(Find("Display_On_Stroke_Off")->IsShown());
    Enter(Find<wxTextCtrl>("Press_Stroke_Min_Value"), "7");
    EXPECT_EQ(7, button.GetOffValue());
    Click(Find<wxRadioButton>("Display_Minus_64_To_63"));
    EXPECT_EQ(DisplayFormat::RangeMinus64To63, button.GetDisplayFormat());
    EXPECT_EQ(2, Commands());
}

TEST_F(ButtonPanels, ProgramChangeButtonHasNoFormatRows)
{
    State(Place::kButton).SetType(ControlMessageType::ProgramChange, false);
    Show(Place::kButton);
    for (const char* name : {"Display_0_To_127", "Display_Minus_64_To_63", "ID_DISPFMTTEXT"})
        EXPECT_FALSE(Find(name)->IsShown()) << name;
    EXPECT_TRUE(Find("Normal_Button")->IsShown());
}

TEST_F(ButtonPanels, NoteButtonThatStepsIsPutRightWithoutAnUndoStep)
{
    CBaseControlState& button = State(Place::kButton);
    button.SetType(ControlMessageType::NoteOn, false);
    button.SetAction(ControlAction::Step);
    button.SetMIDIControlLSBNum(60);
    Show(Place::kButton);
    EXPECT_EQ(ControlAction::Normal, button.GetAction());
    EXPECT_EQ(0, Commands());
    EXPECT_TRUE(Find<wxRadioButton>("Normal_Button")->GetValue());
    EXPECT_EQ("60", Find<wxTextCtrl>("Note_Number")->GetValue());
    EXPECT_EQ("C3", Find<wxStaticText>("ID_NOTENAME")->GetLabel().ToStdString());

    Enter(Find<wxTextCtrl>("Note_Velocity"), "100");
    EXPECT_EQ(100, button.GetOffValue());
    Click(Find<wxRadioButton>("Momentary_Button"));
    EXPECT_EQ(ControlAction::Momentary, button.GetAction());
    EXPECT_EQ(2, Commands());
}

TEST_F(ButtonPanels, DrumPadValues)
{
    host.answers.drumNotes = true;
    CBaseControlState& button = State(Place::kButton);
    button.SetType(ControlMessageType::DrumNote, false);
    button.SetOffValue(36, false);
    button.SetOnValue(3, false);
    button.SetDrumAutoOffTime(9);
    button.SetDrumOffSync(5);
    Show(Place::kButton);
    EXPECT_EQ("36", Find<wxTextCtrl>("Note_Number")->GetValue());
    EXPECT_EQ("C1", Find<wxStaticText>("ID_NOTENAME")->GetLabel().ToStdString());
    EXPECT_EQ("3", Find<wxTextCtrl>("Velocity_Curve")->GetValue());
    EXPECT_EQ("9", Find<wxTextCtrl>("Auto_Off")->GetValue());
    EXPECT_EQ(wxNOT_FOUND, Find<wxChoice>("Off_Sync")->GetSelection());
    Choose(Find<wxChoice>("Off_Sync"), 1);
    EXPECT_EQ(1, button.GetDrumOffSync());
    Enter(Find<wxTextCtrl>("Auto_Off"), "20");
    EXPECT_EQ(20, button.GetDrumAutoOffTime());
    Enter(Find<wxTextCtrl>("Note_Number"), "38");
    EXPECT_EQ(38, button.GetOffValue());
    EXPECT_EQ("D1", Find<wxStaticText>("ID_NOTENAME")->GetLabel().ToStdString());
    EXPECT_EQ(3, Commands());
}

TEST_F(ButtonPanels, MMCCommandAndDevice)
{
    CBaseControlState& button = State(Place::kButton);
    button.SetType(ControlMessageType::MMC, false);
    button.SetMMCControlType(0);
    Show(Place::kButton);
    for (const char* name : {"ID_STOP", "ID_PLAY", "ID_MMCRESET"})
        EXPECT_FALSE(Find<wxRadioButton>(name)->GetValue()) << name;
    Click(Find<wxRadioButton>("ID_PLAY"));
    EXPECT_EQ(MMCCommand::Play, button.GetMMCControlType());
    Click(Find<wxRadioButton>("ID_PLAY"));
    EXPECT_EQ(1, Commands());

    auto* device = Find<NumberTextCtrl>("MMC_Device_Number");
    Enter(device, "99");
    EXPECT_EQ(99, button.GetMIDIChannelOrMMCDeviceNum());
    Enter(device, "100");
    EXPECT_EQ("99", device->GetValue());
    Enter(device, "0");
    EXPECT_EQ(0, button.GetMIDIChannelOrMMCDeviceNum());
}

TEST_F(ButtonPanels, ObserverRegistrationsEndWithThePanels)
{
    State(Place::kButton).SetType(ControlMessageType::CC, false);
    Show(Place::kButton);
    EXPECT_EQ(2u, host.window.observers.size()); // snapshot and button panels
    frame->DestroyChildren();
    EXPECT_TRUE(host.window.observers.empty());
    EXPECT_EQ(nullptr, host.window.valueObserver);
    State(Place::kButton).SetAction(ControlAction::Toggle); // would reach a destroyed panel
}

TEST_F(ButtonPanels, AnEntryTypedWhenTheWindowLetsGoIsKept)
{
    CBaseControlState& button = State(Place::kButton);
    button.SetType(ControlMessageType::CC, false);
    button.SetAction(ControlAction::Toggle);
    Show(Place::kButton);
    Find<wxTextCtrl>("Release_Stroke_Max_Value")->ChangeValue("64");
    frame->DestroyChildren();
    EXPECT_EQ(64, button.GetOnValue());
    EXPECT_EQ(1, Commands());
}
