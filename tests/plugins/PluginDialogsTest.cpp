// The plug-in selector, the scan's progress window and the template built from a plug-in.
#include <chrono>

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/dirdlg.h>
#include <wx/eventfilter.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/TemplateLocals.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "plugins/VSTPluginExaminer.h"
#include "plugins/dialogs/ExaminingPlugins.h"
#include "plugins/dialogs/TemplateFromPlugin.h"
#include "plugins/dialogs/VSTSelector.h"
#include "tests/app/DialogScripts.h"
#include "tests/app/DisplayTestMain.h"
#include "tests/plugins/PluginTestSupport.h"
#include "tests/ui/RealInput.h"
#include "ui/ResourceFiles.h"
#include "ui/WindowHelpers.h"

namespace
{
wxDataViewListCtrl& List(wxDialog& dialog)
{
    return *XRCCTRL(dialog, "VST_Plugins_Found", wxDataViewListCtrl);
}

// The user's keys to the selector, which has them as a window manager would
// give them to a window that opens.
void Keys(wxDialog& dialog, std::initializer_list<std::pair<int, int>> keys)
{
    ASSERT_TRUE(RealInput::Activate(&dialog));
    for (const auto& [code, modifiers] : keys)
        RealInput::Key(code, modifiers);
}
const std::pair<int, int> kDown{WXK_DOWN, wxMOD_NONE};
const std::pair<int, int> kEnter{WXK_RETURN, wxMOD_NONE};

struct PluginDialogTest : PluginTest
{
    PluginDialogTest()
    {
        Install("entry-vstpluginmain", "a-synth.so");
        Install("padded-names", "b-padded.so");
        Install("empty-name", "c-noname.so");
        Install("text", "d-readme.so");
    }
    // The rows as "vendor|name".
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (unsigned row = 0; row < static_cast<unsigned>(List(m_selector).GetItemCount()); ++row)
            rows.push_back(FromWx(List(m_selector).GetTextValue(row, 0) + "|" + List(m_selector).GetTextValue(row, 1)));
        return rows;
    }
    bool OkEnabled() { return m_selector.FindWindow(wxID_OK)->IsEnabled(); }
    std::string Selected() { return m_selector.GetSelectedPlugin() ? m_selector.GetSelectedPlugin()->fileName : "none"; }

    MessageRecorder m_boxes;
    CVSTSelector m_selector;
};
} // namespace

