// A real accessibility client reads the running editor: a python script with
// pyatspi, on the private accessibility bus of this test's D-Bus session.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include <cstdio>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/utils.h>

#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/UiTestApp.h"
#include "ui/MainFrame.h"

namespace
{
// A child process whose standard output is read line by line without blocking.
class ScriptProcess
{
public:
    explicit ScriptProcess(const std::vector<std::string>& command)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0)
        {
            ::dup2(fds[1], STDOUT_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
            std::vector<char*> argv;
            for (const std::string& part : command)
                argv.push_back(const_cast<char*>(part.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        m_fd = fds[0];
        ::fcntl(m_fd, F_SETFL, O_NONBLOCK);
    }
    ~ScriptProcess()
    {
        if (m_pid > 0 && !m_exited)
        {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool Started() const { return m_pid > 0; }
    // The next complete line, if one has arrived.
    bool ReadLine(std::string& line)
    {
        char buffer[4096];
        ssize_t got;
        while ((got = ::read(m_fd, buffer, sizeof buffer)) > 0)
            m_pending.append(buffer, static_cast<std::size_t>(got));
        const std::size_t end = m_pending.find('\n');
        if (end == std::string::npos)
            return false;
        line = m_pending.substr(0, end);
        m_pending.erase(0, end + 1);
        return true;
    }
    bool Exited()
    {
        int status = 0;
        if (!m_exited && ::waitpid(m_pid, &status, WNOHANG) == m_pid)
        {
            m_exited = true;
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return m_exited;
    }
    int ExitCode() const { return m_exitCode; }

private:
    pid_t m_pid = -1;
    int m_fd = -1;
    std::string m_pending;
    bool m_exited = false;
    int m_exitCode = -1;
};

class PanelScreenReaderTest : public UiTest
{
protected:
    PanelScreenReaderTest()
    {
        TestApp().realMainWindow = true;
        WritePreferences([](Preferences& p) { p.startupAction = 1; });
        EXPECT_TRUE(TestApp().Start());
        m_frame = dynamic_cast<CMainFrame*>(TestApp().GetMainWindow());
    }

    // Runs the reader against this process; its "step" lines run the action
    // of that name while the toolkit keeps answering the reader's questions.
    void RunReader(const std::map<std::string, std::function<void()>>& steps)
    {
        ScriptProcess reader({"/usr/bin/python3", DORVA_SCREEN_READER_SCRIPT, std::to_string(::getpid())});
        ASSERT_TRUE(reader.Started());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
        bool done = false;
        while (!reader.Exited())
        {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the reader did not finish";
            wxTheApp->Yield(true);
            std::string line;
            while (reader.ReadLine(line))
            {
                std::printf("reader: %s\n", line.c_str());
                if (line.rfind("fail ", 0) == 0)
                    ADD_FAILURE() << line.substr(5);
                else if (line.rfind("step ", 0) == 0)
                {
                    auto step = steps.find(line.substr(5));
                    ASSERT_NE(step, steps.end()) << line;
                    step->second();
                }
                else if (line == "done")
                    done = true;
            }
            wxMilliSleep(2);
        }
        EXPECT_TRUE(done);
        EXPECT_EQ(reader.ExitCode(), 0);
    }

    CMainFrame* m_frame = nullptr;
};

TEST_F(PanelScreenReaderTest, AReaderFindsThePanelsControlsAndFollowsTheKeyboardFocus)
{
    ASSERT_NE(m_frame, nullptr);
    m_frame->AddTemplate(CDorvaSynthAnswers().CreateTemplate());
    // What the reader expects to hear as the controls' descriptions.
    CEditorTemplate& current = *m_frame->GetCurrentTemplate();
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    current.GetControl(0)->SetName("Cutoff");
    current.GetControl(22)->SetType(ControlMessageType::Disabled, false);
    m_frame->Show();
    ASSERT_TRUE(RealInput::Focus(m_frame->GetPanelWindow()));
    auto key = [](int code, int modifiers = wxMOD_NONE) { return [code, modifiers] { RealInput::Key(code, modifiers); }; };
    RunReader({{"TAB", key(WXK_TAB)},
               {"DOWN", key(WXK_DOWN)},
               {"RIGHT", key(WXK_RIGHT)},
               {"SHIFT+TAB", key(WXK_TAB, wxMOD_SHIFT)},
               // The main window goes as it does when the program ends.
               {"CLOSE", [this] {
                    TestApp().Stop();
                    m_frame = nullptr;
                }}});
}
} // namespace
