// The real program, started as a user starts it; its windows are found and closed through the X server.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <thread>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include "model/SysExFile.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/model/TempFolder.h"
#include "tests/program/XWindows.h"

namespace fs = std::filesystem;

namespace
{
using Clock = std::chrono::steady_clock;

bool IsMessageBox(const std::string& title) // the program's notices and the toolkit's box of logged errors
{
    return title == "Dorva Editor" || title == "Dorva Editor Error";
}
bool IsMainWindow(const std::string& title)
{
    return title.rfind("Dorva Editor - ", 0) == 0;
}

// The program with fresh preferences, no MIDI server (so the device notice is
// its first box) and a valid template file to open.
struct ProgramStart : testing::Test
{
    ProgramStart()
    {
        EXPECT_TRUE(WriteSysExToFile(m_template, CDorvaSynthTemplate().Write(), false));
        fs::create_directories(m_folder.File("config/Brennix"));
        WriteBytes(m_folder.File("config/Brennix/Dorva Editor.conf"), {});
    }
    ~ProgramStart() override
    {
        if (m_pid > 0)
            WaitForProgram(m_pid, 1);
        if (m_display)
            XCloseDisplay(m_display);
    }
    // A program folder of the test's own: the built program linked in beside a copy of what ships
    // with it, so a test can take a file away or spoil it. Gives the program's path.
    std::string CopyProgram() const
    {
        const fs::path built(DORVA_PROGRAM), copy = m_folder.File("program") / built.filename();
        fs::create_directories(copy.parent_path());
        std::error_code linked;
        fs::create_hard_link(built, copy, linked);
        if (linked)
            fs::copy_file(built, copy);
        for (const char* shipped : {"Common.xrc", "DorvaSynthEditor.xrc", "images", "FactorySettings.blk", "help.html"})
            if (fs::exists(built.parent_path() / shipped))
                fs::copy(built.parent_path() / shipped, copy.parent_path() / shipped, fs::copy_options::recursive);
        return copy;
    }
    void Start(const std::vector<std::string>& files, std::map<std::string, std::string> environment = {},
               const std::string& program = DORVA_PROGRAM)
    {
        environment.insert({{"XDG_CONFIG_HOME", m_folder.File("config")}, {"HOME", m_folder.Path()}, {"NO_AT_BRIDGE", "1"},
                            {"JACK_DEFAULT_SERVER", "dorva-absent-" + std::to_string(getpid())}, {"JACK_NO_START_SERVER", "1"}});
        std::vector<std::string> arguments{program};
        arguments.insert(arguments.end(), files.begin(), files.end());
        m_pid = StartProgram(arguments, environment, m_stderr);
    }
    // Until the program has ended: closes each box as it comes, after held (idle ticks run
    // meanwhile), and the main window once no box is up. The number of boxes; status: how it ended.
    int CloseEverything(std::chrono::milliseconds held, int& status)
    {
        int boxes = 0, waited = 0;
        auto lastClose = Clock::time_point();
        for (const auto end = Clock::now() + std::chrono::seconds(30);
             (waited = waitpid(m_pid, &status, WNOHANG)) == 0 && Clock::now() < end;
             std::this_thread::sleep_for(std::chrono::milliseconds(5)))
        {
            if (const Window box = XWindows::FindMapped(m_display, IsMessageBox))
            {
                ++boxes;
                std::this_thread::sleep_for(held);
                XWindows::Close(m_display, box);
                // Gone before the next look, or it would count twice.
                while (XWindows::FindMapped(m_display, IsMessageBox) == box && Clock::now() < end &&
                       waitpid(m_pid, &status, WNOHANG) == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            // Again while it stays up: a close that comes as a box opens is not taken.
            else if (const Window main = XWindows::FindMapped(
                         m_display, [this](const std::string& title) { return IsMainWindow(title) && (m_mainTitle = title, true); });
                     main && Clock::now() - lastClose > std::chrono::milliseconds(500))
            {
                XWindows::Close(m_display, main);
                lastClose = Clock::now();
            }
        }
        if (waited == 0)
        {
            ADD_FAILURE() << "the program did not end";
            status = WaitForProgram(m_pid, 1);
        }
        m_pid = -1;
        return boxes;
    }

    TempFolder m_folder;
    const std::string m_template = m_folder.File("good.syx"), m_stderr = m_folder.File("stderr.txt");
    std::string m_mainTitle; // the main window's last title seen
    Display* m_display = XWindows::Open();
    pid_t m_pid = -1;
};
} // namespace

// A template opens, then a message box comes up while the main window is still hidden: the idle
// ticks inside the box must not ask a hidden window for its coordinates (the toolkit complains on stderr).
// A line of the preferences with no name is passed over without the toolkit's complaint. Names in
// Latin-1 are files like any other: a missing one is told of, one that is there opens.
TEST_F(ProgramStart, AStartWithMessageBoxesWritesNothingToStderr)
{
    ASSERT_NE(m_display, nullptr) << "no X display";
    WriteBytes(m_folder.File("config/Brennix/Dorva Editor.conf"), {'=', 'x', '\n'});
    const std::string latin = m_folder.File("caf\xE9.syx");
    fs::copy_file(m_template, latin);
    Start({m_template, m_folder.File("missing.syx"), m_folder.File("gon\xE9.syx"), latin});
    int status = 0;
    EXPECT_GE(CloseEverything(std::chrono::milliseconds(200), status), 2); // ten idle ticks a box
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(ReadText(m_stderr), "");
    EXPECT_NE(m_mainTitle.find("/caf"), std::string::npos) << m_mainTitle;
}

// The toolkit maps a GL rasteriser and its compiler only when the user asks for GL.
TEST_F(ProgramStart, TheToolkitLoadsNoGLUnlessTheUserSetsIt)
{
    ASSERT_NE(m_display, nullptr) << "no X display";
    unsetenv("GDK_GL");
    for (const char* user : {"", "always"})
    {
        Start({m_template}, *user ? std::map<std::string, std::string>{{"GDK_GL", user}} : std::map<std::string, std::string>{});
        const auto end = Clock::now() + std::chrono::seconds(20);
        while (!XWindows::FindMapped(m_display, [](const std::string& t) { return IsMessageBox(t) || IsMainWindow(t); }) &&
               Clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        int rasterisers = 0;
        for (const std::string& line : Lines(ReadText("/proc/" + std::to_string(m_pid) + "/maps")))
            rasterisers += line.find("/dri/") != std::string::npos ? 1 : 0;
        EXPECT_EQ(rasterisers > 0, *user != 0) << user;
        int status = 0;
        CloseEverything(std::chrono::milliseconds(0), status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
}

// A start that cannot go on says why in one line on the terminal and ends with a failure code,
// never silently and never in a crash.
TEST_F(ProgramStart, AFailedStartSaysWhyInOneLine)
{
    const std::string font = m_folder.File("program/images/Font.png");
    const struct
    {
        std::function<void()> prepare;
        const char* display; // null: the test's own
        std::string said;
    } rows[] = {
        {[&] { fs::remove(font); }, nullptr, "cannot load the display font \"" + font + "\": the file is missing."},
        {[&] { std::ofstream(font) << "not a picture"; }, nullptr,
         "cannot load the display font \"" + font + "\": the file is not a picture the program can read."},
        {[] {}, "", "no display could be opened: DISPLAY is not set. The editor needs a graphical desktop session."},
        {[] {}, ":4097", "no display could be opened at \":4097\". The editor needs a graphical desktop session."},
    };
    for (const auto& row : rows)
    {
        const std::string program = CopyProgram();
        row.prepare();
        Start({}, row.display ? std::map<std::string, std::string>{{"DISPLAY", row.display}} : std::map<std::string, std::string>{},
              program);
        const int status = WaitForProgram(m_pid, 20000);
        m_pid = -1;
        EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) != 0) << row.said << ": status " << status;
        EXPECT_EQ(ReadText(m_stderr), "Dorva Editor: " + row.said + "\n");
        fs::remove_all(m_folder.File("program"));
    }
}

// Without the shared layouts the program still starts and runs: it says which file is missing, and
// the welcome dialog, which would come from that file, says it cannot be opened and why.
TEST_F(ProgramStart, WithoutTheCommonLayoutsItSaysSoAndGoesOn)
{
    ASSERT_NE(m_display, nullptr) << "no X display";
    const std::string program = CopyProgram(), common = m_folder.File("program/Common.xrc");
    fs::remove(common);
    Start({}, {}, program); // the start action: the welcome dialog
    int status = 0;
    EXPECT_GE(CloseEverything(std::chrono::milliseconds(200), status), 2);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(ReadText(m_stderr),
              "Error: The window layouts file \"" + common +
                  "\" is missing: the dialogs and settings panels it holds cannot be opened.\n"
                  "Error: This window cannot be opened: its layout \"ID_WELCOMEDIALOG\" could not be loaded from \"" +
                  common + "\".\n");
}

namespace
{
// Waits for a mapped window whose title passes; 0 after the deadline.
Window WaitForWindow(Display* display, const std::function<bool(const std::string&)>& title)
{
    for (const auto end = Clock::now() + std::chrono::seconds(20); Clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (const Window found = XWindows::FindMapped(display, title))
            return found;
    return 0;
}
} // namespace

// What ships beside the program, as a user meets it: F1 shows the about box with the shipped
// picture drawn at its left; Help > View help hands the browser the shipped page, which is there
// and well-formed.
TEST_F(ProgramStart, TheAboutPictureAndTheHelpPageShowInTheRealProgram)
{
    ASSERT_NE(m_display, nullptr) << "no X display";
    const std::string opened = m_folder.File("opened.txt"), opener = m_folder.File("bin/xdg-open");
    fs::create_directories(m_folder.File("bin"));
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s' \"$1\" > " << opened << ".part && mv " << opened << ".part "
                          << opened << "\n";
    fs::permissions(opener, fs::perms::owner_all);
    Start({m_template}, {{"PATH", m_folder.File("bin") + ":/usr/bin:/bin"}});

    // The device notice first; then the main window takes the keys.
    Window main = 0;
    for (const auto end = Clock::now() + std::chrono::seconds(20); !main && Clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (const Window box = XWindows::FindMapped(m_display, IsMessageBox))
            XWindows::Close(m_display, box);
        else
            main = XWindows::FindMapped(m_display, IsMainWindow);
    ASSERT_NE(main, 0u);

    wxInitializer toolkit;
    wxImage::AddHandler(new wxPNGHandler);
    const wxImage picture((fs::path(DORVA_PROGRAM).parent_path() / "images/signatures.png").string(), wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(picture.IsOk());
    XWindows::PressKey(m_display, main, XK_F1);
    const Window about = WaitForWindow(m_display, [](const std::string& t) { return t == "About Dorva Editor"; });
    ASSERT_NE(about, 0u);
    int width = 0, height = 0, differing = -1;
    for (const auto end = Clock::now() + std::chrono::seconds(10); differing != 0 && Clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(20)))
    {
        const std::vector<unsigned long> shown = XWindows::Pixels(m_display, about, width, height);
        if (width < picture.GetWidth() || height < picture.GetHeight() || shown.empty())
            continue;
        differing = 0;
        for (int y = 0; y < picture.GetHeight(); ++y)
            for (int x = 0; x < picture.GetWidth(); ++x)
            {
                const unsigned long pixel = shown[static_cast<size_t>(y * width + x)];
                differing += std::abs(int(pixel >> 16 & 0xFF) - picture.GetRed(x, y)) +
                                         std::abs(int(pixel >> 8 & 0xFF) - picture.GetGreen(x, y)) +
                                         std::abs(int(pixel & 0xFF) - picture.GetBlue(x, y)) >
                                     24
                                 ? 1
                                 : 0;
            }
    }
    EXPECT_EQ(differing, 0) << "pixels of the picture not on screen";
    EXPECT_GT(width, picture.GetWidth() + 100) << "the text and OK button beside the picture";
    XWindows::Close(m_display, about);

    // Alt+H opens the Help menu, V its first item.
    for (const auto end = Clock::now() + std::chrono::seconds(20); !fs::exists(opened) && Clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(200)))
    {
        if (XWindows::FindMapped(m_display, [](const std::string& t) { return t == "About Dorva Editor"; }))
            continue;
        XWindows::PressKey(m_display, main, XK_h, {XK_Alt_L});
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, XK_v), True, CurrentTime);
        XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, XK_v), False, CurrentTime);
        XSync(m_display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    const std::string address = ReadText(opened);
    ASSERT_EQ(address.rfind("file://", 0), 0u) << address;
    const std::string page = address.substr(7);
    EXPECT_EQ(fs::path(page).filename(), "help.html");
    wxLogNull quiet;
    wxXmlDocument document(page);
    EXPECT_TRUE(document.IsOk() && document.GetRoot()->GetName() == "html") << page;

    int status = 0;
    CloseEverything(std::chrono::milliseconds(0), status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}
