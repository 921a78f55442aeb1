#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/image.h>
#include <wx/filename.h>

#include "tests/app/ScopedEnv.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/FieldInput.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/Browser.h"
#include "ui/dialogs/PreferencesDialog.h"

using namespace FieldInput;

namespace
{
std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const char* const kRestartNotice = "Please restart the Dorva Editor for your changes to take effect";

// Preferences stored in a folder of their own, every value at its default.
class PreferencesDialogTest : public DialogTest
{
protected:
    void SetUp() override
    {
        Preferences& prefs = TestApp().Prefs();
        static_cast<PreferenceValues&>(prefs) = PreferenceValues();
        ASSERT_TRUE(prefs.Load("Dialog Test"));
        prefs.recentFiles.Add("/music/a.syx");
        prefs.recentFiles.Add("/music/b.syx");
    }
    void TearDown() override { TestApp().Prefs().SaveOnExit(); }
    std::string StoredText() const { return ReadText(Preferences::StoreFilePath("Dialog Test")); }

    TempFolder config;
    ScopedEnv env{"XDG_CONFIG_HOME", config.Path().c_str()};
};

// Counts the file menu rebuilds asked of the main window.
class MenuWindow : public FakeMainWindow
{
public:
    void UpdateFileMenu() override { ++fileMenus; }
    int fileMenus = 0;
};

TEST_F(PreferencesDialogTest, ShowsTheStoredValuesUnderTheProgramsTitle)
{
    Preferences& prefs = TestApp().Prefs();
    prefs.startupAction = 4;
    prefs.sendErrorsHome = 0;
    prefs.showOldOSDialog = 2; // on only when 1
    CPreferencesDialog dialog(nullptr);
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(dialog.GetTitle(), "Dorva Editor preferences");
    EXPECT_EQ(Control<wxChoice>(&dialog, "Startup_Action")->GetSelection(), 4);
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Send_Error_Reports")->GetValue());
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Warn_On_Old_OS")->GetValue());
    EXPECT_TRUE(Control<wxCheckBox>(&dialog, "Show_Control_Tooltips")->GetValue());
}

TEST_F(PreferencesDialogTest, OkStoresAndSavesEveryControlAndAsksForARestartOnceTheDriverModeChanged)
{
    MessageRecorder boxes;
    EXPECT_EQ(RunDialog<CPreferencesDialog>([](wxDialog& d) {
                  Pick(Control<wxChoice>(&d, "Startup_Action"), 2);
                  for (const char* box : {"Send_Error_Reports", "Auto_Complete_Names"})
                      Press(d.FindWindow(XRCID(box)));
                  Press(d.FindWindow(wxID_OK));
              }),
              0);
    EXPECT_TRUE(boxes.boxes.empty());
    const Preferences& prefs = TestApp().Prefs();
    EXPECT_EQ(prefs.startupAction, 2);
    EXPECT_EQ(prefs.sendErrorsHome, 0);
    EXPECT_EQ(prefs.shouldUseAutoComplete, 0);
    EXPECT_EQ(prefs.showCtrlToolTips, 1);
    const std::string stored = StoredText();
    EXPECT_NE(stored.find("StartupAction=2"), std::string::npos) << stored;
    EXPECT_NE(stored.find("SendErrorsHome=0"), std::string::npos) << stored;

    RunDialog<CPreferencesDialog>([](wxDialog& d) {
        Press(d.FindWindow(XRCID("Release_Midi_Driver_In_Background")));
        Press(d.FindWindow(wxID_OK));
    });
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), kRestartNotice);
    EXPECT_EQ(prefs.releaseDriver, 0);
}

