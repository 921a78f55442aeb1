#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

#include <wx/filefn.h>
#include <wx/snglinst.h>

#include "midi/MIDIIO.h"
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
        m_pid = ::fork();
        if (m_pid == 0)
        {
            ::close(ready[0]);
            ::close(release[1]);
            {
                wxSingleInstanceChecker guard;
                char byte = guard.Create(name, folder) ? 1 : 0;
                (void)!::write(ready[1], &byte, 1);
                // Until the test closes its end.
                (void)!::read(release[0], &byte, 1);
            }
            _exit(0);
        }
        char byte = 0;
        m_ready = ::read(ready[0], &byte, 1) == 1 && byte == 1;
        m_release = release[1];
        ::close(ready[0]);
        ::close(ready[1]);
        ::close(release[0]);
    }
    ~OtherCopy()
    {
        ::close(m_release);
        if (m_pid > 0)
            ::waitpid(m_pid, nullptr, 0);
    }
    bool Ready() const { return m_ready; }

private:
    pid_t m_pid = -1;
    int m_release = -1;
    bool m_ready = false;
};

const char* const kNoDevices = "Unable to find any MIDI input and/or output devices!\n\n"
                               "You may still edit templates, but will be unable to transfer them to/from the hardware.";
} // namespace

TEST_F(StartupTest, StepsRunInOrderAndTheWindowShowsLast)
{
    UseDevices({"USB Audio Device in"}, {"USB Audio Device out"});
    WritePreferences([](Preferences& p) { p.startupAction = 2; });
    ASSERT_TRUE(TestApp().Start());
    EXPECT_EQ(TestApp().log, (Log{"crash handler Brennix/Dorva Editor", "resources", "font after preferences",
                                  "main window, MIDI started", "init", "new"}));
    EXPECT_TRUE(TestApp().recorder->Frame()->IsShown());
    EXPECT_TRUE(m_boxes.boxes.empty());
    // The device fixes the caption mode once the preferences are read.
    EXPECT_EQ(TestApp().Prefs().viewType, 3);
    EXPECT_EQ(MIDIIO::GetListenerCount(), 1);
    EXPECT_EQ(MIDIIO::GetDeviceName(MIDIIO::GetSelectedInputDevice()), "USB Audio Device in");
}

TEST_F(StartupTest, StartupActions)
{
    const std::vector<std::pair<int, Log>> cases = {
        {0, {"welcome"}}, {1, {}}, {2, {"new"}}, {3, {}}, {4, {"open dialog"}}, {7, {}}};
    for (const auto& [action, expected] : cases)
    {
        WritePreferences([action = action](Preferences& p) {
            p.startupAction = action;
            p.recentFiles.Clear();
        });
        ASSERT_TRUE(TestApp().Start());
        Log tail(TestApp().log.begin() + 5, TestApp().log.end());
        EXPECT_EQ(tail, expected) << "action " << action;
        TestApp().Stop();
    }

    // 3 reopens the most recent file when there is one.
    WritePreferences([](Preferences& p) {
        p.startupAction = 3;
        p.recentFiles.Add("/t/older.syx");
        p.recentFiles.Add("/t/newest.syx");
    });
    ASSERT_TRUE(TestApp().Start());
    EXPECT_EQ(TestApp().log.back(), "open /t/newest.syx");
}

TEST_F(StartupTest, FilesOnTheCommandLineOpenInOrderInsteadOfTheAction)
{
    WritePreferences([](Preferences& p) { p.startupAction = 0; });
    ASSERT_TRUE(TestApp().Start({"/t/a.syx", "/t/b.syx"}));
    EXPECT_EQ(Log(TestApp().log.begin() + 5, TestApp().log.end()), (Log{"open /t/a.syx", "open /t/b.syx"}));
}

TEST_F(StartupTest, SecondCopyFromTheSameFolderStops)
{
    wxString folder = wxGetCwd();
    folder.Replace("/", "_");
    OtherCopy other("DorvaSynthEditor-" + folder, m_config.Path());
    ASSERT_TRUE(other.Ready());

    EXPECT_FALSE(TestApp().Start());
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, "Another copy of this program is already running.");
    EXPECT_TRUE(TestApp().log.empty()) << "nothing else started";

    // From another working folder the other copy does not count.
    const wxString previous = wxGetCwd();
    ASSERT_TRUE(wxSetWorkingDirectory(m_config.Path()));
    const bool started = TestApp().Start();
    wxSetWorkingDirectory(previous);
    EXPECT_TRUE(started);
}

