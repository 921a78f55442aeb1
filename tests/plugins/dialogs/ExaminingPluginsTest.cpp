#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "plugins/VSTPluginExaminer.h"
#include "plugins/dialogs/ExaminingPlugins.h"
#include "tests/model/TempFolder.h"
#include "tests/plugins/PluginTestSupport.h"
#include "tests/ui/RealInput.h"

namespace
{
// Passes the scan on to the progress window and notes what the screen shows
// of the file name right after, before anything else runs.
class ScreenWatcher : public IPluginHost
{
public:
    ScreenWatcher(CExaminingPlugins& progress, wxWindow* name) : m_progress(progress), m_name(name) {}
    void OnExamining(const std::string& path) override
    {
        m_progress.OnExamining(path);
        seen.push_back(RealInput::OnScreen(m_name));
    }
    void OnPluginExamined(const VSTPluginInfo&) override {}

    std::vector<wxImage> seen;

private:
    CExaminingPlugins& m_progress;
    wxWindow* m_name;
};

bool SameImage(const wxImage& a, const wxImage& b)
{
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + 3 * a.GetWidth() * a.GetHeight(), b.GetData());
}
} // namespace

TEST(ExaminingPluginsTest, ShowsTheFileNameAfterTheLastSeparatorLiterally)
{
    CExaminingPlugins progress;
    ASSERT_TRUE(progress.Create(nullptr));
    auto* name = XRCCTRL(progress, "ID_PLUGNAME", wxStaticText);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->GetLabel(), "");

    progress.OnExamining("/usr/lib/vst/delay.so");
    EXPECT_EQ(name->GetLabelText(), "delay.so");
    progress.OnExamining("C:\\VST\\Reverb.dll");
    EXPECT_EQ(name->GetLabelText(), "Reverb.dll");
    progress.OnExamining("plain.so");
    EXPECT_EQ(name->GetLabelText(), "plain.so");
    // "/" counts first, wherever the backslash stands.
    progress.OnExamining("C:\\a/b\\c.so");
    EXPECT_EQ(name->GetLabelText(), "b\\c.so");
    // "&" in a file name is shown, not taken as a mnemonic.
    progress.OnExamining("/vst/Bass&Drums.so");
    EXPECT_EQ(name->GetLabelText(), "Bass&Drums.so");
}

// While a scan holds the GUI thread the window shows each file's name on
// screen as the file is examined, and a click on another window of the
// program does nothing, then or afterwards.
TEST(ExaminingPluginsTest, EachNameIsOnScreenDuringTheScanAndNothingElseCanBeClicked)
{
    TempFolder vst;
    const std::vector<std::string> files = {"a-synth.so", "b-padded.so", "c-noname.so"};
    InstallTestPlugin("entry-vstpluginmain", vst.Path(), files[0]);
    InstallTestPlugin("padded-names", vst.Path(), files[1]);
    InstallTestPlugin("empty-name", vst.Path(), files[2]);

    wxFrame* main = new wxFrame(nullptr, wxID_ANY, "Main", wxPoint(0, 0), wxSize(400, 300));
    wxButton* command = new wxButton(main, wxID_ANY, "Command");
    int commands = 0;
    command->Bind(wxEVT_BUTTON, [&commands](wxCommandEvent&) { ++commands; });
    main->Show();
    ASSERT_TRUE(RealInput::PumpUntil([main] { return main->IsShownOnScreen(); }));
    RealInput::MoveTo(command, wxPoint(5, 5)); // clear of the progress window

    CExaminingPlugins progress;
    ASSERT_TRUE(progress.Create(main));
    wxWindow* name = XRCCTRL(progress, "ID_PLUGNAME", wxStaticText);
    ScreenWatcher watcher(progress, name);
    progress.Show();
    // The user clicks as the scan starts; the scan runs without a pause.
    RealInput::ClickWhileBusy();
    CVSTPluginExaminer(nullptr).ExamineFolder(vst.Path(), &watcher);
    progress.Hide();
    RealInput::Settle();
    EXPECT_EQ(commands, 0) << "the click started a command";

    // What was on screen during the scan is what the window shows for each
    // name once it is left to paint in peace.
    ASSERT_EQ(watcher.seen.size(), files.size());
    progress.Show();
    for (size_t i = 0; i < files.size(); ++i)
    {
        progress.OnExamining(vst.Path() + "/" + files[i]);
        RealInput::Settle();
        EXPECT_TRUE(SameImage(watcher.seen[i], RealInput::OnScreen(name))) << files[i];
        if (i > 0)
        {
            EXPECT_FALSE(SameImage(watcher.seen[i], watcher.seen[i - 1])) << files[i] << " looks like the one before";
        }
    }
    progress.Hide();
    main->Destroy();
}