// Then a folder chosen (after one chooser cancelled) is scanned with the progress window, and the old row is forgotten.
TEST_F(PluginDialogTest, TheSelectorListsTheScanWithOuterBlanksRemovedAndOkFollowsTheSelection)
{
    struct ProgressWatcher : wxEventFilter // notes the progress window shown or hidden, with the name it shows then
    {
        ProgressWatcher() { wxEvtHandler::AddFilter(this); }
        ~ProgressWatcher() override { wxEvtHandler::RemoveFilter(this); }
        int FilterEvent(wxEvent& event) override
        {
            auto* progress = dynamic_cast<CExaminingPlugins*>(event.GetEventObject());
            if (progress && event.GetEventType() == wxEVT_SHOW)
                events += (static_cast<wxShowEvent&>(event).IsShown() ? "shown:" : "hidden:") +
                          FromWx(XRCCTRL(*progress, "ID_PLUGNAME", wxStaticText)->GetLabelText()) + " ";
            return Event_Skip;
        }
        std::string events;
    } progress;
    ASSERT_TRUE(m_selector.Create(nullptr));
    // Chosen before it shows, whatever has the keys then.
    EXPECT_EQ(Selected() + (OkEnabled() ? " ok" : " off"), "a-synth ok") << "the first row starts selected";
    EXPECT_EQ(m_selector.GetDefaultItem(), m_selector.FindWindow(wxID_OK)) << "Enter means OK once a row is chosen";
    m_selector.Show(); // the columns' widths are those laid out on screen
    ASSERT_TRUE(RealInput::PumpUntil([this] { return m_selector.IsShownOnScreen(); }));
    std::string columns;
    for (unsigned i = 0; i < List(m_selector).GetColumnCount(); ++i)
        columns += FromWx(List(m_selector).GetColumn(i)->GetTitle()) + " ";
    EXPECT_EQ(columns, "Manufacturer Name ");
    EXPECT_EQ(List(m_selector).GetColumn(0)->GetWidth(), 120);
    EXPECT_GE(List(m_selector).GetColumn(1)->GetWidth(), 155) << "the last column takes the rest";
    // The vendor keeps its leading blanks, the name its trailing ones; a plug-in without a name has its file's.
    EXPECT_EQ(Rows(), std::vector<std::string>({"Dorva Test Plug-ins|Test Synth", "  Blank  Audio|Padded  Synth  ",
                                                "Dorva Test Plug-ins|c-noname"}));
    for (const char* hidden : {"ID_CREATEAS", "Create_As_Normal_Template", "Create_As_Cubase_Map"})
        EXPECT_FALSE(m_selector.FindWindow(XRCID(hidden))->IsShown()) << hidden;
    EXPECT_EQ(Stored("PluginsEnumeratedOK"), "1") << "the scan's guard is down again and on disk";
    Keys(m_selector, {kDown});
    EXPECT_EQ(Selected() + (OkEnabled() ? " ok" : " off"), "b-padded ok");
    Keys(m_selector, {kDown, {WXK_SPACE, wxMOD_CONTROL}}); // Ctrl+Space clears the row
    EXPECT_EQ(Selected() + (OkEnabled() ? " ok" : " off"), "c-noname off") << "the row last chosen is still the answer";

    std::vector<FolderDialogRequest> requests;
    const std::string other = m_config.File("other");
    Install("many-params", "../other/z-many.so");
    const FolderDialogFunction previous = SetFolderDialogFunction([&](const FolderDialogRequest& request, wxString& chosen) {
        requests.push_back(request);
        return !(chosen = requests.size() == 1 ? "" : ToWx(other)).empty(); // the first is cancelled
    });
    ClickButton(m_selector, XRCID("Choose_VST_Directory"));
    EXPECT_EQ(m_prefs.vstDir + " " + std::to_string(Rows().size()), VstDir() + " 3") << "Cancel keeps folder and list";
    Keys(m_selector, {{WXK_TAB, wxMOD_SHIFT}, {WXK_HOME, wxMOD_NONE}}); // from the chooser's button back to the first row
    EXPECT_EQ(Selected(), "a-synth");
    ClickButton(m_selector, XRCID("Choose_VST_Directory"));
    SetFolderDialogFunction(previous);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].message + "|" + requests[1].folder, "Select VST plugins directory|" + ToWx(VstDir()));
    EXPECT_EQ(requests[1].parent, &m_selector);
    EXPECT_EQ(Rows(), std::vector<std::string>{"Dorva Test Plug-ins|Many Synth"});
    EXPECT_EQ(Stored("VSTDir"), other) << "the scan saves the new folder";
    EXPECT_EQ(progress.events, "shown: hidden:d-readme.so shown: hidden:z-many.so ");
    EXPECT_EQ(Selected() + (OkEnabled() ? " ok" : " off"), "z-many ok") << "the old row is forgotten: the new first is chosen";
}

namespace
{
const char* const kTooMany =
    "Too many parameters - 12 were not mapped out of a total of 63.\n\nYou can map the other parameters by "
    "right-clicking on a control and choosing \"Imported Controls\".  The menu shows all the parameters from the "
    "plugin - those which have been assigned to the template have a check mark next to them.";

// The command, with a user who acts on the selector as the script says.
std::unique_ptr<CEditorTemplate> FromPlugin(std::function<void(CVSTSelector&)> user, std::vector<wxString>* titles = nullptr)
{
    DialogScript<CVSTSelector> script(std::move(user));
    std::unique_ptr<CEditorTemplate> made = CreateTemplateFromPlugin(nullptr);
    if (titles)
        *titles = script.titles;
    return made;
}

std::string Describe(const CBaseControlState& c)
{
    return c.GetName() + "|" + c.GetParamName() + "|" + std::to_string(c.GetImportedParam().index) + "|" +
           c.GetImportedParam().shortName + (c.GetType() == ControlMessageType::CC ? "|CC" : "|other");
}
} // namespace

