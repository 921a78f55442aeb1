#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/SelectMIDIDevices.h"
#include "ui/dialogs/UpdateOSDialog.h"

namespace
{
const char* const kOlderQuestion = "The version of the operating system you are about to upload is older than the "
                                   "one currently installed on the unit.\n\nDo you still want to upload it?";
const char* const kUnknownQuestion = "You have not established the current OS version on your unit,\n"
                                     "and it may be a later version than the one you are about to upload.\n\n"
                                     "Do you wish to upload the selected OS anyway?";
const char* const kCompleted =
    "OS update completed!\n\nPlease click \"OK\" and exit the program before switching the hardware back on.";

uint8_t VersionByte(int major, int minor)
{
    return static_cast<uint8_t>(major << 3 | minor);
}

// A template dump from a unit running the given OS.
std::vector<uint8_t> UnitReply(int major, int minor, int build)
{
    CDorvaSynthTemplate synth;
    std::vector<uint8_t> bytes = synth.Write().bytes();
    bytes.at(9) = VersionByte(major, minor);
    bytes.at(10) = static_cast<uint8_t>(build);
    return bytes;
}

// count messages; the first carries the version where a header would.
std::vector<std::vector<uint8_t>> ImageMessages(int major, int minor, int build, uint8_t count = 3)
{
    std::vector<std::vector<uint8_t>> messages;
    for (uint8_t n = 0; n < count; ++n)
    {
        std::vector<uint8_t> m{0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04, 0x7F, 0x00, 0x00,
                               VersionByte(major, minor), static_cast<uint8_t>(build), n};
        for (int i = 0; i < 40 + n; ++i)
            m.push_back(static_cast<uint8_t>((i * 7 + n) & 0x7F));
        m.push_back(0xF7);
        messages.push_back(m);
    }
    return messages;
}

class UpdateOSDialogTest : public DialogTest
{
protected:
    void SetUp() override
    {
        TestApp().Prefs().showOldOSDialog = 1;
        ASSERT_TRUE(MIDIIO::SelectInputDevice(0));
        ASSERT_TRUE(MIDIIO::SelectOutputDevice(1));
    }

    std::string WriteImage(int major, int minor, int build, uint8_t count = 3)
    {
        messages = ImageMessages(major, minor, build, count);
        std::vector<uint8_t> all;
        for (const auto& m : messages)
            all.insert(all.end(), m.begin(), m.end());
        const std::string path = folder.File("os.syx");
        WriteBytes(path, all);
        return path;
    }

    // The unit answers with a template dump; the dialog reads it on the
    // next idle passes.
    void UnitSays(CUpdateOSDialog& dialog, int major, int minor, int build)
    {
        midi.driver->InjectSysEx("Unit In", UnitReply(major, minor, build), 256);
        wxTextCtrl* current = Control<wxTextCtrl>(&dialog, "Current_OS_Version");
        const wxString before = current->GetValue();
        PumpUntil([&] { return current->GetValue() != before; }, 2000);
    }

