// The OS update dialog on a loopback unit, clicked through the X server.
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
using Messages = std::vector<std::vector<uint8_t>>;

uint8_t VersionByte(int major, int minor)
{
    return static_cast<uint8_t>(major << 3 | minor);
}

// count messages; the first carries the version where a header would.
Messages ImageMessages(int major, int minor, int build, uint8_t count)
{
    Messages messages;
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
        ASSERT_TRUE(MIDIIO::SelectInputDevice(0) && MIDIIO::SelectOutputDevice(1));
    }

    // A dialog over an image of that version loaded from a file; with a
    // unit version, the unit has answered with a template dump from that OS
    // (the dialog reads it on the next idle passes).
    std::unique_ptr<CUpdateOSDialog> Loaded(std::vector<int> image, std::vector<int> unit = {}, uint8_t count = 3)
    {
        messages = ImageMessages(image[0], image[1], image[2], count);
        std::vector<uint8_t> all;
        for (const auto& m : messages)
            all.insert(all.end(), m.begin(), m.end());
        WriteBytes(folder.File("os.syx"), all);
        auto dialog = std::make_unique<CUpdateOSDialog>(nullptr);
        if (!unit.empty())
            UnitSays(*dialog, unit[0], unit[1], unit[2]);
        EXPECT_TRUE(dialog->LoadImage(folder.File("os.syx")));
        return dialog;
    }
    void UnitSays(CUpdateOSDialog& dialog, int major, int minor, int build)
    {
        Reply(major, minor, build);
        wxTextCtrl* current = Control<wxTextCtrl>(&dialog, "Current_OS_Version");
        const wxString before = current->GetValue();
        PumpUntil([&] { return current->GetValue() != before; }, 2000);
    }
    void Reply(int major, int minor, int build)
    {
        std::vector<uint8_t> reply = CDorvaSynthTemplate().Write().bytes();
        reply.at(9) = VersionByte(major, minor);
        reply.at(10) = static_cast<uint8_t>(build);
        midi.driver->InjectSysEx("Unit In", reply, 256);
    }
    std::vector<std::string> Boxes() { return boxes.TakeTexts(); }

    ScopedLoopbackMidi midi{{"Unit In"}, {"Unit Out"}};
    TempFolder folder;
    Messages messages;
    MessageRecorder boxes;
};

TEST_F(UpdateOSDialogTest, ShowsTheUnitsVersionOnceAndRefusesAFileThatIsNoImage)
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
    Reply(3, 0, 1);
    ASSERT_TRUE(midi.driver->WaitDelivered(2000));
    MIDIIO::OnIdle();
    EXPECT_EQ(current->GetValue(), "2.1.06");

    const std::string path = folder.File("notes.syx");
    WriteBytes(path, {'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(dialog.LoadImage(path));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"The file \"" + path + "\" is not a valid operating system."});
    EXPECT_FALSE(Control<wxButton>(&dialog, "Send_OS_To_Device")->IsEnabled());
}

// Before the confirmation: a question when the image is older than the
// unit's OS, and when the unit's OS is unknown unless the warning is off.
TEST_F(UpdateOSDialogTest, OlderOrUnknownVersionsAreQuestionedFirst)
{
    const std::string older = "The version of the operating system you are about to upload is older than the one "
                              "currently installed on the unit.\n\nDo you still want to upload it?";
    const std::string unknown = "You have not established the current OS version on your unit,\nand it may be a "
                                "later version than the one you are about to upload.\n\nDo you wish to upload the "
                                "selected OS anyway?";
    struct Row
    {
        std::vector<int> image, unit;
        int warn, answer;
        std::string question;
        size_t confirmations;
    };
    const Row rows[] = {
        {{2, 1, 5}, {2, 1, 6}, 1, wxNO, older, 0},
        {{2, 1, 6}, {2, 1, 6}, 1, wxNO, "", 1},
        {{1, 0, 0}, {}, 1, wxYES, unknown, 1},
        {{1, 0, 0}, {}, 0, wxNO, "", 1},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.question + std::to_string(row.warn));
        TestApp().Prefs().showOldOSDialog = row.warn;
        auto dialog = Loaded(row.image, row.unit);
        DialogScript<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_CANCEL); });
        boxes.script = {row.answer};
        RunModal(*dialog, [](wxDialog& d) {
            UserClick(d, "Send_OS_To_Device");
            UserClick(d, wxID_OK);
        });
        EXPECT_EQ(Boxes(), row.question.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.question});
        EXPECT_EQ(confirm.titles.size(), row.confirmations);
        EXPECT_TRUE(midi.driver->SentSysEx("Unit Out").empty());
    }
    EXPECT_EQ(Control<wxTextCtrl>(Loaded({2, 1, 5}).get(), "New_OS_Version")->GetValue(), "2.1.05");
}

