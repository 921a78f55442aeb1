// The real main window after start-up as a user reaches it: keys and clicks
// through the X server, menus chosen with the mouse, the unit played by a
// loopback MIDI layer.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtk/gtk.h>
#include <wx/choice.h>
#include <wx/dataview.h>
#include <wx/dirdlg.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "app/WebAddresses.h"
#include "midi/MIDIIO.h"
#include "model/SysExFile.h"
#include "model/WordList.h"
#include "model/commands/ControlClipboard.h"
#include "model/commands/ControlEditCommands.h"
#include "model/commands/SubmitCommand.h"
#include "tests/app/ScopedEnv.h"
#include "plugins/dialogs/VSTSelector.h"
#include "tests/model/BytesRead.h"
#include "tests/model/FifoWatch.h"
#include "tests/plugins/PluginTestSupport.h"
#include "tests/ui/MainWindowTest.h"
#include "ui/Accessibility.h"
#include "ui/DorvaSynthTemplateUI.h"
#include "ui/EditControlDialog.h"
#include "ui/SyxFileDropTarget.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/Browser.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/PreferencesDialog.h"
#include "ui/dialogs/SelectMIDIDevices.h"
#include "ui/dialogs/WelcomeDialog.h"

using namespace RealInput;

namespace
{
using Bytes = std::vector<uint8_t>;
using Labels = std::vector<wxString>;

Bytes DumpOf(TemplateModel model)
{
    const SysExBuffer dump = CreateTemplateOfModel(model)->Write();
    return Bytes(dump.begin(), dump.end());
}

const wxString kInvalidDump = "The dump received was not a valid template.\n\nEither the dump came from another "
                              "device, was corrupted, or you started listening in the middle of the dump.";
} // namespace

// An empty window offers what needs no template. The Template menu lists
// the open templates, most recently used first; Ctrl+Tab and the menu switch
// between them, Close closes the current one, and the view and settings
// window let go of what is switched away or closed.
TEST_F(MainWindowTest, TemplatesAreListedMostRecentFirstSwitchedAndClosed)
{
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - No Template Loaded");
    EXPECT_EQ(Frame().GetIcon().GetWidth(), 32) << "the window has its icon";
    for (int id : {MenuId::Save, MenuId::SaveAs, MenuId::Close, MenuId::Import, MenuId::Undo, MenuId::Redo,
                   MenuId::Cut, MenuId::Copy, MenuId::Paste, MenuId::Delete, MenuId::SelectAll, MenuId::GetInfo,
                   MenuId::TemplateSettings, MenuId::OpenTemplate, MenuId::Upload, MenuId::RecentFilesMenu})
        EXPECT_FALSE(Enabled(id)) << "item " << id;
    EXPECT_TRUE(Enabled(MenuId::New));
    EXPECT_TRUE(Enabled(MenuId::Listen));
    EXPECT_EQ(MenuLabel(MenuId::Undo), "Can't undo\tCtrl+Z");
    EXPECT_EQ(MenuLabel(MenuId::Redo), "Can't redo\tCtrl+Y");
    EXPECT_EQ(TemplateMenu(), Labels{"No templates loaded"});
    // The DorvaSynth has bulk dumps, the librarian and OS updates but no View menu or groups.
    for (int id : {MenuId::BulkDumps, MenuId::PatchLibrarian, MenuId::UpdateOS})
        EXPECT_NE(Item(id), nullptr) << id;
    EXPECT_EQ(Item(MenuId::ViewInfo), nullptr);
    EXPECT_EQ(Item(MenuId::MidiGroups), nullptr);
    EXPECT_EQ(Frame().GetStatusBar()->GetFieldsCount(), 5);
    AddTemplate("First");
    AddTemplate("Second");
    AddTemplate("Third");
    EXPECT_EQ(TemplateMenu(), (Labels{"Third.syx", "Second.syx", "First.syx"}));
    EXPECT_TRUE(Item(MenuId::OpenTemplate)->IsChecked());
    for (int id : {MenuId::Save, MenuId::Upload, MenuId::SelectAll})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(MenuId::Copy)) << "nothing selected";
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - Third.syx");
    int children = -1;
    Frame().GetAccessible()->GetChildCount(children);
    EXPECT_EQ(children, 51);

    ChooseMenu(MenuId::OpenTemplate + 2);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDisplayName(), "First");
    EXPECT_EQ(TemplateMenu(), (Labels{"First.syx", "Third.syx", "Second.syx"}));

    EditControl(3);
    Key(WXK_TAB, wxMOD_CONTROL);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDisplayName(), "Third");
    IdlePasses();
    EXPECT_FALSE(Frame().IsControlSettingsShown());
    EXPECT_EQ(Frame().GetControlSettings()->GetControl(), nullptr);
    EXPECT_TRUE(View().GetSelection().Empty());

    ChooseMenu(MenuId::Close);
    EXPECT_EQ(TemplateMenu(), (Labels{"First.syx", "Second.syx"}));
    Click(Panel(), Centre(3));
    ChooseMenu(MenuId::Close);
    ChooseMenu(MenuId::Close);
    EXPECT_EQ(Frame().GetCurrentTemplate(), nullptr);
    EXPECT_EQ(TemplateMenu(), Labels{"No templates loaded"});
    EXPECT_FALSE(Enabled(MenuId::OpenTemplate));
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - No Template Loaded");
    Frame().GetAccessible()->GetChildCount(children);
    EXPECT_EQ(children, 0) << "the panel let go of the closed template's controls";
    EXPECT_TRUE(View().GetControlButtons().empty());
    EXPECT_TRUE(View().GetSelection().Empty());
    EXPECT_EQ(View().GetTemplate(), nullptr);
}

TEST_F(MainWindowTest, EditsAreUndoneAndRedoneFromTheKeys)
{
    CEditorTemplate& current = AddTemplate("Edits");
    current.GetControl(0)->SetName("Cutoff");
    DeleteFirstControl();
    ASSERT_NE(current.GetControl(0)->GetName(), "Cutoff");
    EXPECT_EQ(MenuLabel(MenuId::Undo), "&Undo " + ToWx(current.GetUndoText()) + "\tCtrl+Z");
    EXPECT_FALSE(Enabled(MenuId::Redo));
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - Edits.syx*");
    EXPECT_EQ(TemplateMenu(), Labels{"Edits.syx*"});

    Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(current.GetControl(0)->GetName(), "Cutoff");
    EXPECT_FALSE(Enabled(MenuId::Undo));
    EXPECT_EQ(MenuLabel(MenuId::Undo), "Can't undo\tCtrl+Z");
    EXPECT_EQ(MenuLabel(MenuId::Redo), "&Redo " + ToWx(current.GetRedoText()) + "\tCtrl+Y");
    Key('Y', wxMOD_CONTROL);
    EXPECT_NE(current.GetControl(0)->GetName(), "Cutoff");
    EXPECT_TRUE(Enabled(MenuId::Undo));
}

