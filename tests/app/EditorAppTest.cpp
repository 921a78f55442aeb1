#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>

#include <set>

#include <wx/filedlg.h>
#include <wx/log.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>

#include "app/EditorApp.h"
#include "app/ToolkitGL.h"
#include "app/WxText.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/app/DialogScripts.h"
#include "tests/app/DisplayTestMain.h"
#include "tests/app/ScopedEnv.h"
#include "tests/app/ToolkitAsserts.h"

namespace
{
// The application object, with the toolkit running but without start-up.
struct TestEditorApp : CEditorApp
{
    TestEditorApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}
    void ForgetDeviceLostNotice() { m_inputLostShown = false; }
};
TestEditorApp& App()
{
    return static_cast<TestEditorApp&>(wxGetApp());
}

struct EditorAppTest : testing::Test, IEditorWindow
{
    EditorAppTest() { App().ForgetDeviceLostNotice(); }
    ~EditorAppTest() override { App().SetMainWindow(nullptr, nullptr); }
    bool IsTemplateFileOpen(const std::string& path) override { return path == "/t/open one.syx"; }
    MessageRecorder m_boxes;
    wxFrame m_main{nullptr, wxID_ANY, "Main"};
};
} // namespace

TEST_F(EditorAppTest, MessagesCarryTheTitleAndBelongToTheInnermostModalDialog)
{
    m_boxes.answer = wxNO;
    EXPECT_EQ(App().ShowMessage("Save changes?", wxYES_NO | wxICON_QUESTION), wxNO);
    wxDialog outer(nullptr, wxID_ANY, "Outer"), inner(&outer, wxID_ANY, "Inner");
    outer.CallAfter([&] {
        App().ShowMessage("in outer", wxOK);
        inner.CallAfter([&] { App().ShowMessage("in inner", wxOK), inner.EndModal(wxID_OK); });
        inner.ShowModal();
        App().ShowMessage("outer again", wxOK);
        outer.EndModal(wxID_OK);
    });
    outer.ShowModal();
    const auto& boxes = m_boxes.boxes;
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].caption, "Dorva Editor");
    EXPECT_EQ(boxes[0].style, wxYES_NO | wxICON_QUESTION | wxCENTRE);
    EXPECT_EQ(std::vector<wxWindow*>({boxes[0].parent, boxes[1].parent, boxes[2].parent, boxes[3].parent}),
              std::vector<wxWindow*>({nullptr, &outer, &inner, &outer}));
}

TEST_F(EditorAppTest, DeviceLostNoticesShareOneShowingAndAreNotRepeatedFromInsideTheBox)
{
    // Idle passes run while the box is up, and each finds the port still gone.
    m_boxes.whileShowing = [] { App().ReportInputDeviceLost(); };
    App().ReportOutputDeviceLost();
    App().ReportInputDeviceLost();
    App().ForgetDeviceLostNotice();
    App().ReportInputDeviceLost();
    const wxString lost = " MIDI device is no longer accessible!\n\nPlease ensure the device is turned on and plugged "
                          "in correctly, then restart the editor";
    ASSERT_EQ(m_boxes.boxes.size(), 2u);
    EXPECT_EQ(m_boxes.boxes[0].text, "The output" + lost);
    EXPECT_EQ(m_boxes.boxes[0].style, wxOK | wxCENTRE);
    EXPECT_EQ(m_boxes.boxes[1].text, "The input" + lost);
}

TEST_F(EditorAppTest, ChoosersStartAtThePathAndSavingOverAnOpenTemplateIsRefused)
{
    App().SetMainWindow(&m_main, this);
    FileChooserScript chooser;
    wxString path = "/home/me/My Templates/Drums & Bass.syx";
    EXPECT_FALSE(App().ChooseOpenFile(path, "SysEx Dump (*.syx)|*.syx"));
    EXPECT_EQ(path, "/home/me/My Templates/Drums & Bass.syx") << "Cancel keeps the path";
    const FileDialogRequest asked = chooser.requests.at(0);
    EXPECT_EQ(asked.parent, &m_main);
    EXPECT_EQ(asked.folder + "|" + asked.file + "|" + asked.wildcard + "|" + (asked.save ? "save" : "open"),
              "/home/me/My Templates|Drums & Bass.syx|SysEx Dump (*.syx)|*.syx|open");
    chooser.answer = "/t/open one.syx";
    EXPECT_TRUE(App().ChooseOpenFile(path, "*.syx")) << "the open command deals with it";
    path = "/t/new.syx";
    EXPECT_FALSE(App().ChooseSaveFile(path, "*.syx"));
    EXPECT_TRUE(chooser.requests.back().save);
    EXPECT_EQ(path, "/t/open one.syx") << "the refused name stays in the caller's variable";
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text,
              "A template with the same filename is already loaded.\nPlease choose a different filename.");
    chooser.answer = "/t/free.syx";
    EXPECT_TRUE(App().ChooseSaveFile(path, "*.syx"));
    EXPECT_EQ(path, "/t/free.syx");
}

TEST_F(EditorAppTest, TheToolkitChooserGetsWhatTheCallerGave)
{
    struct : wxModalDialogHook // answers the real chooser before it shows
    {
        wxString seen;
        int Enter(wxDialog* dialog) override
        {
            auto* chooser = dynamic_cast<wxFileDialog*>(dialog);
            if (chooser)
                seen = chooser->GetDirectory() + "|" + chooser->GetFilename() + "|" + chooser->GetWildcard() +
                       ((chooser->GetWindowStyle() & wxFD_OVERWRITE_PROMPT) ? "|prompt" : "|none");
            return chooser ? wxID_CANCEL : wxID_NONE;
        }
        void Exit(wxDialog*) override {}
    } hook;
    hook.Register();
    wxString path = "/tmp/Bank 1.blk";
    EXPECT_FALSE(App().ChooseSaveFile(path, "Bulk Dumps(*.blk)|*.blk"));
    hook.Unregister();
    EXPECT_EQ(hook.seen, "/tmp|Bank 1.blk|Bulk Dumps(*.blk)|*.blk|prompt");
}

