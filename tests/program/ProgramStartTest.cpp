#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/program/EditorProcess.h"

namespace
{
struct FailedStart
{
    const char* name;
    std::function<void(EditorProcess&)> prepare;
    bool display;
    std::string expected; // the one line on stderr; "<folder>" is the program folder
};

std::string WithFolder(std::string text, const EditorProcess& program)
{
    const std::string placeholder = "<folder>";
    const std::string::size_type at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, placeholder.size(), program.File("").substr(0, program.File("").size() - 1));
    return text;
}
} // namespace

// A start that cannot go on says why in one line on the terminal and ends
// with a failure code, never silently and never in a crash.
TEST(ProgramStart, AFailedStartSaysWhyInOneLine)
{
    const FailedStart cases[] = {
        {"no font", [](EditorProcess& p) { p.Remove("images/Font.png"); }, true,
         "Dorva Editor: cannot load the display font \"<folder>/images/Font.png\": the file is missing.\n"},
        {"font not a picture", [](EditorProcess& p) { p.Write("images/Font.png", "not a picture"); }, true,
         "Dorva Editor: cannot load the display font \"<folder>/images/Font.png\": the file is not a picture the "
         "program can read.\n"},
        {"no display", [](EditorProcess&) {}, false,
         "Dorva Editor: no display could be opened: DISPLAY is not set. The editor needs a graphical desktop "
         "session.\n"},
    };
    for (const FailedStart& start : cases)
    {
        EditorProcess program;
        start.prepare(program);
        program.Start({}, start.display);
        EditorProcess::Ending ending;
        ASSERT_TRUE(program.WaitForExit(ending)) << start.name << ": still running";
        EXPECT_EQ(ending.signal, 0) << start.name << ": ended by a signal";
        EXPECT_NE(ending.exitCode, 0) << start.name;
        EXPECT_EQ(program.Errors(), WithFolder(start.expected, program)) << start.name;
    }
}

// Without the shared layouts the program still starts, says which file is
// missing, and keeps what the device's own file holds.
TEST(ProgramStart, WithoutTheCommonLayoutsItSaysSoAndGoesOn)
{
    EditorProcess program;
    program.Remove("Common.xrc");
    program.WritePreferences("StartupAction=1\n");
    program.Start();
    ASSERT_TRUE(program.WaitForError("Error: The window layouts file \"" + program.File("Common.xrc") +
                                     "\" is missing: the dialogs and settings panels it holds cannot be opened.\n"))
        << program.Errors();
    EXPECT_TRUE(program.IsRunning()) << program.Errors();
}