// Save asks for a name once; a failed save keeps the changes; a file that is
// open and saved only becomes current; the recent files open it again, an
// "&" and a tab in its name and all (the menu shows the tab as a space).
TEST_F(MainWindowTest, SavingAndOpeningFiles)
{
    AddTemplate("Lead Synth");
    DeleteFirstControl();
    Key('S', wxMOD_CONTROL);
    ASSERT_EQ(m_chooser.requests.size(), 1u);
    EXPECT_EQ(m_chooser.requests[0].file, "Lead Synth.syx");
    EXPECT_EQ(m_chooser.requests[0].wildcard, "SysEx Dump (*.syx)|*.syx");
    EXPECT_TRUE(m_chooser.requests[0].save);
    EXPECT_EQ(Status(), "Save canceled");
    EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());

    // Tests run as root: only a missing folder stops the write.
    const std::string unwritable = m_config.File("missing/lead.syx");
    ChooseFile(unwritable, 'S');
    const wxString failure =
        "Unable to save template to: " + ToWx(unwritable) + " (No such file or directory)\n\nEnsure the file is not read-only.";
    EXPECT_EQ(Boxes(), Labels{failure});
    EXPECT_EQ(Status(), failure);
    EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
    EXPECT_FALSE(Frame().GetCurrentTemplate()->IsPathValid());
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - Lead Synth.syx*");

    const std::string path = m_config.File("Bass & Lead\t2.syx");
    ChooseFile(path, 'S', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_EQ(Status(), "Saved template to: " + ToWx(path));
    EXPECT_FALSE(Frame().GetCurrentTemplate()->IsModified());
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - " + ToWx(path));
    EXPECT_EQ(TestApp().Recent().Get(0), path);
    SysExBuffer written;
    ASSERT_TRUE(ReadSysExFromFile(path, written));
    EXPECT_TRUE(written.Equals(Frame().GetCurrentTemplate()->Write()));

    AddTemplate("Other");
    Frame().SetStatus("");
    ChooseFile(path, 'O');
    EXPECT_EQ(Frame().GetTemplateCount(), 2);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDefaultFileName(), path);
    EXPECT_EQ(Status(), "");

    ChooseMenu(MenuId::Close);
    wxString shown = ToWx(path);
    shown.Replace("\t", " ");
    EXPECT_EQ(Item(MenuId::RecentFile)->GetItemLabelText(), shown);
    ChooseMenu(MenuId::RecentFile);
    EXPECT_EQ(Frame().GetTemplateCount(), 2);
    EXPECT_EQ(Frame().GetCurrentIndex(), 0);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDefaultFileName(), path);
    EXPECT_EQ(Status(), "Opened template: " + ToWx(path));
    EXPECT_TRUE(Frame().GetCurrentTemplate()->Write().Equals(written));
    EXPECT_FALSE(Frame().GetCurrentTemplate()->IsModified());
    EXPECT_EQ(TestApp().Recent().Get(0), path);
    EXPECT_TRUE(Boxes().empty());

    // Save As onto a FIFO in the desktop's chooser, "replace?" answered: the template keeps
    // its own file, title and saved state, and Ctrl+S writes there again.
    {
        const std::string pipe = m_config.File("pipe.syx");
        FifoWatch watch(pipe);
        KeyInNextGtkQuestion replace(WXK_RETURN);
        ChooseInRealChooser('S', wxMOD_CONTROL | wxMOD_SHIFT, [&pipe](wxFileDialog& d) {
            ASSERT_TRUE(Present(&d));
            Key('A', wxMOD_CONTROL);
            Type(ToWx(pipe));
            // The first Enter may go to the name completion GTK offers meanwhile.
            for (int tries = 0; tries < 3 && d.IsModal(); ++tries)
            {
                Key(WXK_RETURN);
                PumpUntil([&d] { return !d.IsModal(); }, std::chrono::milliseconds(1000));
            }
            EXPECT_FALSE(d.IsModal());
        });
        EXPECT_TRUE(replace.Pressed());
        EXPECT_EQ(Boxes(), Labels{"Unable to save template to: " + ToWx(pipe) +
                                  " (not a regular file)\n\nEnsure the file is not read-only."});
        EXPECT_FALSE(watch.Fired());
    }
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - " + ToWx(path));
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDefaultFileName(), path);
    EXPECT_FALSE(Frame().GetCurrentTemplate()->IsModified());
    Key('S', wxMOD_CONTROL);
    EXPECT_EQ(Status(), "Saved template to: " + ToWx(path));

    // A name in Latin-1 is a file like any other: it opens from the desktop's chooser, in the
    // folder the program was started from, saves back to itself and reopens from the recent
    // files; its odd byte shows as a replacement character.
    const std::string folder = m_config.File("latin"), latin = folder + "/caf\xE9.syx";
    std::filesystem::create_directory(folder);
    ASSERT_TRUE(WriteSysExToFile(latin, CDorvaSynthAnswers().CreateTemplate()->Write()));
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    ChooseInRealChooser('O', wxMOD_CONTROL, [&latin](wxFileDialog& d) {
        GtkFileChooser* gtk = GTK_FILE_CHOOSER(d.GetHandle());
        const auto chosen = [gtk, &latin] {
            std::unique_ptr<gchar, decltype(&g_free)> name(gtk_file_chooser_get_filename(gtk), g_free);
            return name && name.get() == latin;
        };
        ASSERT_TRUE(Present(&d));
        for (int tries = 0; tries < 5 && !PumpUntil(chosen, std::chrono::milliseconds(500)); ++tries)
            Key(WXK_DOWN);
        Key(WXK_RETURN);
        EXPECT_TRUE(PumpUntil([&d] { return !d.IsModal(); }));
    });
    std::filesystem::current_path(started);
    const wxString readable = ToWx(folder) + "/caf" + wxString(wxUniChar(0xFFFD)) + ".syx";
    ASSERT_EQ(Frame().GetTemplateCount(), 3);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDefaultFileName(), latin);
    EXPECT_EQ(Status(), "Opened template: " + readable);
    EXPECT_EQ(Frame().GetTitle(), "Dorva Editor - " + readable);
    DeleteFirstControl();
    Key('S', wxMOD_CONTROL);
    ASSERT_TRUE(ReadSysExFromFile(latin, written));
    EXPECT_TRUE(written.Equals(Frame().GetCurrentTemplate()->Write()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
    ChooseMenu(MenuId::Close); // the template now shown comes first
    EXPECT_EQ(TestApp().Recent().Get(1), latin);
    EXPECT_EQ(Item(MenuId::RecentFile + 1)->GetItemLabelText(), readable);
    ChooseMenu(MenuId::RecentFile + 1);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDefaultFileName(), latin);
    EXPECT_TRUE(Frame().GetCurrentTemplate()->Write().Equals(written));
    EXPECT_TRUE(Boxes().empty());
}

