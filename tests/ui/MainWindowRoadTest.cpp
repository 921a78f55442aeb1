// The main window's file and device commands as a user reaches them: keys
// and clicks through the X server, menus chosen with the mouse, the unit
// played by a loopback MIDI layer.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/statusbr.h>
#include <wx/xrc/xmlres.h>

#include "app/WebAddresses.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "model/SysExFile.h"
#include "model/TemplateLoader.h"
#include "model/commands/ControlEditCommands.h"
#include "model/commands/SubmitCommand.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/app/ScopedEnv.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/MainWindowTest.h"
#include "tests/ui/UiTestApp.h"
#include "ui/DorvaSynthTemplateUI.h"
#include "ui/EditControlDialog.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"
#include "ui/ResourceFiles.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/Browser.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/PreferencesDialog.h"
#include "ui/dialogs/SelectMIDIDevices.h"
#include "ui/dialogs/TemplateSettings.h"
#include "ui/dialogs/WelcomeDialog.h"

using namespace RealInput;

namespace
{
using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const SysExBuffer& buffer)
{
    return Bytes(buffer.begin(), buffer.end());
}

// The real main window on the loopback devices "In" and "Out", with the
// keys on its front panel.
class MainWindowRoad : public MainWindowTest
{
protected:
    void SetUp() override
    {
        TestApp().Prefs().showOldOSDialog = 0;
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(Focus(Panel()));
    }
    // Start-up again with these inputs and preferences.
    template <typename Change>
    void Restart(std::vector<std::string> inputs, Change change)
    {
        TestApp().Stop();
        UseDevices(std::move(inputs), {"Out"});
        WritePreferences(change);
        ASSERT_TRUE(TestApp().Start());
        m_frame = dynamic_cast<CMainFrame*>(TestApp().GetMainWindow());
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(Focus(Panel()));
    }

    CTemplateUI& View() { return *m_frame->GetView(); }
    wxMenuItem* Item(int id) { return Frame().GetMenuBar()->FindItem(id); }
    bool Enabled(int id) { return Item(id)->IsEnabled(); }
    bool Listening() { return Item(MenuId::Listen)->IsChecked(); }
    std::vector<wxString> Boxes()
    {
        std::vector<wxString> texts;
        for (const auto& box : m_boxes.boxes)
            texts.push_back(box.text);
        return texts;
    }
    // The control's settings on show: a click on it, then Enter.
    void EditControl(int index)
    {
        Click(Panel(), View().ControlCentre(index));
        Key(WXK_RETURN);
        ASSERT_TRUE(Frame().IsControlSettingsShown());
        ASSERT_TRUE(Focus(Panel()));
    }
    // A few whole idle passes, for what must not happen in them.
    void IdlePasses(int count = 3)
    {
        for (int i = 0; i < count; ++i)
            TestApp().ProcessIdle();
    }
    void ChooseMenu(int id) { ASSERT_TRUE(ChooseMenuItem(&Frame(), id)) << "menu item " << id; }
};

const wxString kInvalidDump = "The dump received was not a valid template.\n\nEither the dump came from another "
                              "device, was corrupted, or you started listening in the middle of the dump.";
} // namespace

