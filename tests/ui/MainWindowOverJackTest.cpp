// The real main window over a JACK server of its own, with a stand-in unit at
// the other end of the cable, driven by the keys a user presses.

#include <gtest/gtest.h>

#include <fstream>

#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/xrc/xmlres.h>

#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/EditorTemplate.h"
#include "model/TemplateLoader.h"
#include "tests/midi/JackServer.h"
#include "tests/midi/JackUnit.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/UiTestApp.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"
#include "ui/ResourceFiles.h"
#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/OtherXWindow.h"
#include "tests/ui/WindowManagerStandIn.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/PreferencesDialog.h"
#include "ui/dialogs/TemplateSettings.h"
#include "ui/dialogs/UpdateOSDialog.h"

using namespace RealInput;

namespace
{
class MainWindowOverJack : public UiTest
{
protected:
    // Windows are activated as on a desktop: through its window manager.
    WindowManagerStandIn m_windowManager;

    void SetUp() override
    {
        DORVA_START_JACK_SERVER(m_server);
        ASSERT_TRUE(m_unit.Open());
        // The bulk dump dialog is made from them.
        static const bool loaded = LoadResourceFiles("DorvaSynthEditor");
        ASSERT_TRUE(loaded);
        TestApp().realMainWindow = true;
        TestApp().jackMidi = true;
        WritePreferences([this](Preferences& p) {
            p.startupAction = 1;
            p.inputDevice = "unit-to-editor";
            p.outputDevice = "editor-to-unit";
            p.showOldOSDialog = 0;
            p.releaseDriver = OnDemand() ? 1 : 0;
        });
        ASSERT_TRUE(TestApp().Start());
        m_frame = dynamic_cast<CMainFrame*>(TestApp().GetMainWindow());
        ASSERT_NE(m_frame, nullptr);
        // On demand the ports open once the program is active.
        ASSERT_TRUE(Focus(m_frame->GetPanelWindow()));
        ASSERT_TRUE(RunLoopUntil([this] { return m_unit.Connected(); }, std::chrono::seconds(10)))
            << "the editor's input is not connected to the unit";
    }
    virtual bool OnDemand() const { return false; }
    // The user switches to another program; the toolkit notices in its own
    // event loop's idle round (not in a yield).
    void SwitchAway()
    {
        ASSERT_TRUE(m_otherWindow.Activate());
        ASSERT_TRUE(RunLoopUntil([] { return !TestApp().IsActive(); })) << "the program stayed active";
    }
    // And back to the window.
    void SwitchBackTo(wxWindow* window)
    {
        ASSERT_TRUE(Focus(window));
        ASSERT_TRUE(RunLoopUntil([] { return TestApp().IsActive() && MIDIIO::GetState() == MIDIIO::kIdle; }))
            << "the ports did not open again";
    }

    // A bank file and an OS image of 20 messages, to send.
    std::string BankFile(IBulkDump& bank)
    {
        const std::string path = m_files.File(bank.GetCount() == 16 ? "bank.blk" : "patches.syx");
        EXPECT_TRUE(SaveBulkDumpToFile(bank, path));
        return path;
    }
    std::string OSImageFile()
    {
        std::vector<uint8_t> image;
        for (int n = 0; n < 20; ++n)
        {
            image.insert(image.end(), {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04, 0x7F, 0x00, 0x00, 2 << 3 | 2, 0,
                                       static_cast<uint8_t>(n)});
            image.insert(image.end(), 200, static_cast<uint8_t>(n));
            image.push_back(0xF7);
        }
        const std::string path = m_files.File("os.syx");
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                                    static_cast<std::streamsize>(image.size()));
        return path;
    }

    // The table of the test below, in the fixture's mode.
    void NothingTakesTheKeysWhileTheUserIsAway();

    CMainFrame& Frame() { return *m_frame; }
    bool Listening() { return Frame().GetMenuBar()->FindItem(MenuId::Listen)->IsChecked(); }
    wxString Status() { return Frame().GetStatusBar()->GetStatusText(0); }
    void Send(const SysExBuffer& dump) { m_unit.Send(JackUnit::Bytes(dump.begin(), dump.end())); }

