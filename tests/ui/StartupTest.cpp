// The application's start-up, and its idle tick as the program runs it: from
// its timer inside the toolkit's event loop.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <wx/evtloop.h>
#include <wx/filefn.h>
#include <wx/snglinst.h>
#include <wx/timer.h>

#include "midi/MIDIIO.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/UiTestApp.h"

namespace
{
using Log = std::vector<std::string>;
using StartupTest = UiTest;

// Another process holding the single-instance guard of a name until the end
// of the scope (the guard ignores its own process).
class OtherCopy
{
public:
    OtherCopy(const wxString& name, const std::string& folder)
    {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        if ((m_pid = ::fork()) == 0)
        {
            ::close(release[1]);
            wxSingleInstanceChecker guard;
            char byte = guard.Create(name, folder) ? 1 : 0;
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(release[0], &byte, 1); // until the test closes its end
            _exit(0);
        }
        char byte = 0;
        m_ready = ::read(ready[0], &byte, 1) == 1 && byte == 1;
        m_release = release[1];
        for (int fd : {ready[0], ready[1], release[0]})
            ::close(fd);
    }
    ~OtherCopy()
    {
        ::close(m_release);
        if (m_pid > 0)
            ::waitpid(m_pid, nullptr, 0);
    }
    bool m_ready = false;

private:
    pid_t m_pid = -1;
    int m_release = -1;
};

} // namespace

TEST_F(StartupTest, StepsRunInOrderThenTheActionOrTheFilesNamedAndTheWindowShowsLast)
{
    UseDevices({"USB Audio Device in"}, {"USB Audio Device out"});
    WritePreferences([](Preferences& p) { p.startupAction = 2; });
    ASSERT_TRUE(TestApp().Start());
    EXPECT_EQ(TestApp().log, (Log{"crash handler Brennix/Dorva Editor", "resources", "font after preferences",
                                  "main window, MIDI started", "init", "new"}));
    EXPECT_TRUE(TestApp().fake->Frame()->IsShown());
    EXPECT_TRUE(m_boxes.boxes.empty());
    EXPECT_EQ(TestApp().Prefs().viewType, 3) << "the device fixes the caption mode once the preferences are read";
    EXPECT_EQ(MIDIIO::GetListenerCount(), 1);
    EXPECT_EQ(MIDIIO::GetDeviceName(MIDIIO::GetSelectedInputDevice()), "USB Audio Device in");
    TestApp().Stop();

    struct Row
    {
        int action;
        Log arguments, recent, expected;
    };
    const Row rows[] = {
        {0, {}, {}, {"welcome"}},
        {1, {}, {}, {}},
        {2, {}, {}, {"new"}},
        {3, {}, {}, {}},
        {3, {}, {"/t/older.syx", "/t/newest.syx"}, {"open /t/newest.syx"}},
        {4, {}, {}, {"open dialog"}},
        {7, {}, {}, {}},
        {0, {"/t/a.syx", "/t/b.syx"}, {"/t/c.syx"}, {"open /t/a.syx", "open /t/b.syx"}},
    };
    for (const Row& row : rows)
    {
        WritePreferences([&row](Preferences& p) {
            p.startupAction = row.action;
            p.recentFiles.Clear();
            for (const std::string& path : row.recent)
                p.recentFiles.Add(path);
        });
        ASSERT_TRUE(TestApp().Start(row.arguments));
        EXPECT_EQ(Log(TestApp().log.begin() + 5, TestApp().log.end()), row.expected) << "action " << row.action;
        TestApp().Stop();
    }
}

TEST_F(StartupTest, ASecondCopyFromTheSameFolderStops)
{
    wxString folder = wxGetCwd();
    folder.Replace("/", "_");
    OtherCopy other("DorvaSynthEditor-" + folder, m_config.Path());
    ASSERT_TRUE(other.m_ready);
    EXPECT_FALSE(TestApp().Start());
    EXPECT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes.at(0).text, "Another copy of this program is already running.");
    EXPECT_TRUE(TestApp().log.empty()) << "nothing else started";

    const wxString previous = wxGetCwd();
    ASSERT_TRUE(wxSetWorkingDirectory(m_config.Path()));
    EXPECT_TRUE(TestApp().Start()) << "from another working folder the other copy does not count";
    wxSetWorkingDirectory(previous);
}