// Every model's dump arrives whole and opens, converted when it is not the
// DorvaSynth's; a dump of no model opens nothing. Listen is off after each.
TEST_F(MainWindowRoad, ListenReceivesEveryModelsDumpAndRefusesAnInvalidOne)
{
    // A fresh DorvaSynth template names an OS older than the editor needs.
    TestApp().Prefs().showOldOSDialog = 1;
    ModalScript<COldOSDialog> oldOS([](COldOSDialog&) {});
    struct Row
    {
        const char* what;
        Bytes dump;
        bool opens;
        wxString message; // the start of the one message box, empty for none
        int oldOSNotices;
    };
    auto dumpOf = [](TemplateModel model) { return BytesOf(CreateTemplateOfModel(model)->Write()); };
    auto converted = [](const char* model) { return wxString("This template has been recieved from a ") + model; };
    const Row rows[] = {
        {"DorvaSynth", dumpOf(ModelDorvaSynth), true, "", 1},
        {"Tolvar", dumpOf(ModelTolvar), true, converted("Tolvar."), 0},
        {"Tolvar Drel", dumpOf(ModelTolvarDrel), true, converted("Tolvar Drel."), 0},
        {"Tolvar Vesk", dumpOf(ModelTolvarVesk), true, converted("Tolvar Vesk."), 0},
        {"Calder, 8,208 bytes", dumpOf(ModelCalder), true, converted("Calder."), 0},
        {"no model", {0xF0, 0x00, 0x6A, 0x3C, 0x01, 0xF7}, false, kInvalidDump, 0},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        m_boxes.boxes.clear();
        oldOS.shown = 0;
        const int before = Frame().GetTemplateCount();
        Key('L', wxMOD_CONTROL);
        ASSERT_TRUE(Listening());
        ASSERT_TRUE(View().GetListenButton().IsLatched());
        TestApp().driver->InjectSysEx("In", row.dump, 256);
        ASSERT_TRUE(IdleUntil([&] { return !MIDIIO::IsReceiving(); }));
        EXPECT_EQ(Frame().GetTemplateCount(), before + (row.opens ? 1 : 0));
        EXPECT_FALSE(Listening());
        EXPECT_FALSE(View().GetListenButton().IsLatched());
        if (row.message.empty())
        {
            EXPECT_TRUE(m_boxes.boxes.empty());
        }
        else
        {
            ASSERT_EQ(m_boxes.boxes.size(), 1u);
            EXPECT_TRUE(m_boxes.boxes[0].text.StartsWith(row.message)) << m_boxes.boxes[0].text;
        }
        EXPECT_EQ(oldOS.shown, row.oldOSNotices);
        if (row.opens)
        {
            EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
            EXPECT_FALSE(Frame().GetCurrentTemplate()->IsPathValid());
        }
        ASSERT_TRUE(Focus(Panel()));
    }

    // Listen twice: it stops, and says so.
    Key('L', wxMOD_CONTROL);
    Key('L', wxMOD_CONTROL);
    EXPECT_FALSE(MIDIIO::IsReceiving());
    EXPECT_FALSE(Listening());
    EXPECT_EQ(Status(), "Stopped listening for template dumps");
}

// The input goes away during a receive: both notices, and Listen goes off.
TEST_F(MainWindowRoad, AnInterruptedDumpTurnsListenOff)
{
    AddTemplate("Shown");
    Key('L', wxMOD_CONTROL);
    ASSERT_TRUE(Listening());
    TestApp().driver->SetOpenFails("In", true);
    MIDIIO::SelectInputDevice(0); // the port closes and does not open again
    ASSERT_TRUE(IdleUntil([&] { return m_boxes.boxes.size() >= 2; }));
    EXPECT_TRUE(m_boxes.boxes[0].text.StartsWith("Template dump failed!")) << m_boxes.boxes[0].text;
    EXPECT_EQ(m_boxes.boxes[1].text, "The dump was interrupted - please try sending it again");
    EXPECT_FALSE(MIDIIO::IsReceiving());
    EXPECT_FALSE(Listening());
    EXPECT_FALSE(View().GetListenButton().IsLatched());
}

// Send with no output port: the notices, and no Send button left lit.
TEST_F(MainWindowRoad, ASendThatCannotStartLeavesNoButtonLit)
{
    AddTemplate("Unsent");
    TestApp().driver->SetOpenFails("Out", true);
    ASSERT_FALSE(MIDIIO::SelectOutputDeviceByName("Out"));
    Key('U', wxMOD_CONTROL);
    EXPECT_EQ(Status(), "Invalid output device");
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_TRUE(m_boxes.boxes[0].text.StartsWith("The output MIDI device is no longer accessible!"));
    EXPECT_FALSE(View().GetSendButton().IsLatched());
    EXPECT_TRUE(TestApp().driver->SentSysEx("Out").empty());
}