    JackServer m_server;
    JackUnit m_unit;
    CMainFrame* m_frame = nullptr;
    OtherXWindow m_otherWindow;
    TempFolder m_files;
};

// The program's default: the ports are open only while it is active.
class MainWindowOnDemand : public MainWindowOverJack
{
protected:
    bool OnDemand() const override { return true; }
};
} // namespace

TEST_F(MainWindowOverJack, ReceivesDumpsOfTwoModelsSendsTheTemplateAndLeavesDumpsToTheBulkDialog)
{
    struct Row
    {
        TemplateModel model;
        const char* message; // the start of the conversion message, or none
    };
    const Row rows[] = {
        {ModelDorvaSynth, nullptr},
        // 8,208 bytes: longer than any message sent.
        {ModelCalder, "This template has been recieved from a Calder.\n\nIt has been converted to a Dorva"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(GetTemplateModelName(row.model));
        const int before = Frame().GetTemplateCount();
        m_boxes.boxes.clear();
        Key('L', wxMOD_CONTROL);
        ASSERT_TRUE(Listening());
        EXPECT_TRUE(Status().StartsWith("Listening for template dump from device: ")) << Status();
        Send(CreateTemplateOfModel(row.model)->Write());
        ASSERT_TRUE(IdleUntil([&] { return Frame().GetTemplateCount() == before + 1; }));
        EXPECT_FALSE(Listening());
        EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
        if (row.message)
        {
            ASSERT_EQ(m_boxes.boxes.size(), 1u);
            EXPECT_TRUE(m_boxes.boxes[0].text.StartsWith(row.message)) << m_boxes.boxes[0].text;
        }
        else
        {
            EXPECT_TRUE(m_boxes.boxes.empty());
        }
    }

    // Send uploads the current template, the converted one, byte for byte.
    Key('U', wxMOD_CONTROL);
    ASSERT_TRUE(IdleUntil([&] { return m_unit.ReceivedCount() == 1; }));
    const SysExBuffer current = Frame().GetCurrentTemplate()->Write();
    EXPECT_EQ(m_unit.Received(0), JackUnit::Bytes(current.begin(), current.end()));
    EXPECT_EQ(Status(), "Template dump completed");

    // A dump that arrives while the bulk dialog is open is the dialog's to
    // take: the listen stops as it opens and stays off.
    Key('L', wxMOD_CONTROL);
    ASSERT_TRUE(Listening());
    m_boxes.boxes.clear();
    const int before = Frame().GetTemplateCount();
    DialogScript<CBulkDumpDialog> bulk([&](CBulkDumpDialog& dialog) {
        EXPECT_EQ(Status(), "Stopped listening for template dumps");
        Send(CreateTemplateOfModel(ModelCalder)->Write());
        // A short message behind it: once it is shown, the dump has been dealt with.
        m_unit.Send({0x90, 60, 100});
        EXPECT_TRUE(IdleUntil([&] { return Status() == "Received MIDI message"; }));
        Click(dialog.FindWindow(wxID_OK));
    });
    Key('B', wxMOD_CONTROL); // returns once the script has ended the dialog
    ASSERT_EQ(bulk.titles.size(), 1u);
    EXPECT_EQ(Frame().GetTemplateCount(), before);
    EXPECT_TRUE(m_boxes.boxes.empty()) << m_boxes.boxes[0].text;
    EXPECT_FALSE(Listening());
    EXPECT_FALSE(MIDIIO::IsReceiving());
}

// A bank of 16, sent or received, and an OS image of 20 messages arrive
// whole although the user switches to another program during the transfer:
// the ports stay open until the last message; the close comes afterwards, and
// the end of the transfer leaves the other program active, its keys its own.
// A user who came back during the transfer finds the ports open after it. A
// unit unplugged during the transfer is said once.
TEST_F(MainWindowOnDemand, ABankAndAnOSImageArriveWholeWhileTheUserIsInAnotherProgram)
{
    const std::unique_ptr<IBulkDump> bank = TestApp().Device().CreateTemplateBulkDump();
    const std::string bankPath = BankFile(*bank);
    const std::string imagePath = OSImageFile();

    enum class During
    {
        Away,     // the user is in another program
        Back,     // and comes back before the end
        Unplugged // the unit goes away
    };
    struct Row
    {
        int menuItem;
        const char* send;
        size_t messages;
        During during;
    };
    const Row rows[] = {
        {MenuId::BulkDumps, "Upload_Dump", 16, During::Away},
        {MenuId::BulkDumps, "Upload_Factory_Settings", 16, During::Away},
        {MenuId::BulkDumps, "Listen_For_Dump", 0, During::Away}, // the unit sends the bank
        {MenuId::UpdateOS, "Send_OS_To_Device", 20, During::Away},
        {MenuId::BulkDumps, "Upload_Dump", 16, During::Back},
        {MenuId::BulkDumps, "Upload_Factory_Settings", 16, During::Back},
        {MenuId::UpdateOS, "Send_OS_To_Device", 20, During::Back},
        {MenuId::BulkDumps, "Upload_Dump", 16, During::Unplugged},
        {MenuId::UpdateOS, "Send_OS_To_Device", 20, During::Unplugged},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::string(row.send) + " " + std::to_string(static_cast<int>(row.during)));
        const size_t before = m_unit.ReceivedCount();
        m_boxes.boxes.clear();
        const auto sendWhileAway = [&](wxDialog& dialog, const std::function<bool()>& busy) {
            Click(dialog.FindWindow(XRCID(row.send)));
            if (row.messages == 0)
            {
                SwitchAway();
                for (int i = 0; i < bank->GetCount(); ++i)
                {
                    bank->GetEntry(i).SetName("Sent " + std::to_string(i));
                    Send(bank->GetEntry(i).Write());
                }
            }
            else
            {
                ASSERT_TRUE(PumpUntil([&] { return m_unit.ReceivedCount() >= before + 2; }));
                if (row.during == During::Unplugged)
                    m_unit.Close();
                else
                    SwitchAway();
            }
            if (row.during == During::Back)
            {
                ASSERT_TRUE(PumpUntil([&] { return m_unit.ReceivedCount() >= before + 4; }));
                ASSERT_TRUE(Activate(&dialog));
                ASSERT_TRUE(RunLoopUntil([] { return TestApp().IsActive(); }));
            }
            ASSERT_TRUE(PumpUntil([&] { return !busy(); }, std::chrono::seconds(30)));
            if (row.during == During::Back)
            {
                EXPECT_TRUE(PumpUntil([] {
                    return MIDIIO::GetState() == MIDIIO::kIdle && MIDIIO::HasInputPort() &&
                           MIDIIO::HasOutputPort() && !MIDIIO::HasIdleWork();
                })) << "open after the end";
            }
            if (row.during == During::Away)
            {
                EXPECT_TRUE(PumpUntil([] { return MIDIIO::GetState() == MIDIIO::kClosed; })) << "closed after the end";
                EXPECT_TRUE(m_otherWindow.HasFocus());
                EXPECT_TRUE(m_boxes.boxes.empty()) << "nothing comes up over the other program";
                Key(WXK_RETURN);
                EXPECT_TRUE(m_otherWindow.KeyArrived()) << "Enter is the other program's";
            }
            // OK may have moved under the pointer as the progress area went:
            // the pointer comes to it from elsewhere, as a hand's does.
            MoveTo(&dialog, wxPoint(1, 1));
            if (row.messages == 0)
                m_boxes.script = {wxNO}; // the received bank is not kept
            Click(dialog.FindWindow(wxID_OK));
        };
        DialogScript<CBulkDumpDialog> bulk([&](CBulkDumpDialog& dialog) {
            dialog.SetSendPause(100);
            ASSERT_TRUE(dialog.OpenBankFile(bankPath));
            sendWhileAway(dialog, [&] { return dialog.IsBusy(); });
            if (row.messages == 0)
            {
                EXPECT_TRUE(dialog.Bank().IsComplete());
                EXPECT_EQ(dialog.Bank().GetEntry(15).GetName(), "Sent 15");
            }
        });
        DialogScript<CUpdateOSDialog> os([&](CUpdateOSDialog& dialog) {
            ASSERT_TRUE(dialog.LoadImage(imagePath));
            sendWhileAway(dialog, [&] { return dialog.IsSending(); });
        });
        DialogScript<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { Click(d.FindWindow(wxID_OK)); });
        if (row.menuItem == MenuId::BulkDumps)
            Key('B', wxMOD_CONTROL);
        else
            ASSERT_TRUE(ChooseMenuItem(&Frame(), row.menuItem));
        SwitchBackTo(m_frame->GetPanelWindow());
        if (row.during == During::Unplugged)
        {
            // Said once, whichever of its ports the program missed first.
            ASSERT_EQ(m_boxes.boxes.size(), 1u);
            EXPECT_TRUE(m_boxes.boxes[0].text.Contains("MIDI device is no longer accessible!"));
            // Plugged in again: both ports open by themselves.
            ASSERT_TRUE(m_unit.Open());
            ASSERT_TRUE(IdleUntil([] { return MIDIIO::HasInputPort() && MIDIIO::HasOutputPort(); }));
            ASSERT_TRUE(m_unit.WaitUntilConnected());
            continue;
        }
        EXPECT_EQ(m_unit.ReceivedCount() - before, row.messages);
        for (const auto& box : m_boxes.boxes)
            EXPECT_TRUE(box.text.StartsWith(row.messages ? "OS update completed!" : "Do you want to save your changes"))
                << box.text;
        if (row.during == During::Back)
        {
            // The unit's template comes in as the user listens for it.
            const int templates = Frame().GetTemplateCount();
            Key('L', wxMOD_CONTROL);
            ASSERT_TRUE(Listening());
            Send(CreateTemplateOfModel(ModelDorvaSynth)->Write());
            EXPECT_TRUE(IdleUntil([&] { return Frame().GetTemplateCount() == templates + 1; }));
        }
    }
}

