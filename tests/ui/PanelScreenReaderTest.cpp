// A real accessibility client reads the running editor: a python script with
// pyatspi, on the private accessibility bus of this test's D-Bus session.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include <atk/atk.h>
#include <glib.h>

#include <wx/app.h>
#include <wx/dataview.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "midi/MIDIIO.h"
#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/SysExFile.h"
#include "model/TemplateLoader.h"
#include "model/WordList.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "plugins/dialogs/VSTSelector.h"
#include "tests/ui/HeldAccessibilityBus.h"
#include "tests/ui/OtherXWindow.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/WindowManagerStandIn.h"
#include "tests/ui/UiTestApp.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"
#include "ui/ResourceFiles.h"
#include "ui/TemplateUI.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/BulkEntryRenameDialog.h"
#include "ui/panels/AutoCompleteMenu.h"

namespace
{
using PanelScreenReaderTest = UiTest;

// Windows are activated as on a desktop, also back from another program.
// One for the whole run, made before any window: the toolkit asks once
// whether there is a window manager.
struct DesktopEnvironment : ::testing::Environment
{
    void SetUp() override { manager = std::make_unique<WindowManagerStandIn>(); }
    void TearDown() override { manager.reset(); }
    std::unique_ptr<WindowManagerStandIn> manager;
};
const auto* const g_desktop = ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);
using Steps = std::map<std::string, std::function<void()>>;

// A reader script run against this process. It prints "ok ..." and "fail
// ..." lines, asks for the test's steps with "step NAME" and ends with
// "done". The steps are answered while the toolkit keeps answering the
// reader's questions; a step may open a modal window, whose own loop then
// serves the reader until the window closes. A step asked with "act NAME"
// is one the reader waits for: once it and all it left for the toolkit's
// idle time have run (one that opens a modal window: once the window serves
// the reader), the application's accessible root is described as "acts N",
// the count of acts taken. That change travels the accessibility bus behind
// every event the act raised, so a reader that has heard it has heard them
// all; the answers to its questions come by a way of their own and may
// overtake those events. "act SYNC" takes no step: the reader learns that
// all the program raised before has arrived.
class ReaderScript
{
public:
    ReaderScript(const char* script, Steps steps) : m_steps(std::move(steps))
    {
        // ATK tells no one of an object's first description.
        TellActsTaken();
        const std::string command = "/usr/bin/python3 " + std::string(script) + " " + std::to_string(::getpid()) + " 2>&1";
        m_reader = ::popen(command.c_str(), "r");
        EXPECT_NE(m_reader, nullptr);
        if (m_reader)
            ::fcntl(::fileno(m_reader), F_SETFL, O_NONBLOCK);
    }
    ~ReaderScript()
    {
        if (m_reader)
            EXPECT_EQ(::pclose(m_reader), 0) << "the reader's failures";
        EXPECT_TRUE(m_done);
    }