// With Listen on, a bank dialog opened and a dump arriving while it shows:
// the dump opens no template behind it, and Listen stays off after it.
TEST_F(MainWindowRoad, BankDialogsTakeTheInputFromAListen)
{
    const Bytes dump = BytesOf(CreateTemplateOfModel(ModelCalder)->Write());
    for (int id : {MenuId::BulkDumps, MenuId::PatchLibrarian})
    {
        SCOPED_TRACE(id);
        Key('L', wxMOD_CONTROL);
        ASSERT_TRUE(Listening());
        m_boxes.boxes.clear();
        Frame().SetStatus("");
        ModalScript<CBulkDumpDialog> dialog([&](CBulkDumpDialog&) {
            TestApp().driver->InjectSysEx("In", dump, 256);
            // Once the message behind it is shown, the dump has been dealt with.
            TestApp().driver->InjectShort("In", 0x90, 60, 100);
            EXPECT_TRUE(IdleUntil([&] { return Status() == "Received MIDI message"; }));
        });
        ChooseMenu(id);
        ASSERT_EQ(dialog.shown, 1);
        EXPECT_EQ(Frame().GetTemplateCount(), 0);
        EXPECT_TRUE(m_boxes.boxes.empty());
        EXPECT_FALSE(Listening());
        EXPECT_FALSE(MIDIIO::IsReceiving());
        ASSERT_TRUE(Focus(Panel()));
    }
}

// On demand (the default mode), a new input chosen through the welcome
// dialog's listen choice is the one listened on.
TEST_F(MainWindowRoad, TheWelcomeListenChoiceListensOnTheInputJustChosen)
{
    Restart({"In", "In B"}, [](Preferences& p) {
        p.releaseDriver = 1;
        p.inputDevice = "In";
    });
    // The program becomes active: its ports open.
    MIDIIO::RequestOpen();
    ASSERT_TRUE(IdleUntil([] { return MIDIIO::GetState() == MIDIIO::kIdle; }));
    ASSERT_TRUE(TestApp().driver->IsOpen("In"));

    ModalScript<CWelcomeDialog> welcome([](CWelcomeDialog& dialog) {
        Click(dialog.FindWindow(XRCID("Listen_For_A_Template")));
        Click(dialog.FindWindow(wxID_OK));
    });
    ModalScript<CSelectMIDIDevices> devices([](CSelectMIDIDevices& dialog) {
        auto* input = dynamic_cast<wxChoice*>(dialog.FindWindow(XRCID("Input_Midi_Device")));
        ASSERT_NE(input, nullptr);
        input->SetStringSelection("In B");
        // OK as the toolkit delivers it, with no idle pass before the dialog
        // returns, as for a user: a settled click would run idle passes in
        // the dialog, which reopen the ports on their own.
        ClickButton(dialog, wxID_OK);
    });
    Frame().ShowWelcome();
    ASSERT_EQ(welcome.shown, 1);
    ASSERT_EQ(devices.shown, 1);
    EXPECT_EQ(Boxes(), std::vector<wxString>{"You will need to select a MIDI input device - please do so now before "
                                             "continuing."});
    EXPECT_EQ(Status(), "Listening for template dump from device: In B");
    EXPECT_TRUE(TestApp().driver->IsOpen("In B"));
    EXPECT_FALSE(TestApp().driver->IsOpen("In"));
    TestApp().driver->InjectSysEx("In B", BytesOf(CreateTemplateOfModel(ModelDorvaSynth)->Write()), 256);
    EXPECT_TRUE(IdleUntil([&] { return Frame().GetTemplateCount() == 1; }));
}

// A recent file whose path holds "&": the label shows it, choosing it opens it.
TEST_F(MainWindowRoad, ARecentFileWithAnAmpersandOpens)
{
    const std::string path = m_config.File("Bass & Lead.syx");
    ASSERT_TRUE(WriteSysExToFile(path, CDorvaSynthAnswers().CreateTemplate()->Write()));
    TestApp().Recent().Clear();
    TestApp().Recent().Add(path);
    Frame().UpdateFileMenu();
    EXPECT_EQ(Item(MenuId::RecentFile)->GetItemLabelText(), ToWx(path));

    ChooseMenu(MenuId::RecentFile);
    EXPECT_TRUE(m_boxes.boxes.empty()) << m_boxes.boxes[0].text;
    ASSERT_EQ(Frame().GetTemplateCount(), 1);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDefaultFileName(), path);
    EXPECT_EQ(Status(), "Opened template: " + ToWx(path));
    EXPECT_EQ(TestApp().Recent().Get(0), path);
}

