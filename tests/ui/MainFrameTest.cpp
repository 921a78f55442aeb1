#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/KeyboardZone.h"
#include "model/PlacedControl.h"
#include "model/SysExFile.h"
#include "model/TemplateLoader.h"
#include "model/WordList.h"
#include "model/commands/ControlClipboard.h"
#include "model/commands/SubmitCommand.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/app/ModalWatchdog.h"
#include "tests/ui/MainWindowTest.h"
#include "tests/ui/RealInput.h"
#include "ui/Accessibility.h"
#include "ui/EditControlDialog.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"
#include "ui/ResourceFiles.h"
#include "ui/SyxFileDropTarget.h"
#include "ui/TemplateUI.h"

namespace
{
class MainFrameTest : public MainWindowTest
{
protected:
    wxMenuItem* Item(int id) { return Frame().GetMenuBar()->FindItem(id); }
    bool Enabled(int id) { return Item(id) && Item(id)->IsEnabled(); }
    wxString Label(int id) { return Item(id)->GetItemLabel(); }
    wxString Status() { return Frame().GetStatusBar()->GetStatusText(0); }
    int AccessibleChildren()
    {
        int count = -1;
        Frame().GetAccessible()->GetChildCount(count);
        return count;
    }
    void Choose(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(&Frame());
        Frame().GetEventHandler()->ProcessEvent(event);
    }
    // Deletes control 0 of the current template as one undo step.
    void DeleteFirstControl()
    {
        CEditorTemplate& current = *Frame().GetCurrentTemplate();
        Selection selection;
        selection.Add(CPlacedControl(current.GetControl(0), 0));
        ASSERT_TRUE(SubmitToCurrentTemplate(ControlEdit::Delete(selection)));
    }
    std::vector<wxString> TemplateMenuLabels()
    {
        std::vector<wxString> labels;
        for (int id = MenuId::OpenTemplate; Item(id); ++id)
            labels.push_back(Label(id));
        return labels;
    }
};
} // namespace

TEST_F(MainFrameTest, EmptyWindow)
{
    ASSERT_NE(m_frame, nullptr);
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - No Template Loaded");
    EXPECT_TRUE(Frame().GetIcon().IsOk()) << "the window has its icon";
    EXPECT_EQ(Frame().GetIcon().GetWidth(), 32);
    for (int id : {MenuId::Save, MenuId::SaveAs, MenuId::Close, MenuId::Import, MenuId::Undo, MenuId::Redo,
                   MenuId::Cut, MenuId::Copy, MenuId::Paste, MenuId::Delete, MenuId::SelectAll, MenuId::GetInfo,
                   MenuId::TemplateSettings, MenuId::OpenTemplate, MenuId::Upload, MenuId::RecentFilesMenu})
        EXPECT_FALSE(Enabled(id)) << "item " << id;
    EXPECT_TRUE(Enabled(MenuId::New));
    EXPECT_TRUE(Enabled(MenuId::Listen));
    EXPECT_EQ(Label(MenuId::Undo), "Can't undo\tCtrl+Z");
    EXPECT_EQ(Label(MenuId::Redo), "Can't redo\tCtrl+Y");
    EXPECT_EQ(TemplateMenuLabels(), (std::vector<wxString>{"No templates loaded"}));
    // The DorvaSynth has bulk dumps, the librarian and OS updates but no View menu or groups.
    EXPECT_NE(Item(MenuId::BulkDumps), nullptr);
    EXPECT_NE(Item(MenuId::UpdateOS), nullptr);
    EXPECT_EQ(Item(MenuId::ViewInfo), nullptr);
    EXPECT_EQ(Item(MenuId::MidiGroups), nullptr);
    EXPECT_EQ(Frame().GetStatusBar()->GetFieldsCount(), 5);
    // The idle step does nothing without a template.
    Frame().IdleStep();
}