    // Answers the reader until it is done, or until stop holds.
    void Serve(const std::function<bool()>& stop = nullptr)
    {
        // A modal window an act opened serves the reader now: the act is done.
        FinishAct();
        for (ssize_t got = -1; m_reader && got != 0 && !m_done;)
        {
            if (std::chrono::steady_clock::now() - m_heard > kQuiet)
            {
                ADD_FAILURE() << "the reader went quiet";
                return;
            }
            wxTheApp->Yield(true);
            char buffer[4096];
            if ((got = ::read(::fileno(m_reader), buffer, sizeof buffer)) > 0)
            {
                m_pending.append(buffer, static_cast<std::size_t>(got));
                m_heard = std::chrono::steady_clock::now();
            }
            for (std::size_t end; (end = m_pending.find('\n')) != std::string::npos;)
            {
                const std::string line = m_pending.substr(0, end);
                m_pending.erase(0, end + 1);
                std::printf("reader: %s\n", line.c_str());
                if (line.rfind("fail ", 0) == 0)
                    ADD_FAILURE() << line.substr(5);
                else if (line.rfind("step ", 0) == 0)
                    Take(line.substr(5));
                else if (line.rfind("act ", 0) == 0)
                {
                    m_actPending = true;
                    if (line != "act SYNC")
                        Take(line.substr(4));
                    FinishAct();
                }
                m_done = m_done || line == "done";
                if (stop && stop())
                    return;
            }
            if (stop && stop())
                return;
            if (got < 0)
                wxMilliSleep(2);
        }
    }

private:
    void Take(const std::string& step)
    {
        const auto found = m_steps.find(step);
        if (found == m_steps.end())
            ADD_FAILURE() << "step " << step;
        else
            found->second();
    }
    void TellActsTaken() const
    {
        atk_object_set_description(atk_get_root(), ("acts " + std::to_string(m_acts)).c_str());
    }
    void FinishAct()
    {
        if (!std::exchange(m_actPending, false))
            return;
        AfterIdleWork();
        ++m_acts;
        TellActsTaken();
    }
    // A source of the lowest priority runs once every idle source above it
    // (the toolkit's reports to readers among them) has.
    static void AfterIdleWork()
    {
        bool ran = false;
        const GSourceFunc mark = [](gpointer done) -> gboolean {
            *static_cast<bool*>(done) = true;
            return G_SOURCE_REMOVE;
        };
        g_idle_add_full(G_PRIORITY_LOW, mark, &ran, nullptr);
        EXPECT_TRUE(RealInput::PumpUntil([&ran] { return ran; }));
    }

    // Longer than the reader waits for anything before it reports a failure.
    static constexpr std::chrono::seconds kQuiet{120};
    Steps m_steps;
    int m_acts = 0;
    bool m_actPending = false;
    FILE* m_reader = nullptr;
    std::string m_pending;
    bool m_done = false;
    std::chrono::steady_clock::time_point m_heard = std::chrono::steady_clock::now();
};

// Every dialog but a message box (those are MessageBoxKeys') gets the keys
// as from a window manager, and then what the step chose; Escape by default.
struct DialogActions : RealInput::ModalScript<wxDialog>
{
    using Action = std::function<void(wxDialog&)>;
    static void Escape(wxDialog&) { RealInput::Key(WXK_ESCAPE); }
    DialogActions() : ModalScript([this](wxDialog& dialog) {
        EXPECT_TRUE(RealInput::Activate(&dialog));
        std::exchange(next, Escape)(dialog);
    }) {}
    int Enter(wxDialog* dialog) override
    {
        return dynamic_cast<wxMessageDialog*>(dialog) ? wxID_NONE : ModalScript::Enter(dialog);
    }
    Action next = Escape;
};