// A file gone from its folder leaves the recent files; one that is no
// template, or no file at all (a FIFO), opens nothing; another model's opens
// converted and modified.
TEST_F(MainWindowTest, OpeningMissingForeignAndBrokenFiles)
{
    const std::string missing = m_config.File("gone.syx");
    const std::string junk = m_config.File("junk.syx");
    const std::string calder = m_config.File("calder.syx");
    ASSERT_TRUE(WriteSysExToFile(junk, SysExBuffer::FromBytes({0xF0, 0x01, 0x02, 0xF7})));
    ASSERT_TRUE(WriteSysExToFile(calder, CreateTemplateOfModel(ModelCalder)->Write()));
    TestApp().Recent().Clear();
    TestApp().Recent().Add(missing);
    Frame().UpdateFileMenu();
    ChooseMenu(MenuId::RecentFile);
    EXPECT_EQ(Boxes(), Labels{"Cannot find file: " + ToWx(missing) + "\n\nIt may have been moved or deleted."});
    EXPECT_EQ(TestApp().Recent().Count(), 0);
    EXPECT_FALSE(Enabled(MenuId::RecentFilesMenu));

    const std::string fifo = m_config.File("pipe.syx");
    // Far larger than any dump, and holding nothing (sparse): refused unread.
    const std::string huge = m_config.File("huge.syx");
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, std::uintmax_t(2) << 30);
    const std::pair<std::string, wxString> refused[] = {
        {junk, " - the file is not a valid template file"},
        {fifo, " - the file cannot be read: not a regular file"}, // at once: no writer is waited for
        {huge, " - the file is not a valid template file"}};
    for (const auto& [path, why] : refused)
    {
        FifoWatch watch(fifo);
        const std::uint64_t read = BytesRead();
        ChooseFile(path, 'O');
        EXPECT_LT(BytesRead() - read, 1u << 20) << path;
        const wxString failure = "Unable to open template: " + ToWx(path) + why;
        EXPECT_EQ(Boxes(), Labels{failure});
        EXPECT_EQ(Status(), failure);
        EXPECT_EQ(Frame().GetTemplateCount(), 0);
        EXPECT_FALSE(watch.Fired());
    }

    ChooseFile(calder, 'O');
    ASSERT_EQ(Frame().GetTemplateCount(), 1);
    EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
    const Labels boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].StartsWith("This template has been imported from a template originally for the " +
                                    ToWx(GetTemplateModelName(ModelCalder)) +
                                    ".\n\nIf you save this template, it will be saved as a Dorva template"));
    EXPECT_EQ(Status(), "Opened template: " + ToWx(calder));
}

// Import takes a file's controls into the current template's imported
// controls; nothing else opens. Every file chooser opens with the control
// settings window out of the way.
TEST_F(MainWindowTest, ImportAndTheFileChoosers)
{
    std::unique_ptr<CEditorTemplate> file = CreateTemplateOfModel(ModelCalder);
    file->GetControl(0)->SetType(ControlMessageType::CC, false);
    file->GetControl(0)->SetName("Reso");
    const std::string path = m_config.File("calder.syx");
    ASSERT_TRUE(WriteSysExToFile(path, file->Write()));
    CEditorTemplate& current = AddTemplate("Into");
    ChooseFile(path, 'I');
    EXPECT_FALSE(m_chooser.requests.at(0).save);
    ASSERT_EQ(current.GetImportedControls().size(), 1u);
    EXPECT_EQ(current.GetImportedControls()[0].GetParamName(), "Reso");
    EXPECT_EQ(Frame().GetTemplateCount(), 1);
    EXPECT_EQ(Frame().GetCurrentTemplate(), &current);
    EXPECT_TRUE(Boxes().empty());

    const std::pair<int, int> choosers[] = {
        {'O', wxMOD_CONTROL}, {'I', wxMOD_CONTROL}, {'S', wxMOD_CONTROL}, {'S', wxMOD_CONTROL | wxMOD_SHIFT}};
    const wxString cancelled[] = {"Open cancelled", "Import cancelled", "Save canceled", "Save canceled"};
    for (int i = 0; i < 4; ++i)
    {
        EditControl(i);
        ChooseFile("", choosers[i].first, choosers[i].second);
        EXPECT_EQ(m_chooser.requests.size(), 2u + i);
        EXPECT_FALSE(Frame().IsControlSettingsShown()) << i;
        if (i != 3)
            EXPECT_EQ(Status(), cancelled[i]);
    }
}