// At most one notice about the devices, and one about a plug-in scan that
// did not finish last time.
TEST_F(StartupTest, Notices)
{
    const std::string selectAnother =
        "Please select another device by choosing 'Device->Select MIDI input/output device...'";
    struct Row
    {
        Log inputs, outputs;
        const char* failing;
        std::string input, output, plugin, notice, selected;
    };
    const Row rows[] = {
        {{}, {}, nullptr, "", "", "", "Unable to find any MIDI input and/or output devices!\n\nYou may still edit "
                                      "templates, but will be unable to transfer them to/from the hardware.", ""},
        {{"Keys In", "Synth In"}, {"Synth Out"}, "Keys In", "Keys", "Gone", "",
         "Unable to open the input device \"Keys\" which you were using before.\n\nPerhaps it is in use by another "
         "application?  Try closing other MIDI applications\nsuch as sequencers etc. and then restart this program.",
         "Keys In"},
        {{"Synth In"}, {"Synth Out"}, nullptr, "Nowhere", "Synth", "",
         "Unable to open the input device \"Nowhere\" which you were using before.\n\n" + selectAnother, "Synth In"},
        {{"A In", "Synth In"}, {"Synth Out"}, nullptr, "Synth", "Other", "",
         "Unable to find the output device \"Other\" which you were using before.\n" + selectAnother, "Synth In"},
        {{"In"}, {"Out"}, nullptr, "", "", "/usr/lib/vst/bad.so",
         "It appears that the plug-in \"/usr/lib/vst/bad.so \" may not have loaded properly last time.  Try choosing "
         "\"Edit->Preferences...\" to change the VST plugin location, or remove the plug-in and try again.", "In"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.notice);
        m_boxes.boxes.clear();
        UseDevices(row.inputs, row.outputs);
        if (row.failing)
            TestApp().nextDriver->SetOpenFails(row.failing, true);
        WritePreferences([&row](Preferences& p) {
            p.inputDevice = row.input;
            p.outputDevice = row.output;
            p.pluginsEnumeratedOK = row.plugin.empty() ? 1 : 0;
            p.lastPluginEnumerated = row.plugin;
        });
        ASSERT_TRUE(TestApp().Start());
        EXPECT_EQ(m_boxes.boxes.size(), 1u);
        EXPECT_EQ(m_boxes.boxes.at(0).text, row.notice);
        if (!row.selected.empty())
            EXPECT_EQ(MIDIIO::GetDeviceName(MIDIIO::GetSelectedInputDevice()), row.selected);
        EXPECT_EQ(TestApp().Prefs().outputDevice, row.output) << "the stored names are the user's choice";
        EXPECT_EQ(TestApp().Prefs().pluginsEnumeratedOK, 1);
        EXPECT_EQ(TestApp().Prefs().lastPluginEnumerated, "");
        TestApp().Stop();
    }
}

TEST_F(StartupTest, TheTimerOpensOnDemandDeliversMessagesAndTheTickReleasesTheDevices)
{
    UseDevices({"In"}, {"Out"});
    WritePreferences([](Preferences& p) {
        p.startupAction = 1;
        p.releaseDriver = 1;
    });
    ASSERT_TRUE(TestApp().Start());
    LoopbackMidiDriver& driver = *TestApp().driver;
    FakeMainWindow& window = *TestApp().fake;
    EXPECT_FALSE(driver.IsOpen("In")) << "opened before the program was active";

    // The toolkit finds the program active once its loop runs.
    ASSERT_TRUE(RunLoopUntil([&] { return driver.IsOpen("In") && driver.IsOpen("Out"); }));
    EXPECT_TRUE(TestApp().IsActive());
    driver.InjectShort("In", 0x90, 60, 100);
    ASSERT_TRUE(RunLoopUntil([&] { return !window.messages.empty(); }));
    EXPECT_EQ(window.messages[0], (std::vector<uint8_t>{0x90, 60, 100}));
    EXPECT_GT(window.idleSteps, 0);
    EXPECT_EQ(window.idleSteps, window.refreshes);

    // The toolkit's loop would find it active again: one tick by hand.
    TestApp().SetActive(false, nullptr);
    TestApp().IdleTick();
    EXPECT_FALSE(driver.IsOpen("In"));
    EXPECT_FALSE(driver.IsOpen("Out"));
    EXPECT_EQ(TestApp().log.back(), "deactivated");
}