TEST_F(MainFrameTest, OpenTemplatesInMostRecentlyUsedOrder)
{
    AddTemplate("First");
    AddTemplate("Second");
    AddTemplate("Third");
    EXPECT_EQ(Frame().GetCurrentIndex(), 0);
    EXPECT_EQ(Frame().GetTemplate(2)->GetDisplayName(), "First");
    EXPECT_EQ(TemplateMenuLabels(), (std::vector<wxString>{"Third.syx", "Second.syx", "First.syx"}));
    EXPECT_TRUE(Item(MenuId::OpenTemplate)->IsChecked());
    EXPECT_TRUE(Enabled(MenuId::Save));
    EXPECT_TRUE(Enabled(MenuId::Upload)) << "a template and an output";
    EXPECT_TRUE(Enabled(MenuId::SelectAll));
    EXPECT_FALSE(Enabled(MenuId::Copy)) << "nothing selected";
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - Third.syx");
    ASSERT_NE(Frame().GetAccessible(), nullptr);
    EXPECT_EQ(AccessibleChildren(), 51);

    // Choosing the last one in the menu brings it to the front.
    Choose(MenuId::OpenTemplate + 2);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDisplayName(), "First");
    EXPECT_EQ(TemplateMenuLabels(), (std::vector<wxString>{"First.syx", "Third.syx", "Second.syx"}));

    // Closing shrinks the menu; the last close leaves "No templates loaded".
    Frame().CloseTemplate();
    EXPECT_EQ(TemplateMenuLabels(), (std::vector<wxString>{"Third.syx", "Second.syx"}));
    Frame().CloseTemplate();
    Frame().CloseTemplate();
    EXPECT_EQ(Frame().GetCurrentIndex(), -1);
    EXPECT_EQ(Frame().GetCurrentTemplate(), nullptr);
    EXPECT_EQ(TemplateMenuLabels(), (std::vector<wxString>{"No templates loaded"}));
    EXPECT_FALSE(Enabled(MenuId::OpenTemplate));
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - No Template Loaded");
    EXPECT_EQ(AccessibleChildren(), 0) << "the panel let go of the closed template's controls";
}

TEST_F(MainFrameTest, UndoAndRedoThroughTheEditMenu)
{
    CEditorTemplate& current = AddTemplate("Edits");
    current.GetControl(0)->SetName("Cutoff");
    const std::string name = current.GetControl(0)->GetName();
    DeleteFirstControl();
    ASSERT_NE(current.GetControl(0)->GetName(), name);
    EXPECT_TRUE(Enabled(MenuId::Undo));
    EXPECT_EQ(Label(MenuId::Undo), "&Undo " + ToWx(current.GetUndoText()) + "\tCtrl+Z");
    EXPECT_FALSE(Enabled(MenuId::Redo));
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - Edits.syx*");
    EXPECT_EQ(TemplateMenuLabels(), (std::vector<wxString>{"Edits.syx*"}));

    Choose(MenuId::Undo);
    EXPECT_EQ(current.GetControl(0)->GetName(), name);
    EXPECT_FALSE(Enabled(MenuId::Undo));
    EXPECT_EQ(Label(MenuId::Undo), "Can't undo\tCtrl+Z");
    EXPECT_TRUE(Enabled(MenuId::Redo));
    EXPECT_EQ(Label(MenuId::Redo), "&Redo " + ToWx(current.GetRedoText()) + "\tCtrl+Y");

    Choose(MenuId::Redo);
    EXPECT_NE(current.GetControl(0)->GetName(), name);
    EXPECT_TRUE(Enabled(MenuId::Undo));
}