TEST_F(StartupTest, DeviceNotices)
{
    // No device at all.
    UseDevices({}, {});
    ASSERT_TRUE(TestApp().Start());
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, kNoDevices);
    TestApp().Stop();

    // A remembered input that exists but cannot be opened; the output is
    // missing too, but only one notice is shown.
    m_boxes.boxes.clear();
    UseDevices({"Keys In", "Synth In"}, {"Synth Out"});
    TestApp().nextDriver->SetOpenFails("Keys In", true);
    WritePreferences([](Preferences& p) {
        p.inputDevice = "Keys";
        p.outputDevice = "Gone";
    });
    ASSERT_TRUE(TestApp().Start());
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text,
              "Unable to open the input device \"Keys\" which you were using before.\n\n"
              "Perhaps it is in use by another application?  Try closing other MIDI applications\n"
              "such as sequencers etc. and then restart this program.");
    EXPECT_EQ(MIDIIO::GetSelectedInputDevice(), 0);
    TestApp().Stop();

    // A remembered input that matches nothing.
    m_boxes.boxes.clear();
    UseDevices({"Synth In"}, {"Synth Out"});
    WritePreferences([](Preferences& p) {
        p.inputDevice = "Nowhere";
        p.outputDevice = "Synth";
    });
    ASSERT_TRUE(TestApp().Start());
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, "Unable to open the input device \"Nowhere\" which you were using before.\n\n"
                                     "Please select another device by choosing 'Device->Select MIDI input/output "
                                     "device...'");
    TestApp().Stop();

    // Only the output is missing; names match as substrings.
    m_boxes.boxes.clear();
    UseDevices({"A In", "Synth In"}, {"Synth Out"});
    WritePreferences([](Preferences& p) {
        p.inputDevice = "Synth";
        p.outputDevice = "Other";
    });
    ASSERT_TRUE(TestApp().Start());
    EXPECT_EQ(MIDIIO::GetDeviceName(MIDIIO::GetSelectedInputDevice()), "Synth In");
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, "Unable to find the output device \"Other\" which you were using before.\n"
                                     "Please select another device by choosing 'Device->Select MIDI input/output "
                                     "device...'");
    // The stored names are the user's choice and stay.
    EXPECT_EQ(TestApp().Prefs().outputDevice, "Other");
}

TEST_F(StartupTest, UnfinishedPluginScanWarnsOnce)
{
    UseDevices({"In"}, {"Out"});
    WritePreferences([](Preferences& p) {
        p.pluginsEnumeratedOK = 0;
        p.lastPluginEnumerated = "/usr/lib/vst/bad.so";
        p.startupAction = 1;
    });
    ASSERT_TRUE(TestApp().Start());
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text,
              "It appears that the plug-in \"/usr/lib/vst/bad.so \" may not have loaded properly last time.  "
              "Try choosing \"Edit->Preferences...\" to change the VST plugin location, or remove the plug-in and "
              "try again.");
    EXPECT_EQ(TestApp().Prefs().pluginsEnumeratedOK, 1);
    EXPECT_EQ(TestApp().Prefs().lastPluginEnumerated, "");
}

TEST_F(StartupTest, IdleTickDeliversShortMessagesToTheMainWindow)
{
    UseDevices({"In"}, {"Out"});
    WritePreferences([](Preferences& p) { p.startupAction = 1; });
    ASSERT_TRUE(TestApp().Start());
    TestApp().driver->InjectShort("In", 0xB0, 7, 100);
    ASSERT_TRUE(TestApp().driver->WaitDelivered(2000));
    RecordingMainWindow& window = *TestApp().recorder;
    ASSERT_TRUE(IdleUntil([&] { return !window.messages.empty(); }));
    EXPECT_EQ(window.messages[0], (std::vector<uint8_t>{0xB0, 7, 100}));
    EXPECT_GT(window.idleSteps, 0);
    EXPECT_EQ(window.idleSteps, window.refreshes);
}

TEST_F(StartupTest, IdleTickStartedInsideItsOwnMessageBoxDoesNothing)
{
    WritePreferences([](Preferences& p) { p.startupAction = 1; });
    ASSERT_TRUE(TestApp().Start());
    RecordingMainWindow& window = *TestApp().recorder;
    int stepsSeenInside = -1;
    window.onIdleStep = [&] {
        window.onIdleStep = nullptr;
        TestApp().ShowMessage("inside", wxOK);
    };
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