// Pumped without events of its own, the clock rests while nothing needs it and
// comes back for what does: a short message (the MIDI layer's wake-up), a
// timer's event, the main window's own need, a listen for as long as it runs.
TEST_F(StartupTest, TheIdleClockRestsUntilSomethingNeedsIt)
{
    UseDevices({"In"}, {"Out"});
    WritePreferences([](Preferences& p) { p.startupAction = 1; });
    ASSERT_TRUE(TestApp().Start());
    FakeMainWindow& window = *TestApp().fake;
    const auto resting = [] { return TestApp().IsIdleClockResting(); };
    const auto stepsWithin = [&window](int ms) {
        const int before = window.idleSteps;
        RealInput::PumpUntil([] { return false; }, std::chrono::milliseconds(ms));
        return window.idleSteps - before;
    };
    ASSERT_TRUE(RealInput::PumpUntil(resting)) << "it never rests";
    EXPECT_EQ(stepsWithin(100), 0);

    TestApp().driver->InjectShort("In", 0xB0, 7, 99);
    EXPECT_TRUE(RealInput::PumpUntil([&window] { return !window.messages.empty(); }));
    EXPECT_TRUE(RealInput::PumpUntil(resting));

    window.needsIdleStep = true;
    wxTimer timer;
    timer.StartOnce(1);
    EXPECT_GT(stepsWithin(150), 3) << "the window's need keeps it going";
    window.needsIdleStep = false;
    EXPECT_TRUE(RealInput::PumpUntil(resting));

    struct : ISysExListener
    {
        bool OnSysExReceived(const SysExBuffer&) override { return true; }
        void OnSysExInterrupted() override {}
    } listener;
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
    EXPECT_GT(stepsWithin(150), 3) << "a listen keeps it going";
    MIDIIO::AbortTransfer();
    EXPECT_TRUE(RealInput::PumpUntil(resting));
}

// The idle tick runs while the start-up notice about the input is up and may
// open the ports before the output is chosen: the output chosen after the
// notice opens at the next tick all the same.
TEST_F(StartupTest, TheOutputChosenAfterAStartupNoticeOpens)
{
    UseDevices({"In"}, {"Out"});
    WritePreferences([](Preferences& p) {
        p.startupAction = 1;
        p.releaseDriver = 1;
        p.inputDevice = "Gone In";
        p.outputDevice = "Out";
    });
    bool inputOpenInsideNotice = false;
    m_boxes.whileShowing = [&] {
        // The notice, a window of the program, has the focus.
        TestApp().SetActive(true, nullptr);
        inputOpenInsideNotice = RunLoopUntil([] { return TestApp().driver->IsOpen("In"); });
    };
    ASSERT_TRUE(TestApp().Start());
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_TRUE(m_boxes.boxes[0].text.StartsWith("Unable to open the input device \"Gone In\""));
    EXPECT_TRUE(inputOpenInsideNotice);
    EXPECT_TRUE(RunLoopUntil([] { return TestApp().driver->IsOpen("Out"); }));
    EXPECT_EQ(m_boxes.boxes.size(), 1u) << "no device-lost notice besides";
}

TEST_F(StartupTest, AnIdleTickStartedInsideItsOwnMessageBoxDoesNothing)
{
    ASSERT_TRUE(TestApp().Start());
    FakeMainWindow& window = *TestApp().fake;
    int stepsSeenInside = -1;
    window.onIdleStep = [] { TestApp().ShowMessage("inside", wxOK); };
    m_boxes.whileShowing = [&] {
        TestApp().IdleTick();
        TestApp().IdleTick();
        stepsSeenInside = window.idleSteps;
    };
    const int before = window.idleSteps;
    TestApp().IdleTick();
    EXPECT_EQ(stepsSeenInside, before + 1) << "the nested ticks stepped the window";
    TestApp().IdleTick();
    EXPECT_EQ(window.idleSteps, before + 2) << "the guard was released";
}