TEST_F(MainFrameTest, SaveAndOpen)
{
    FileChooserScript chooser;
    AddTemplate("Lead Synth");
    DeleteFirstControl();

    // A new template asks for a name; Cancel keeps it modified.
    Choose(MenuId::Save);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].file, "Lead Synth.syx");
    EXPECT_EQ(chooser.requests[0].wildcard, "SysEx Dump (*.syx)|*.syx");
    EXPECT_EQ(Status(), "Save canceled");
    EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());

    const std::string path = m_config.File("lead.syx");
    chooser.answer = ToWx(path);
    Choose(MenuId::Save);
    EXPECT_EQ(Status(), "Saved template to: " + ToWx(path));
    EXPECT_FALSE(Frame().GetCurrentTemplate()->IsModified());
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - " + ToWx(path));
    EXPECT_EQ(TestApp().Recent().Get(0), path);
    SysExBuffer written;
    ASSERT_TRUE(ReadSysExFromFile(path, written));
    EXPECT_TRUE(written.Equals(Frame().GetCurrentTemplate()->Write()));

    // Opening the file that is open and saved only makes it current.
    AddTemplate("Other");
    Frame().SetStatus("");
    Frame().OpenTemplateFile(ToWx(path), true);
    EXPECT_EQ(Frame().GetTemplateCount(), 2);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDefaultFileName(), path);
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(m_boxes.boxes.empty());

    // Closed and opened again: a fresh template from the file.
    Frame().CloseTemplate();
    Frame().OpenTemplateFile(ToWx(path), true);
    EXPECT_EQ(Frame().GetTemplateCount(), 2);
    EXPECT_EQ(Frame().GetCurrentIndex(), 0);
    EXPECT_EQ(Status(), "Opened template: " + ToWx(path));
    EXPECT_TRUE(Frame().GetCurrentTemplate()->Write().Equals(written));
    EXPECT_FALSE(Frame().GetCurrentTemplate()->IsModified());
}

TEST_F(MainFrameTest, OpenFailures)
{
    TestApp().Recent().Clear();
    const std::string missing = m_config.File("gone.syx");
    TestApp().Recent().Add(missing);
    Frame().OpenTemplateFile(ToWx(missing), true);
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, "Cannot find file: " + ToWx(missing) + "\n\nIt may have been moved or deleted.");
    EXPECT_EQ(TestApp().Recent().Count(), 0);

    const std::string junk = m_config.File("junk.syx");
    ASSERT_TRUE(WriteSysExToFile(junk, SysExBuffer::FromBytes({0xF0, 0x01, 0x02, 0xF7})));
    Frame().OpenTemplateFile(ToWx(junk), true);
    const wxString failure = "Unable to open template: " + ToWx(junk) + " - the file is not a valid template file";
    ASSERT_EQ(m_boxes.boxes.size(), 2u);
    EXPECT_EQ(m_boxes.boxes[1].text, failure);
    EXPECT_EQ(Status(), failure);
    EXPECT_EQ(Frame().GetTemplateCount(), 0);
}

TEST_F(MainFrameTest, CloseAsksToSaveChanges)
{
    FileChooserScript chooser; // answers Cancel
    AddTemplate("Pads");
    DeleteFirstControl();

    // Yes, then a cancelled save: the template stays.
    m_boxes.answer = wxYES;
    Choose(MenuId::Close);
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, "Save changes to template \"Pads\"?");
    EXPECT_EQ(m_boxes.boxes[0].style, wxYES_NO | wxCENTRE);
    EXPECT_EQ(Frame().GetTemplateCount(), 1);

    // No closes without saving.
    m_boxes.answer = wxNO;
    Choose(MenuId::Close);
    EXPECT_EQ(Frame().GetTemplateCount(), 0);
    EXPECT_TRUE(chooser.requests.size() == 1u);
}

TEST_F(MainFrameTest, ClosingTheWindowAsksForEachUnsavedTemplate)
{
    AddTemplate("One");
    DeleteFirstControl();
    AddTemplate("Two");
    DeleteFirstControl();
    AddTemplate("Saved");

    // Cancel on the first still asks about the second; the window stays.
    m_boxes.script = {wxCANCEL, wxNO};
    EXPECT_FALSE(Frame().Close());
    ASSERT_EQ(m_boxes.boxes.size(), 2u);
    EXPECT_EQ(m_boxes.boxes[0].text, "Save changes to template \"Two\"?");
    EXPECT_EQ(m_boxes.boxes[0].style, wxYES_NO | wxCANCEL | wxCENTRE);
    EXPECT_EQ(m_boxes.boxes[1].text, "Save changes to template \"One\"?");
    EXPECT_FALSE(Frame().IsBeingDeleted());
    EXPECT_EQ(TestApp().GetMainWindow(), &Frame());
    EXPECT_EQ(Frame().GetTemplateCount(), 3);
}