TEST_F(MainWindowTest, RevertingToTheFileOnDisk)
{
    CEditorTemplate& saved = AddTemplate("Bass");
    saved.GetControl(0)->SetName("Cutoff");
    const std::string path = m_config.File("bass.syx");
    ChooseFile(path, 'S');
    DeleteFirstControl();
    const SysExBuffer edited = Frame().GetCurrentTemplate()->Write();

    // No keeps the edits.
    m_boxes.answer = wxNO;
    ChooseFile(path, 'O');
    EXPECT_EQ(Boxes(), Labels{"This template is already loaded.  Do you want to revert to the version on disk?"});
    EXPECT_TRUE(Frame().GetCurrentTemplate()->Write().Equals(edited));
    // So does Enter in the real box, and the edits stay undoable.
    {
        MessageBoxKeys enter(WXK_RETURN);
        ChooseFile(path, 'O');
        EXPECT_EQ(enter.texts.size(), 1u);
    }
    EXPECT_TRUE(Frame().GetCurrentTemplate()->Write().Equals(edited));
    EXPECT_TRUE(Enabled(MenuId::Undo));

    // A file that no longer loads leaves the open template as it was, still modified.
    SysExBuffer good;
    ASSERT_TRUE(ReadSysExFromFile(path, good));
    ASSERT_TRUE(WriteSysExToFile(path, SysExBuffer::FromBytes({0xF0, 0x7F, 0xF7})));
    m_boxes.answer = wxYES;
    ChooseFile(path, 'O');
    EXPECT_TRUE(Frame().GetCurrentTemplate()->Write().Equals(edited));
    EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
    EXPECT_EQ(Frame().GetTemplateCount(), 1);

    // Yes with the good file: the saved content, at its saved point, with no history.
    ASSERT_TRUE(WriteSysExToFile(path, good));
    ChooseFile(path, 'O');
    EXPECT_EQ(Frame().GetTemplateCount(), 1);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetControl(0)->GetName(), "Cutoff");
    EXPECT_FALSE(Frame().GetCurrentTemplate()->IsModified());
    EXPECT_FALSE(Enabled(MenuId::Undo));
    EXPECT_EQ(Status(), "Opened template: " + ToWx(path));
}

// Close asks about unsaved changes: Yes and a cancelled save keep the
// template, and so does Escape in the box; No closes it. Closing the window
// asks about each unsaved template; Cancel or Escape keeps the window; with
// nothing unsaved it goes.
TEST_F(MainWindowTest, ClosingAsksToSaveChanges)
{
    AddTemplate("Pads");
    DeleteFirstControl();
    m_boxes.answer = wxYES;
    ChooseMenu(MenuId::Close);
    ASSERT_EQ(m_boxes.boxes.size(), 1u);
    EXPECT_EQ(m_boxes.boxes[0].style, wxYES_NO | wxCENTRE);
    EXPECT_EQ(Boxes(), Labels{"Save changes to template \"Pads\"?"});
    EXPECT_EQ(Frame().GetTemplateCount(), 1);
    {
        MessageBoxKeys escape(WXK_ESCAPE);
        ChooseMenu(MenuId::Close);
        EXPECT_EQ(escape.texts, Labels{"Save changes to template \"Pads\"?"});
    }
    ASSERT_EQ(Frame().GetTemplateCount(), 1);
    EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
    m_boxes.answer = wxNO;
    ChooseMenu(MenuId::Close);
    EXPECT_EQ(Frame().GetTemplateCount(), 0);
    EXPECT_EQ(m_chooser.requests.size(), 1u);
    Boxes();

    AddTemplate("One");
    DeleteFirstControl();
    AddTemplate("Two");
    DeleteFirstControl();
    AddTemplate("Saved");
    m_boxes.script = {wxCANCEL, wxNO};
    EXPECT_FALSE(Frame().Close());
    ASSERT_EQ(m_boxes.boxes.size(), 2u);
    EXPECT_EQ(m_boxes.boxes[0].style, wxYES_NO | wxCANCEL | wxCENTRE);
    EXPECT_EQ(Boxes(), (Labels{"Save changes to template \"Two\"?", "Save changes to template \"One\"?"}));
    EXPECT_FALSE(Frame().IsBeingDeleted());
    EXPECT_EQ(TestApp().GetMainWindow(), &Frame());
    EXPECT_EQ(Frame().GetTemplateCount(), 3);
    {
        MessageBoxKeys escape(WXK_ESCAPE);
        ChooseMenu(MenuId::Exit);
        EXPECT_EQ(escape.texts.size(), 2u);
    }
    EXPECT_EQ(TestApp().GetMainWindow(), &Frame());
    EXPECT_EQ(Frame().GetTemplateCount(), 3);

    m_boxes.answer = wxNO;
    MIDIIO::BeginReceive(&Frame(), &Frame());
    EXPECT_TRUE(Frame().Close());
    // The application stops calling into the window at once, before the
    // toolkit deletes it in its idle work, with its transfer and registration.
    EXPECT_EQ(TestApp().GetMainWindow(), nullptr);
    EXPECT_EQ(TestApp().GetMainWindowObject(), nullptr);
    EXPECT_EQ(Host().Window(), nullptr);
    TestApp().ProcessIdle();
    EXPECT_FALSE(MIDIIO::IsReceiving());
    EXPECT_EQ(MIDIIO::GetListenerCount(), 0);
}

TEST_F(MainWindowTest, OnlySyxFilesAreTakenWhenDropped)
{
    const std::pair<std::vector<wxString>, bool> rows[] = {
        {{}, true}, {{"/t/a.syx"}, true}, {{"/t/a.syx", "/t/b.SYX"}, false}, {{"/t/folder.syx/"}, false}};
    for (const auto& [names, syx] : rows)
        EXPECT_EQ(AllFilesAreSyx(wxArrayString(names.size(), names.data())), syx) << names.size();
    CSyxFileDropTarget target(Frame());
    EXPECT_FALSE(target.OnDropFiles(0, 0, wxArrayString()));
    EXPECT_FALSE(target.OnDropFiles(0, 0, wxArrayString(2, rows[2].first.data())));
    EXPECT_TRUE(m_boxes.boxes.empty()) << "nothing was opened";
}

TEST_F(MainWindowTest, ShortMessagesFillTheStatusFields)
{
    TestApp().driver->InjectShort("In", 0x90, 60, 100);
    ASSERT_TRUE(IdleUntil([&] { return Status() == "Received MIDI message"; }));
    const auto lines = MIDIIO::FormatMessage(0x90, 60, 100);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Status(i + 1), ToWx(lines[i]));
}

