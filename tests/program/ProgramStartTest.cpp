// The real program, started as a user starts it, under an X server of the
// test's own; its windows are found and closed through the X server.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <thread>

#include "model/SysExFile.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/model/TempFolder.h"
#include "tests/program/ProgramFolder.h"
#include "tests/program/XWindows.h"

namespace
{
bool IsMessageBox(const std::string& title)
{
    // The program's notices, and the toolkit's box of logged errors.
    return title == "Dorva Editor" || title == "Dorva Editor Error";
}

bool IsMainWindow(const std::string& title)
{
    return title.rfind("Dorva Editor - ", 0) == 0;
}

// A configuration folder of the run's own, with the preferences given, and
// no MIDI server (the device notice is then one of the boxes).
std::map<std::string, std::string> Environment(const TempFolder& folder, const std::string& preferences = "")
{
    const std::string config = folder.File("config");
    ::mkdir(config.c_str(), 0700);
    ::mkdir((config + "/Brennix").c_str(), 0700);
    WriteBytes(config + "/Brennix/Dorva Editor.conf", std::vector<uint8_t>(preferences.begin(), preferences.end()));
    return {{"XDG_CONFIG_HOME", config},
            {"HOME", folder.Path()},
            {"NO_AT_BRIDGE", "1"},
            {"JACK_DEFAULT_SERVER", "dorva-absent-" + std::to_string(::getpid())},
            {"JACK_NO_START_SERVER", "1"}};
}

// Until the program has ended: leaves each message box up for a few idle
// ticks and closes it, and closes the main window once no box is up. The
// number of boxes closed.
int CloseWindowsUntilItEnds(Display* display, std::future<int>& run)
{
    int boxes = 0;
    auto lastClose = std::chrono::steady_clock::time_point();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (run.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
    {
        if (std::chrono::steady_clock::now() > end)
        {
            ADD_FAILURE() << "the program did not end";
            break;
        }
        if (const Window box = XWindows::FindMapped(display, IsMessageBox))
        {
            ++boxes;
            std::this_thread::sleep_for(std::chrono::milliseconds(200)); // ten idle ticks
            XWindows::Close(display, box);
            // Gone before the next look, or it would be counted twice.
            while (XWindows::FindMapped(display, IsMessageBox) == box && std::chrono::steady_clock::now() < end &&
                   run.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            {
            }
        }
        else if (const Window main = XWindows::FindMapped(display, IsMainWindow);
                 main && std::chrono::steady_clock::now() - lastClose > std::chrono::milliseconds(500))
        {
            // Again while it stays up: a close that comes as a box opens is
            // not taken.
            XWindows::Close(display, main);
            lastClose = std::chrono::steady_clock::now();
        }
    }
    return boxes;
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

    Display* display = XWindows::Open();
    ASSERT_NE(display, nullptr) << "no X display";
    const std::string errors = folder.File("stderr.txt");
    const auto environment = Environment(folder);
    auto run = std::async(std::launch::async, [&] {
        return RunProgram({DORVA_PROGRAM, good, folder.File("missing.syx")}, environment, errors, nullptr, 60000);
    });
    // The one about the missing file comes while the good template is open.
    EXPECT_GE(CloseWindowsUntilItEnds(display, run), 1);
    const int status = run.get();
    XCloseDisplay(display);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadText(errors), "");
}

// A start that cannot go on says why in one line on the terminal and ends
// with a failure code, never silently and never in a crash.
TEST(ProgramStart, AFailedStartSaysWhyInOneLine)
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
        TempFolder folder;
        auto environment = Environment(folder);
        if (!start.display)
            environment["DISPLAY"] = "";
        const std::string errors = folder.File("stderr.txt");
        const int status = RunProgram({program.Program()}, environment, errors, nullptr, 20000);
        ASSERT_NE(status, -1) << start.name << ": still running";
        ASSERT_TRUE(WIFEXITED(status)) << start.name << ": ended by signal " << WTERMSIG(status);
        EXPECT_NE(WEXITSTATUS(status), 0) << start.name;
        const std::string said =
            start.display ? "Dorva Editor: cannot load the display font \"" + program.Path() + start.expected
                          : "Dorva Editor: no display could be opened: DISPLAY is not set. The editor needs a "
                            "graphical desktop session.\n";
        EXPECT_EQ(ReadText(errors), said) << start.name;
    }
}

// Without the shared layouts the program still starts and runs: it says
// which file is missing, and the welcome dialog, which would come from that
// file, says it cannot be opened and why.
TEST(ProgramStart, WithoutTheCommonLayoutsItSaysSoAndGoesOn)
{
    ProgramFolder program;
    program.Remove("Common.xrc");
    TempFolder folder;
    const auto environment = Environment(folder, "StartupAction=0\n");
    const std::string errors = folder.File("stderr.txt");

    Display* display = XWindows::Open();
    ASSERT_NE(display, nullptr) << "no X display";
    auto run = std::async(std::launch::async,
                          [&] { return RunProgram({program.Program()}, environment, errors, nullptr, 60000); });
    EXPECT_GE(CloseWindowsUntilItEnds(display, run), 2);
    const int status = run.get();
    XCloseDisplay(display);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string common = program.File("Common.xrc");
    EXPECT_EQ(ReadText(errors),
              "Error: The window layouts file \"" + common +
                  "\" is missing: the dialogs and settings panels it holds cannot be opened.\n"
                  "Error: This window cannot be opened: its layout \"ID_WELCOMEDIALOG\" could not be loaded from \"" +
                  common + "\".\n");
}