TEST_F(PanelScreenReaderTest, AReaderFindsThePanelsControlsAndFollowsTheKeyboardFocus)
{
    // The template settings dialog of a new template is made from them.
    ASSERT_TRUE(LoadResourceFiles("DorvaSynthEditor"));
    TestApp().realMainWindow = true;
    // Templates come from files, a plug-in and the unit; the unit's names an old OS.
    TempFolder plugins;
    std::filesystem::copy_file(DORVA_TEST_PLUGIN_DIR "/entry-vstpluginmain.so", plugins.File("synth.so"));
    const std::string calder = m_config.File("calder.syx");
    const std::string dorva = m_config.File("dorva.syx");
    ASSERT_TRUE(WriteSysExToFile(calder, CreateTemplateOfModel(ModelCalder)->Write()));
    ASSERT_TRUE(WriteSysExToFile(dorva, CDorvaSynthAnswers().CreateTemplate()->Write()));
    const SysExBuffer dump = CDorvaSynthAnswers().CreateTemplate()->Write();
    UseDevices({"In"}, {"Out"});
    WritePreferences([&plugins](Preferences& p) {
        p.startupAction = 1;
        p.vstDir = plugins.Path();
        p.showOldOSDialog = 1;
    });
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
    DialogActions dialogs;
    FileChooserScript chooser;
    OtherXWindow other;
    m_boxes.answer = wxNO; // a template to save is not
    // A key that opens windows, then the keys back to the main window.
    auto andBack = [panel, frame](std::function<void()> action) {
        return [=] {
            action();
            EXPECT_TRUE(RealInput::Focus(panel));
            // The desktop gives the window the keys in its own time.
            EXPECT_TRUE(RealInput::Activate(frame));
        };
    };
    // Ctrl+T and OK in the template settings, then the keys back.
    HeldAccessibilityBus bus;
    auto settingsOk = [&dialogs, key, andBack](std::function<void()> beforeOk) {
        return andBack([&dialogs, key, beforeOk] {
            dialogs.next = [beforeOk](wxDialog& d) {
                beforeOk();
                RealInput::Click(d.FindWindow(wxID_OK));
            };
            key('T', wxMOD_CONTROL)();
        });
    };
    // The file chooser's window has the keys while it shows; its notices
    // are closed with Enter.
    chooser.whileShowing = [] {
        wxDialog window(nullptr, wxID_ANY, "Open");
        window.Show();
        EXPECT_TRUE(RealInput::Activate(&window));
    };
    auto open = [&chooser, key](const std::string& path) {
        return [&chooser, key, path] {
            chooser.answer = path;
            RealInput::MessageBoxKeys enter(WXK_RETURN);
            key('O', wxMOD_CONTROL)();
        };
    };
    const Steps steps = {
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
        {"ABOUT", andBack(key(WXK_F1))},
        {"NEW", andBack(key('N', wxMOD_CONTROL))},
        {"CLOSE ALL", [=] {
            while (frame->GetTemplateCount() > 0)
                ASSERT_TRUE(RealInput::ChooseMenuItem(frame, MenuId::Close));
        }},
        {"CLICK 0", [=] { RealInput::Click(panel, frame->GetView()->ControlCentre(0)); }},
        {"CTRL+CLICK 0", [=] { RealInput::Click(panel, frame->GetView()->ControlCentre(0), wxMOD_CONTROL); }},
        {"CTRL+T ESCAPE", andBack(key('T', wxMOD_CONTROL))},
        {"CTRL+T OK", settingsOk([] {})},
        // From the click on OK to a moment after the step, what the program
        // tells readers waits in the bus; their questions are answered.
        {"CTRL+T OK SLOW BUS", [&bus, ok = settingsOk([&bus] { EXPECT_TRUE(bus.Hold()); })] {
             ok();
             bus.ReleaseAfter(std::chrono::milliseconds(250));
         }},
        {"OPEN CALDER", andBack(open(calder))},
        {"OPEN DORVA", andBack(open(dorva))},
        {"LISTEN OLD OS", andBack([&dialogs, key, &dump] {
             key('L', wxMOD_CONTROL)();
             // The notice opens with the keys on its OK.
             dialogs.next = [](wxDialog&) { RealInput::Key(WXK_RETURN); };
             TestApp().driver->InjectSysEx("In", std::vector<uint8_t>(dump.begin(), dump.end()), 256);
             EXPECT_TRUE(RealInput::PumpUntil([] { return !MIDIIO::IsReceiving(); }));
         })},
        // The dump comes while the user is in another program, then back.
        {"LISTEN AWAY", andBack([key, &dump, &other] {
             key('L', wxMOD_CONTROL)();
             EXPECT_TRUE(other.Activate());
             EXPECT_TRUE(RunLoopUntil([] { return !TestApp().IsActive(); }, RealInput::kDeadline));
             // No notice, which would take the keys from the other program.
             const int notice = std::exchange(TestApp().Prefs().showOldOSDialog, 0);
             TestApp().driver->InjectSysEx("In", std::vector<uint8_t>(dump.begin(), dump.end()), 256);
             EXPECT_TRUE(RealInput::PumpUntil([] { return !MIDIIO::IsReceiving(); }));
             TestApp().Prefs().showOldOSDialog = notice;
         })},
        {"CTRL+C", key('C', wxMOD_CONTROL)},
        {"CTRL+V", key('V', wxMOD_CONTROL)},
        {"CTRL+Z", key('Z', wxMOD_CONTROL)},
        {"CTRL+Y", key('Y', wxMOD_CONTROL)},
        {"DELETE", key(WXK_DELETE)},
        {"MENU UNDO", [=] { EXPECT_TRUE(RealInput::ChooseMenuItem(frame, MenuId::Undo)); }},
        {"CTRL+A", key('A', wxMOD_CONTROL)},
        // Ctrl held from the empty space beside its corner to its middle.
        {"CTRL+BAND PAD X2", [=] {
             const wxRect pad = frame->GetView()->FindControlButton(47)->GetRect();
             const wxPoint corner = pad.GetTopLeft() - wxPoint(2, 2);
             EXPECT_EQ(frame->GetView()->ControlButtonAt(corner), nullptr);
             RealInput::KeyDown(WXK_CONTROL);
             RealInput::Drag(panel, corner, frame->GetView()->ControlCentre(47));
             RealInput::KeyUp(WXK_CONTROL);
         }},
        {"PLUGIN", andBack([&dialogs, key] {
             dialogs.next = [](wxDialog&) {
                 RealInput::Key(WXK_DOWN);
                 RealInput::Key(WXK_RETURN);
             };
             key('I', wxMOD_CONTROL | wxMOD_SHIFT)();
         })},
        {"CLOSE NO", andBack([=] {
             RealInput::MessageBoxKeys no('N', wxMOD_ALT);
             EXPECT_TRUE(RealInput::ChooseMenuItem(frame, MenuId::Close));
         })},
        {"CLOSE", [] { TestApp().Stop(); }},
    };
    ReaderScript(DORVA_SCREEN_READER_SCRIPTS "/panel_screen_reader.py", steps).Serve();
}