// While the user is in another program, nothing that the program does on its
// own takes the keys from there: a template that arrives, with the notice it
// may bring, or a unit unplugged during any transfer. That program keeps
// them, so its Return, Space and Ctrl+U reach nothing here and nothing more
// reaches the unit (plugged in again meanwhile). What the program has to
// tell is there once the user is back, once; a Return then starts no
// transfer again. With the ports kept open and on demand.
TEST_F(MainWindowOverJack, NothingThatHappensWhileTheUserIsInAnotherProgramTakesItsKeys)
{
    NothingTakesTheKeysWhileTheUserIsAway();
}

TEST_F(MainWindowOnDemand, NothingThatHappensWhileTheUserIsInAnotherProgramTakesItsKeys)
{
    NothingTakesTheKeysWhileTheUserIsAway();
}

void MainWindowOverJack::NothingTakesTheKeysWhileTheUserIsAway()
{
    ::setenv("TMPDIR", m_files.Path().c_str(), 1); // the data-error report's file
    const std::unique_ptr<IBulkDump> bank = TestApp().Device().CreateTemplateBulkDump();
    const std::string bankPath = BankFile(*bank);
    const std::string patchPath = BankFile(*TestApp().Device().CreatePatchBulkDump());
    const std::string imagePath = OSImageFile();
    SysExBuffer badData = CreateTemplateOfModel(ModelDorvaSynth)->Write();
    badData[50] = 0x55; // in bytes the model does not hold

    // Every notice, as it comes up.
    std::vector<wxString> told;
    const auto tell = [&told](const wxString& text) { told.push_back(text); };
    // Real boxes, each closed with Return once it has the keys.
    MessageBoxKeys boxes(WXK_RETURN);
    boxes.shown = tell;
    const ErrorReportFunction reports = SetErrorReportFunction(
        [&](wxWindow*, const wxString& message, const wxString&, const wxString&) { tell(message); });
    DialogScript<COldOSDialog> oldOS([&](COldOSDialog& d) {
        tell("old OS");
        Click(d.FindWindow(wxID_OK));
    });
    DialogScript<CConfirmOSUpdateDialog> confirm([](wxDialog& d) { Click(d.FindWindow(wxID_OK)); });

    enum class In { MainWindow, Bank, Patches, OS };
    const auto listen = [](wxDialog*) { Key('L', wxMOD_CONTROL); };
    const auto click = [](const char* button) {
        return [button](wxDialog* dialog) { Click(dialog->FindWindow(XRCID(button))); };
    };
    const SysExBuffer plain = CreateTemplateOfModel(ModelDorvaSynth)->Write();
    const SysExBuffer calder = CreateTemplateOfModel(ModelCalder)->Write();
    struct Row
    {
        const char* path;
        In in;
        std::function<void(wxDialog*)> start; // by the user, before leaving
        size_t sentFirst;                     // messages the unit has then
        const SysExBuffer* dump;              // the unit sends it; none: it is unplugged
        const char* notice;                   // what is told, or none
    };
    const char* const lost = "MIDI device is no longer accessible!";
    const Row rows[] = {
        {"a template after Listen", In::MainWindow, listen, 0, &plain, nullptr},
        {"an old OS", In::MainWindow,
         [&](wxDialog* d) {
             TestApp().Prefs().showOldOSDialog = 1; // a fresh DorvaSynth template names an old OS
             listen(d);
         },
         0, &plain, "old OS"},
        {"a Calder template", In::MainWindow, listen, 0, &calder, "This template has been recieved from a Calder."},
        {"bad data", In::MainWindow, listen, 0, &badData,
         "This template contains settings which cannot be processed properly."},
        {"Ctrl+U", In::MainWindow, [](wxDialog*) { Key('U', wxMOD_CONTROL); }, 1, nullptr, lost},
        {"Send factory settings", In::Bank, [](wxDialog*) { Key('F', wxMOD_ALT); }, 2, nullptr, lost},
        {"a bank send", In::Bank, click("Upload_Dump"), 2, nullptr, lost},
        {"a patch bank send", In::Patches, click("Upload_Dump"), 2, nullptr, lost},
        {"a bank receive", In::Bank, click("Listen_For_Dump"), 0, nullptr, "Error receiving bulk dump"},
        {"an OS upload", In::OS, click("Send_OS_To_Device"), 2, nullptr, lost},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.path);
        // On demand the ports are closed while the user is away: the unit's
        // loss is found when the user is back, by the user.
        if (OnDemand() && row.in == In::MainWindow && !row.dump)
            continue;
        told.clear();
        ASSERT_TRUE(Focus(m_frame->GetPanelWindow()));
        const int templates = Frame().GetTemplateCount();
        const auto whileAway = [&](wxTopLevelWindow& window, const std::function<bool()>& busy) {
            const size_t before = m_unit.ReceivedCount();
            row.start(dynamic_cast<wxDialog*>(&window));
            ASSERT_TRUE(PumpUntil([&] { return m_unit.ReceivedCount() >= before + row.sentFirst; }));
            SwitchAway();
            if (row.dump)
                Send(*row.dump);
            else
                m_unit.Close();
            ASSERT_TRUE(PumpUntil(
                [&] {
                    return row.dump ? Frame().GetTemplateCount() > templates
                                    : !busy() && (TestApp().NoticesWaiting() || !told.empty());
                },
                std::chrono::seconds(15)));
            // A desktop would have granted the keys by now.
            EXPECT_FALSE(RunLoopUntil([] { return TestApp().IsActive(); }, std::chrono::seconds(1)))
                << "the program took the keys";
            EXPECT_TRUE(m_otherWindow.HasFocus());
            if (!m_unit.Connected())
            {
                ASSERT_TRUE(m_unit.Open());
                // On demand the ports open once the user is back.
                ASSERT_TRUE(OnDemand() ||
                            IdleUntil([] { return MIDIIO::HasInputPort() && MIDIIO::HasOutputPort(); }));
                ASSERT_TRUE(OnDemand() || m_unit.WaitUntilConnected());
            }
            const size_t sent = m_unit.ReceivedCount();
            for (const auto& [key, modifiers] : {std::pair<int, int>{WXK_RETURN, wxMOD_NONE}, {' ', wxMOD_NONE},
                                                 {'U', wxMOD_CONTROL}})
            {
                Key(key, modifiers);
                EXPECT_TRUE(m_otherWindow.KeyArrived()) << "a key of the other program went astray";
            }
            EXPECT_TRUE(told.empty()) << "told over the other program: " << told[0];
            // Back.
            ASSERT_TRUE(Activate(&window));
            ASSERT_TRUE(RunLoopUntil([] { return TestApp().IsActive(); }));
            if (row.notice)
            {
                EXPECT_TRUE(PumpUntil([&] { return !told.empty(); })) << "nothing told once back";
            }
            // The notice has gone, and its window has the keys again.
            ASSERT_TRUE(RunLoopUntil([&] { return window.IsActive(); }));
            if (row.in != In::MainWindow)
                Key(WXK_RETURN);
            EXPECT_FALSE(PumpUntil([&] { return m_unit.ReceivedCount() > sent; }, std::chrono::milliseconds(500)))
                << "sent again";
            EXPECT_FALSE(busy()) << "a transfer started again";
            if (auto* dialog = dynamic_cast<wxDialog*>(&window); dialog && dialog->IsModal())
            {
                MoveTo(dialog, wxPoint(1, 1));
                Click(dialog->FindWindow(wxID_OK));
            }
        };
        if (row.in == In::MainWindow)
            whileAway(Frame(), [] { return false; });
        DialogScript<CBulkDumpDialog> bulk([&](CBulkDumpDialog& dialog) {
            dialog.SetSendPause(100);
            ASSERT_TRUE(dialog.OpenBankFile(row.in == In::Bank ? bankPath : patchPath));
            whileAway(dialog, [&] { return dialog.IsBusy(); });
        });
        DialogScript<CUpdateOSDialog> os([&](CUpdateOSDialog& dialog) {
            ASSERT_TRUE(dialog.LoadImage(imagePath));
            whileAway(dialog, [&] { return dialog.IsSending(); });
        });
        if (row.in == In::Bank)
        {
            Key('B', wxMOD_CONTROL);
        }
        else if (row.in != In::MainWindow)
        {
            ASSERT_TRUE(ChooseMenuItem(&Frame(), row.in == In::OS ? MenuId::UpdateOS : MenuId::PatchLibrarian));
        }
        EXPECT_EQ(told.size(), row.notice ? 1u : 0u) << (told.empty() ? wxString() : told[0]);
        if (row.notice && !told.empty())
        {
            EXPECT_TRUE(told[0].Contains(row.notice)) << told[0];
        }
        TestApp().Prefs().showOldOSDialog = 0;
    }
    SetErrorReportFunction(reports);
}

