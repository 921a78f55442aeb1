#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/ui/FieldInput.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/TemplateSettings.h"

using namespace FieldInput;

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

    int Run(std::function<void(wxDialog&)> script) { return RunDialog<CTemplateSettings>(script, synth); }
    // The named control, with its notebook page brought forward as a user
    // does: Ctrl+Alt+Page Down or Up (a spin field takes Ctrl+Page Down).
    static wxWindow* On(wxDialog& dialog, const char* name)
    {
        wxWindow* control = dialog.FindWindow(XRCID(name));
        auto* book = Control<wxNotebook>(&dialog, "Template_Settings");
        int page = 0;
        while (page < int(book->GetPageCount()) && !book->GetPage(page)->IsDescendant(control))
            ++page;
        EXPECT_TRUE(RealInput::Focus(book));
        for (int tries = 0; book->GetSelection() != page && tries < 5; ++tries)
            RealInput::Key(book->GetSelection() < page ? WXK_PAGEDOWN : WXK_PAGEUP, wxMOD_CONTROL | wxMOD_ALT);
        return control;
    }

    CDorvaSynthTemplate synth;
    CTemplateLocalData before;
};

TEST_F(TemplateSettingsTest, ShowsTheSettingsAsTheUserReadsThem)
{
    CTemplateSettings dialog(nullptr, synth);
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(Control<wxTextCtrl>(&dialog, "Template_Name")->GetValue(), "Strings Live");
    const std::pair<const char*, int> spins[] = {
        {"Keybaord_Midi_Channel", 5}, {"Velocity_Curve", 2}, {"Octave_Setting", 1}, {"Transpose", -3}};
    for (const auto& [name, shown] : spins)
        EXPECT_EQ(Control<wxSpinCtrl>(&dialog, name)->GetValue(), shown) << name;
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Enable_Midi_Port_1")->GetValue());
    // The unit's pad springs have no direction of their own.
    EXPECT_EQ(wxJoin(Control<wxChoice>(&dialog, "Pad_X_Type")->GetStrings(), '|'),
              "No Spring / Hold|Spring Centre|Spring Left");
    EXPECT_EQ(Control<wxChoice>(&dialog, "Pad_X_Type")->GetStringSelection(), "Spring Centre");
    EXPECT_EQ(Control<wxChoice>(&dialog, "Pad_Y_Type")->GetStringSelection(), "Spring Down");
    // The unit has no manufacturer name, group pages or second MIDI port.
    for (const char* gone : {"Manufacturer_Name", "Number_Of_Group_Pages", "Enable_Midi_Port_2"})
        EXPECT_FALSE(dialog.FindWindow(XRCID(gone))->IsShown()) << gone;
}

TEST_F(TemplateSettingsTest, OkSubmitsOneStepThatUndoPutsBack)
{
    EXPECT_EQ(Run([](wxDialog& d) {
                  TypeOver(On(d, "Template_Name"), "Pads");
                  Press(On(d, "Enable_Midi_Port_1"));
                  Pick(dynamic_cast<wxChoice*>(On(d, "Pad_X_Type")), 2);
                  TypeOver(On(d, "Velocity_Curve"), "4");
                  TypeOver(On(d, "Octave_Setting"), "-2");
                  Press(d.FindWindow(wxID_OK));
              }),
              0);
    ASSERT_EQ(synth.GetHistorySize(), 1);
    EXPECT_EQ(synth.GetUndoText(), "Edit Template Settings");
    const CTemplateLocalData& after = synth.GetLocals();
    EXPECT_EQ(after.GetName(), "Pads");
    EXPECT_EQ(after.Velocity_Curve, 3) << "shown + 1";
    EXPECT_EQ(after.Octave_Setting, 2) << "shown - 4";
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

    // With another template current the command still edits this one.
    CDorvaSynthTemplate other;
    window.current = &other;
    Run([](wxDialog& d) { Press(d.FindWindow(wxID_OK)); });
    EXPECT_EQ(synth.GetHistorySize(), 2) << "OK without changes is a step too";
    EXPECT_EQ(other.GetHistorySize(), 0);
}

// A letter over a number changes nothing; a name keeps what typing would
// take of a paste or a drop, as far as there is room, and one with nothing
// left leaves it as it was.
TEST_F(TemplateSettingsTest, TextTypedOrPastedKeepsOnlyWhatTypingWould)
{
    Run([](wxDialog& d) {
        struct Row
        {
            const char* field;
            const char* text;
            void (*enter)(wxWindow*, const char*);
            const char* shown;
        };
        const Row rows[] = {
            {"Template_Name", "Filter_Cutoff~Frequency{1}", PasteOver, "FilterCutoffFreq"},
            {"Template_Name", "~_{}", PasteOver, "FilterCutoffFreq"},
            // So does text dropped from another program.
            {"Template_Name", "Pad~Strings_Brass{2}x", DropOver, "PadStringsBrass2"},
            {"Template_Name", "~_{}", DropOver, "PadStringsBrass2"},
            {"Velocity_Curve", "a", TypeOver, "2"},
            {"Velocity_Curve", "1a", PasteOver, "2"},
            {"Velocity_Curve", "7abc", DropOver, "2"},
        };
        for (const Row& row : rows)
        {
            wxWindow* field = On(d, row.field);
            auto* spin = dynamic_cast<wxSpinCtrl*>(field);
            const auto shown = [&] { return spin ? spin->GetTextValue() : dynamic_cast<wxTextCtrl*>(field)->GetValue(); };
            row.enter(field, row.text);
            EXPECT_EQ(shown(), row.shown) << row.text;
            RealInput::Key(WXK_TAB);
            EXPECT_EQ(shown(), row.shown) << row.text;
        }
        Press(d.FindWindow(wxID_OK));
    });
    EXPECT_EQ(synth.GetLocals().Velocity_Curve, 1);
    EXPECT_EQ(synth.GetLocals().GetName(), "PadStringsBrass2");
}

TEST_F(TemplateSettingsTest, RestoreDefaultsShowsDefaultsAndCancelKeepsTheTemplate)
{
    EXPECT_EQ(Run([](wxDialog& d) {
                  TypeOver(d.FindWindow(XRCID("Template_Name")), "Gone");
                  Press(d.FindWindow(XRCID("Restore_Defaults")));
                  EXPECT_EQ(Control<wxTextCtrl>(&d, "Template_Name")->GetValue(), "Untitled");
                  EXPECT_EQ(Control<wxSpinCtrl>(&d, "Velocity_Curve")->GetValue(), 3);
                  EXPECT_EQ(Control<wxSpinCtrl>(&d, "Octave_Setting")->GetValue(), 0);
                  EXPECT_TRUE(Control<wxCheckBox>(&d, "Enable_Midi_Port_1")->GetValue());
                  Press(d.FindWindow(wxID_CANCEL));
              }),
              -1);
    EXPECT_EQ(synth.GetHistorySize(), 0);
    EXPECT_TRUE(synth.GetLocals().DataEquals(before));
}
} // namespace