TEST_F(PluginDialogTest, TheChosenPluginNamesTheControlsInParameterOrder)
{
    std::vector<wxString> titles;
    // The first row starts selected, and the list has the keys: Enter takes it.
    auto made = FromPlugin([](CVSTSelector& selector) { Keys(selector, {kEnter}); }, &titles);
    EXPECT_EQ(titles, std::vector<wxString>{"Select Plugin"});
    ASSERT_NE(made, nullptr);
    // Parameter 1 has no name: controls 0-2 carry parameters 0, 2 and 3.
    const std::vector<std::string> expected = {"Filter Cutoff|Filter Cutoff|0|Filter Cutoff|CC",
        "A012345|ABCDEFGHIJKLMNOPQRSTUVWXYZ012345|2|A012345|CC", "EnvAttackTime|Envelope Attack Time|3|EnvAttackTime|CC"};
    ASSERT_EQ(made->GetImportedControls().size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Describe(*made->GetControl(i)) + " " + Describe(made->GetImportedControls()[i]), expected[i] + " " + expected[i]);
    // The other controls keep their defaults.
    const std::unique_ptr<CEditorTemplate> fresh = Device().CreateTemplate();
    for (int i = 3; i <= made->GetLastControlIndex(); ++i)
        EXPECT_TRUE(CBaseControlState::Equals(*made->GetControl(i), *fresh->GetControl(i))) << i;
    EXPECT_EQ(made->GetLocals().GetName() + "|" + made->GetLocals().GetManufacturerName(), "Test Synth|Dorva Test Pl");
    EXPECT_TRUE(made->IsModified() && !made->IsPathValid());
    EXPECT_TRUE(m_boxes.boxes.empty());
}

TEST_F(PluginDialogTest, ParametersBeyondTheLastControlAreOnlyImportedAndCounted)
{
    Install("many-params", "b-padded.so");
    auto made = FromPlugin([](CVSTSelector& selector) { Keys(selector, {kDown}), ClickButton(selector, wxID_OK); });
    ASSERT_NE(made, nullptr);
    // 63 named parameters (0 and 2-63) on 51 controls.
    EXPECT_EQ(made->GetLocals().GetName() + " " + std::to_string(made->GetLastControlIndex()), "Many Synth 50");
    EXPECT_EQ(made->GetControl(3)->GetName() + "|" + made->GetControl(50)->GetName() + "|" +
                  std::to_string(made->GetControl(50)->GetImportedParam().index), "Extra 4|Extra 51|51");
    const auto& imported = made->GetImportedControls();
    ASSERT_EQ(imported.size(), 63u);
    EXPECT_EQ(imported[51].GetName() + "|" + imported.back().GetName(), "Extra 52|Extra 63");
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text + "|" + m_boxes.boxes[0].caption, wxString(kTooMany) + "|Dorva Editor");
    EXPECT_TRUE(m_boxes.boxes[0].style & wxOK);
}

TEST_F(PluginDialogTest, ActivatingARowBuildsFromItAndCancelClosingOrNoLayoutBuildNothing)
{
    auto made = FromPlugin([](CVSTSelector& selector) { Keys(selector, {kDown, kDown, kEnter}); });
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetLocals().GetName() + "|" + made->GetControl(0)->GetName(), "c-noname|Filter Cutoff");
    // Space selects the row under the cursor and builds nothing.
    EXPECT_EQ(FromPlugin([](CVSTSelector& selector) {
                  Keys(selector, {kDown, {WXK_SPACE, wxMOD_CONTROL}, {WXK_SPACE, wxMOD_NONE}});
                  EXPECT_TRUE(selector.IsModal());
                  EXPECT_EQ(selector.GetSelectedPlugin()->fileName, "b-padded");
                  EXPECT_TRUE(selector.FindWindow(wxID_OK)->IsEnabled());
                  Keys(selector, {{WXK_ESCAPE, wxMOD_NONE}});
              }),
              nullptr);
    EXPECT_EQ(FromPlugin([](CVSTSelector& selector) { ClickButton(selector, wxID_CANCEL); }), nullptr);
    EXPECT_EQ(FromPlugin([](CVSTSelector& selector) { selector.Close(); }), nullptr);
    EXPECT_TRUE(m_boxes.boxes.empty());

    const wxString common = GetResourceFilePath("Common", "xrc");
    ASSERT_TRUE(wxXmlResource::Get()->Unload(common));
    std::vector<wxString> titles;
    {
        wxLogNull quiet; // the toolkit logs the missing resource
        EXPECT_EQ(FromPlugin({}, &titles), nullptr);
    }
    EXPECT_TRUE(wxXmlResource::Get()->Load(common));
    EXPECT_TRUE(titles.empty());
}

