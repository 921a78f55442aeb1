#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/KeyboardZone.h"
#include "model/NoteName.h"
#include "tests/ui/FieldInput.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/KbdZoneDialog.h"

using namespace RealInput;

namespace
{
class KbdZoneDialogTest : public DialogTest
{
protected:
    void SetUp() override
    {
        zone.SetNoteRange(36, 72);
        zone.SetTranspose(64);
        zone.SetChannel(2);
        zone.SetUsbPort3(true);
    }
    CKbdZoneDialog::SubmitZone Recorder()
    {
        return [this](const CKeyboardZone& edited) { submitted.push_back(edited); };
    }
    int Run(std::function<void(wxDialog&)> script)
    {
        return FieldInput::RunDialog<CKbdZoneDialog>(script, zone, "Zone", Recorder());
    }

    CKeyboardZone zone;
    std::vector<CKeyboardZone> submitted;
};

TEST_F(KbdZoneDialogTest, ShowsTheZoneAsTheUserReadsIt)
{
    CKbdZoneDialog dialog(nullptr, zone, "Keyboard zone 1 settings", Recorder());
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(dialog.GetTitle(), "Keyboard zone 1 settings");
    EXPECT_EQ(Control<wxSpinCtrl>(&dialog, "Transpose")->GetValue(), 0);
    EXPECT_EQ(Control<wxSpinCtrl>(&dialog, "Midi_Channel")->GetValue(), 3);
    EXPECT_EQ(Control<wxStaticText>(&dialog, "Top_Note_Name")->GetLabel(), "C4");
    // The main unit has neither a second MIDI port nor USB port B; the
    // group choices never show.
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Enable_Midi_Port_2")->IsShown());
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Enable_USB_Port_2")->IsShown());
    EXPECT_FALSE(Control<wxChoice>(&dialog, "Midi_Channel_Group")->IsShown());
}

TEST_F(KbdZoneDialogTest, OkSubmitsWhatWasTypedAndOnlyAChange)
{
    EXPECT_EQ(Run([](wxDialog& d) { FieldInput::Press(d.FindWindow(wxID_OK)); }), 0);
    EXPECT_TRUE(submitted.empty());
    Run([](wxDialog& d) {
        wxSpinCtrl* top = Control<wxSpinCtrl>(&d, "Top_Note");
        wxSpinCtrl* bottom = Control<wxSpinCtrl>(&d, "Bottom_Note");
        FieldInput::TypeOver(top, "60");
        EXPECT_EQ(bottom->GetMax(), 60) << "the top note bounds the bottom note";
        EXPECT_EQ(Control<wxStaticText>(&d, "Top_Note_Name")->GetLabel(), "C3");
        FieldInput::TypeOver(bottom, "48");
        EXPECT_EQ(top->GetMin(), 48);
        FieldInput::TypeOver(Control<wxSpinCtrl>(&d, "Transpose"), "-12");
        FieldInput::Press(d.FindWindow(wxID_OK));
    });
    ASSERT_EQ(submitted.size(), 1u);
    EXPECT_EQ(submitted[0].GetTranspose(), 52);
    EXPECT_EQ(submitted[0].GetLowNote(), 48);
    EXPECT_EQ(submitted[0].GetHighNote(), 60);
    EXPECT_EQ(submitted[0].GetChannel(), 2);
    EXPECT_TRUE(submitted[0].GetUsbPort3());
}

// Each note bounds the other by what it holds, never by an entry on its way
// (the empty text of typing over, a first digit), and each name names its note.
TEST_F(KbdZoneDialogTest, TypedNotesBoundEachOtherByWholeValues)
{
    Run([this](wxDialog& d) {
        wxSpinCtrl* top = Control<wxSpinCtrl>(&d, "Top_Note");
        wxSpinCtrl* bottom = Control<wxSpinCtrl>(&d, "Bottom_Note");
        const auto name = [&d](const char* label) { return Control<wxStaticText>(&d, label)->GetLabel(); };
        const struct
        {
            const char* what;
            wxSpinCtrl* field;
            const char* typed;
            int top, bottom;
            bool pasted = false;
        } rows[] = {
            {"a top note typed over", top, "60", 60, 36},
            {"a bottom note", bottom, "40", 60, 40},
            {"a two-digit top note over a bottom of 40", top, "50", 50, 40},
            // A refused note goes back to what the dialog showed at first.
            {"a top note that cannot reach the bottom note is refused", top, "30", 72, 40},
            {"a bottom note above the top note is refused", bottom, "80", 72, 36},
            {"a first digit left below the bottom note: raised to it as the field is left", top, "3", 36, 36},
            {"and the top note again", top, "50", 50, 36},
            {"text pasted over the top note leaves it", top, "6x", 50, 36, true},
            {"and over the bottom note", bottom, "x", 50, 36, true},
            {"a note pasted", bottom, "40", 50, 40, true},
        };
        for (const auto& row : rows)
        {
            if (row.pasted)
                FieldInput::PasteOver(row.field, row.typed);
            else
                FieldInput::TypeOver(row.field, row.typed);
            Key(WXK_TAB);
            EXPECT_EQ(top->GetValue(), row.top) << row.what;
            EXPECT_EQ(bottom->GetValue(), row.bottom) << row.what;
            EXPECT_EQ(name("Top_Note_Name"), ToWx(NoteName(top->GetValue()))) << row.what;
            EXPECT_EQ(name("Bottom_Note_Name"), ToWx(NoteName(bottom->GetValue()))) << row.what;
            EXPECT_EQ(bottom->GetMax(), top->GetValue()) << row.what;
            EXPECT_EQ(top->GetMin(), bottom->GetValue()) << row.what;
        }
        FieldInput::Press(d.FindWindow(wxID_OK));
    });
    ASSERT_EQ(submitted.size(), 1u);
    EXPECT_EQ(submitted[0].GetLowNote(), 40);
    EXPECT_EQ(submitted[0].GetHighNote(), 50);
}

TEST_F(KbdZoneDialogTest, EnterRaisesANoteOnItsWayToItsBound)
{
    Run([](wxDialog& d) {
        wxSpinCtrl* top = Control<wxSpinCtrl>(&d, "Top_Note");
        FieldInput::TypeOver(top, "3");
        Key(WXK_RETURN);
        EXPECT_EQ(top->GetTextValue(), "36");
        EXPECT_EQ(Control<wxStaticText>(&d, "Top_Note_Name")->GetLabel(), ToWx(NoteName(36)));
        FieldInput::Press(d.FindWindow(wxID_OK));
    });
    ASSERT_EQ(submitted.size(), 1u);
    EXPECT_EQ(submitted[0].GetLowNote(), 36);
    EXPECT_EQ(submitted[0].GetHighNote(), 36);
}

TEST_F(KbdZoneDialogTest, AKeyPlayedOnTheUnitFillsTheFocusedNoteAndBoundsTheOther)
{
    ScopedLoopbackMidi midi({"Unit In"}, {});
    ASSERT_TRUE(MIDIIO::SelectInputDevice(0));
    Run([&midi](wxDialog& d) {
        wxSpinCtrl* top = Control<wxSpinCtrl>(&d, "Top_Note");
        wxSpinCtrl* bottom = Control<wxSpinCtrl>(&d, "Bottom_Note");
        ASSERT_TRUE(Focus(top));
        // Another message is ignored; a note on with velocity 0 still counts.
        // (This suite has no idle tick: its PumpUntil hands the input over.)
        midi.driver->InjectShort("Unit In", 0xB0, 1, 64);
        midi.driver->InjectShort("Unit In", 0x93, 60, 0);
        EXPECT_TRUE(::PumpUntil([top] { return top->GetValue() == 60; }));
        EXPECT_EQ(bottom->GetMax(), 60);
        EXPECT_EQ(Control<wxStaticText>(&d, "Top_Note_Name")->GetLabel(), "C3");

        ASSERT_TRUE(Focus(bottom));
        midi.driver->InjectShort("Unit In", 0x90, 40, 100);
        EXPECT_TRUE(::PumpUntil([bottom] { return bottom->GetValue() == 40; }));
        EXPECT_EQ(top->GetMin(), 40);

        // With neither note focused a played key changes nothing.
        ASSERT_TRUE(Focus(d.FindWindow(wxID_CANCEL)));
        midi.driver->InjectShort("Unit In", 0x90, 50, 100);
        ::PumpUntil([] { return false; }, 200);
        EXPECT_EQ(top->GetValue(), 60);
        EXPECT_EQ(bottom->GetValue(), 40);
        FieldInput::Press(d.FindWindow(wxID_CANCEL));
    });
    EXPECT_TRUE(submitted.empty());
}
} // namespace
