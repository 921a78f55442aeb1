#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>

#include "app/WxText.h"
#include "model/EditorHost.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/TestFolder.h"

namespace
{
const wxString kInputLost = "The input MIDI device is no longer accessible!\n\nPlease ensure the "
                            "device is turned on and plugged in correctly, then restart the editor";
const wxString kOutputLost = "The output MIDI device is no longer accessible!\n\nPlease ensure the "
                             "device is turned on and plugged in correctly, then restart the editor";
const wxString kAlreadyLoaded =
    "A template with the same filename is already loaded.\nPlease choose a different filename.";

class FakeEditorWindow : public IEditorWindow
{
public:
    std::set<std::string> openFiles;
    bool IsTemplateFileOpen(const std::string& path) override { return openFiles.count(path) > 0; }
};

// Answers the file chooser as a user would, and notes what it was asked.
class FileChooserScript
{
public:
    FileChooserScript()
        : m_previous(SetFileDialogFunction([this](const FileDialogRequest& request, wxString& chosen) {
              requests.push_back(request);
              if (answer.empty())
                  return false;
              chosen = answer;
              return true;
          }))
    {
    }
    ~FileChooserScript() { SetFileDialogFunction(m_previous); }

    wxString answer; // empty: Cancel
    std::vector<FileDialogRequest> requests;

private:
    FileDialogFunction m_previous;
};

class EditorAppTest : public testing::Test
{
protected:
    EditorAppTest() { App().ForgetDeviceLostNotice(); }
    ~EditorAppTest() override { App().SetMainWindow(nullptr, nullptr); }

    static TestEditorApp& App() { return TestApp(); }
};
} // namespace

TEST_F(EditorAppTest, MessagesCarryTheProgramTitleAndReturnTheAnswer)
{
    MessageRecorder boxes(wxNO);
    EXPECT_EQ(App().ShowMessage("Save changes?", wxYES_NO | wxICON_QUESTION), wxNO);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Save changes?");
    EXPECT_EQ(boxes.boxes[0].caption, "Dorva Editor");
    EXPECT_EQ(boxes.boxes[0].style, wxYES_NO | wxICON_QUESTION | wxCENTRE);
    EXPECT_EQ(boxes.boxes[0].parent, nullptr) << "no window is open";
}

TEST_F(EditorAppTest, MessageDuringAModalDialogBelongsToTheInnermostDialog)
{
    MessageRecorder boxes;
    wxDialog outer(nullptr, wxID_ANY, "Outer");
    wxDialog* inner = nullptr;
    outer.CallAfter([&] {
        App().ShowMessage("from the outer dialog", wxOK);
        wxDialog innerDialog(&outer, wxID_ANY, "Inner");
        inner = &innerDialog;
        innerDialog.CallAfter([&] {
            App().ShowMessage("from the inner dialog", wxOK);
            innerDialog.EndModal(wxID_OK);
        });
        innerDialog.ShowModal();
        App().ShowMessage("back in the outer dialog", wxOK);
        outer.EndModal(wxID_OK);
    });
    outer.ShowModal();

    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(boxes.boxes[0].parent, &outer);
    EXPECT_EQ(boxes.boxes[1].parent, inner);
    EXPECT_EQ(boxes.boxes[2].parent, &outer);
}

TEST_F(EditorAppTest, InputLostIsShownOnce)
{
    MessageRecorder boxes;
    App().ReportInputDeviceLost();
    App().ReportInputDeviceLost();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, kInputLost);
    EXPECT_EQ(boxes.boxes[0].style, wxOK | wxCENTRE);
    EXPECT_EQ(boxes.boxes[0].caption, "Dorva Editor");
}

TEST_F(EditorAppTest, AfterOutputLostAnInputLossIsNotShown)
{
    MessageRecorder boxes;
    App().ReportOutputDeviceLost();
    App().ReportInputDeviceLost();
    App().ReportOutputDeviceLost();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, kOutputLost);
}

TEST_F(EditorAppTest, DeviceLostNoticeIsNotRepeatedFromInsideItsOwnBox)
{
    // The toolkit runs idle passes while the box is up; each pass finds the
    // port still gone and reports it again.
    MessageRecorder boxes;
    int nested = 0;
    boxes.whileShowing = [&] {
        if (nested++ < 3)
        {
            App().ReportInputDeviceLost();
            App().ReportOutputDeviceLost();
        }
    };
    App().ReportInputDeviceLost();
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(nested, 1);
}