// A folder chosen from the keys in the system's folder chooser: once it is
// scanned the new rows have the keys, and Escape closes the selector. A
// folder named in Latin-1 (no text to type: reached in the chooser's list)
// is the folder chosen, also after a restart.
TEST_F(PluginDialogTest, AfterANewFolderTheKeysAreOnTheNewRows)
{
    const auto typed = [](wxDirDialog&, const std::string& folder) {
        RealInput::Key('L', wxMOD_CONTROL);
        RealInput::Type(ToWx(folder) + "/");
        RealInput::Key(WXK_RETURN);
    };
    // In the start folder, which holds only it: Down to it, Enter goes in, Enter takes it.
    const auto listed = [](wxDirDialog& d, const std::string& folder) {
        RealInput::Key(WXK_DOWN);
        RealInput::Key(WXK_RETURN);
        GtkFileChooser* gtk = GTK_FILE_CHOOSER(d.GetHandle());
        EXPECT_TRUE(RealInput::PumpUntil([gtk, &folder] {
            std::unique_ptr<gchar, decltype(&g_free)> shown(gtk_file_chooser_get_current_folder(gtk), g_free);
            return shown && shown.get() == folder;
        }));
        RealInput::Key(WXK_RETURN);
    };
    const struct
    {
        std::string start, folder;
        std::function<void(wxDirDialog&, const std::string&)> reach;
    } rows[] = {{VstDir(), m_config.File("other"), typed},
                {m_config.File("latin"), m_config.File("latin/caf\xE9"), listed}};
    Install("many-params", "../other/z-many.so");
    Install("many-params", "../latin/caf\xE9/z-many.so");
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.folder);
        m_prefs.vstDir = row.start;
        DialogScript<wxDirDialog> chooser([&row](wxDirDialog& d) {
            ASSERT_TRUE(RealInput::Focus(&d));
            row.reach(d, row.folder);
            // The chooser looks the folder up before it answers.
            EXPECT_TRUE(RealInput::PumpUntil([&d] { return !d.IsModal(); }));
        });
        std::string first;
        int count = 0;
        EXPECT_EQ(FromPlugin([&first, &count](CVSTSelector& selector) {
                      Keys(selector, {{WXK_TAB, wxMOD_NONE}, {WXK_SPACE, wxMOD_NONE}}); // "Choose VST plug-in folder..."
                      count = List(selector).GetItemCount();
                      first = count > 0 ? FromWx(List(selector).GetTextValue(0, 1)) : "";
                      EXPECT_TRUE(RealInput::PumpUntil([&selector] { return wxWindow::FindFocus() == &List(selector); }));
                      // Nothing under the pointer takes keys that no window has.
                      RealInput::MoveTo(&selector, wxPoint(-40, -40));
                      RealInput::Key(WXK_ESCAPE);
                  }),
                  nullptr);
        EXPECT_EQ(chooser.titles.size(), 1u);
        EXPECT_EQ(first + "|" + std::to_string(count) + "|" + m_prefs.vstDir, "Many Synth|1|" + row.folder);
        // The store keeps the folder's bytes: after a restart it is scanned again.
        EXPECT_EQ(Stored("VSTDir"), row.folder);
        Preferences restarted;
        ASSERT_TRUE(restarted.Load("Dorva Editor"));
        CVSTPluginExaminer examiner(&restarted);
        examiner.ExamineFolder(restarted.vstDir, nullptr);
        EXPECT_EQ(examiner.GetPluginCount(), 1u);
    }
}

TEST(ExaminingPlugins, ShowsTheFileNameAfterTheLastSeparatorLiterally)
{
    CExaminingPlugins progress;
    ASSERT_TRUE(progress.Create(nullptr));
    auto* name = XRCCTRL(progress, "ID_PLUGNAME", wxStaticText);
    EXPECT_EQ(name->GetLabel(), "");
    // "/" counts first, wherever the backslash stands; "&" is shown, not taken as a mnemonic; a byte that is
    // no UTF-8 is shown as the replacement character.
    const char* const rows[][2] = {{"/usr/lib/vst/delay.so", "delay.so"}, {"C:\\VST\\Reverb.dll", "Reverb.dll"},
        {"plain.so", "plain.so"}, {"C:\\a/b\\c.so", "b\\c.so"}, {"/vst/Bass&Drums.so", "Bass&Drums.so"},
        {"/vst/caf\xE9.so", "caf\xEF\xBF\xBD.so"}};
    for (const auto& row : rows)
    {
        progress.OnExamining(row[0]);
        EXPECT_EQ(FromWx(name->GetLabelText()), row[1]);
    }
}