TEST_F(MainFrameTest, DroppedFilesMustAllBeSyx)
{
    EXPECT_TRUE(AllFilesAreSyx(wxArrayString()));
    wxArrayString names;
    names.Add("/t/a.syx");
    EXPECT_TRUE(AllFilesAreSyx(names));
    names.Add("/t/b.SYX");
    EXPECT_FALSE(AllFilesAreSyx(names));
    wxArrayString folder;
    folder.Add("/t/folder.syx/");
    EXPECT_FALSE(AllFilesAreSyx(folder));

    CSyxFileDropTarget target(Frame());
    EXPECT_FALSE(target.OnDropFiles(0, 0, names));
    EXPECT_FALSE(target.OnDropFiles(0, 0, wxArrayString()));
    EXPECT_TRUE(m_boxes.boxes.empty()) << "nothing was opened";
}

TEST_F(MainFrameTest, ShortMessagesFillTheStatusFields)
{
    TestApp().driver->InjectShort("In", 0x90, 60, 100);
    ASSERT_TRUE(IdleUntil([&] { return Status() == "Received MIDI message"; }));
    const auto lines = MIDIIO::FormatMessage(0x90, 60, 100);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(i + 1), ToWx(lines[i]));
}

TEST_F(MainFrameTest, RevertingToTheFileOnDisk)
{
    FileChooserScript chooser;
    CEditorTemplate& saved = AddTemplate("Bass");
    saved.GetControl(0)->SetName("Cutoff");
    const std::string path = m_config.File("bass.syx");
    chooser.answer = ToWx(path);
    Choose(MenuId::Save);
    DeleteFirstControl();
    const SysExBuffer edited = Frame().GetCurrentTemplate()->Write();
    const wxString question = "This template is already loaded.  Do you want to revert to the version on disk?";

    // No keeps the edits.
    m_boxes.answer = wxNO;
    Frame().OpenTemplateFile(ToWx(path), true);
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].text, question);
    EXPECT_TRUE(Frame().GetCurrentTemplate()->Write().Equals(edited));

    // A file that no longer loads leaves the open template as it was, still modified.
    SysExBuffer good;
    ASSERT_TRUE(ReadSysExFromFile(path, good));
    ASSERT_TRUE(WriteSysExToFile(path, SysExBuffer::FromBytes({0xF0, 0x7F, 0xF7})));
    m_boxes.answer = wxYES;
    Frame().OpenTemplateFile(ToWx(path), true);
    EXPECT_TRUE(Frame().GetCurrentTemplate()->Write().Equals(edited));
    EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
    EXPECT_EQ(Frame().GetTemplateCount(), 1);

    // Yes with the good file: the saved content, at its saved point, with no history.
    ASSERT_TRUE(WriteSysExToFile(path, good));
    Frame().OpenTemplateFile(ToWx(path), true);
    EXPECT_EQ(Frame().GetTemplateCount(), 1);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetControl(0)->GetName(), "Cutoff");
    EXPECT_FALSE(Frame().GetCurrentTemplate()->IsModified());
    EXPECT_FALSE(Enabled(MenuId::Undo));
    EXPECT_EQ(Status(), "Opened template: " + ToWx(path));
}

