#include <gtest/gtest.h>

#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/KeyboardZone.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/KbdZoneDialog.h"

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

TEST_F(KbdZoneDialogTest, OkSubmitsOnlyAChangedZone)
{
    {
        CKbdZoneDialog dialog(nullptr, zone, "Zone", Recorder());
        EXPECT_EQ(RunModal(dialog, [](wxDialog& d) { Click(d, wxID_OK); }), 0);
    }
    EXPECT_TRUE(submitted.empty());
    CKbdZoneDialog dialog(nullptr, zone, "Zone", Recorder());
    RunModal(dialog, [](wxDialog& d) {
        Control<wxSpinCtrl>(&d, "Transpose")->SetValue(-12);
        Control<wxSpinCtrl>(&d, "Bottom_Note")->SetValue(48);
        Click(d, wxID_OK);
    });
    ASSERT_EQ(submitted.size(), 1u);
    EXPECT_EQ(submitted[0].GetTranspose(), 52);
    EXPECT_EQ(submitted[0].GetLowNote(), 48);
    EXPECT_EQ(submitted[0].GetHighNote(), 72);
    EXPECT_EQ(submitted[0].GetChannel(), 2);
    EXPECT_TRUE(submitted[0].GetUsbPort3());
}

TEST_F(KbdZoneDialogTest, ATopNoteBoundsTheBottomNote)
{
    CKbdZoneDialog dialog(nullptr, zone, "Zone", Recorder());
    TypeIntoSpin(dialog, "Top_Note", "60", 60);
    wxSpinCtrl* bottom = Control<wxSpinCtrl>(&dialog, "Bottom_Note");
    EXPECT_EQ(bottom->GetMax(), 60);
    EXPECT_EQ(Control<wxStaticText>(&dialog, "Top_Note_Name")->GetLabel(), "C3");
}

TEST_F(KbdZoneDialogTest, AKeyPlayedOnTheUnitFillsTheFocusedNote)
{
    ScopedLoopbackMidi midi({"Unit In"}, {});
    ASSERT_TRUE(MIDIIO::SelectInputDevice(0));
    CKbdZoneDialog dialog(nullptr, zone, "Zone", Recorder());
    wxSpinCtrl* bottom = Control<wxSpinCtrl>(&dialog, "Bottom_Note");
    wxSpinCtrl* top = Control<wxSpinCtrl>(&dialog, "Top_Note");
    RunModal(dialog, [&](wxDialog& d) {
        bottom->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() != nullptr; }, 2000)) << "no focus under this display";
        // Another message is ignored; a note on with velocity 0 still counts.
        midi.driver->InjectShort("Unit In", 0xB0, 1, 64);
        midi.driver->InjectShort("Unit In", 0x93, 40, 0);
        EXPECT_TRUE(PumpUntil([&] { return bottom->GetValue() == 40; }, 2000));
        Click(d, wxID_CANCEL);
    });
    EXPECT_EQ(top->GetValue(), 72);
    EXPECT_TRUE(submitted.empty());
}
} // namespace