// Import takes a file's controls into the current template's imported
// controls; nothing else opens.
TEST_F(MainWindowRoad, ImportAddsTheFilesControlsToTheCurrentTemplate)
{
    std::unique_ptr<CEditorTemplate> file = CreateTemplateOfModel(ModelCalder);
    file->GetControl(0)->SetType(ControlMessageType::CC, false);
    file->GetControl(0)->SetName("Reso");
    const std::string path = m_config.File("calder.syx");
    ASSERT_TRUE(WriteSysExToFile(path, file->Write()));
    CEditorTemplate& current = AddTemplate("Into");
    ASSERT_TRUE(current.GetImportedControls().empty());
    FileChooserScript chooser;
    chooser.answer = ToWx(path);
    Key('I', wxMOD_CONTROL);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_FALSE(chooser.requests[0].save);
    ASSERT_EQ(current.GetImportedControls().size(), 1u);
    EXPECT_EQ(current.GetImportedControls()[0].GetParamName(), "Reso");
    EXPECT_EQ(Frame().GetTemplateCount(), 1);
    EXPECT_EQ(Frame().GetCurrentTemplate(), &current);
    EXPECT_TRUE(m_boxes.boxes.empty());

    chooser.answer.clear();
    Key('I', wxMOD_CONTROL);
    EXPECT_EQ(Status(), "Import cancelled");
}

// A save into a folder that does not exist fails plainly and keeps the
// template modified, with no path. (Tests run as root: a read-only folder
// would not stop the write.)
TEST_F(MainWindowRoad, ASaveIntoAMissingFolderFailsAndKeepsTheChanges)
{
    CEditorTemplate& current = AddTemplate("Unsaved");
    current.MarkSaved(false);
    Frame().UpdateTitle();
    const wxString title = Frame().GetTitle();
    const std::string path = m_config.File("missing/unsaved.syx");
    FileChooserScript chooser;
    chooser.answer = ToWx(path);
    Key('S', wxMOD_CONTROL);
    const wxString failure = "Unable to save template to: " + ToWx(path) + "\n\nEnsure the file is not read-only.";
    EXPECT_EQ(Boxes(), std::vector<wxString>{failure});
    EXPECT_EQ(Status(), failure);
    EXPECT_TRUE(current.IsModified());
    EXPECT_FALSE(current.IsPathValid());
    EXPECT_EQ(Frame().GetTitle(), title);
    struct stat info;
    EXPECT_NE(::stat(path.c_str(), &info), 0);
}

// Open, Import, Save and Save As ask for a file with the control settings
// window out of the way.
TEST_F(MainWindowRoad, FileChoosersOpenWithTheSettingsWindowHidden)
{
    AddTemplate("Choosers");
    FileChooserScript chooser; // answers Cancel
    bool settingsShown = true;
    chooser.whileShowing = [&] { settingsShown = Frame().IsControlSettingsShown(); };
    struct Row
    {
        const char* what;
        int key;
        int modifiers;
    };
    const Row rows[] = {
        {"Open", 'O', wxMOD_CONTROL},
        {"Import", 'I', wxMOD_CONTROL},
        {"Save", 'S', wxMOD_CONTROL},
        {"Save As", 'S', wxMOD_CONTROL | wxMOD_SHIFT},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        EditControl(0);
        const size_t before = chooser.requests.size();
        Key(row.key, row.modifiers);
        ASSERT_EQ(chooser.requests.size(), before + 1);
        EXPECT_FALSE(settingsShown);
    }
}

// The settings window shown again by the idle step (after an undo of a type
// change) turns the edit items off at once, not at the next pointer motion.
TEST_F(MainWindowRoad, TheEditMenuFollowsTheSettingsWindow)
{
    AddTemplate("Menus");
    EditControl(0);
    // As the type choice of the settings window does.
    ASSERT_TRUE(SubmitToCurrentTemplate(
        std::make_unique<CSetControlTypeCommand>(View().GetSelection().Front(), ControlMessageType::NRPN)));
    Frame().GetControlSettings()->Close();
    ASSERT_TRUE(Enabled(MenuId::Copy));
    ASSERT_TRUE(Focus(Panel()));

    Key('Z', wxMOD_CONTROL);
    ASSERT_TRUE(IdleUntil([&] { return Frame().IsControlSettingsShown(); }));
    EXPECT_NE(Frame().GetCurrentTemplate()->GetControl(0)->GetType(), ControlMessageType::NRPN);
    for (int id : {MenuId::Cut, MenuId::Copy, MenuId::Delete, MenuId::GetInfo, MenuId::SelectAll})
        EXPECT_FALSE(Enabled(id)) << id;
}