TEST_F(MainWindowTest, ThePopUpMenuOffersTheImportedControls)
{
    CEditorTemplate& current = AddTemplate("Imports");
    EXPECT_EQ(Frame().BuildContextMenu(), nullptr) << "nothing selected";
    CBaseControlState imported;
    imported.SetName("Reso");
    current.GetImportedControls().assign(600, imported);
    Click(Panel(), Centre(0));
    Click(Panel(), Centre(1), wxMOD_CONTROL);
    std::unique_ptr<wxMenu> two = Frame().BuildContextMenu();
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->FindItem(MenuId::EditSelection), nullptr);
    EXPECT_EQ(two->FindItem(MenuId::ImportedControlsMenu), nullptr);
    EXPECT_NE(two->FindItem(MenuId::GetInfo), nullptr);
    // The Edit menu follows the selection and the clipboard.
    ControlClipboard::Global().Clear();
    Frame().UpdateEditMenuFromHistory();
    for (int id : {MenuId::Cut, MenuId::Copy, MenuId::Delete, MenuId::GetInfo})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(MenuId::Paste));
    Key('C', wxMOD_CONTROL);
    EXPECT_TRUE(Enabled(MenuId::Paste));

    Click(Panel(), Centre(0));
    std::unique_ptr<wxMenu> one = Frame().BuildContextMenu();
    ASSERT_NE(one->FindItem(MenuId::EditSelection), nullptr);
    wxMenuItem* importedItem = one->FindItem(MenuId::ImportedControlsMenu);
    ASSERT_NE(importedItem, nullptr);
    wxMenu* list = importedItem->GetSubMenu();
    EXPECT_EQ(list->GetMenuItemCount(), 513u);
    EXPECT_EQ(list->FindItem(MenuId::ImportedControl)->GetItemLabel(),
              "Reso    " + ToWx(CBaseControlState::MessageTypeName(imported.GetType())));
    EXPECT_FALSE(list->FindItem(MenuId::ImportedControl)->IsChecked());

    wxCommandEvent choose(wxEVT_MENU, MenuId::ImportedControl + 3);
    Frame().ProcessWindowEvent(choose);
    EXPECT_EQ(current.GetControl(0)->GetName(), "Reso");
    EXPECT_EQ(current.GetUndoText(), "Assign Imported Control");
    EXPECT_EQ(current.GetHistorySize(), 1);
    Key('Z', wxMOD_CONTROL);
    EXPECT_NE(current.GetControl(0)->GetName(), "Reso");
}

// The settings window shows the selected control's panels; undo reaches
// them in place; its close box only hides it. Shown again by the idle step
// (after a type change, and after its undo) it turns the edit items off at once.
TEST_F(MainWindowTest, TheSettingsWindowFollowsTheSelectionAndUndo)
{
    CEditorTemplate& current = AddTemplate("Panels");
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    const std::string original = current.GetControl(0)->GetName();
    CEditControlDialog* settings = Frame().GetControlSettings();
    EXPECT_FALSE(settings->IsShown());
    EditControl(0);
    EXPECT_EQ(settings->GetTitle(), " Control settings");
    EXPECT_EQ(settings->GetControlIndex(), 0);
    std::vector<std::string> column;
    for (wxWindow* child : settings->GetChildren())
        column.push_back(wxString(child->GetClassInfo()->GetClassName()).ToStdString());
    EXPECT_EQ(column, (std::vector<std::string>{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog",
                                                "CSnapValueDialog", "CPotDialog"}));
    for (int id : {MenuId::Cut, MenuId::Copy, MenuId::Delete, MenuId::GetInfo, MenuId::SelectAll})
        EXPECT_FALSE(Enabled(id)) << id;

    settings->Move(Frame().GetScreenRect().GetRight() + 8, 0); // off the menu bar
    auto* name = dynamic_cast<wxTextCtrl*>(settings->FindWindow(XRCID("Name")));
    ASSERT_TRUE(Focus(name));
    Key('A', wxMOD_CONTROL);
    Type("Q");
    EXPECT_EQ(current.GetControl(0)->GetName(), "Q");
    ChooseMenu(MenuId::Undo);
    EXPECT_EQ(current.GetControl(0)->GetName(), original);
    EXPECT_TRUE(settings->IsShown()) << "the same control stays on show, its panels refreshed, not rebuilt";
    EXPECT_EQ(settings->FindWindow(XRCID("Name")), name);
    EXPECT_EQ(name->GetValue(), ToWx(original));

    // Closed, the still selected control's name is kept for completion.
    current.GetControl(0)->SetName("Zyxwvut");
    settings->Close();
    EXPECT_FALSE(settings->IsShown());
    EXPECT_EQ(settings->GetControlIndex(), -1);
    EXPECT_EQ(Frame().GetValueObserver(), nullptr);
    EXPECT_TRUE(Frame().GetObservers().empty());
    const auto& words = Host().Words().Words();
    EXPECT_NE(std::find(words.begin(), words.end(), "Zyxwvut"), words.end());
    EXPECT_TRUE(Enabled(MenuId::Copy));

    auto shownByIdleStep = [&](const char* after) {
        ASSERT_TRUE(IdleUntil([&] { return Frame().IsControlSettingsShown() && settings->GetControlIndex() == 0; }))
            << after;
        for (int id : {MenuId::Cut, MenuId::Copy, MenuId::Delete, MenuId::GetInfo, MenuId::SelectAll})
            EXPECT_FALSE(Enabled(id)) << after << ", item " << id;
    };
    ASSERT_TRUE(SubmitToCurrentTemplate(
        std::make_unique<CSetControlTypeCommand>(View().GetSelection().Front(), ControlMessageType::NRPN)));
    shownByIdleStep("the change");
    settings->Close();
    ASSERT_TRUE(Focus(Panel()));
    Key('Z', wxMOD_CONTROL);
    shownByIdleStep("its undo");
    ChooseMenu(MenuId::Close);
    EXPECT_FALSE(settings->IsShown());
}

// Hidden after the selection moved on, the window keeps no name for
// completion; hidden before the X server mapped it, it stays hidden; a
// refresh waiting for the idle step dies with its template.
TEST_F(MainWindowTest, TheSettingsWindowHiddenEarlyStaysHiddenAndKeepsNothing)
{
    CEditorTemplate& current = AddTemplate("Moved");
    current.GetControl(0)->SetName("Qwzxkj");
    EditControl(0);
    CEditControlDialog& settings = *Frame().GetControlSettings();
    const wxPoint corner = Frame().ScreenToClient(settings.GetScreenRect().GetPosition());
    EXPECT_TRUE(Frame().ControlSettingsContains(corner.x, corner.y));
    View().SelectControl(0, false);
    View().SelectControl(1, true);
    Frame().HideControlSettings();
    EXPECT_EQ(settings.GetControlIndex(), -1);
    const auto& words = Host().Words().Words();
    EXPECT_EQ(std::find(words.begin(), words.end(), "Qwzxkj"), words.end());

    ASSERT_TRUE(View().EditSelection());
    Frame().HideControlSettings();
    Settle(); // the map, then what the window does about it
    Settle();
    EXPECT_FALSE(Frame().IsControlSettingsShown());

    const std::pair<const char*, std::function<void()>> actions[] = {
        {"close", [this] { Frame().CloseTemplate(); }},
        {"switch", [this] { Frame().SelectTemplate(1); }},
        {"delete all", [this] { Frame().DeleteAllTemplates(); }},
    };
    for (const auto& [what, action] : actions)
    {
        SCOPED_TRACE(what);
        AddTemplate("Other");
        CPlacedControl(AddTemplate("Current").GetControl(3), 3).Refresh(true);
        action();
        AddTemplate("Next");
        Frame().IdleStep();
        EXPECT_FALSE(Frame().IsControlSettingsShown());
        Frame().DeleteAllTemplates();
    }
}

