// The real program, started as a user starts it, under an X server of the
// test's own; its windows are found and closed through the X server.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include "model/SysExFile.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/app/ScopedEnv.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/model/TempFolder.h"
#include "tests/program/ProgramFolder.h"
#include "tests/program/XWindows.h"

namespace
{
using Clock = std::chrono::steady_clock;

bool IsMessageBox(const std::string& title)
{
    // The program's notices, and the toolkit's box of logged errors.
    return title == "Dorva Editor" || title == "Dorva Editor Error";
}

bool IsMainWindow(const std::string& title)
{
    return title.rfind("Dorva Editor - ", 0) == 0;
}

// The program with fresh preferences, no MIDI server (so the device notice
// is its first box) and a valid template file to open; started from the
// build, or from a program folder of a test's own.
class ProgramStart : public testing::Test
{
protected:
    ProgramStart()
    {
        EXPECT_TRUE(WriteSysExToFile(m_template, CDorvaSynthTemplate().Write(), false));
        EXPECT_EQ(::mkdir(m_config.c_str(), 0700), 0);
        EXPECT_EQ(::mkdir((m_config + "/Brennix").c_str(), 0700), 0);
        WriteBytes(m_config + "/Brennix/Dorva Editor.conf", {});
        m_display = XWindows::Open();
    }
    ~ProgramStart() override
    {
        if (m_pid > 0)
            WaitForProgram(m_pid, 1);
        if (m_display)
            XCloseDisplay(m_display);
    }

    void Start(const std::vector<std::string>& files, std::map<std::string, std::string> environment = {},
               const std::string& program = DORVA_PROGRAM)
    {
        environment.insert({{"XDG_CONFIG_HOME", m_config},
                            {"HOME", m_folder.Path()},
                            {"NO_AT_BRIDGE", "1"},
                            {"JACK_DEFAULT_SERVER", "dorva-absent-" + std::to_string(::getpid())},
                            {"JACK_NO_START_SERVER", "1"}});
        std::vector<std::string> arguments{program};
        arguments.insert(arguments.end(), files.begin(), files.end());
        m_pid = StartProgram(arguments, environment, m_stderr);
    }

    // The next mapped box or main window other than `other`; 0 after the deadline.
    Window WaitForWindow(Window other, std::chrono::milliseconds deadline = std::chrono::seconds(20))
    {
        return XWindows::WaitForMapped(
            m_display, [](const std::string& title) { return IsMessageBox(title) || IsMainWindow(title); }, other,
            deadline);
    }