    ScopedLoopbackMidi midi{{"Unit In"}, {"Unit Out"}};
    TempFolder folder;
    std::vector<std::vector<uint8_t>> messages;
    MessageRecorder boxes;
};

TEST_F(UpdateOSDialogTest, StartsUnknownAndShowsTheUnitsVersionOnce)
{
    CUpdateOSDialog dialog(nullptr);
    ASSERT_TRUE(dialog.IsLoaded());
    wxTextCtrl* current = Control<wxTextCtrl>(&dialog, "Current_OS_Version");
    EXPECT_EQ(current->GetValue(), "Unknown");
    EXPECT_FALSE(current->IsEnabled());
    EXPECT_EQ(Control<wxTextCtrl>(&dialog, "New_OS_Version")->GetValue(), "Not loaded");
    EXPECT_FALSE(Control<wxButton>(&dialog, "Send_OS_To_Device")->IsEnabled());

    UnitSays(dialog, 2, 1, 6);
    EXPECT_EQ(current->GetValue(), "2.1.06");
    EXPECT_TRUE(current->IsEnabled());
    // Only the first dump after opening counts: the second is taken in and
    // dropped by the next idle step.
    midi.driver->InjectSysEx("Unit In", UnitReply(3, 0, 1), 256);
    ASSERT_TRUE(midi.driver->WaitDelivered(2000));
    MIDIIO::OnIdle();
    EXPECT_EQ(current->GetValue(), "2.1.06");
}

TEST_F(UpdateOSDialogTest, AFileThatIsNoImageIsRefused)
{
    CUpdateOSDialog dialog(nullptr);
    const std::string path = folder.File("notes.syx");
    WriteBytes(path, {'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(dialog.LoadImage(path));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), "The file \"" + path + "\" is not a valid operating system.");
    EXPECT_FALSE(Control<wxButton>(&dialog, "Send_OS_To_Device")->IsEnabled());
}

TEST_F(UpdateOSDialogTest, AnOlderImageIsQuestionedAndNotSentOnNo)
{
    CUpdateOSDialog dialog(nullptr);
    UnitSays(dialog, 2, 1, 6);
    ASSERT_TRUE(dialog.LoadImage(WriteImage(2, 1, 5)));
    EXPECT_EQ(Control<wxTextCtrl>(&dialog, "New_OS_Version")->GetValue(), "2.1.05");
    ModalAnswer<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_OK); });
    boxes.script = {wxNO};
    RunModal(dialog, [](wxDialog& d) { UserClick(d, "Send_OS_To_Device"); });
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), kOlderQuestion);
    EXPECT_EQ(confirm.shown, 0);
    EXPECT_TRUE(midi.driver->SentSysEx("Unit Out").empty());
}

TEST_F(UpdateOSDialogTest, TheSameVersionGoesStraightToTheConfirmation)
{
    CUpdateOSDialog dialog(nullptr);
    UnitSays(dialog, 2, 1, 6);
    ASSERT_TRUE(dialog.LoadImage(WriteImage(2, 1, 6)));
    ModalAnswer<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_CANCEL); });
    RunModal(dialog, [](wxDialog& d) { UserClick(d, "Send_OS_To_Device"); });
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(confirm.shown, 1);
    EXPECT_TRUE(midi.driver->SentSysEx("Unit Out").empty());
}

TEST_F(UpdateOSDialogTest, AnUnknownUnitVersionIsQuestionedOnlyWhenTheWarningIsOn)
{
    {
        CUpdateOSDialog dialog(nullptr);
        ASSERT_TRUE(dialog.LoadImage(WriteImage(1, 0, 0)));
        ModalAnswer<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_CANCEL); });
        boxes.script = {wxYES};
        RunModal(dialog, [](wxDialog& d) { UserClick(d, "Send_OS_To_Device"); });
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(FromWx(boxes.boxes[0].text), kUnknownQuestion);
        EXPECT_EQ(confirm.shown, 1);
    }
    boxes.boxes.clear();
    TestApp().Prefs().showOldOSDialog = 0;
    CUpdateOSDialog dialog(nullptr);
    ASSERT_TRUE(dialog.LoadImage(WriteImage(1, 0, 0)));
    ModalAnswer<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_CANCEL); });
    RunModal(dialog, [](wxDialog& d) { UserClick(d, "Send_OS_To_Device"); });
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(confirm.shown, 1);
}