TEST_F(MainFrameTest, PopUpMenuAndImportedControls)
{
    CEditorTemplate& current = AddTemplate("Imports");
    EXPECT_EQ(Frame().BuildContextMenu(), nullptr) << "nothing selected";

    CBaseControlState imported;
    imported.SetName("Reso");
    current.GetImportedControls().assign(600, imported);
    Selection& selection = Frame().GetSelection();
    selection.Add(CPlacedControl(current.GetControl(0), 0));
    selection.Add(CPlacedControl(current.GetControl(1), 1));
    std::unique_ptr<wxMenu> two = Frame().BuildContextMenu();
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->FindItem(MenuId::EditSelection), nullptr);
    EXPECT_EQ(two->FindItem(MenuId::ImportedControlsMenu), nullptr);
    EXPECT_NE(two->FindItem(MenuId::GetInfo), nullptr);

    // The Edit menu follows the selection and the clipboard.
    ControlClipboard::Global().Clear();
    Frame().UpdateEditMenuFromHistory();
    EXPECT_TRUE(Enabled(MenuId::Cut));
    EXPECT_TRUE(Enabled(MenuId::Copy));
    EXPECT_TRUE(Enabled(MenuId::Delete));
    EXPECT_TRUE(Enabled(MenuId::GetInfo));
    EXPECT_FALSE(Enabled(MenuId::Paste));
    Choose(MenuId::Copy);
    EXPECT_TRUE(Enabled(MenuId::Paste));

    selection.Clear();
    selection.Add(CPlacedControl(current.GetControl(0), 0));
    std::unique_ptr<wxMenu> one = Frame().BuildContextMenu();
    ASSERT_NE(one->FindItem(MenuId::EditSelection), nullptr);
    wxMenuItem* importedItem = one->FindItem(MenuId::ImportedControlsMenu);
    ASSERT_NE(importedItem, nullptr);
    wxMenu* list = importedItem->GetSubMenu();
    EXPECT_EQ(list->GetMenuItemCount(), 513u);
    EXPECT_EQ(list->FindItem(MenuId::ImportedControl)->GetItemLabel(),
              "Reso    " + ToWx(CBaseControlState::MessageTypeName(imported.GetType())));
    EXPECT_FALSE(list->FindItem(MenuId::ImportedControl)->IsChecked());

    Choose(MenuId::ImportedControl + 3);
    EXPECT_EQ(current.GetControl(0)->GetName(), "Reso");
    EXPECT_EQ(current.GetUndoText(), "Assign Imported Control");
    EXPECT_EQ(current.GetHistorySize(), 1);
    Choose(MenuId::Undo);
    EXPECT_NE(current.GetControl(0)->GetName(), "Reso");
}

TEST_F(MainFrameTest, TemplatesOfAnotherModelOpenConvertedAndModified)
{
    const SysExBuffer calder = CreateTemplateOfModel(ModelCalder)->Write();
    const std::string path = m_config.File("calder.syx");
    ASSERT_TRUE(WriteSysExToFile(path, calder));
    Frame().OpenTemplateFile(ToWx(path), true);
    ASSERT_EQ(Frame().GetTemplateCount(), 1);
    EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
    ASSERT_FALSE(m_boxes.boxes.empty());
    EXPECT_TRUE(m_boxes.boxes[0].text.StartsWith("This template has been imported from a template originally for the " +
                                                 ToWx(GetTemplateModelName(ModelCalder)) +
                                                 ".\n\nIf you save this template, it will be saved as a Dorva template"));
    EXPECT_EQ(Status(), "Opened template: " + ToWx(path));
}

TEST_F(MainFrameTest, ClosingWithNothingUnsavedEndsTheWindow)
{
    AddTemplate("Clean");
    MIDIIO::BeginReceive(&Frame(), &Frame());
    EXPECT_TRUE(Frame().Close());
    EXPECT_TRUE(m_boxes.boxes.empty());
    // The application stops calling into the window at once, before the
    // toolkit deletes it.
    EXPECT_EQ(TestApp().GetMainWindow(), nullptr);
    EXPECT_EQ(TestApp().GetMainWindowObject(), nullptr);
    EXPECT_EQ(Host().Window(), nullptr);
    // The toolkit's idle work deletes it; its transfer and its message registration go with it.
    TestApp().ProcessIdle();
    EXPECT_FALSE(MIDIIO::IsReceiving());
    EXPECT_EQ(MIDIIO::GetListenerCount(), 0);
}

