// The MIDI device dialog: its lists, and what OK and Cancel select and
// remember, chosen with the keys and clicked through the X server.
#include <gtest/gtest.h>

#include <wx/choice.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "tests/ui/FieldInput.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/SelectMIDIDevices.h"

namespace
{
using Names = std::vector<std::string>;

std::vector<wxString> Items(wxChoice* list)
{
    const wxArrayString items = list->GetStrings();
    return std::vector<wxString>(items.begin(), items.end());
}

// Both lists come from the list taken at start-up (a device plugged in
// since then moves no entry to the other kind, one gone since keeps its
// name); each marks the selected device of its kind.
TEST_F(DialogTest, TheDeviceListsHoldEachKindAndMarkTheSelectedDevices)
{
    ScopedLoopbackMidi midi({"Keys In", "Pad In"}, {"Keys Out", "Synth Out"});
    midi.driver->AddInput("Later In");
    midi.driver->RemoveOutput("Keys Out"); // listed by its name, not as a blank entry
    ASSERT_TRUE(MIDIIO::SelectInputDevice(1));
    MIDIIO::SelectOutputDevice(2);
    CSelectMIDIDevices dialog(nullptr);
    ASSERT_TRUE(dialog.IsLoaded());
    wxChoice* input = Control<wxChoice>(&dialog, "Input_Midi_Device");
    wxChoice* output = Control<wxChoice>(&dialog, "Output_Midi_Device");
    EXPECT_EQ(Items(input), (std::vector<wxString>{"Keys In", "Pad In"}));
    EXPECT_EQ(Items(output), (std::vector<wxString>{"Keys Out", "Synth Out"}));
    EXPECT_EQ(input->GetSelection(), 1);
    EXPECT_EQ(output->GetSelection(), 0);
    EXPECT_TRUE(output->IsEnabled());
}

// OK selects and remembers each side chosen; a side left without a choice,
// or without devices, stays as it was; an input that does not open keeps the
// dialog open with a notice while the output is applied; Cancel changes
// nothing.
TEST_F(DialogTest, OkSelectsAndRemembersEachSideChosen)
{
    struct Row
    {
        const char* what;
        Names inputs, outputs;
        const char* failing;
        int selectedOutput, pickInput, pickOutput, button, result;
        const char* input;
        const char* output;
        bool notice;
    };
    const Row rows[] = {
        {"both", {"Keys In", "Pad In"}, {"Keys Out", "Synth Out"}, nullptr, -1, 1, 1, wxID_OK, 0, "Pad In",
         "Synth Out", false},
        {"an input in use", {"Keys In", "Pad In"}, {"Keys Out"}, "Pad In", -1, 1, 0, wxID_OK, -1, "old in",
         "Keys Out", true},
        {"no outputs", {"Keys In"}, {}, nullptr, -1, 0, -1, wxID_OK, 0, "Keys In", "old out", false},
        {"nothing chosen", {"Keys In"}, {"Keys Out"}, nullptr, 1, -1, -1, wxID_OK, 0, "old in", "Keys Out", false},
        {"cancel", {"Keys In", "Pad In"}, {"Keys Out"}, nullptr, -1, 1, 0, wxID_CANCEL, -1, "old in", "old out",
         false},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        TestApp().Prefs().inputDevice = "old in";
        TestApp().Prefs().outputDevice = "old out";
        ScopedLoopbackMidi midi(row.inputs, row.outputs);
        if (row.failing)
            midi.driver->SetOpenFails(row.failing, true);
        if (row.selectedOutput >= 0)
            ASSERT_TRUE(MIDIIO::SelectOutputDevice(row.selectedOutput));
        const int selectedInput = MIDIIO::GetSelectedInputDevice();
        MessageRecorder boxes;
        CSelectMIDIDevices dialog(nullptr);
        EXPECT_EQ(Control<wxChoice>(&dialog, "Output_Midi_Device")->IsEnabled(), !row.outputs.empty());
        const int result = RunModal(dialog, [&row](wxDialog& d) {
            const std::pair<const char*, int> picks[] = {{"Input_Midi_Device", row.pickInput},
                                                         {"Output_Midi_Device", row.pickOutput}};
            for (const auto& [name, pick] : picks)
                if (pick >= 0)
                    FieldInput::Pick(Control<wxChoice>(&d, name), pick);
            UserClick(d, row.button);
            if (row.failing)
            {
                EXPECT_TRUE(d.IsModal()) << "open for another choice";
                UserClick(d, wxID_CANCEL);
            }
        });
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(boxes.boxes.size(), row.notice ? 1u : 0u);
        if (row.notice)
            EXPECT_EQ(boxes.boxes.at(0).text, "Unable to set the input device.\n\nPerhaps it has been removed since the "
                                              "program was launched,\nor is already in use by another program.");
        EXPECT_EQ(TestApp().Prefs().inputDevice, row.input);
        EXPECT_EQ(TestApp().Prefs().outputDevice, row.output);
        if (row.input == std::string("old in") && !row.failing)
            EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), selectedInput);
        else if (!row.failing)
            EXPECT_TRUE(midi.driver->IsOpen(row.input));
        if (row.output != std::string("old out"))
            EXPECT_TRUE(midi.driver->IsOpen(row.output));
    }
}
} // namespace