// The unit the user chose goes away, another stays: after the user was in
// another program and back, an upload goes nowhere and says so; it never
// reaches the other unit.
TEST_F(MainWindowOnDemand, AnUploadForAUnitThatWentAwayGoesNowhereAndSaysSo)
{
    JackUnit other;
    ASSERT_TRUE(other.Open("Other Unit"));
    m_unit.Close();
    SwitchAway();
    ASSERT_TRUE(PumpUntil([] { return MIDIIO::GetState() == MIDIIO::kClosed; }));
    SwitchBackTo(m_frame->GetPanelWindow());
    ASSERT_TRUE(PumpUntil([&] { return !m_boxes.boxes.empty(); })) << "the lost device is said";
    EXPECT_TRUE(m_boxes.boxes[0].text.Contains("MIDI device is no longer accessible!")) << m_boxes.boxes[0].text;
    {
        DialogScript<CTemplateSettings> settings([](wxDialog& d) { Click(d.FindWindow(wxID_OK)); });
        Key('N', wxMOD_CONTROL);
    }
    ASSERT_NE(Frame().GetCurrentTemplate(), nullptr);
    ASSERT_TRUE(Focus(m_frame->GetPanelWindow()));
    Key('U', wxMOD_CONTROL);
    EXPECT_EQ(Status(), "Invalid output device");
    for (int tick = 0; tick < 10; ++tick)
        TestApp().IdleTick();
    EXPECT_EQ(other.ReceivedCount(), 0u);
    EXPECT_EQ(TestApp().Prefs().outputDevice, "editor-to-unit") << "the choice is kept";
    other.Close();
}

// The MIDI server stops during a listen: the listen ends, its indicators go
// off and the status line no longer says it listens.
TEST_F(MainWindowOverJack, AListenWhoseServerStoppedEnds)
{
    Key('L', wxMOD_CONTROL);
    ASSERT_TRUE(Listening());
    m_unit.Close();
    m_server.Stop();
    EXPECT_TRUE(IdleUntil([&] { return !Listening(); }));
    EXPECT_FALSE(MIDIIO::IsReceiving());
    EXPECT_FALSE(Status().StartsWith("Listening")) << Status();
    EXPECT_FALSE(m_boxes.boxes.empty());
}