    // Until the program has ended: closes each box as it comes, after `held`
    // (idle ticks run meanwhile), and the main window once no box is up;
    // then gives how it ended. The number of boxes.
    int CloseEverything(std::chrono::milliseconds held, int& status)
    {
        int boxes = 0;
        auto lastClose = Clock::time_point();
        const auto end = Clock::now() + std::chrono::seconds(30);
        int waited = 0;
        while ((waited = ::waitpid(m_pid, &status, WNOHANG)) == 0 && Clock::now() < end)
        {
            if (const Window box = XWindows::FindMapped(m_display, IsMessageBox))
            {
                ++boxes;
                std::this_thread::sleep_for(held);
                XWindows::Close(m_display, box);
                // Gone before the next look, or it would count twice.
                while (XWindows::FindMapped(m_display, IsMessageBox) == box && Clock::now() < end &&
                       ::waitpid(m_pid, &status, WNOHANG) == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            else if (const Window main = XWindows::FindMapped(m_display, IsMainWindow);
                     main && Clock::now() - lastClose > std::chrono::milliseconds(500))
            {
                // Again while it stays up: a close that comes as a box opens
                // is not taken.
                XWindows::Close(m_display, main);
                lastClose = Clock::now();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (waited == 0)
        {
            ADD_FAILURE() << "the program did not end";
            status = WaitForProgram(m_pid, 1);
        }
        m_pid = -1;
        return boxes;
    }

    // The program's mappings of files whose path holds the text.
    int MappedFiles(const std::string& text) const
    {
        int count = 0;
        for (const std::string& line : Lines(ReadText("/proc/" + std::to_string(m_pid) + "/maps")))
            count += line.find(text) != std::string::npos ? 1 : 0;
        return count;
    }

    TempFolder m_folder;
    const std::string m_template = m_folder.File("good.syx");
    const std::string m_config = m_folder.File("config");
    const std::string m_stderr = m_folder.File("stderr.txt");
    Display* m_display = nullptr;
    pid_t m_pid = -1;
};
} // namespace

// A template opens, then a message box comes up while the main window is
// still hidden: the idle ticks that run inside the box must not ask a hidden
// window for its coordinates (the toolkit complains on stderr every time).
TEST_F(ProgramStart, AStartWithMessageBoxesWritesNothingToStderr)
{
    ASSERT_NE(m_display, nullptr) << "no X display";
    Start({m_template, m_folder.File("missing.syx")});
    int status = 0;
    // The missing file's box comes while the good template is open.
    EXPECT_GE(CloseEverything(std::chrono::milliseconds(200), status), 1); // ten idle ticks a box
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadText(m_stderr), "");
}

// The toolkit maps a GL rasteriser and its compiler only when the user asks
// for GL themselves.
TEST_F(ProgramStart, TheToolkitLoadsNoGLUnlessTheUserSetsIt)
{
    ASSERT_NE(m_display, nullptr) << "no X display";
    const ScopedEnv unset("GDK_GL", nullptr);
    for (const bool userSetting : {false, true})
    {
        SCOPED_TRACE(userSetting ? "GDK_GL=always" : "GDK_GL unset");
        if (userSetting)
            Start({m_template}, {{"GDK_GL", "always"}});
        else
            Start({m_template});
        ASSERT_NE(WaitForWindow(0), Window(0));
        const int rasterisers = MappedFiles("/dri/");
        EXPECT_EQ(rasterisers > 0, userSetting);
        int status = 0;
        CloseEverything(std::chrono::milliseconds(0), status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
}

// A start that cannot go on says why in one line on the terminal and ends
// with a failure code, never silently and never in a crash.
TEST_F(ProgramStart, AFailedStartSaysWhyInOneLine)
{
    struct FailedStart
    {
        const char* name;
        std::function<void(ProgramFolder&)> prepare;
        bool display;
        std::string expected; // after the program folder's path
    };
    const FailedStart cases[] = {
        {"no font", [](ProgramFolder& p) { p.Remove("images/Font.png"); }, true,
         "/images/Font.png\": the file is missing.\n"},
        {"font not a picture", [](ProgramFolder& p) { p.Write("images/Font.png", "not a picture"); }, true,
         "/images/Font.png\": the file is not a picture the program can read.\n"},
        {"no display", [](ProgramFolder&) {}, false, ""},
    };
    for (const FailedStart& start : cases)
    {
        ProgramFolder program;
        start.prepare(program);
        std::map<std::string, std::string> environment;
        if (!start.display)
            environment["DISPLAY"] = "";
        Start({}, environment, program.Program());
        const int status = WaitForProgram(m_pid, 20000);
        m_pid = -1;
        ASSERT_NE(status, -1) << start.name << ": still running";
        ASSERT_TRUE(WIFEXITED(status)) << start.name << ": ended by signal " << WTERMSIG(status);
        EXPECT_NE(WEXITSTATUS(status), 0) << start.name;
        const std::string said =
            start.display ? "Dorva Editor: cannot load the display font \"" + program.Path() + start.expected
                          : "Dorva Editor: no display could be opened: DISPLAY is not set. The editor needs a "
                            "graphical desktop session.\n";
        EXPECT_EQ(ReadText(m_stderr), said) << start.name;
    }
}

// Without the shared layouts the program still starts and runs: it says
// which file is missing, and the welcome dialog, which would come from that
// file, says it cannot be opened and why.
TEST_F(ProgramStart, WithoutTheCommonLayoutsItSaysSoAndGoesOn)
{
    ASSERT_NE(m_display, nullptr) << "no X display";
    ProgramFolder program;
    program.Remove("Common.xrc");
    Start({}, {}, program.Program()); // the start action: the welcome dialog
    int status = 0;
    EXPECT_GE(CloseEverything(std::chrono::milliseconds(200), status), 2);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string common = program.File("Common.xrc");
    EXPECT_EQ(ReadText(m_stderr),
              "Error: The window layouts file \"" + common +
                  "\" is missing: the dialogs and settings panels it holds cannot be opened.\n"
                  "Error: This window cannot be opened: its layout \"ID_WELCOMEDIALOG\" could not be loaded from \"" +
                  common + "\".\n");
}