TEST_F(EditorAppTest, OpenChooserStartsAtThePathAndCancelKeepsIt)
{
    wxFrame main(nullptr, wxID_ANY, "Main");
    App().SetMainWindow(&main, nullptr);
    FileChooserScript chooser;
    wxString path = "/home/me/My Templates/Drums & Bass.syx";
    EXPECT_FALSE(App().ChooseOpenFile(path, "SysEx Dump (*.syx)|*.syx"));
    EXPECT_EQ(path, "/home/me/My Templates/Drums & Bass.syx");
    ASSERT_EQ(chooser.requests.size(), 1u);
    const FileDialogRequest& asked = chooser.requests[0];
    EXPECT_EQ(asked.parent, &main);
    EXPECT_EQ(asked.folder, "/home/me/My Templates");
    EXPECT_EQ(asked.file, "Drums & Bass.syx");
    EXPECT_EQ(asked.wildcard, "SysEx Dump (*.syx)|*.syx");
    EXPECT_FALSE(asked.save);

    chooser.answer = "/home/me/other.syx";
    EXPECT_TRUE(App().ChooseOpenFile(path, "SysEx Dump (*.syx)|*.syx"));
    EXPECT_EQ(path, "/home/me/other.syx");
}

TEST_F(EditorAppTest, OpeningAnOpenTemplateIsLeftToTheOpenCommand)
{
    FakeEditorWindow window;
    window.openFiles = {"/t/open.syx"};
    App().SetMainWindow(nullptr, &window);
    FileChooserScript chooser;
    chooser.answer = "/t/open.syx";
    MessageRecorder boxes;
    wxString path;
    EXPECT_TRUE(App().ChooseOpenFile(path, "*.syx"));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(EditorAppTest, SavingOverAnOpenTemplateIsRefused)
{
    FakeEditorWindow window;
    window.openFiles = {"/t/open one.syx"};
    App().SetMainWindow(nullptr, &window);
    FileChooserScript chooser;
    MessageRecorder boxes;

    chooser.answer = "/t/open one.syx";
    wxString path = "/t/new.syx";
    EXPECT_FALSE(App().ChooseSaveFile(path, "SysEx Dump (*.syx)|*.syx"));
    EXPECT_EQ(path, "/t/open one.syx") << "the refused name stays in the caller's variable";
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, kAlreadyLoaded);
    EXPECT_EQ(boxes.boxes[0].style, wxOK | wxCENTRE);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_TRUE(chooser.requests[0].save);
    EXPECT_EQ(chooser.requests[0].folder, "/t");
    EXPECT_EQ(chooser.requests[0].file, "new.syx");

    chooser.answer = "/t/free.syx";
    EXPECT_TRUE(App().ChooseSaveFile(path, "SysEx Dump (*.syx)|*.syx"));
    EXPECT_EQ(path, "/t/free.syx");
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(EditorAppTest, TheRealChooserIsAskedWhatTheCallerGave)
{
    // The toolkit's own dialog, stopped by a modal hook before it shows.
    class Hook : public wxModalDialogHook
    {
    public:
        wxString directory, filename, wildcard;
        long style = 0;
        bool seen = false;

    protected:
        int Enter(wxDialog* dialog) override
        {
            auto* files = wxDynamicCast(dialog, wxFileDialog);
            if (!files)
                return wxID_NONE;
            seen = true;
            directory = files->GetDirectory();
            filename = files->GetFilename();
            wildcard = files->GetWildcard();
            style = files->GetWindowStyle();
            return wxID_CANCEL;
        }
        void Exit(wxDialog*) override {}
    } hook;
    hook.Register();

    TestFolder folder;
    wxString path = ToWx(folder.Path() + "/Bank 1.blk");
    EXPECT_FALSE(App().ChooseSaveFile(path, "Bulk Dumps(*.blk)|*.blk"));
    hook.Unregister();

    ASSERT_TRUE(hook.seen);
    EXPECT_EQ(path, ToWx(folder.Path() + "/Bank 1.blk"));
    EXPECT_EQ(hook.directory, ToWx(folder.Path()));
    EXPECT_EQ(hook.filename, "Bank 1.blk");
    EXPECT_EQ(hook.wildcard, "Bulk Dumps(*.blk)|*.blk");
    EXPECT_TRUE(hook.style & wxFD_SAVE);
    EXPECT_TRUE(hook.style & wxFD_OVERWRITE_PROMPT);
}

TEST_F(EditorAppTest, ErrorReportGoesToTheReportDialogWithTheMainWindow)
{
    struct Report
    {
        wxWindow* parent;
        wxString message, file, type;
    };
    std::vector<Report> reports;
    ErrorReportFunction previous = SetErrorReportFunction(
        [&](wxWindow* parent, const wxString& message, const wxString& file, const wxString& type) {
            reports.push_back({parent, message, file, type});
        });
    wxFrame main(nullptr, wxID_ANY, "Main");
    App().SetMainWindow(&main, nullptr);
    App().ShowErrorReport("This template contains settings...", "/tmp/t.diff", "Data Error");
    SetErrorReportFunction(previous);

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].parent, &main);
    EXPECT_EQ(reports[0].message, "This template contains settings...");
    EXPECT_EQ(reports[0].file, "/tmp/t.diff");
    EXPECT_EQ(reports[0].type, "Data Error");

    // Without a report dialog the report is only logged.
    SetErrorReportFunction(nullptr);
    MessageRecorder boxes;
    App().ShowErrorReport("m", "f", "Data Error");
    EXPECT_TRUE(boxes.boxes.empty());
    SetErrorReportFunction(previous);
}