// Every model's dump arrives whole and opens, converted when it is not the
// DorvaSynth's; a dump of no model opens nothing. Listen is off after each,
// and a second Ctrl+L stops it.
TEST_F(MainWindowTest, ListenReceivesEveryModelsDumpAndRefusesAnInvalidOne)
{
    TestApp().Prefs().showOldOSDialog = 1; // a fresh DorvaSynth template names an old OS
    // The notice opens with the keys on OK: Space closes it and keeps it on.
    DialogScript<COldOSDialog> oldOS([](COldOSDialog& d) {
        ASSERT_TRUE(Focus(&d) && PumpUntil([&d] { return d.IsActive(); }));
        EXPECT_EQ(wxWindow::FindFocus(), d.FindWindow(wxID_OK));
        Key(WXK_SPACE);
    });
    auto converted = [](const char* model) { return wxString("This template has been recieved from a ") + model; };
    struct Row
    {
        const char* what;
        Bytes dump;
        wxString message; // the start of the one message box, empty for none
    };
    const Row rows[] = {
        {"DorvaSynth", DumpOf(ModelDorvaSynth), ""},
        {"Tolvar", DumpOf(ModelTolvar), converted("Tolvar.")},
        {"Tolvar Drel", DumpOf(ModelTolvarDrel), converted("Tolvar Drel.")},
        {"Tolvar Vesk", DumpOf(ModelTolvarVesk), converted("Tolvar Vesk.")},
        {"Calder, 8,208 bytes", DumpOf(ModelCalder), converted("Calder.")},
        {"no model", {0xF0, 0x00, 0x6A, 0x3C, 0x01, 0xF7}, kInvalidDump},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        oldOS.titles.clear();
        const int before = Frame().GetTemplateCount();
        ASSERT_TRUE(Focus(Panel()));
        Key('L', wxMOD_CONTROL);
        ASSERT_TRUE(Listening());
        EXPECT_TRUE(View().GetListenButton().IsLatched());
        EXPECT_EQ(Status(), "Listening for template dump from device: In");
        TestApp().driver->InjectSysEx("In", row.dump, 256);
        ASSERT_TRUE(IdleUntil([&] { return !MIDIIO::IsReceiving(); }));
        const bool opens = row.message != kInvalidDump;
        EXPECT_EQ(Frame().GetTemplateCount(), before + (opens ? 1 : 0));
        EXPECT_FALSE(Listening());
        EXPECT_FALSE(View().GetListenButton().IsLatched());
        const Labels boxes = Boxes();
        EXPECT_EQ(boxes.size(), row.message.empty() ? 0u : 1u);
        if (!row.message.empty())
            EXPECT_TRUE(boxes.at(0).StartsWith(row.message)) << boxes[0];
        EXPECT_EQ(oldOS.titles.size(), row.message.empty() ? 1u : 0u);
        if (opens)
        {
            EXPECT_TRUE(Frame().GetCurrentTemplate()->IsModified());
            EXPECT_FALSE(Frame().GetCurrentTemplate()->IsPathValid());
        }
    }
    EXPECT_EQ(TestApp().Prefs().showOldOSDialog, 1);
    ASSERT_TRUE(Focus(Panel()));
    Key('L', wxMOD_CONTROL);
    Key('L', wxMOD_CONTROL);
    EXPECT_FALSE(MIDIIO::IsReceiving());
    EXPECT_FALSE(Listening());
    EXPECT_EQ(Status(), "Stopped listening for template dumps");
}

// The input going away during a receive, and a send with no output port:
// the notices, and neither Listen nor Send is left lit.
TEST_F(MainWindowTest, TransfersThatFailTurnTheirButtonsOff)
{
    AddTemplate("Shown");
    Key('L', wxMOD_CONTROL);
    ASSERT_TRUE(Listening());
    TestApp().driver->SetOpenFails("In", true);
    MIDIIO::SelectInputDevice(0); // the port closes and does not open again
    ASSERT_TRUE(IdleUntil([&] { return m_boxes.boxes.size() >= 2; }));
    const Labels boxes = Boxes();
    EXPECT_TRUE(boxes[0].StartsWith("Template dump failed!")) << boxes[0];
    EXPECT_EQ(boxes[1], "The dump was interrupted - please try sending it again");
    EXPECT_FALSE(MIDIIO::IsReceiving());
    EXPECT_FALSE(Listening());
    EXPECT_FALSE(View().GetListenButton().IsLatched());

    Start({"In"}, [](Preferences&) {}); // one device notice a run
    AddTemplate("Unsent");
    TestApp().driver->SetOpenFails("Out", true);
    ASSERT_FALSE(MIDIIO::SelectOutputDeviceByName("Out"));
    ASSERT_TRUE(Focus(Panel()));
    Key('U', wxMOD_CONTROL);
    EXPECT_EQ(Status(), "Invalid output device");
    const Labels notices = Boxes();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].StartsWith("The output MIDI device is no longer accessible!"));
    EXPECT_FALSE(View().GetSendButton().IsLatched());
    EXPECT_TRUE(TestApp().driver->SentSysEx("Out").empty());
}

