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
#include "tests/program/XWindows.h"

namespace
{
using Clock = std::chrono::steady_clock;

bool IsMessageBox(const std::string& title)
{
    return title == "Dorva Editor";
}

bool IsMainWindow(const std::string& title)
{
    return title.rfind("Dorva Editor - ", 0) == 0;
}

// The program with fresh preferences, no MIDI server (so the device notice
// is its first box) and a valid template file to open.
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

    void Start(const std::vector<std::string>& files, std::map<std::string, std::string> environment = {})
    {
        environment.insert({{"XDG_CONFIG_HOME", m_config},
                            {"HOME", m_folder.Path()},
                            {"NO_AT_BRIDGE", "1"},
                            {"JACK_DEFAULT_SERVER", "dorva-absent-" + std::to_string(::getpid())},
                            {"JACK_NO_START_SERVER", "1"}});
        std::vector<std::string> arguments{DORVA_PROGRAM};
        arguments.insert(arguments.end(), files.begin(), files.end());
        m_pid = StartProgram(arguments, environment, m_stderr);
    }

    // The next mapped box or main window other than `other`; 0 after the deadline.
    Window WaitForWindow(Window other, std::chrono::milliseconds deadline = std::chrono::seconds(20))
    {
        const auto end = Clock::now() + deadline;
        while (Clock::now() < end)
        {
            const Window found = XWindows::FindMapped(
                m_display, [](const std::string& title) { return IsMessageBox(title) || IsMainWindow(title); });
            if (found && found != other)
                return found;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return 0;
    }

    // Closes each box as it comes, after `held` (idle ticks run meanwhile),
    // then the main window, and waits for the end. The number of boxes.
    int CloseEverything(std::chrono::milliseconds held, int& status)
    {
        Window box = 0;
        int boxes = 0;
        for (;;)
        {
            const Window next = WaitForWindow(box);
            if (!next)
            {
                ADD_FAILURE() << "neither a box nor the main window came up";
                break;
            }
            if (IsMainWindow(XWindows::Title(m_display, next)))
            {
                XWindows::Close(m_display, next);
                break;
            }
            box = next;
            ++boxes;
            std::this_thread::sleep_for(held);
            XWindows::Close(m_display, box);
        }
        status = WaitForProgram(m_pid, 30000);
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