namespace
{
// Sets the zone dialog's bottom note and confirms it.
struct ZoneDialogScript : wxModalDialogHook
{
    ZoneDialogScript() { Register(); }
    ~ZoneDialogScript() override { Unregister(); }
    int Enter(wxDialog* dialog) override
    {
        title = dialog->GetTitle();
        MarkScripted(*dialog);
        // Runs inside the dialog's modal loop, as a user would.
        dialog->CallAfter([dialog, this] {
            if (auto* bottom = dynamic_cast<wxSpinCtrl*>(dialog->FindWindow(XRCID("Bottom_Note"))))
                bottom->SetValue(bottomNote);
            ClickButton(*dialog, wxID_OK);
            if (dialog->IsModal())
                dialog->EndModal(wxID_CANCEL);
        });
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}
    wxString title;
    int bottomNote = 0;
};
} // namespace

TEST_F(MainFrameTest, TheZoneDialogEditsTheCurrentTemplatesZoneAsOneUndoStep)
{
    // This test's application leaves the resources out of its start-up.
    ASSERT_TRUE(LoadResourceFiles("DorvaSynthEditor"));
    std::unique_ptr<CEditorTemplate> zoned = CreateTemplateOfModel(ModelTolvarVesk);
    ASSERT_TRUE(zoned);
    Frame().AddTemplate(std::move(zoned));
    CEditorTemplate& current = *Frame().GetCurrentTemplate();
    ASSERT_NE(current.GetKeyboardZone(1), nullptr);
    const int before = current.GetKeyboardZone(1)->GetLowNote();
    const int wanted = before == 30 ? 31 : 30;

    ZoneDialogScript script;
    script.bottomNote = wanted;
    EXPECT_TRUE(Frame().ShowKeyboardZoneDialog(1, "Keyboard zone 2 settings"));
    EXPECT_EQ(script.title, "Keyboard zone 2 settings");
    EXPECT_EQ(current.GetKeyboardZone(1)->GetLowNote(), wanted);
    EXPECT_EQ(Label(MenuId::Undo), "&Undo Edit Keyboard Zone\tCtrl+Z");
    Choose(MenuId::Undo);
    EXPECT_EQ(current.GetKeyboardZone(1)->GetLowNote(), before);
    // A model without zones has nothing to edit.
    AddTemplate("No zones");
    EXPECT_FALSE(Frame().ShowKeyboardZoneDialog(0, "Keyboard zone 1 settings"));
}

TEST_F(MainFrameTest, EditingTheSelectionShowsItsPanelsAndUndoReachesThem)
{
    static const bool loaded = LoadResourceFiles("DorvaSynthEditor");
    ASSERT_TRUE(loaded);
    CEditorTemplate& current = AddTemplate("Panels");
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    const std::string original = current.GetControl(0)->GetName();
    CEditControlDialog* settings = Frame().GetControlSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(settings->IsShown());

    Frame().GetView()->SelectControl(0, true);
    ASSERT_TRUE(Frame().GetView()->EditSelection());
    EXPECT_TRUE(settings->IsShown());
    EXPECT_EQ(settings->GetTitle(), " Control settings");
    EXPECT_EQ(settings->GetControlIndex(), 0);
    std::vector<std::string> column;
    for (wxWindow* child : settings->GetChildren())
        column.push_back(wxString(child->GetClassInfo()->GetClassName()).ToStdString());
    EXPECT_EQ(column, (std::vector<std::string>{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog",
                                                "CSnapValueDialog", "CPotDialog"}));

    auto* name = dynamic_cast<wxTextCtrl*>(settings->FindWindow(XRCID("Name")));
    ASSERT_NE(name, nullptr);
    name->SetValue("Cutoff");
    EXPECT_EQ(current.GetControl(0)->GetName(), "Cutoff");
    Choose(MenuId::Undo);
    EXPECT_EQ(current.GetControl(0)->GetName(), original);
    // The same control stays on show: its panels are refreshed, not rebuilt.
    EXPECT_TRUE(settings->IsShown());
    EXPECT_EQ(settings->FindWindow(XRCID("Name")), name);
    EXPECT_EQ(name->GetValue(), ToWx(original));

    // The close box only hides it; the still selected control's name is kept for completion.
    current.GetControl(0)->SetName("Zyxwvut");
    settings->Close();
    EXPECT_EQ(Frame().GetControlSettings(), settings);
    EXPECT_FALSE(settings->IsShown());
    EXPECT_EQ(settings->GetControlIndex(), -1);
    EXPECT_EQ(Frame().GetValueObserver(), nullptr);
    EXPECT_TRUE(Frame().GetObservers().empty());
    const auto& words = Host().Words().Words();
    EXPECT_NE(std::find(words.begin(), words.end(), "Zyxwvut"), words.end());

    // A deferred refresh shows it again from the idle step.
    CPlacedControl(current.GetControl(0), 0).Refresh(true);
    EXPECT_FALSE(settings->IsShown());
    Frame().IdleStep();
    EXPECT_TRUE(settings->IsShown());
    EXPECT_EQ(settings->GetControlIndex(), 0);

    Frame().CloseTemplate();
    EXPECT_FALSE(settings->IsShown());
}