// While a scan holds the GUI thread the window shows on screen the name of the file being examined: at once for
// the first file and for one after a slow plug-in, a few times a second through a run of quick ones (never a frame
// per file), and the slow one's while the scan waits for it alone; a click on another window of the program does
// nothing, then or afterwards.
TEST_F(PluginDialogTest, TheNameOnScreenKeepsUpWithTheScanAndNothingElseCanBeClicked)
{
    struct ScreenWatcher : IPluginHost // what the screen shows of the name right after each file is announced
    {
        CExaminingPlugins progress;
        std::vector<wxImage> seen;
        void OnExamining(const std::string& path) override
        {
            if (path.find("c-noname") != std::string::npos)
                wxMilliSleep(150); // the plug-in before it took its time
            progress.OnExamining(path);
            seen.push_back(RealInput::OnScreen(XRCCTRL(progress, "ID_PLUGNAME", wxStaticText)));
        }
        void OnPluginExamined(const VSTPluginInfo&) override {}
        void OnWaiting(const std::string& path) override
        {
            progress.OnWaiting(path);
            waitedFor = CExaminingPlugins::FileNameOf(path);
            waited = RealInput::OnScreen(XRCCTRL(progress, "ID_PLUGNAME", wxStaticText));
        }
        std::string waitedFor; // the last file waited for, and the name on screen then
        wxImage waited;
    } watcher;
    Install("slow-on-load", "bb-slow.so");
    wxFrame* main = new wxFrame(nullptr, wxID_ANY, "Main", wxPoint(0, 0), wxSize(400, 300));
    wxButton* command = new wxButton(main, wxID_ANY, "Command");
    int commands = 0;
    command->Bind(wxEVT_BUTTON, [&commands](wxCommandEvent&) { ++commands; });
    main->Show();
    ASSERT_TRUE(RealInput::PumpUntil([main] { return main->IsShownOnScreen(); }));
    RealInput::MoveTo(command, wxPoint(5, 5)); // clear of the progress window
    ASSERT_TRUE(watcher.progress.Create(main));
    watcher.progress.Show();
    RealInput::ClickWhileBusy(); // as the scan starts, which runs without a pause
    CVSTPluginExaminer(nullptr).ExamineFolder(VstDir(), &watcher);
    watcher.progress.Hide();
    RealInput::Settle();
    EXPECT_EQ(commands, 0) << "the click started a command";
    // What was on screen during the scan is what a new window shows for the name, painted in peace.
    ASSERT_EQ(watcher.seen.size(), 5u);
    ASSERT_EQ(watcher.waitedFor, "bb-slow.so") << "the last wait is for the slow one alone";
    const auto same = [](const wxImage& a, const wxImage& b) {
        return a.GetSize() == b.GetSize() && std::equal(a.GetData(), a.GetData() + 3 * a.GetWidth() * a.GetHeight(), b.GetData());
    };
    for (const auto& [seen, file] : {std::pair<wxImage, std::string>{watcher.seen[0], "a-synth.so"},
                                     {watcher.seen[3], "c-noname.so"}, {watcher.waited, "bb-slow.so"}})
    {
        CExaminingPlugins reference;
        ASSERT_TRUE(reference.Create(main));
        reference.Show();
        reference.OnExamining(Path(file));
        RealInput::Settle();
        EXPECT_TRUE(same(seen, RealInput::OnScreen(XRCCTRL(reference, "ID_PLUGNAME", wxStaticText)))) << file;
        reference.Hide();
    }
    EXPECT_FALSE(same(watcher.seen[0], watcher.seen[3])) << "the name after the slow plug-in was not painted";

    // A run of quick files: a paint now and then, however slowly the run goes.
    int paints = 0;
    watcher.progress.Show();
    watcher.progress.Bind(wxEVT_PAINT, [&paints](wxPaintEvent& event) { ++paints, event.Skip(); });
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 40; ++i)
        watcher.progress.OnExamining("/vst/quick-" + std::to_string(i) + ".so");
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_LE(paints, 2 + took.count() / 50) << "in " << took.count() << " ms";
    watcher.progress.Hide();
    main->Destroy();
}

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] {
        // The dialogs load their layouts as the program does, from beside the binary.
        struct Resources : testing::Environment
        {
            void SetUp() override { ASSERT_TRUE(LoadResourceFiles("DorvaSynthEditor")); }
        };
        testing::AddGlobalTestEnvironment(new Resources);
        return new CEditorApp(std::make_unique<CDorvaSynthAnswers>());
    });
}