TEST_F(EditorAppTest, TheDataLayerReachesTheApplicationThroughTheHost)
{
    EXPECT_EQ(Host().Device().GetAppTitle(), "Dorva Editor");
    EXPECT_EQ(&Host().Device(), &App().Device());

    MessageRecorder boxes(wxYES);
    EXPECT_EQ(Host().ShowMessage("Value clamped", MessageStyle::YesNo), MessageAnswer::Yes);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "Dorva Editor");
    EXPECT_EQ(boxes.boxes[0].style, wxYES_NO | wxCENTRE);

    App().Prefs().sendErrorsHome = 1;
    EXPECT_TRUE(Host().SendErrorsHome());
    App().Prefs().sendErrorsHome = 2;
    EXPECT_FALSE(Host().SendErrorsHome());
    App().Prefs().sendErrorsHome = 0;
    EXPECT_FALSE(Host().SendErrorsHome());
    App().Prefs().sendErrorsHome = 1;

    EXPECT_EQ(Host().Window(), nullptr) << "no main window yet";
    FakeEditorWindow window;
    App().SetMainWindow(nullptr, &window);
    EXPECT_EQ(Host().Window(), &window);

    std::vector<wxString> types;
    ErrorReportFunction previous = SetErrorReportFunction(
        [&](wxWindow*, const wxString&, const wxString&, const wxString& type) { types.push_back(type); });
    Host().ShowErrorReport("m", "f", "Data Error");
    SetErrorReportFunction(previous);
    EXPECT_EQ(types, std::vector<wxString>{"Data Error"});
}

TEST_F(EditorAppTest, MessageStylesAreTheToolkitsOwn)
{
    static_assert(MessageStyle::Yes == wxYES && MessageStyle::No == wxNO && MessageStyle::Ok == wxOK &&
                  MessageStyle::Cancel == wxCANCEL && MessageStyle::YesNo == wxYES_NO);
    static_assert(MessageStyle::IconExclamation == wxICON_EXCLAMATION &&
                  MessageStyle::IconError == wxICON_ERROR &&
                  MessageStyle::IconQuestion == wxICON_QUESTION &&
                  MessageStyle::IconInformation == wxICON_INFORMATION);
    static_assert(MessageAnswer::Yes == wxYES && MessageAnswer::No == wxNO &&
                  MessageAnswer::Ok == wxOK && MessageAnswer::Cancel == wxCANCEL);
}

TEST_F(EditorAppTest, ReplaceInWindowLabel)
{
    wxFrame frame(nullptr, wxID_ANY, "About $PRODUCT$");
    auto* text = new wxStaticText(&frame, wxID_ANY, "Welcome to the $PRODUCT$ editor.\nConnect your $PRODUCT$.");
    CEditorApp::ReplaceInWindowLabel(text, "$PRODUCT$", "Dorva");
    EXPECT_EQ(text->GetLabelText(), "Welcome to the Dorva editor.\nConnect your Dorva.");

    auto* entry = new wxStaticText(&frame, wxID_ANY, "Rename this $ENTRY$ && keep it");
    CEditorApp::ReplaceInWindowLabel(entry, "$ENTRY$", "R&D Patch");
    EXPECT_EQ(entry->GetLabelText(), "Rename this R&D Patch & keep it");

    CEditorApp::ReplaceInWindowLabel(&frame, "$PRODUCT$", "R&D");
    EXPECT_EQ(frame.GetTitle(), "About R&D");

    CEditorApp::ReplaceInWindowLabel(text, "$MISSING$", "x");
    EXPECT_EQ(text->GetLabelText(), "Welcome to the Dorva editor.\nConnect your Dorva.");
    CEditorApp::ReplaceInWindowLabel(nullptr, "$PRODUCT$", "Dorva");
}

TEST_F(EditorAppTest, ExitSavesThePreferences)
{
    TestFolder folder;
    ScopedEnv xdg("XDG_CONFIG_HOME", folder.Path().c_str());
    ASSERT_TRUE(App().Prefs().Load(App().Device().GetAppTitle()));
    App().Recent().Add("/t/last.syx");
    App().Prefs().startupAction = 3;
    App().OnExit();
    EXPECT_FALSE(App().Prefs().IsLoaded());

    Preferences nextRun;
    ASSERT_TRUE(nextRun.Load("Dorva Editor"));
    EXPECT_EQ(nextRun.startupAction, 3);
    EXPECT_EQ(nextRun.recentFiles.Get(0), "/t/last.syx");
}
