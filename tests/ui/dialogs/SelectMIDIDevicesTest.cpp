#include <gtest/gtest.h>

#include <wx/choice.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/SelectMIDIDevices.h"

namespace
{
const char* const kInputFailed = "Unable to set the input device.\n\n"
                                 "Perhaps it has been removed since the program was launched,\n"
                                 "or is already in use by another program.";

class SelectMIDIDevicesTest : public DialogTest
{
protected:
    void SetUp() override
    {
        TestApp().Prefs().inputDevice = "old in";
        TestApp().Prefs().outputDevice = "old out";
    }
};

TEST_F(SelectMIDIDevicesTest, ListsEachKindAndMarksTheSelectedDevices)
{
    ScopedLoopbackMidi midi({"Keys In", "Pad In"}, {"Keys Out", "Synth Out"});
    ASSERT_TRUE(MIDIIO::SelectInputDevice(1));
    ASSERT_TRUE(MIDIIO::SelectOutputDevice(2));
    CSelectMIDIDevices dialog(nullptr);
    ASSERT_TRUE(dialog.IsLoaded());
    wxChoice* input = Control<wxChoice>(&dialog, "Input_Midi_Device");
    wxChoice* output = Control<wxChoice>(&dialog, "Output_Midi_Device");
    ASSERT_EQ(input->GetCount(), 2u);
    ASSERT_EQ(output->GetCount(), 2u);
    EXPECT_EQ(input->GetString(1), "Pad In");
    EXPECT_EQ(input->GetSelection(), 1);
    EXPECT_EQ(output->GetString(0), "Keys Out");
    EXPECT_EQ(output->GetSelection(), 0);
}

TEST_F(SelectMIDIDevicesTest, OkSelectsAndRemembersBothNames)
{
    ScopedLoopbackMidi midi({"Keys In", "Pad In"}, {"Keys Out", "Synth Out"});
    CSelectMIDIDevices dialog(nullptr);
    MessageRecorder boxes;
    const int result = RunModal(dialog, [](wxDialog& d) {
        Control<wxChoice>(&d, "Input_Midi_Device")->SetSelection(1);
        Control<wxChoice>(&d, "Output_Midi_Device")->SetSelection(1);
        UserClick(d, wxID_OK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), 1);
    EXPECT_EQ(MIDIIO::GetSelectedOutputDevice(), 3);
    EXPECT_EQ(TestApp().Prefs().inputDevice, "Pad In");
    EXPECT_EQ(TestApp().Prefs().outputDevice, "Synth Out");
    EXPECT_TRUE(midi.driver->IsOpen("Pad In"));
    EXPECT_TRUE(midi.driver->IsOpen("Synth Out"));
}

TEST_F(SelectMIDIDevicesTest, AnInputInUseStaysOpenButTheOutputIsApplied)
{
    ScopedLoopbackMidi midi({"Keys In", "Pad In"}, {"Keys Out"});
    midi.driver->SetOpenFails("Pad In", true);
    CSelectMIDIDevices dialog(nullptr);
    MessageRecorder boxes;
    const int result = RunModal(dialog, [](wxDialog& d) {
        Control<wxChoice>(&d, "Input_Midi_Device")->SetSelection(1);
        Control<wxChoice>(&d, "Output_Midi_Device")->SetSelection(0);
        UserClick(d, wxID_OK);
        EXPECT_TRUE(d.IsModal()); // still open for another choice
    });
    EXPECT_EQ(result, -2);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), kInputFailed);
    EXPECT_EQ(TestApp().Prefs().inputDevice, "old in");
    EXPECT_EQ(TestApp().Prefs().outputDevice, "Keys Out");
}

TEST_F(SelectMIDIDevicesTest, WithoutOutputsOnlyTheInputIsApplied)
{
    ScopedLoopbackMidi midi({"Keys In"}, {});
    CSelectMIDIDevices dialog(nullptr);
    EXPECT_FALSE(Control<wxChoice>(&dialog, "Output_Midi_Device")->IsEnabled());
    MessageRecorder boxes;
    const int result = RunModal(dialog, [](wxDialog& d) {
        Control<wxChoice>(&d, "Input_Midi_Device")->SetSelection(0);
        UserClick(d, wxID_OK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(TestApp().Prefs().inputDevice, "Keys In");
    EXPECT_EQ(TestApp().Prefs().outputDevice, "old out");
}

// Both lists come from the list counted at start-up: a device plugged in
// since then moves no entry to the other kind.
TEST_F(SelectMIDIDevicesTest, ADeviceAddedLaterLeavesBothListsFilled)
{
    ScopedLoopbackMidi midi({"Keys In"}, {"Keys Out"});
    midi.driver->AddInput("Pad In");
    CSelectMIDIDevices dialog(nullptr);
    wxChoice* input = Control<wxChoice>(&dialog, "Input_Midi_Device");
    wxChoice* output = Control<wxChoice>(&dialog, "Output_Midi_Device");
    ASSERT_EQ(input->GetCount(), 1u);
    ASSERT_EQ(output->GetCount(), 1u);
    EXPECT_EQ(output->GetString(0), "Keys Out");
    EXPECT_TRUE(output->IsEnabled());
}

TEST_F(SelectMIDIDevicesTest, OkWithNothingChosenLeavesThatSideAlone)
{
    ScopedLoopbackMidi midi({"Keys In"}, {"Keys Out"});
    ASSERT_TRUE(MIDIIO::SelectOutputDevice(1));
    CSelectMIDIDevices dialog(nullptr);
    EXPECT_EQ(Control<wxChoice>(&dialog, "Input_Midi_Device")->GetSelection(), wxNOT_FOUND);
    MessageRecorder boxes;
    EXPECT_EQ(RunModal(dialog, [](wxDialog& d) { UserClick(d, wxID_OK); }), 0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), -1);
    EXPECT_EQ(TestApp().Prefs().inputDevice, "old in");
    EXPECT_EQ(TestApp().Prefs().outputDevice, "Keys Out");
}

TEST_F(SelectMIDIDevicesTest, CancelChangesNothing)
{
    ScopedLoopbackMidi midi({"Keys In", "Pad In"}, {"Keys Out"});
    ASSERT_TRUE(MIDIIO::SelectInputDevice(0));
    CSelectMIDIDevices dialog(nullptr);
    const int result = RunModal(dialog, [](wxDialog& d) {
        Control<wxChoice>(&d, "Input_Midi_Device")->SetSelection(1);
        UserClick(d, wxID_CANCEL);
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), 0);
    EXPECT_EQ(TestApp().Prefs().inputDevice, "old in");
}
} // namespace