TEST_F(EditorAppTest, TheDataLayerReachesTheApplicationThroughTheHost)
{
    EXPECT_EQ(&Host().Device(), &App().Device());
    m_boxes.answer = wxYES;
    EXPECT_EQ(Host().ShowMessage("Value clamped", MessageStyle::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(m_boxes.boxes.at(0).caption, "Dorva Editor");
    for (int stored : {0, 1, 2})
    {
        App().Prefs().sendErrorsHome = App().Prefs().viewType = stored;
        EXPECT_EQ(Host().SendErrorsHome(), stored == 1) << stored;
        EXPECT_EQ(App().GetViewType(), 3) << "this device has no View menu: every caption line";
    }
    App().ApplyDefaultViewType();
    EXPECT_EQ(App().Prefs().viewType, 3);

    EXPECT_EQ(Host().Window(), nullptr) << "no main window yet";
    App().SetMainWindow(&m_main, this);
    EXPECT_EQ(Host().Window(), this);
    std::vector<wxString> reports;
    ErrorReportFunction previous = SetErrorReportFunction([&](wxWindow* parent, const wxString& message,
                                                              const wxString& file, const wxString& type) {
        reports.push_back(wxString::Format("%d|%s|%s|%s", parent == &m_main, message, file, type));
    });
    Host().ShowErrorReport("Cannot process", "/tmp/t.diff", "Data Error");
    SetErrorReportFunction(nullptr); // the default only logs
    Host().ShowErrorReport("Cannot process", "/tmp/t.diff", "Data Error");
    SetErrorReportFunction(previous);
    EXPECT_EQ(reports, std::vector<wxString>{"1|Cannot process|/tmp/t.diff|Data Error"});
    EXPECT_EQ(m_boxes.boxes.size(), 1u);
}

TEST_F(EditorAppTest, ReplaceInWindowLabelShowsAnAmpersandInTheValue)
{
    m_main.SetLabel("About $PRODUCT$");
    auto* text = new wxStaticText(&m_main, wxID_ANY, "Welcome to $PRODUCT$.\nConnect your $PRODUCT$ && go.");
    CEditorApp::ReplaceInWindowLabel(text, "$PRODUCT$", "R&D");
    CEditorApp::ReplaceInWindowLabel(&m_main, "$PRODUCT$", "R&D");
    EXPECT_EQ(text->GetLabelText() + "|" + m_main.GetTitle(), "Welcome to R&D.\nConnect your R&D & go.|About R&D");
}

// GL is off while the toolkit starts; afterwards programs started from the
// editor see what the user gave, and a setting of the user's own is never touched.
TEST(ToolkitGL, OffForTheStartOnlyAndNeverOverTheUsersSetting)
{
    const auto setting = [] { return std::getenv("GDK_GL") ? std::string(std::getenv("GDK_GL")) : "(unset)"; };
    const char* const rows[][3] = {{nullptr, "disable", "(unset)"}, {"always", "always", "always"}, {"", "", ""}};
    for (const auto& row : rows)
    {
        const ScopedEnv user("GDK_GL", row[0]);
        ToolkitGL::DisableBeforeStart();
        const std::string during = setting();
        ToolkitGL::RestoreAfterStart();
        EXPECT_EQ(during + "|" + setting(), std::string(row[1]) + "|" + row[2]);
    }
}

// The run's own safety net: a dialog or box nobody answers fails the test within seconds.
TEST_F(EditorAppTest, ADialogOrBoxNobodyAnswersFailsTheTest)
{
    SetMessageBoxFunction(nullptr); // the real box
    wxDialog dialog(nullptr, wxID_ANY, "Forgotten");
    dialog.CallAfter([] { wxMessageBox("Nobody reads this", "Box"); });
    testing::TestPartResultArray failures;
    {
        testing::ScopedFakeTestPartResultReporter intercept(&failures);
        dialog.ShowModal();
    }
    ASSERT_EQ(failures.size(), 2);
    EXPECT_THAT(failures.GetTestPartResult(0).message(),
                testing::HasSubstr("message box was left open: \"Box\" Nobody reads this"));
    EXPECT_THAT(failures.GetTestPartResult(1).message(), testing::HasSubstr("dialog was left open: \"Forgotten\""));
}

// A failed check inside the toolkit goes to the log, not to a box whose Stop would end the program.
TEST_F(EditorAppTest, AFailedToolkitCheckIsLoggedWithoutABox)
{
    struct Recorder : wxLog
    {
        wxString text;
        void DoLogTextAtLevel(wxLogLevel, const wxString& message) override { text += message; }
    } recorder;
    wxLog* const previousLog = wxLog::SetActiveTarget(&recorder);
    const wxAssertHandler_t tests = wxSetAssertHandler(ToolkitAssertHandler());
    wxFAIL_MSG("a check that failed");
    wxSetAssertHandler(tests);
    wxLog::SetActiveTarget(previousLog);
    EXPECT_NE(recorder.text.find("a check that failed"), wxString::npos) << recorder.text;
}

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] { return new TestEditorApp; });
}
