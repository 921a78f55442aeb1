#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"
#include "app/WxText.h"
#include "tests/app/DialogScripts.h"
#include "tests/app/DisplayTestMain.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/model/TempFolder.h"

namespace
{
// The application object, with the toolkit running but without start-up.
class TestEditorApp : public CEditorApp
{
public:
    TestEditorApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}
    void ForgetDeviceLostNotice() { m_inputLostShown = false; }
};

TestEditorApp& App()
{
    return static_cast<TestEditorApp&>(wxGetApp());
}

struct FakeEditorWindow : IEditorWindow
{
    std::set<std::string> openFiles;
    bool IsTemplateFileOpen(const std::string& path) override { return openFiles.count(path) > 0; }
};

class EditorAppTest : public testing::Test
{
protected:
    EditorAppTest() { App().ForgetDeviceLostNotice(); }
    ~EditorAppTest() override { App().SetMainWindow(nullptr, nullptr); }
    MessageRecorder m_boxes;
};

const wxString kLost = " MIDI device is no longer accessible!\n\nPlease ensure the device is "
                       "turned on and plugged in correctly, then restart the editor";
} // namespace

TEST_F(EditorAppTest, MessagesCarryTheTitleAndBelongToTheInnermostModalDialog)
{
    m_boxes.answer = wxNO;
    EXPECT_EQ(App().ShowMessage("Save changes?", wxYES_NO | wxICON_QUESTION), wxNO);
    wxDialog outer(nullptr, wxID_ANY, "Outer");
    wxDialog* inner = nullptr;
    outer.CallAfter([&] {
        App().ShowMessage("in outer", wxOK);
        wxDialog innerDialog(&outer, wxID_ANY, "Inner");
        inner = &innerDialog;
        innerDialog.CallAfter([&] {
            App().ShowMessage("in inner", wxOK);
            innerDialog.EndModal(wxID_OK);
        });
        innerDialog.ShowModal();
        App().ShowMessage("outer again", wxOK);
        outer.EndModal(wxID_OK);
    });
    outer.ShowModal();

    const auto& boxes = m_boxes.boxes;
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].caption, "Dorva Editor");
    EXPECT_EQ(boxes[0].style, wxYES_NO | wxICON_QUESTION | wxCENTRE);
    EXPECT_EQ(boxes[0].parent, nullptr) << "no window is open";
    EXPECT_EQ(boxes[1].parent, &outer);
    EXPECT_EQ(boxes[2].parent, inner);
    EXPECT_EQ(boxes[3].parent, &outer);
}

TEST_F(EditorAppTest, DeviceLostNoticesShareOneShowing)
{
    App().ReportOutputDeviceLost();
    App().ReportInputDeviceLost();
    App().ForgetDeviceLostNotice();
    App().ReportInputDeviceLost();
    App().ReportOutputDeviceLost();
    ASSERT_EQ(m_boxes.boxes.size(), 2u);
    EXPECT_EQ(m_boxes.boxes[0].text, "The output" + kLost);
    EXPECT_EQ(m_boxes.boxes[0].style, wxOK | wxCENTRE);
    EXPECT_EQ(m_boxes.boxes[1].text, "The input" + kLost);
}

TEST_F(EditorAppTest, DeviceLostNoticeIsNotRepeatedFromInsideItsOwnBox)
{
    // Idle passes run while the box is up, and each finds the port still gone.
    int passes = 0;
    m_boxes.whileShowing = [&] {
        if (passes++ < 3)
            App().ReportInputDeviceLost();
    };
    App().ReportInputDeviceLost();
    EXPECT_EQ(m_boxes.boxes.size(), 1u);
}