// The panel's Listen and Send buttons act only with a device of their kind.
TEST_F(MainWindowTest, ThePanelButtonsListenAndSendOnlyWithADevice)
{
    for (const bool devices : {false, true})
    {
        SCOPED_TRACE(devices ? "devices" : "none");
        const std::vector<std::string> none;
        Start(devices ? std::vector<std::string>{"In"} : none, [](Preferences&) {},
              devices ? std::vector<std::string>{"Out"} : none);
        AddTemplate("Buttons");
        Boxes();
        Frame().SetStatus("");
        const wxPoint listen = View().GetListenButton().GetRect().GetPosition() + wxPoint(16, 14);
        Click(Panel(), listen);
        EXPECT_EQ(Listening(), devices);
        EXPECT_EQ(View().GetListenButton().IsLatched(), devices);
        // The button pulses by itself: the idle pass runs for it, no event needed.
        const int frame = View().GetListenButton().GetFrame();
        EXPECT_TRUE(!devices || PumpUntil([&] { return View().GetListenButton().GetFrame() != frame; }));
        Click(Panel(), listen);
        EXPECT_FALSE(Listening());
        EXPECT_EQ(Status(), devices ? "Stopped listening for template dumps" : "");
        EXPECT_TRUE(PumpUntil([] { return TestApp().IsIdleClockResting(); })) << "the pass goes on with nothing to do";
        Click(Panel(), View().GetSendButton().GetRect().GetPosition() + wxPoint(16, 14));
        if (devices)
            EXPECT_TRUE(IdleUntil([] { return !TestApp().driver->SentSysEx("Out").empty(); }));
        else
            EXPECT_EQ(Status(), "");
        EXPECT_TRUE(Boxes().empty());
    }
}

// With Listen on, a bank dialog opened and a dump arriving while it shows:
// the dump opens no template behind it, and Listen stays off after it.
TEST_F(MainWindowTest, BankDialogsTakeTheInputFromAListen)
{
    const Bytes dump = DumpOf(ModelCalder);
    for (int id : {MenuId::BulkDumps, MenuId::PatchLibrarian})
    {
        SCOPED_TRACE(id);
        ASSERT_TRUE(Focus(Panel()));
        Key('L', wxMOD_CONTROL);
        ASSERT_TRUE(Listening());
        Frame().SetStatus("");
        DialogScript<CBulkDumpDialog> dialog([&](CBulkDumpDialog& d) {
            TestApp().driver->InjectSysEx("In", dump, 256);
            // Once the message behind it is shown, the dump has been dealt with.
            TestApp().driver->InjectShort("In", 0x90, 60, 100);
            EXPECT_TRUE(IdleUntil([&] { return Status() == "Received MIDI message"; }));
            Click(d.FindWindow(wxID_OK));
        });
        ChooseMenu(id);
        ASSERT_EQ(dialog.titles.size(), 1u);
        EXPECT_EQ(Frame().GetTemplateCount(), 0);
        EXPECT_TRUE(Boxes().empty());
        EXPECT_FALSE(Listening());
        EXPECT_FALSE(MIDIIO::IsReceiving());
    }
}

// Every folder chooser (the plug-in folder's, in the preferences and in the plug-in selector, and a bank's
// "Extract all"): OK while GTK names no folder (its search found nothing) changes nothing and the chooser
// stays; Escape then closes it.
TEST_F(MainWindowTest, AFolderChooserThatNamesNoFolderChangesNothing)
{
    TempFolder plugins;
    Start({"In"}, [&plugins](Preferences& p) { p.vstDir = plugins.Path(); });
    AddTemplate("Kept");
    m_chooser.answer = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath() + "/FactorySettings.blk";
    const struct
    {
        int key, modifiers;
        std::vector<const char*> buttons; // clicked in the dialog; the last opens the chooser
        int close;
    } rows[] = {{'P', wxMOD_CONTROL, {"Choose_VST_Directory"}, wxID_CANCEL},
                {'I', wxMOD_CONTROL | wxMOD_SHIFT, {"Choose_VST_Directory"}, wxID_CANCEL},
                {'B', wxMOD_CONTROL, {"Open_Dump", "Save_All"}, wxID_OK}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.buttons.back() + std::string(" ") + char(row.key));
        std::string chooser;
        DialogScript<wxDialog> user([&](wxDialog& d) {
            if (!dynamic_cast<wxDirDialog*>(&d))
            {
                for (const char* button : row.buttons)
                    Click(d.FindWindow(XRCID(button)));
                Click(d.FindWindow(row.close));
                return;
            }
            // Return, then a search for what nothing below the folder is named: GTK takes the next Return as OK.
            ASSERT_TRUE(Focus(&d));
            Key(WXK_RETURN);
            Type("99999");
            GtkFileChooser* gtk = GTK_FILE_CHOOSER(d.GetHandle());
            EXPECT_TRUE(PumpUntil([gtk] { return !std::unique_ptr<gchar, decltype(&g_free)>(gtk_file_chooser_get_filename(gtk), g_free); }));
            Key(WXK_RETURN);
            gtk_dialog_response(GTK_DIALOG(gtk), GTK_RESPONSE_ACCEPT); // and once more, whatever the keys did
            Settle();
            chooser = d.IsModal() ? "stays" : "closed";
            for (int escapes = 0; escapes < 3 && d.IsModal(); ++escapes) // the first ends the search
                Key(WXK_ESCAPE);
        });
        ASSERT_TRUE(Focus(Panel()));
        Key(row.key, row.modifiers);
        EXPECT_EQ(user.titles.size(), 2u);
        EXPECT_EQ(chooser + " " + TestApp().Prefs().vstDir, "stays " + plugins.Path());
        EXPECT_TRUE(Boxes().empty());
    }
}

// A row of the table of broken libraries beside a good plug-in, scanned from the keys while a changed template
// is open: the editor lives on and answers the keys, the template is open and changed as before, and the
// selector lists the good plug-in.
class BrokenPluginScanTest : public MainWindowTest, public testing::WithParamInterface<std::size_t>
{
};