TEST_F(UpdateOSDialogTest, ConfirmedImageIsSentMessageByMessage)
{
    CUpdateOSDialog dialog(nullptr);
    UnitSays(dialog, 2, 1, 6);
    // Twenty messages, two seconds: still sending when the clicks are over.
    ASSERT_TRUE(dialog.LoadImage(WriteImage(2, 2, 0, 20)));
    ModalAnswer<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_OK); });
    bool vetoed = false;
    RunModal(dialog, [&](wxDialog& d) {
        auto& os = static_cast<CUpdateOSDialog&>(d);
        UserClick(d, "Send_OS_To_Device");
        EXPECT_TRUE(os.IsSending());
        EXPECT_EQ(Control<wxButton>(&d, "Send_OS_To_Device")->GetLabel(), "Please wait...");
        EXPECT_FALSE(Control<wxButton>(&d, "wxID_OK")->IsEnabled());
        // The close box does nothing while sending.
        vetoed = !d.Close() && d.IsModal();
        ASSERT_TRUE(PumpUntil([&] { return !os.IsSending(); }, 5000));
        EXPECT_EQ(Control<wxButton>(&d, "Send_OS_To_Device")->GetLabel(), "&Upload OS");
        EXPECT_TRUE(Control<wxButton>(&d, "wxID_OK")->IsEnabled());
        UserClick(d, wxID_OK);
    });
    EXPECT_TRUE(vetoed);
    EXPECT_EQ(midi.driver->SentSysEx("Unit Out"), messages);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), kCompleted);
}
// In the program's default mode the ports are released in the background
// and reopened on demand: a device chosen from the OS dialog is in use
// before the upload, Send waits until its port is open, and the dialog
// listens again on the chosen input.
TEST_F(DialogTest, DevicesChosenFromTheDialogAreUsedForTheUpload)
{
    TestApp().Prefs().showOldOSDialog = 0;
    ScopedLoopbackMidi midi({"Old In", "New In"}, {"Old Out", "New Out"}, true);
    midi.Use(0, 2);
    TempFolder folder;
    const std::vector<std::vector<uint8_t>> messages = ImageMessages(2, 2, 0);
    std::vector<uint8_t> image;
    for (const auto& m : messages)
        image.insert(image.end(), m.begin(), m.end());
    WriteBytes(folder.File("os.syx"), image);
    MessageRecorder boxes;
    CUpdateOSDialog dialog(nullptr);
    ASSERT_TRUE(dialog.LoadImage(folder.File("os.syx")));
    ModalAnswer<CSelectMIDIDevices> devices([](wxDialog& d) {
        Control<wxChoice>(&d, "Input_Midi_Device")->SetSelection(1);
        Control<wxChoice>(&d, "Output_Midi_Device")->SetSelection(1);
        UserClick(d, wxID_OK);
    });
    ModalAnswer<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_OK); });
    midi.driver->SetOpenFails("New Out", true);
    RunModal(dialog, [&](wxDialog& d) {
        ASSERT_TRUE(MIDIIO::IsReceiving());
        UserClick(d, "Select_MIDI_Devices");
        EXPECT_FALSE(dialog.ArePortsReady());
        EXPECT_FALSE(Control<wxButton>(&d, "Send_OS_To_Device")->IsEnabled()) << "the new output is not open yet";
        midi.driver->SetOpenFails("New Out", false);
        ASSERT_TRUE(PumpUntil([&] { return dialog.ArePortsReady(); }));
        EXPECT_TRUE(midi.driver->IsOpen("New In"));
        EXPECT_FALSE(midi.driver->IsOpen("Old Out"));
        EXPECT_TRUE(MIDIIO::IsReceiving()) << "listening again, on the new input";
        UserClick(d, "Send_OS_To_Device");
        ASSERT_TRUE(PumpUntil([&] { return !dialog.IsSending(); }, 5000));
    });
    EXPECT_EQ(devices.shown, 1);
    EXPECT_EQ(midi.driver->SentSysEx("New Out"), messages);
    EXPECT_TRUE(midi.driver->SentSysEx("Old Out").empty());
}

TEST_F(DialogTest, TheConfirmationNamesTheProductAndExplainsTheUpdate)
{
    MessageRecorder boxes;
    CConfirmOSUpdateDialog confirm(nullptr);
    ASSERT_TRUE(confirm.IsLoaded());
    const wxString message = Control<wxStaticText>(&confirm, "ID_MESSAGE")->GetLabel();
    EXPECT_FALSE(message.Contains("PRODUCTNAME")) << message;
    EXPECT_TRUE(message.Contains("Dorva")) << message;
    const int result = RunModal(confirm, [](wxDialog& d) {
        UserClick(d, "Tell_Me_How");
        UserClick(d, wxID_CANCEL);
    });
    EXPECT_EQ(result, CConfirmOSUpdateDialog::kCancelled);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), TestApp().Device().GetOSUpdateInstructions());
    EXPECT_EQ(FromWx(boxes.boxes[0].caption), "OS Update Instructions");
}
} // namespace