TEST_F(EditorAppTest, ChoosersStartAtThePathAndSavingOverAnOpenTemplateIsRefused)
{
    wxFrame main(nullptr, wxID_ANY, "Main");
    FakeEditorWindow window;
    window.openFiles = {"/t/open one.syx"};
    App().SetMainWindow(&main, &window);
    FileChooserScript chooser;

    wxString path = "/home/me/My Templates/Drums & Bass.syx";
    EXPECT_FALSE(App().ChooseOpenFile(path, "SysEx Dump (*.syx)|*.syx"));
    EXPECT_EQ(path, "/home/me/My Templates/Drums & Bass.syx") << "Cancel keeps the path";
    const FileDialogRequest& asked = chooser.requests.at(0);
    EXPECT_EQ(asked.parent, &main);
    EXPECT_EQ(asked.folder, "/home/me/My Templates");
    EXPECT_EQ(asked.file, "Drums & Bass.syx");
    EXPECT_EQ(asked.wildcard, "SysEx Dump (*.syx)|*.syx");
    EXPECT_FALSE(asked.save);

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
    struct Hook : wxModalDialogHook // answers the real dialog before it shows
    {
        wxFileDialog* seen = nullptr;
        wxString directory, filename, wildcard;
        long style = 0;
        int Enter(wxDialog* dialog) override
        {
            if (!(seen = wxDynamicCast(dialog, wxFileDialog)))
                return wxID_NONE;
            directory = seen->GetDirectory(), filename = seen->GetFilename();
            wildcard = seen->GetWildcard(), style = seen->GetWindowStyle();
            return wxID_CANCEL;
        }
        void Exit(wxDialog*) override {}
    } hook;
    hook.Register();
    TempFolder folder;
    wxString path = ToWx(folder.File("Bank 1.blk"));
    EXPECT_FALSE(App().ChooseSaveFile(path, "Bulk Dumps(*.blk)|*.blk"));
    hook.Unregister();

    ASSERT_TRUE(hook.seen);
    EXPECT_EQ(hook.directory, ToWx(folder.Path()));
    EXPECT_EQ(hook.filename, "Bank 1.blk");
    EXPECT_EQ(hook.wildcard, "Bulk Dumps(*.blk)|*.blk");
    EXPECT_EQ(hook.style & (wxFD_SAVE | wxFD_OVERWRITE_PROMPT), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
}

TEST_F(EditorAppTest, TheDataLayerReachesTheApplicationThroughTheHost)
{
    EXPECT_EQ(&Host().Device(), &App().Device());
    m_boxes.answer = wxYES;
    EXPECT_EQ(Host().ShowMessage("Value clamped", MessageStyle::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(m_boxes.boxes.at(0).caption, "Dorva Editor");

    for (int stored : {0, 1, 2})
    {
        App().Prefs().sendErrorsHome = stored;
        EXPECT_EQ(Host().SendErrorsHome(), stored == 1) << stored;
    }

    EXPECT_EQ(Host().Window(), nullptr) << "no main window yet";
    wxFrame main(nullptr, wxID_ANY, "Main");
    FakeEditorWindow window;
    App().SetMainWindow(&main, &window);
    EXPECT_EQ(Host().Window(), &window);

    std::vector<wxString> reports;
    ErrorReportFunction previous = SetErrorReportFunction(
        [&](wxWindow* parent, const wxString& message, const wxString& file, const wxString& type) {
            reports.push_back(wxString::Format("%d|%s|%s|%s", parent == &main, message, file, type));
        });
    Host().ShowErrorReport("Cannot process", "/tmp/t.diff", "Data Error");
    SetErrorReportFunction(nullptr); // the default only logs
    Host().ShowErrorReport("Cannot process", "/tmp/t.diff", "Data Error");
    SetErrorReportFunction(previous);
    EXPECT_EQ(reports, std::vector<wxString>{"1|Cannot process|/tmp/t.diff|Data Error"});
    EXPECT_EQ(m_boxes.boxes.size(), 1u);
}

TEST_F(EditorAppTest, ADeviceWithoutViewMenuAlwaysShowsEveryCaptionLine)
{
    for (int stored : {0, 1, 2})
    {
        App().Prefs().viewType = stored;
        EXPECT_EQ(App().GetViewType(), 3) << stored;
    }
    App().ApplyDefaultViewType();
    EXPECT_EQ(App().Prefs().viewType, 3);
}

TEST_F(EditorAppTest, ReplaceInWindowLabel)
{
    wxFrame frame(nullptr, wxID_ANY, "About $PRODUCT$");
    auto* text = new wxStaticText(&frame, wxID_ANY, "Welcome to the $PRODUCT$ editor.\nConnect your $PRODUCT$ && go.");
    CEditorApp::ReplaceInWindowLabel(text, "$PRODUCT$", "R&D");
    EXPECT_EQ(text->GetLabelText(), "Welcome to the R&D editor.\nConnect your R&D & go.");
    CEditorApp::ReplaceInWindowLabel(&frame, "$PRODUCT$", "R&D");
    EXPECT_EQ(frame.GetTitle(), "About R&D");
}

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] { return new TestEditorApp; });
}