TEST_P(BrokenPluginScanTest, TheEditorAndItsChangedTemplateOutliveTheScan)
{
    TempFolder plugins;
    InstallGoodPlugin(plugins.Path());
    BrokenLibraries()[GetParam()].make(plugins.File("b-broken.so"));
    Start({"In"}, [&plugins](Preferences& p) { p.vstDir = plugins.Path(); });
    AddTemplate("Kept");
    DeleteFirstControl();
    std::vector<std::string> rows;
    DialogScript<CVSTSelector> selector([&rows](CVSTSelector& d) {
        auto* list = XRCCTRL(d, "VST_Plugins_Found", wxDataViewListCtrl);
        for (unsigned row = 0; row < static_cast<unsigned>(list->GetItemCount()); ++row)
            rows.push_back(FromWx(list->GetTextValue(row, 0) + "|" + list->GetTextValue(row, 1)));
        Click(d.FindWindow(wxID_CANCEL));
    });
    // A library that ended this process mid-scan would end the run as if every test had passed.
    static bool scanning = false;
    static const int endsAsFailure = std::atexit([] {
        if (scanning)
            _exit(1);
    });
    ASSERT_EQ(endsAsFailure, 0);
    ASSERT_TRUE(Focus(Panel()));
    scanning = true;
    Key('I', wxMOD_CONTROL | wxMOD_SHIFT);
    scanning = false;
    EXPECT_EQ(selector.titles.size(), 1u);
    EXPECT_EQ(rows, std::vector<std::string>{kGoodPluginRow});
    EXPECT_EQ(TemplateMenu(), Labels{"Kept.syx*"});
    EXPECT_EQ(TestApp().Prefs().pluginsEnumeratedOK, 1);
    ASSERT_TRUE(Focus(Panel()));
    Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(TemplateMenu(), Labels{"Kept.syx"}) << "the edit was there to undo";
    EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(BrokenLibraries, BrokenPluginScanTest, testing::Range<std::size_t>(0, BrokenLibraries().size()),
                         [](const testing::TestParamInfo<std::size_t>& row) {
                             std::string name = BrokenLibraries()[row.param].kind;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// On demand (the default mode), a new input chosen through the welcome
// dialog's listen choice is the one listened on.
TEST_F(MainWindowTest, TheWelcomeListenChoiceListensOnTheInputJustChosen)
{
    Start({"In", "In B"}, [](Preferences& p) {
        p.releaseDriver = 1;
        p.inputDevice = "In";
    });
    MIDIIO::RequestOpen(); // the program becomes active
    ASSERT_TRUE(IdleUntil([] { return MIDIIO::GetState() == MIDIIO::kIdle; }));
    ASSERT_TRUE(TestApp().driver->IsOpen("In"));

    DialogScript<CWelcomeDialog> welcome([](CWelcomeDialog& dialog) {
        Click(dialog.FindWindow(XRCID("Listen_For_A_Template")));
        Click(dialog.FindWindow(wxID_OK));
    });
    DialogScript<CSelectMIDIDevices> devices([](CSelectMIDIDevices& dialog) {
        dynamic_cast<wxChoice*>(dialog.FindWindow(XRCID("Input_Midi_Device")))->SetStringSelection("In B");
        // OK with no idle pass before the dialog returns, as for a user: a
        // settled click would run idle passes in the dialog, which reopen
        // the ports on their own.
        ClickButton(dialog, wxID_OK);
    });
    Frame().ShowWelcome();
    ASSERT_EQ(welcome.titles.size(), 1u);
    ASSERT_EQ(devices.titles.size(), 1u);
    EXPECT_EQ(Boxes(), Labels{"You will need to select a MIDI input device - please do so now before continuing."});
    EXPECT_EQ(Status(), "Listening for template dump from device: In B");
    EXPECT_TRUE(TestApp().driver->IsOpen("In B"));
    EXPECT_FALSE(TestApp().driver->IsOpen("In"));
    TestApp().driver->InjectSysEx("In B", DumpOf(ModelDorvaSynth), 256);
    EXPECT_TRUE(IdleUntil([&] { return Frame().GetTemplateCount() == 1; }));
}

namespace
{
// An xdg-open on PATH that notes the address it was given and ends with status.
struct FakeOpener
{
    explicit FakeOpener(int status)
    {
        std::ofstream(bin.File("xdg-open")) << "#!/bin/sh\nprintf '%s' \"$1\" > " << log << ".part && mv " << log
                                            << ".part " << log << "\nexit " << status << "\n";
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

// The web items of the Help menu hand our addresses to the browser, and say
// plainly when no browser could be started (the help page: HelpAndAboutTest).
TEST_F(MainWindowTest, HelpItemsOpenTheirPagesOrSayNoBrowserStarted)
{
    const std::pair<int, wxString> rows[] = {
        {MenuId::VisitWebsite, WebAddresses::kWebSite},
        {MenuId::OnlineSupport, WebAddresses::kSupport},
    };
    for (const auto& [id, address] : rows)
    {
        SCOPED_TRACE(address);
        {
            FakeOpener browser(0);
            ChooseMenu(id);
            ASSERT_TRUE(PumpUntil([&] { return !browser.Opened().empty(); }));
            EXPECT_EQ(ToWx(browser.Opened()), address);
            IdlePasses();
            EXPECT_TRUE(m_boxes.boxes.empty());
        }
        FakeOpener noBrowser(3); // what xdg-open ends with when it finds nothing to start
        ChooseMenu(id);
        ASSERT_TRUE(PumpUntil([&] { return !m_boxes.boxes.empty(); }));
        EXPECT_EQ(Boxes(), Labels{"No web browser could be started to show " + address + "."});
    }
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
} // namespace

// The pointer leaving the main window, moved and released by the X server:
// the idle tick asks where it is only after such events, and still ends the
// hover and a drag out there; a release outside reaches the view once.
TEST_F(MainWindowTest, HoverAndADragEndOutsideTheWindow)
{
    CountingView* view = nullptr;
    TestApp().makeView = [&view] { return view = new CountingView; };
    Start({"In"}, [](Preferences&) {});
    CEditorTemplate& current = AddTemplate("Outside");
    current.GetControl(0)->SetName("Cutoff");
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    const wxPoint outside(Panel()->GetClientSize().x + 40, Panel()->GetClientSize().y + 40);

    MoveTo(Panel(), Centre(0));
    ASSERT_TRUE(PumpUntil([&] { return View().GetHoverIndex() == 0; }));
    MoveTo(Panel(), outside);
    EXPECT_TRUE(PumpUntil([&] { return View().GetHoverIndex() == -1; })) << "still hovering";

    IdlePasses(); // the idle step has seen the pointer inside
    view->releases = 0;
    Drag(Panel(), Centre(0), outside);
    EXPECT_TRUE(PumpUntil([&] { return !View().IsDragging(); })) << "still dragging";
    IdlePasses();
    EXPECT_EQ(view->releases, 1);
    EXPECT_EQ(current.GetControl(0)->GetName(), "Cutoff");
    EXPECT_EQ(View().GetHoverIndex(), -1);
}