// A refresh of the settings window waiting for the idle step when the
// current template goes or changes is dropped: it would show a control of a
// template that is gone or no longer current.
TEST_F(MainFrameTest, AWaitingSettingsRefreshDiesWithItsTemplate)
{
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"close", [this] { Frame().CloseTemplate(); }},
        {"switch", [this] { Frame().SelectTemplate(1); }},
        {"delete all", [this] { Frame().DeleteAllTemplates(); }},
    };
    for (const auto& [what, action] : actions)
    {
        SCOPED_TRACE(what);
        AddTemplate("Other");
        CEditorTemplate& current = AddTemplate("Current");
        CPlacedControl(current.GetControl(3), 3).Refresh(true);
        action();
        AddTemplate("Next");
        Frame().IdleStep();
        EXPECT_FALSE(Frame().GetControlSettings()->IsShown());
        Frame().DeleteAllTemplates();
    }
}

// Hidden again before the X server has mapped it (a template switch right
// after a deferred show), the settings window stays hidden when the late map
// comes, and the main window's keys and edit items are not held back by it.
TEST_F(MainFrameTest, TheSettingsWindowHiddenBeforeItIsMappedStaysHidden)
{
    AddTemplate("Quick");
    Frame().GetView()->SelectControl(0, true);
    ASSERT_TRUE(Frame().GetView()->EditSelection());
    Frame().HideControlSettings();
    // The map, then what the window does about it.
    RealInput::Settle();
    RealInput::Settle();
    EXPECT_FALSE(Frame().IsControlSettingsShown());
}

TEST_F(MainFrameTest, HidingAfterTheSelectionMovedKeepsNoName)
{
    static const bool loaded = LoadResourceFiles("DorvaSynthEditor");
    ASSERT_TRUE(loaded);
    CEditorTemplate& current = AddTemplate("Moved");
    current.GetControl(0)->SetName("Qwzxkj");
    CTemplateUI& view = *Frame().GetView();
    view.SelectControl(0, true);
    ASSERT_TRUE(view.EditSelection());
    CEditControlDialog& settings = *Frame().GetControlSettings();
    ASSERT_TRUE(settings.IsShown());
    EXPECT_TRUE(Frame().ControlSettingsContains(
        Frame().ScreenToClient(settings.GetScreenRect().GetPosition()).x,
        Frame().ScreenToClient(settings.GetScreenRect().GetPosition()).y));

    view.SelectControl(0, false);
    view.SelectControl(1, true);
    Frame().HideControlSettings();
    EXPECT_EQ(settings.GetControlIndex(), -1);
    const auto& words = Host().Words().Words();
    EXPECT_EQ(std::find(words.begin(), words.end(), "Qwzxkj"), words.end());
}