namespace
{
// Counts the releases of the left button that reach the view.
class CountingView : public CDorvaSynthTemplateUI
{
public:
    bool OnMouseButton(const wxPoint& point, bool ctrl, bool doubleClick, bool button, bool up, bool right) override
    {
        if (button && up && !right && !doubleClick)
            ++releases;
        return CDorvaSynthTemplateUI::OnMouseButton(point, ctrl, doubleClick, button, up, right);
    }
    int releases = 0;
};

class MainWindowRelease : public MainWindowRoad
{
protected:
    void SetUp() override
    {
        TestApp().makeView = [this] { return m_view = new CountingView; };
        Restart({"In"}, [](Preferences&) {});
    }
    CountingView* m_view = nullptr;
};
} // namespace

// A press inside the panel released outside the window reaches the view
// once: from the window when it has the release, else from the idle step.
TEST_F(MainWindowRelease, AReleaseOutsideTheWindowReachesTheViewOnce)
{
    AddTemplate("Drag");
    const wxPoint outside(Panel()->GetClientSize().x / 2, Frame().GetClientSize().y + 8); // the status line
    IdlePasses(); // the idle step has seen the pointer inside
    Drag(Panel(), View().ControlCentre(0), outside);
    IdlePasses();
    EXPECT_EQ(m_view->releases, 1);
}

// Switching away from a template whose control is on show, and closing the
// last template, leave nothing of the view or the settings window on it.
TEST_F(MainWindowRoad, TheViewLetsGoOfATemplateSwitchedAwayOrClosed)
{
    CEditorTemplate& first = AddTemplate("First");
    AddTemplate("Second");
    EditControl(3);
    Key(WXK_TAB, wxMOD_CONTROL);
    ASSERT_EQ(Frame().GetCurrentTemplate(), &first);
    IdlePasses();
    EXPECT_FALSE(Frame().IsControlSettingsShown());
    EXPECT_EQ(Frame().GetControlSettings()->GetControl(), nullptr);
    EXPECT_TRUE(View().GetSelection().Empty());

    Click(Panel(), View().ControlCentre(3));
    ChooseMenu(MenuId::Close);
    ChooseMenu(MenuId::Close);
    ASSERT_EQ(Frame().GetTemplateCount(), 0);
    EXPECT_TRUE(View().GetControlButtons().empty());
    EXPECT_TRUE(View().GetSelection().Empty());
    EXPECT_EQ(View().GetTemplate(), nullptr);
}

namespace
{
// An xdg-open on PATH that notes the address it was given and ends with status.
struct FakeOpener
{
    explicit FakeOpener(int status)
    {
        std::ofstream script(bin.File("xdg-open"));
        script << "#!/bin/sh\nprintf '%s' \"$1\" > " << log << ".part && mv " << log << ".part " << log
               << "\nexit " << status << "\n";
        script.close();
        ::chmod(bin.File("xdg-open").c_str(), 0755);
    }
    std::string Opened() const
    {
        std::ifstream in(log);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    TempFolder bin;
    std::string log = bin.File("opened.txt");
    std::string path = bin.Path() + ":" + std::getenv("PATH");
    ScopedEnv env{"PATH", path.c_str()};
};
} // namespace

// The Help items hand our addresses to the browser, and say plainly when no
// browser could be started.
TEST_F(MainWindowRoad, HelpItemsOpenTheirPagesOrSayNoBrowserStarted)
{
    struct Row
    {
        int id;
        wxString address;
    };
    const Row rows[] = {
        {MenuId::ViewHelp, LocalFileUrl(GetResourceFilePath("help", "html"))},
        {MenuId::VisitWebsite, WebAddresses::kWebSite},
        {MenuId::OnlineSupport, WebAddresses::kSupport},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.address);
        {
            FakeOpener browser(0);
            ChooseMenu(row.id);
            ASSERT_TRUE(PumpUntil([&] { return !browser.Opened().empty(); }));
            EXPECT_EQ(ToWx(browser.Opened()), row.address);
            IdlePasses();
            EXPECT_TRUE(m_boxes.boxes.empty());
        }
        {
            FakeOpener noBrowser(3); // what xdg-open ends with when it finds nothing to start
            ChooseMenu(row.id);
            ASSERT_TRUE(PumpUntil([&] { return !m_boxes.boxes.empty(); }));
            EXPECT_EQ(Boxes(), std::vector<wxString>{"No web browser could be started to show " + row.address + "."});
            m_boxes.boxes.clear();
        }
    }
}
