// The real program, started as a user starts it, under an X server of the
// test's own; its windows are found and closed through the X server.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include "model/SysExFile.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/model/TempFolder.h"
#include "tests/program/XWindows.h"

namespace
{
using Clock = std::chrono::steady_clock;

// Waits for a mapped window whose title passes and that is not `other`.
Window WaitForWindow(Display* display, const std::function<bool(const std::string&)>& title, Window other,
                     std::chrono::milliseconds deadline = std::chrono::seconds(20))
{
    const auto end = Clock::now() + deadline;
    while (Clock::now() < end)
    {
        const Window found = XWindows::FindMapped(display, [&](const std::string& t) { return title(t); });
        if (found && found != other)
            return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return 0;
}

bool IsMessageBox(const std::string& title)
{
    return title == "Dorva Editor";
}

bool IsMainWindow(const std::string& title)
{
    return title.rfind("Dorva Editor - ", 0) == 0;
}
} // namespace

// A template opens, then a message box comes up while the main window is
// still hidden: the idle ticks that run inside the box must not ask a hidden
// window for its coordinates (the toolkit complains on stderr every time).
TEST(ProgramStart, AStartWithMessageBoxesWritesNothingToStderr)
{
    TempFolder folder;
    const std::string good = folder.File("good.syx");
    ASSERT_TRUE(WriteSysExToFile(good, CDorvaSynthTemplate().Write(), false));
    const std::string config = folder.File("config");
    ASSERT_EQ(::mkdir(config.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir((config + "/Brennix").c_str(), 0700), 0);
    WriteBytes(config + "/Brennix/Dorva Editor.conf", {});

    Display* display = XWindows::Open();
    ASSERT_NE(display, nullptr) << "no X display";
    const std::string errors = folder.File("stderr.txt");
    auto run = std::async(std::launch::async, [&] {
        return RunProgram({DORVA_PROGRAM, good, folder.File("missing.syx")},
                          {{"XDG_CONFIG_HOME", config},
                           {"HOME", folder.Path()},
                           {"NO_AT_BRIDGE", "1"},
                           // No MIDI server: the device notice is one of the boxes.
                           {"JACK_DEFAULT_SERVER", "dorva-absent-" + std::to_string(::getpid())},
                           {"JACK_NO_START_SERVER", "1"}},
                          errors, nullptr, 60000);
    });

    // Every box is left up for a few idle ticks, then closed; the one about
    // the missing file comes while the good template is open.
    Window box = 0;
    int boxes = 0;
    Window main = 0;
    while (!main)
    {
        const Window next = WaitForWindow(
            display, [](const std::string& title) { return IsMessageBox(title) || IsMainWindow(title); }, box);
        ASSERT_NE(next, Window(0)) << "neither a box nor the main window came up";
        if (IsMainWindow(XWindows::Title(display, next)))
        {
            main = next;
            break;
        }
        box = next;
        ++boxes;
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // ten idle ticks
        XWindows::Close(display, box);
    }
    EXPECT_GE(boxes, 1);
    XWindows::Close(display, main);
    const int status = run.get();
    XCloseDisplay(display);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadText(errors), "");
}
