#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/TemplateSettings.h"

namespace
{
class TemplateSettingsTest : public DialogTest
{
protected:
    void SetUp() override
    {
        window.current = &synth;
        CTemplateLocalData& s = synth.GetLocals();
        s.SetName("Strings Live");
        s.Keybaord_Midi_Channel = 4;
        s.Velocity_Curve = 1;
        s.Octave_Setting = 5;
        s.Pad_X_Type = 2;
        s.Pad_Y_Type = 1;
        s.Transpose = -3;
        s.Enable_Midi_Port_1 = false;
        // Bytes the dialog has no control for.
        s.LocalsByte1 = 9;
        s.LocalsByte7 = 3;
        s.Pathlore_Template = true;
        before.Assign(s);
    }

    CDorvaSynthTemplate synth;
    CTemplateLocalData before;
};

TEST_F(TemplateSettingsTest, ShowsTheSettingsAsTheUserReadsThem)
{
    CTemplateSettings dialog(nullptr, synth);
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(Control<wxTextCtrl>(&dialog, "Template_Name")->GetValue(), "Strings Live");
    EXPECT_EQ(Control<wxSpinCtrl>(&dialog, "Keybaord_Midi_Channel")->GetValue(), 5);
    EXPECT_EQ(Control<wxSpinCtrl>(&dialog, "Velocity_Curve")->GetValue(), 2);
    EXPECT_EQ(Control<wxSpinCtrl>(&dialog, "Octave_Setting")->GetValue(), 1);
    EXPECT_EQ(Control<wxSpinCtrl>(&dialog, "Transpose")->GetValue(), -3);
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Enable_Midi_Port_1")->GetValue());

    wxChoice* padX = Control<wxChoice>(&dialog, "Pad_X_Type");
    // The unit's pad springs have no direction of their own.
    ASSERT_EQ(padX->GetCount(), 3u);
    EXPECT_EQ(padX->GetString(0), "No Spring / Hold");
    EXPECT_EQ(padX->GetString(1), "Spring Centre");
    EXPECT_EQ(padX->GetString(2), "Spring Left");
    EXPECT_EQ(padX->GetStringSelection(), "Spring Centre");
    wxChoice* padY = Control<wxChoice>(&dialog, "Pad_Y_Type");
    ASSERT_EQ(padY->GetCount(), 3u);
    EXPECT_EQ(padY->GetStringSelection(), "Spring Down");

    // The unit has no manufacturer name, group pages or second MIDI port.
    EXPECT_FALSE(Control<wxTextCtrl>(&dialog, "Manufacturer_Name")->IsShown());
    EXPECT_FALSE(Control<wxSpinCtrl>(&dialog, "Number_Of_Group_Pages")->IsShown());
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Enable_Midi_Port_2")->IsShown());
}

TEST_F(TemplateSettingsTest, OkSubmitsOneStepThatUndoPutsBack)
{
    CTemplateSettings dialog(nullptr, synth);
    const int result = RunModal(dialog, [](wxDialog& d) {
        Control<wxTextCtrl>(&d, "Template_Name")->SetValue("Pads");
        Control<wxSpinCtrl>(&d, "Velocity_Curve")->SetValue(4);
        Control<wxSpinCtrl>(&d, "Octave_Setting")->SetValue(-2);
        Control<wxCheckBox>(&d, "Enable_Midi_Port_1")->SetValue(true);
        Control<wxChoice>(&d, "Pad_X_Type")->SetSelection(2);
        Click(d, wxID_OK);
    });
    EXPECT_EQ(result, 0);
    ASSERT_EQ(synth.GetHistorySize(), 1);
    EXPECT_EQ(synth.GetUndoText(), "Edit Template Settings");

    const CTemplateLocalData& after = synth.GetLocals();
    EXPECT_EQ(after.GetName(), "Pads");
    EXPECT_EQ(after.Velocity_Curve, 3);
    EXPECT_EQ(after.Octave_Setting, 2);
    EXPECT_TRUE(after.Enable_Midi_Port_1);
    EXPECT_EQ(after.Pad_X_Type, 1);
    EXPECT_EQ(after.Keybaord_Midi_Channel, 4);
    EXPECT_EQ(after.Transpose, -3);
    // Settings without a control keep their values.
    EXPECT_EQ(after.LocalsByte1, 9);
    EXPECT_EQ(after.LocalsByte7, 3);
    EXPECT_TRUE(after.Pathlore_Template);

    synth.Undo();
    EXPECT_TRUE(synth.GetLocals().DataEquals(before));
    EXPECT_EQ(window.reselected, 1);
    synth.Redo();
    EXPECT_EQ(synth.GetLocals().GetName(), "Pads");
}

TEST_F(TemplateSettingsTest, OkWithoutChangesStillAddsAStep)
{
    CTemplateSettings dialog(nullptr, synth);
    RunModal(dialog, [](wxDialog& d) { Click(d, wxID_OK); });
    EXPECT_EQ(synth.GetHistorySize(), 1);
    EXPECT_TRUE(synth.GetLocals().DataEquals(before));
}

TEST_F(TemplateSettingsTest, CancelChangesNothing)
{
    CTemplateSettings dialog(nullptr, synth);
    const int result = RunModal(dialog, [](wxDialog& d) {
        Control<wxTextCtrl>(&d, "Template_Name")->SetValue("Gone");
        Click(d, "Restore_Defaults");
        Click(d, wxID_CANCEL);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(synth.GetHistorySize(), 0);
    EXPECT_TRUE(synth.GetLocals().DataEquals(before));
}

TEST_F(TemplateSettingsTest, RestoreDefaultsShowsDefaultsWithoutTouchingTheTemplate)
{
    CTemplateSettings dialog(nullptr, synth);
    Click(dialog, "Restore_Defaults");
    EXPECT_EQ(Control<wxTextCtrl>(&dialog, "Template_Name")->GetValue(), "Untitled");
    EXPECT_EQ(Control<wxSpinCtrl>(&dialog, "Velocity_Curve")->GetValue(), 3);
    EXPECT_EQ(Control<wxSpinCtrl>(&dialog, "Octave_Setting")->GetValue(), 0);
    EXPECT_TRUE(Control<wxCheckBox>(&dialog, "Enable_Midi_Port_1")->GetValue());
    EXPECT_TRUE(synth.GetLocals().DataEquals(before));
}

TEST_F(TemplateSettingsTest, FewerGroupPagesLowerThePageNumber)
{
    CTemplateSettings dialog(nullptr, synth);
    wxSpinCtrl* count = Control<wxSpinCtrl>(&dialog, "Number_Of_Group_Pages");
    wxSpinCtrl* page = Control<wxSpinCtrl>(&dialog, "Group_Page_Number");
    count->SetValue(8);
    page->SetValue(6);
    TypeIntoSpin(dialog, "Number_Of_Group_Pages", "4", 4);
    EXPECT_EQ(page->GetValue(), 4);
    // The page number may not pass the page count.
    TypeIntoSpin(dialog, "Group_Page_Number", "7", 7);
    EXPECT_EQ(page->GetValue(), 1);
}

TEST_F(TemplateSettingsTest, CommandEditsOnlyItsOwnTemplate)
{
    CDorvaSynthTemplate other;
    window.current = &other;
    CTemplateSettings dialog(nullptr, synth);
    RunModal(dialog, [](wxDialog& d) {
        Control<wxTextCtrl>(&d, "Template_Name")->SetValue("Mine");
        Click(d, wxID_OK);
    });
    EXPECT_EQ(synth.GetLocals().GetName(), "Mine");
    EXPECT_EQ(synth.GetHistorySize(), 1);
    EXPECT_EQ(other.GetHistorySize(), 0);
    EXPECT_EQ(other.GetLocals().GetName(), "Untitled");
}
} // namespace