TEST_F(PreferencesDialogTest, CancelStoresNothingButAPurgeAndAChosenPluginFolderStay)
{
    MenuWindow menus;
    TestApp().Prefs().vstDir = "/usr/lib/vst";
    TestApp().Prefs().abbreviateNames = 0;
    wxString askedTitle, startedAt;
    auto previous = SetFolderDialogFunction([&](const FolderDialogRequest& request, wxString& chosen) {
        askedTitle = request.message;
        startedAt = request.folder;
        chosen = "/opt/plugins";
        return true;
    });
    EXPECT_EQ(RunDialog<CPreferencesDialog>([](wxDialog& d) {
                  Pick(Control<wxChoice>(&d, "Startup_Action"), 1);
                  Press(d.FindWindow(XRCID("Warn_On_Old_OS")));
                  Press(d.FindWindow(XRCID("Purge_Recent_Files")));
                  Press(d.FindWindow(XRCID("Choose_VST_Directory")));
                  Press(d.FindWindow(XRCID("Restore_Defaults")));
                  EXPECT_EQ(Control<wxChoice>(&d, "Startup_Action")->GetSelection(), 3);
                  EXPECT_TRUE(Control<wxCheckBox>(&d, "Abbreviate_Names")->GetValue());
                  Press(d.FindWindow(wxID_CANCEL));
              }),
              -1);
    SetFolderDialogFunction(previous);
    const Preferences& prefs = TestApp().Prefs();
    EXPECT_EQ(prefs.startupAction, 0);
    EXPECT_EQ(prefs.showOldOSDialog, 1);
    EXPECT_EQ(prefs.abbreviateNames, 0) << "defaults restored in the dialog only";
    EXPECT_EQ(prefs.recentFiles.Count(), 0);
    EXPECT_EQ(menus.fileMenus, 1);
    EXPECT_EQ(askedTitle, "Select VST plugins directory");
    EXPECT_EQ(startedAt, "/usr/lib/vst");
    EXPECT_EQ(prefs.vstDir, "/opt/plugins");
}

TEST_F(DialogTest, OldOSNoticeCanBeSwitchedOff)
{
    Preferences& prefs = TestApp().Prefs();
    prefs.showOldOSDialog = 1;
    EXPECT_EQ(RunDialog<COldOSDialog>([](wxDialog& d) { Press(d.FindWindow(wxID_OK)); }), 0);
    EXPECT_EQ(prefs.showOldOSDialog, 1);
    RunDialog<COldOSDialog>([](wxDialog& d) {
        Press(d.FindWindow(XRCID("Dont_Show_This_Message_Again")));
        Press(d.FindWindow(wxID_OK));
    });
    EXPECT_EQ(prefs.showOldOSDialog, 0);
}

TEST_F(DialogTest, AboutBoxWithAndWithoutAPicture)
{
    CFFAboutDialog plain(nullptr, "About DorvaSynth Editor", "", "Version 1.0");
    EXPECT_FALSE(plain.HasImage());
    EXPECT_EQ(plain.GetTitle(), "About DorvaSynth Editor");
    RealInput::RunInsideModalLoop(plain, [](wxDialog& d) { Press(d.FindWindow(wxID_OK)); });
    EXPECT_EQ(plain.ShowModal(), 0);
    EXPECT_FALSE(CFFAboutDialog(nullptr, "About", "/nonexistent/signatures.png", "Version 1.0").HasImage());

    TempFolder folder;
    const std::string path = folder.File("signatures.png");
    wxInitAllImageHandlers();
    ASSERT_TRUE(wxImage(120, 90).SaveFile(path, wxBITMAP_TYPE_PNG));
    CFFAboutDialog pictured(nullptr, "About", path, "Version 1.0");
    EXPECT_TRUE(pictured.HasImage());
    // The picture's space is reserved to the left of the text.
    EXPECT_GE(pictured.GetClientSize().GetWidth(), 120 + plain.GetClientSize().GetWidth() - 10);
    EXPECT_GE(pictured.GetClientSize().GetHeight(), 90);
}

TEST(BrowserTest, LocalFilesBecomeAbsoluteFileAddresses)
{
    EXPECT_EQ(LocalFileUrl("/opt/dorva/help.html"), "file:///opt/dorva/help.html");
    EXPECT_EQ(LocalFileUrl("/opt/dorva/docs/../help.html"), "file:///opt/dorva/help.html");
    const wxString relative = LocalFileUrl("help.html");
    EXPECT_TRUE(relative.StartsWith("file:///")) << relative;
    EXPECT_TRUE(relative.EndsWith("/help.html")) << relative;
}

TEST(BrowserTest, TheAddressReachesXdgOpenUnchanged)
{
    TempFolder bin;
    const std::string log = bin.File("opened.txt");
    {
        std::ofstream script(bin.File("xdg-open"));
        script << "#!/bin/sh\nprintf '%s' \"$1\" > " << log << ".part && mv " << log << ".part " << log << "\n";
    }
    ASSERT_EQ(::chmod(bin.File("xdg-open").c_str(), 0755), 0);
    const std::string path = bin.Path() + ":" + std::getenv("PATH");
    ScopedEnv env("PATH", path.c_str());
    // Characters a shell would act on must arrive as they are.
    const wxString url = "http://example.invalid/a b;$(touch x)&y";
    ASSERT_TRUE(LaunchBrowser(url));
    ASSERT_TRUE(PumpUntil([&] { return wxFileName::FileExists(log); }, 5000));
    EXPECT_EQ(ReadText(log), url.ToStdString());
}
} // namespace
