// A real accessibility client reads the running editor: a python script with
// pyatspi, on the private accessibility bus of this test's D-Bus session.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/utils.h>

#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/UiTestApp.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"
#include "ui/ResourceFiles.h"
#include "ui/TemplateUI.h"

namespace
{
using PanelScreenReaderTest = UiTest;

TEST_F(PanelScreenReaderTest, AReaderFindsThePanelsControlsAndFollowsTheKeyboardFocus)
{
    // The template settings dialog of a new template is made from them.
    ASSERT_TRUE(LoadResourceFiles("DorvaSynthEditor"));
    TestApp().realMainWindow = true;
    WritePreferences([](Preferences& p) { p.startupAction = 1; });
    ASSERT_TRUE(TestApp().Start());
    auto* frame = dynamic_cast<CMainFrame*>(TestApp().GetMainWindow());
    ASSERT_NE(frame, nullptr);
    // A second template for Ctrl+Tab to switch to.
    frame->AddTemplate(CDorvaSynthAnswers().CreateTemplate());
    frame->AddTemplate(CDorvaSynthAnswers().CreateTemplate());
    // What the reader expects to hear as the controls' descriptions.
    CEditorTemplate& current = *frame->GetCurrentTemplate();
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    current.GetControl(0)->SetName("Cutoff");
    current.GetControl(22)->SetType(ControlMessageType::Disabled, false);
    // Pointed at later: the panel has its tip then.
    current.GetControl(1)->SetType(ControlMessageType::CC, false);
    ASSERT_TRUE(RealInput::Focus(frame->GetPanelWindow()));

    // The reader's "step" lines ask for these, while the toolkit keeps
    // answering its questions; the main window goes as when the program ends.
    auto key = [](int code, int modifiers = wxMOD_NONE) { return [=] { RealInput::Key(code, modifiers); }; };
    wxWindow* panel = frame->GetPanelWindow();
    const wxPoint empty(5, 5);
    ASSERT_EQ(frame->GetView()->ControlButtonAt(empty), nullptr);
    const wxPoint pot2 = frame->GetView()->ControlCentre(1);
    // A window manager gives a dialog the keys, and the main window again after it.
    RealInput::ModalScript<wxDialog> escape([](wxDialog& dialog) {
        EXPECT_TRUE(RealInput::Focus(&dialog));
        RealInput::Key(WXK_ESCAPE);
    });
    MessageRecorder questions; // a template to save is not
    questions.answer = wxNO;
    const std::map<std::string, std::function<void()>> steps = {
        {"TAB", key(WXK_TAB)},
        {"DOWN", key(WXK_DOWN)},
        {"RIGHT", key(WXK_RIGHT)},
        {"SHIFT+TAB", key(WXK_TAB, wxMOD_SHIFT)},
        {"CTRL+CLICK 1", [=] { RealInput::Click(panel, pot2, wxMOD_CONTROL); }},
        {"CLICK EMPTY", [=] { RealInput::Click(panel, empty); }},
        // From empty space across the first two pots.
        {"BAND 0 1", [=] { RealInput::Drag(panel, empty, pot2 - wxPoint(0, pot2.y - 30)); }},
        {"CTRL+TAB", key(WXK_TAB, wxMOD_CONTROL)},
        {"CLICK 1", [=] { RealInput::Click(panel, pot2); }},
        {"CLICK 2", [=] { RealInput::Click(panel, frame->GetView()->ControlCentre(2)); }},
        {"CTRL+CLICK 3", [=] { RealInput::Click(panel, frame->GetView()->ControlCentre(3), wxMOD_CONTROL); }},
        {"ABOUT", [=] { key(WXK_F1)(); EXPECT_TRUE(RealInput::Focus(panel)); }},
        {"NEW", [=] { key('N', wxMOD_CONTROL)(); EXPECT_TRUE(RealInput::Focus(panel)); }},
        {"CLOSE ALL", [=] {
            while (frame->GetTemplateCount() > 0)
                ASSERT_TRUE(RealInput::ChooseMenuItem(frame, MenuId::Close));
        }},
        {"CLOSE", [] { TestApp().Stop(); }},
    };

    const std::string command =
        "/usr/bin/python3 " DORVA_SCREEN_READER_SCRIPT " " + std::to_string(::getpid()) + " 2>&1";
    FILE* reader = ::popen(command.c_str(), "r");
    ASSERT_NE(reader, nullptr);
    ::fcntl(::fileno(reader), F_SETFL, O_NONBLOCK);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    std::string pending;
    bool done = false;
    for (ssize_t got = -1; got != 0;)
    {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the reader did not finish";
        wxTheApp->Yield(true);
        char buffer[4096];
        if ((got = ::read(::fileno(reader), buffer, sizeof buffer)) > 0)
            pending.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
        {
            const std::string line = pending.substr(0, end);
            std::printf("reader: %s\n", line.c_str());
            if (line.rfind("fail ", 0) == 0)
                ADD_FAILURE() << line.substr(5);
            else if (line.rfind("step ", 0) == 0)
            {
                ASSERT_EQ(steps.count(line.substr(5)), 1u) << line;
                steps.at(line.substr(5))();
            }
            done = done || line == "done";
        }
        if (got < 0)
            wxMilliSleep(2);
    }
    EXPECT_TRUE(done);
    EXPECT_EQ(::pclose(reader), 0) << "the reader's failures";
}
} // namespace