// The reader's view of the status line, the completion list, the bank
// dialogs and the plug-in selector, reached from the real main window with
// their keys; each dialog serves the reader while it is open.
TEST_F(PanelScreenReaderTest, AReaderReadsTheStatusLineCompletionsAndLists)
{
    TempFolder plugins;
    for (const char* variant : {"entry-vstpluginmain", "padded-names"})
        std::filesystem::copy_file(std::string(DORVA_TEST_PLUGIN_DIR "/") + variant + ".so",
                                   plugins.File(std::string(variant) + ".so"));
    WritePreferences([&plugins](Preferences& p) {
        p.startupAction = 1;
        p.vstDir = plugins.Path();
    });
    ASSERT_TRUE(LoadResourceFiles("DorvaSynthEditor"));
    TestApp().realMainWindow = true;
    UseDevices({"In"}, {"Out"});
    ASSERT_TRUE(TestApp().Start());
    auto* frame = dynamic_cast<CMainFrame*>(TestApp().GetMainWindow());
    ASSERT_NE(frame, nullptr);
    frame->AddTemplate(CDorvaSynthAnswers().CreateTemplate());
    for (const auto& [index, name] : {std::pair(0, "Cutoff"), std::pair(1, "Resonance")})
    {
        frame->GetCurrentTemplate()->GetControl(index)->SetType(ControlMessageType::CC, false);
        frame->GetCurrentTemplate()->GetControl(index)->SetName(name);
    }
    // Offered before "Cutoff" for "Cu", newest first.
    Host().Words().AddWord("Cue");
    Host().Words().AddWord("Curve");
    // Patches named as the unit pads them, to 16 places.
    std::unique_ptr<IBulkDump> bank = TestApp().Device().CreatePatchBulkDump();
    for (int i = 0; i < bank->GetCount(); ++i)
        bank->GetEntry(i).SetName(FromWx(wxString::Format("Patch %03d       ", i)));
    FileChooserScript chooser;
    ASSERT_TRUE(SaveBulkDumpToFile(*bank, FromWx(m_config.File("patches.syx"))));
    m_boxes.answer = wxNO; // the librarian's question about saving

    auto key = [](int code, int modifiers = wxMOD_NONE) { return [=] { RealInput::Key(code, modifiers); }; };
    CBulkDumpDialog* librarian = nullptr;
    auto tabTo = [&librarian](const char* name, int modifiers) {
        wxWindow* target = librarian->FindWindow(XRCID(name));
        for (int i = 0; i < 10 && wxWindow::FindFocus() != target; ++i)
            RealInput::Key(WXK_TAB, modifiers);
        EXPECT_EQ(wxWindow::FindFocus(), target) << name;
    };
    wxWindow* panel = frame->GetPanelWindow();
    auto panelKey = [=](int code, int modifiers = wxMOD_NONE) {
        return [=] {
            ASSERT_TRUE(RealInput::Focus(panel));
            RealInput::Key(code, modifiers);
        };
    };
    const Steps steps = {
        {"TAB", panelKey(WXK_TAB)},
        {"POINT 1", [=] { RealInput::MoveTo(panel, frame->GetView()->ControlCentre(1)); }},
        {"MIDI", [] { TestApp().driver->InjectShort("In", 0x90, 60, 100); }},
        {"CTRL+L", panelKey('L', wxMOD_CONTROL)},
        {"CTRL+U", panelKey('U', wxMOD_CONTROL)},
        {"CTRL+O", panelKey('O', wxMOD_CONTROL)}, // the chooser answers Cancel
        {"TYPE CU", [=] {
             panelKey(WXK_RETURN)();
             RealInput::Type("Cu");
             auto* menu = RealInput::WaitForShown<CAutoCompleteMenu>();
             // The pop-up asks for the keys; a window manager gives them to it.
             ASSERT_TRUE(menu && RealInput::Activate(menu));
         }},
        {"UP", key(WXK_UP)},
        {"OPEN TEMPLATES", panelKey('B', wxMOD_CONTROL)},
        {"OPEN PATCHES", [&] {
             ASSERT_TRUE(RealInput::Focus(frame->GetPanelWindow()));
             RealInput::Key('d', wxMOD_ALT);
             RealInput::Key('p');
         }},
        {"DOWN", key(WXK_DOWN)},
        {"F2", key(WXK_F2)},
        {"END X", [] {
             RealInput::Key(WXK_END);
             RealInput::Type("x");
         }},
        {"ENTER", key(WXK_RETURN)},
        {"MOVE DOWN", [&] {
             ASSERT_TRUE(RealInput::Activate(librarian)); // given back the keys when the rename closed
             tabTo("Move_Item_Down", wxMOD_NONE);
             RealInput::Key(WXK_SPACE);
         }},
        {"CLOSE DIALOG", key(WXK_ESCAPE)},
        {"OPEN SELECTOR", [&] {
             ASSERT_TRUE(RealInput::Focus(frame->GetPanelWindow()));
             RealInput::Key('I', wxMOD_CONTROL | wxMOD_SHIFT);
         }},
        {"ESCAPE", key(WXK_ESCAPE)},
        {"CLOSE", [] { TestApp().Stop(); }},
    };
    ReaderScript reader(DORVA_SCREEN_READER_SCRIPTS "/list_screen_reader.py", steps);
    DialogScript<CBulkDumpDialog> librarianScript([&](CBulkDumpDialog& d) {
        librarian = &d;
        EXPECT_TRUE(RealInput::Activate(&d));
        if (d.GetTitle() == "Patch librarian")
        {
            // Open..., answered with the bank file; the keys go back to the list.
            chooser.answer = m_config.File("patches.syx");
            RealInput::Key('o', wxMOD_ALT);
            RealInput::Key(WXK_SPACE);
            wxDataViewListCtrl* list = XRCCTRL(d, "Dump_Contents", wxDataViewListCtrl);
            EXPECT_TRUE(RealInput::PumpUntil([list] { return list->GetItemCount() == 100; }));
            tabTo("Dump_Contents", wxMOD_SHIFT);
        }
        reader.Serve([&d] { return !d.IsModal(); });
    });
    DialogScript<CBulkEntryRenameDialog> renameScript([&](wxDialog& d) {
        EXPECT_TRUE(RealInput::Activate(&d));
        reader.Serve([&d] { return !d.IsModal(); });
    });
    DialogScript<CVSTSelector> selectorScript([&](wxDialog& d) {
        EXPECT_TRUE(RealInput::Activate(&d));
        reader.Serve([&d] { return !d.IsModal(); });
    });
    reader.Serve();
    EXPECT_EQ(librarianScript.titles.size() + renameScript.titles.size() + selectorScript.titles.size(), 4u);
}
} // namespace