TEST_F(UpdateOSDialogTest, AConfirmedImageIsSentMessageByMessage)
{
    // Twenty messages, two seconds: still sending when the clicks are over.
    auto dialog = Loaded({2, 2, 0}, {2, 1, 6}, 20);
    DialogScript<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_OK); });
    FileChooserScript chooser;
    chooser.answer = folder.File("notes.syx");
    WriteBytes(FromWx(chooser.answer), {'h', 'i'});
    bool vetoed = false;
    RunModal(*dialog, [&](wxDialog& d) {
        // A file that is no image, chosen next, leaves this one to upload.
        UserClick(d, "Load_New_OS");
        EXPECT_EQ(Control<wxTextCtrl>(&d, "New_OS_Version")->GetValue(), "2.2.00");
        UserClick(d, "Send_OS_To_Device");
        EXPECT_TRUE(dialog->IsSending());
        EXPECT_EQ(Control<wxButton>(&d, "Send_OS_To_Device")->GetLabel(), "Please wait...");
        EXPECT_FALSE(Control<wxButton>(&d, "wxID_OK")->IsEnabled());
        vetoed = !d.Close() && d.IsModal(); // the close box does nothing while sending
        ASSERT_TRUE(PumpUntil([&] { return !dialog->IsSending(); }, 5000));
        EXPECT_EQ(Control<wxButton>(&d, "Send_OS_To_Device")->GetLabel(), "&Upload OS");
        // OK, which sends nothing, has the keys and is the default: Enter
        // closes the dialog and starts no second upload.
        EXPECT_EQ(d.GetDefaultItem(), d.FindWindow(wxID_OK));
        ASSERT_TRUE(RealInput::Activate(&d));
        EXPECT_EQ(wxWindow::FindFocus(), d.FindWindow(wxID_OK));
        RealInput::Key(WXK_RETURN);
        EXPECT_TRUE(PumpUntil([&] { return !d.IsModal(); }));
    });
    EXPECT_EQ(confirm.titles.size(), 1u);
    EXPECT_TRUE(vetoed);
    EXPECT_EQ(midi.driver->SentSysEx("Unit Out"), messages);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"The file \"" + FromWx(chooser.answer) +
                                                     "\" is not a valid operating system.",
                                                 "OS update completed!\n\nPlease click \"OK\" and exit the program "
                                                 "before switching the hardware back on."}));
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
    const Messages messages = ImageMessages(2, 2, 0, 3);
    std::vector<uint8_t> image;
    for (const auto& m : messages)
        image.insert(image.end(), m.begin(), m.end());
    WriteBytes(folder.File("os.syx"), image);
    MessageRecorder boxes;
    CUpdateOSDialog dialog(nullptr);
    ASSERT_TRUE(dialog.LoadImage(folder.File("os.syx")));
    DialogScript<CSelectMIDIDevices> devices([](wxDialog& d) {
        Control<wxChoice>(&d, "Input_Midi_Device")->SetSelection(1);
        Control<wxChoice>(&d, "Output_Midi_Device")->SetSelection(1);
        UserClick(d, wxID_OK);
    });
    DialogScript<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { UserClick(d, wxID_OK); });
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
        UserClick(d, wxID_OK);
    });
    EXPECT_EQ(devices.titles.size(), 1u);
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
    EXPECT_EQ(RunModal(confirm,
                       [](wxDialog& d) {
                           UserClick(d, "Tell_Me_How");
                           UserClick(d, wxID_CANCEL);
                       }),
              CConfirmOSUpdateDialog::kCancelled);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), TestApp().Device().GetOSUpdateInstructions());
    EXPECT_EQ(FromWx(boxes.boxes[0].caption), "OS Update Instructions");
}
} // namespace
