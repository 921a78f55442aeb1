// The bulk dump dialog on a loopback unit, clicked through the X server: a
// bank received, sent, cancelled, saved, filled from dropped files.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/textctrl.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/FifoWatch.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/FieldInput.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/BulkEntryRenameDialog.h"

using RealInput::MessageBoxKeys;

namespace
{
using Bytes = std::vector<uint8_t>;
using Dumps = std::vector<Bytes>;

// The dump of a named template as entry location of a bank.
Bytes TemplateDump(const std::string& name, int location)
{
    CDorvaSynthTemplate synth;
    synth.SetName(name);
    synth.SetLocation(location);
    synth.SetBulkFlag(true);
    return synth.Write().bytes();
}

Dumps BankDumps(size_t entries = 16)
{
    Dumps dumps;
    for (size_t i = 0; i < entries; ++i)
        dumps.push_back(TemplateDump("Bank Entry " + std::to_string(i + 1), static_cast<int>(i)));
    return dumps;
}

Bytes Joined(const Dumps& dumps)
{
    Bytes all;
    for (const auto& d : dumps)
        all.insert(all.end(), d.begin(), d.end());
    return all;
}

class BulkDumpDialogTest : public DialogTest
{
protected:
    // The program's default: ports released in the background, opened here
    // as on activation.
    void SetUp() override { midi.Use(0, 1); }

    std::string WriteBank(const std::string& name, size_t entries = 16)
    {
        const std::string path = folder.File(name);
        WriteBytes(path, Joined(BankDumps(entries)));
        return path;
    }
    // A template bank dialog holding a bank file of 16 entries.
    std::unique_ptr<CBulkDumpDialog> Opened(int pause = 1)
    {
        auto dialog = std::make_unique<CBulkDumpDialog>(nullptr, true, "Bulk dump");
        dialog->SetSendPause(pause);
        EXPECT_TRUE(dialog->OpenBankFile(WriteBank("bank.blk")));
        dialog->Bank().SetModified(false);
        return dialog;
    }
    // A patch bank dialog holding 100 patches named as the unit pads them, "Patch 000       " on.
    std::unique_ptr<CBulkDumpDialog> OpenedPatches()
    {
        std::unique_ptr<IBulkDump> bank = TestApp().Device().CreatePatchBulkDump();
        for (int i = 0; i < bank->GetCount(); ++i)
            bank->GetEntry(i).SetName(FromWx(wxString::Format("Patch %03d       ", i)));
        const std::string path = folder.File("patches.syx");
        EXPECT_TRUE(SaveBulkDumpToFile(*bank, path));
        auto dialog = std::make_unique<CBulkDumpDialog>(nullptr, false, "Patch librarian");
        EXPECT_TRUE(dialog->OpenBankFile(path));
        dialog->Bank().SetModified(false);
        return dialog;
    }
    // The dialog has the keys as a window manager gives them to a window
    // that opens: on its first control, the list, whose first row the
    // toolkit then selects.
    static void TakeKeys(wxDialog& dialog)
    {
        ASSERT_TRUE(RealInput::Activate(&dialog));
        ASSERT_EQ(wxWindow::FindFocus(), List(dialog));
    }
    static wxWindow* Focused(wxDialog& dialog, const char* name) { return dialog.FindWindow(XRCID(name)); }
    static wxDataViewListCtrl* List(wxDialog& dialog) { return Control<wxDataViewListCtrl>(&dialog, "Dump_Contents"); }
    // Whether the bank may be sent and saved: the three buttons agree.
    static bool BankButtons(wxDialog& dialog)
    {
        const bool upload = Control<wxButton>(&dialog, "Upload_Dump")->IsEnabled();
        EXPECT_EQ(upload, Control<wxButton>(&dialog, "Save_Dump")->IsEnabled());
        EXPECT_EQ(upload, Control<wxButton>(&dialog, "Save_All")->IsEnabled());
        return upload;
    }
    std::vector<std::string> Boxes() { return boxes.TakeTexts(); }
    Dumps Sent() { return midi.driver->SentSysEx("Unit Out"); }
    void Arrive(const Bytes& dump) { midi.driver->InjectSysEx("Unit In", dump, 512); }

    ScopedLoopbackMidi midi{{"Unit In"}, {"Unit Out"}, true};
    TempFolder folder;
    MessageRecorder boxes;
};

TEST_F(BulkDumpDialogTest, StartsEmptyWithTheBankButtonsOff)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(dialog.GetTitle(), "Bulk dump");
    EXPECT_EQ(dialog.GetSendPause(), 1000);
    EXPECT_EQ(List(dialog)->GetItemCount(), 0);
    // On screen the header "Index" shows whole: its text and the header's margins fit.
    RunModal(dialog, [](wxDialog& d) {
        wxDataViewListCtrl* list = List(d);
        EXPECT_EQ(list->GetColumn(0)->GetTitle() + "|" + list->GetColumn(1)->GetTitle(), "Index|Name");
        EXPECT_GE(list->GetColumn(0)->GetWidth(), list->GetTextExtent("Index").x + 10);
        EXPECT_GE(list->GetColumn(1)->GetWidth(), 160);
        d.EndModal(0);
    });
    EXPECT_TRUE(Control<wxButton>(&dialog, "Listen_For_Dump")->IsEnabled());
    EXPECT_FALSE(BankButtons(dialog));
    for (const char* name : {"Move_Item_Up", "Move_Item_Down"})
        EXPECT_FALSE(Control<wxButton>(&dialog, name)->IsEnabled()) << name;
    EXPECT_TRUE(Control<wxButton>(&dialog, "Upload_Factory_Settings")->IsShown());

    CBulkDumpDialog patches(nullptr, false, "Patch librarian");
    EXPECT_EQ(patches.GetSendPause(), 300);
    EXPECT_FALSE(Control<wxButton>(&patches, "Upload_Factory_Settings")->IsShown());
}

// A received bank replaces the list byte for byte, the n-th message entry n
// whatever location it carries; an opened bank is sent entry by entry.
TEST_F(BulkDumpDialogTest, BanksAreReceivedAndSentByteExact)
{
    Dumps dumps = BankDumps();
    dumps[5] = TemplateDump("Bank Entry 6", 11);
    auto dialog = Opened();
    RunModal(*dialog, [&](wxDialog& d) {
        UserClick(d, "Listen_For_Dump");
        EXPECT_TRUE(dialog->IsBusy());
        EXPECT_FALSE(Control<wxButton>(&d, "Upload_Dump")->IsEnabled()) << "no upload while a transfer runs";
        for (const auto& dump : dumps)
            Arrive(dump);
        EXPECT_TRUE(PumpUntil([&] { return !dialog->IsBusy(); }, 5000));
        UserClick(d, "Upload_Dump");
        EXPECT_TRUE(PumpUntil([&] { return !dialog->IsBusy(); }, 5000));
        d.EndModal(0);
    });
    ASSERT_EQ(List(*dialog)->GetItemCount(), 16);
    EXPECT_EQ(List(*dialog)->GetTextValue(15, 0), "16");
    EXPECT_EQ(List(*dialog)->GetTextValue(15, 1), "Bank Entry 16");
    const Dumps expected = BankDumps();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(dialog->Bank().GetEntry(i).Write().bytes(), expected[i]) << "entry " << i;
    EXPECT_TRUE(BankButtons(*dialog));
    EXPECT_EQ(Sent(), expected);
    EXPECT_TRUE(Boxes().empty());
}

// Over a loaded bank, whatever ends a transfer or a file early leaves a bank
// that is not complete, with nothing listed and nothing to send or save (OK
// asks nothing about saving it); only a receive cancelled before anything
// came leaves the old bank whole.
TEST_F(BulkDumpDialogTest, ABankIsNeverLeftMixed)
{
    const Dumps dumps = BankDumps(3);
    const std::string truncated = WriteBank("short.blk", 5);
    const auto threeThen = [&](const Bytes& last) {
        return [&, last](CBulkDumpDialog& d) {
            UserClick(d, "Listen_For_Dump");
            for (const Bytes& dump : dumps)
                Arrive(dump);
            if (!last.empty())
                Arrive(last);
            ASSERT_TRUE(PumpUntil([&] { return last.empty() ? d.Bank().GetEntry(2).GetName() == "Bank Entry 3" : !d.IsBusy(); }));
        };
    };
    struct Row
    {
        const char* what;
        std::function<void(CBulkDumpDialog&)> act;
        std::string message;
        bool whole;
    };
    const Row rows[] = {
        {"a message that is no template after three", threeThen({0xF0, 0x01, 0x02, 0xF7}),
         "Unable to read dump - either it is not a valid dump or the dump was started before listening for it.\n\n"
         "Please exit the program, restart it, listen for the dump and then send the dump again.", false},
        {"cancel after three entries", threeThen({}), "", false},
        {"cancel before anything came", [](CBulkDumpDialog& d) { UserClick(d, "Listen_For_Dump"); }, "", true},
        {"a bank file that ends after five entries", [&](CBulkDumpDialog& d) { EXPECT_FALSE(d.OpenBankFile(truncated)); },
         "Unable to load dump from file: " + truncated, false},
        {"a bank file that is not there", [&](CBulkDumpDialog& d) { EXPECT_FALSE(d.OpenBankFile(folder.File("gone.blk"))); },
         "Unable to load dump from file: " + folder.File("gone.blk") + " (No such file or directory)", false},
        {"a FIFO that no one writes, refused at once",
         [&](CBulkDumpDialog& d) {
             FifoWatch watch(folder.File("pipe.blk"));
             EXPECT_FALSE(d.OpenBankFile(folder.File("pipe.blk")));
             EXPECT_FALSE(watch.Fired());
         },
         "Unable to load dump from file: " + folder.File("pipe.blk") + " (not a regular file)", false},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        auto dialog = Opened();
        for (int i = 0; i < 16; ++i)
            dialog->Bank().GetEntry(i).SetName("Old " + std::to_string(i + 1)); // apart from the ones that arrive
        RunModal(*dialog, [&](wxDialog&) {
            row.act(*dialog);
            if (dialog->IsBusy())
                UserClick(*dialog, wxID_CANCEL);
            EXPECT_FALSE(dialog->IsBusy()) << "at once";
            EXPECT_FALSE(MIDIIO::IsReceiving());
            // No question about saving a bank that cannot be saved.
            UserClick(*dialog, wxID_OK);
        });
        EXPECT_EQ(dialog->Bank().IsComplete(), row.whole);
        EXPECT_EQ(List(*dialog)->GetItemCount(), row.whole ? 16 : 0);
        EXPECT_EQ(BankButtons(*dialog), row.whole);
        EXPECT_EQ(Boxes(), row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.message});
        EXPECT_TRUE(Control<wxButton>(dialog.get(), "Listen_For_Dump")->IsEnabled());
    }
}

// The first entry leaves at once, then the pause runs on a timer: a Cancel
// in it ends the send there, and the dialog closes with nothing left to send.
TEST_F(BulkDumpDialogTest, CancelInAPauseStopsTheSendAtOnce)
{
    auto dialog = Opened(60000);
    RunModal(*dialog, [&](wxDialog& d) {
        UserClick(d, "Upload_Dump");
        EXPECT_EQ(Sent().size(), 1u);
        EXPECT_TRUE(dialog->IsPausing());
        EXPECT_FALSE(Control<wxButton>(&d, "Upload_Dump")->IsEnabled()) << "no second upload while one runs";
        UserClick(d, wxID_CANCEL);
        EXPECT_FALSE(dialog->IsBusy());
        EXPECT_FALSE(dialog->IsPausing());
        EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle) << "no entry queued";
        UserClick(d, "Upload_Dump"); // again, and closed in the pause this time
        UserClick(d, wxID_CANCEL);
        UserClick(d, wxID_OK);
    });
    dialog.reset();
    MIDIIO::OnIdle();
    EXPECT_EQ(Sent().size(), 2u);
    EXPECT_TRUE(Boxes().empty());
}

// An upload that cannot start because the output is gone is said every
// time; Listen and Upload follow the ports, off while the output is gone
// and on again once it has reopened.
TEST_F(BulkDumpDialogTest, ALostOutputIsSaidAtEveryUploadAndTheButtonsFollowThePorts)
{
    const std::string lost = "The output MIDI device is no longer accessible!\n\nPlease ensure the device is turned "
                             "on and plugged in correctly, then restart the editor";
    auto dialog = Opened();
    RunModal(*dialog, [&](wxDialog& d) {
        for (int attempt = 0; attempt < 2; ++attempt)
        {
            midi.driver->SetOpenFails("Unit Out", true);
            MIDIIO::RequestClose();
            MIDIIO::OnIdle(); // the program went to the background
            UserClick(d, "Upload_Dump");
            EXPECT_EQ(Boxes(), std::vector<std::string>{lost}) << "attempt " << attempt;
            EXPECT_FALSE(Control<wxButton>(&d, "Upload_Dump")->IsEnabled());
            midi.driver->SetOpenFails("Unit Out", false);
            EXPECT_TRUE(PumpUntil([&] { return Control<wxButton>(&d, "Upload_Dump")->IsEnabled(); }, 5000))
                << "Upload back with the port";
        }
        UserClick(d, "Upload_Dump");
        EXPECT_TRUE(PumpUntil([&] { return !dialog->IsBusy(); }, 5000));
        UserClick(d, wxID_OK);
    });
    EXPECT_EQ(Sent().size(), 16u);
    EXPECT_TRUE(Boxes().empty());
}

// "Send factory settings" sends the bank shipped beside the program (the
// editor's own default templates) from a bank of its own: the user's bank
// and list stay as they were. A missing or bad file, or a send the unit
// refuses, is reported; the bank can be sent again.
TEST_F(BulkDumpDialogTest, FactorySettingsComeFromABankOfTheirOwnAndFailuresAreReported)
{
    const std::unique_ptr<IBulkDump> defaults = TestApp().Device().CreateTemplateBulkDump();
    Dumps factory;
    for (int i = 0; i < 16; ++i)
        factory.push_back(defaults->GetEntry(i).Write().bytes());
    const std::string missing = folder.File("absent.blk");
    const std::string bad = WriteBank("bad.blk", 15);
    struct Row
    {
        wxString path;
        const char* button;
        Dumps sent;
        std::string message;
    };
    const Row rows[] = {
        {wxString(), "Upload_Factory_Settings", factory, ""},
        {missing, "Upload_Factory_Settings", {}, "Unable to load dump from file: " + missing},
        {bad, "Upload_Factory_Settings", {}, "Unable to load dump from file: " + bad},
        {wxString(), "Upload_Dump", {}, "Error sending bulk dump"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.message);
        midi.driver->RefuseSends(row.button == std::string("Upload_Dump"));
        const size_t before = Sent().size();
        auto dialog = Opened();
        if (!row.path.empty())
            dialog->SetFactoryBankPath(row.path);
        RunModal(*dialog, [&](wxDialog& d) {
            UserClick(d, row.button);
            EXPECT_TRUE(PumpUntil([&] { return !dialog->IsBusy(); }, 5000));
            d.EndModal(0);
        });
        const Dumps sent = Sent();
        EXPECT_EQ(Dumps(sent.begin() + static_cast<std::ptrdiff_t>(before), sent.end()), row.sent);
        EXPECT_EQ(Boxes(), row.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.message});
        EXPECT_TRUE(Control<wxButton>(dialog.get(), row.button)->IsEnabled());
        EXPECT_EQ(List(*dialog)->GetTextValue(15, 1), "Bank Entry 16");
        EXPECT_TRUE(dialog->Bank().IsComplete());
        EXPECT_EQ(dialog->Bank().GetEntry(0).Write().bytes(), BankDumps()[0]);
    }
}

// Save keeps a name that holds the extension and adds it to one without;
// Save All writes every entry to a numbered file of its own; a moved entry
// is a change that OK asks about (Cancel, Escape, and Yes with the save
// cancelled stay; No closes).
TEST_F(BulkDumpDialogTest, SavingExtractingAndUnsavedChanges)
{
    TempFolder out;
    wxString askedTitle;
    auto previous = SetFolderDialogFunction([&](const FolderDialogRequest& request, wxString& chosen) {
        askedTitle = request.message;
        chosen = out.Path();
        return true;
    });
    FileChooserScript chooser;
    auto dialog = Opened();
    dialog->SelectRow(3);
    boxes.script = {wxOK, wxYES, wxCANCEL, wxNO};
    const int result = RunModal(*dialog, [&](wxDialog& d) {
        for (const char* name : {"my.blk.old  ", "second", "gone/third"})
        {
            chooser.answer = folder.File(name);
            UserClick(d, "Save_Dump");
        }
        UserClick(d, "Save_All");
        UserClick(d, "Move_Item_Up");
        chooser.answer.clear();
        UserClick(d, wxID_OK);
        EXPECT_TRUE(d.IsModal()) << "Yes, then the save cancelled: stays open";
        {
            MessageBoxKeys escape(WXK_ESCAPE);
            UserClick(d, wxID_OK);
            EXPECT_EQ(escape.texts.size(), 1u);
        }
        EXPECT_TRUE(d.IsModal()) << "Escape: stays open";
        UserClick(d, wxID_OK);
        EXPECT_TRUE(d.IsModal()) << "cancelled: stays open";
        UserClick(d, wxID_OK);
    });
    SetFolderDialogFunction(previous);
    EXPECT_EQ(chooser.requests.at(0).wildcard, "Bulk Dumps(*.blk)|*.blk");
    EXPECT_EQ(ReadBytes(folder.File("my.blk.old")), Joined(BankDumps()));
    EXPECT_EQ(ReadBytes(folder.File("second.blk")), Joined(BankDumps()));
    EXPECT_EQ(askedTitle, "Select a location to extract the contents of the bulk dump to:");
    const std::vector<std::string> names = out.Names();
    ASSERT_EQ(names.size(), 16u);
    EXPECT_EQ(names.front(), "01 - Bank Entry 1.syx");
    EXPECT_EQ(names.back(), "16 - Bank Entry 16.syx");
    Bytes single = TemplateDump("Bank Entry 1", 0);
    single[7] = 0; // saved alone, an entry is not part of a bank
    EXPECT_EQ(ReadBytes(out.File("01 - Bank Entry 1.syx")), single);

    EXPECT_EQ(dialog->Bank().GetEntry(2).GetName(), "Bank Entry 4");
    EXPECT_EQ(List(*dialog)->GetTextValue(2, 1), "Bank Entry 4");
    EXPECT_EQ(result, 0);
    const std::string question = "Do you want to save your changes to the dump?";
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Unable to save file: " + folder.File("gone/third.blk") +
                                                     " (No such file or directory)\nCheck the file is not read only.",
                                                 question, question, question}));
}

TEST_F(BulkDumpDialogTest, DroppedFilesFillRowsUpToTheLast)
{
    auto dialog = Opened();
    std::vector<wxString> files;
    for (const char* name : {"x", "y", "z"})
    {
        files.push_back(folder.File(std::string(name) + ".syx"));
        WriteBytes(FromWx(files.back()), TemplateDump(std::string("Dropped ") + name, 0));
    }
    dialog->LoadDroppedFiles(14, files);
    EXPECT_EQ(dialog->Bank().GetEntry(13).GetName(), "Bank Entry 14");
    EXPECT_EQ(dialog->Bank().GetEntry(14).GetName(), "Dropped x");
    EXPECT_EQ(dialog->Bank().GetEntry(15).GetName(), "Dropped y");
    EXPECT_EQ(List(*dialog)->GetTextValue(15, 1), "Dropped y");
    EXPECT_TRUE(dialog->Bank().IsModified());
    EXPECT_TRUE(Boxes().empty());

    const std::string notATemplate = folder.File("notes.syx");
    Bytes shortDump = TemplateDump("Too short", 0);
    shortDump.resize(100);
    shortDump.push_back(0xF7);
    WriteBytes(notATemplate, shortDump);
    dialog->LoadDroppedFiles(0, {notATemplate});
    EXPECT_EQ(Boxes(), std::vector<std::string>{"The file \"" + notATemplate + "\" is not a valid template file."});
    EXPECT_EQ(dialog->Bank().GetEntry(0).GetName(), "Bank Entry 1");
}

// Each transfer gives the keys to Cancel, so Escape cancels it, and back to
// the button that started it when it ends (to the list when that button is
// off then). Each button is reached by its mnemonic.
TEST_F(BulkDumpDialogTest, TransfersHandTheKeysToCancelAndBack)
{
    const std::string lost = "The output MIDI device is no longer accessible!\n\nPlease ensure the device is turned "
                             "on and plugged in correctly, then restart the editor";
    struct Row
    {
        const char* what;
        int mnemonic;
        const char* starter;
        bool escape;  // cancelled with Escape; otherwise it ends by itself
        const char* after; // the control with the keys afterwards
    };
    const Row rows[] = {
        {"a send cancelled in its pause", 'n', "Upload_Dump", true, "Upload_Dump"},
        {"a factory bank cancelled in its pause", 'f', "Upload_Factory_Settings", true, "Upload_Factory_Settings"},
        {"a receive cancelled", 'r', "Listen_For_Dump", true, "Listen_For_Dump"},
        {"a receive of a whole bank", 'r', "Listen_For_Dump", false, "Listen_For_Dump"},
        {"a send to an output that is gone", 'n', nullptr, false, "Dump_Contents"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        auto dialog = Opened(60000);
        RunModal(*dialog, [&](wxDialog& d) {
            TakeKeys(d);
            if (!row.starter)
            {
                midi.driver->SetOpenFails("Unit Out", true);
                MIDIIO::RequestClose();
                MIDIIO::OnIdle();
            }
            RealInput::Key(row.mnemonic, wxMOD_ALT);
            if (row.starter)
            {
                // GTK clicks a button a moment after its key.
                EXPECT_TRUE(PumpUntil([&] { return dialog->IsBusy(); }));
                EXPECT_EQ(wxWindow::FindFocus(), d.FindWindow(wxID_CANCEL)) << "Cancel has the keys";
            }
            if (row.escape)
                RealInput::Key(WXK_ESCAPE);
            else if (row.starter)
                for (const Bytes& dump : BankDumps())
                    Arrive(dump);
            else
                EXPECT_TRUE(PumpUntil([&] { return !boxes.boxes.empty(); }));
            EXPECT_TRUE(PumpUntil([&] { return !dialog->IsBusy(); }, 5000));
            EXPECT_TRUE(RealInput::PumpUntil([&] { return wxWindow::FindFocus() == Focused(d, row.after); }))
                << "the keys are on " << row.after;
            d.EndModal(0);
        });
        EXPECT_EQ(Boxes(), row.starter ? std::vector<std::string>{} : std::vector<std::string>{lost});
        midi.driver->SetOpenFails("Unit Out", false);
    }
}

// Move up and Move down keep the keys, so Space moves the entry one place a
// press; at the end of the list, where Move down goes off, the list takes
// them. Reached from the list with Tab, as a user does.
TEST_F(BulkDumpDialogTest, MoveButtonsKeepTheKeys)
{
    struct Row
    {
        int row;
        int tabs; // to Move up (1) or Move down (2)
        int entry; // where "Bank Entry <row + 1>" is after three presses of Space
        const char* keys;
    };
    for (const Row& r : {Row{3, 2, 6, "Move_Item_Down"}, Row{6, 1, 3, "Move_Item_Up"}, Row{13, 2, 15, "Dump_Contents"}})
    {
        SCOPED_TRACE(r.row);
        auto dialog = Opened();
        RunModal(*dialog, [&](wxDialog& d) {
            TakeKeys(d);
            for (int i = 0; i < r.row; ++i)
                RealInput::Key(WXK_DOWN);
            for (int i = 0; i < r.tabs; ++i)
                RealInput::Key(WXK_TAB);
            // GTK clicks a button a moment after its key.
            const std::string name = "Bank Entry " + std::to_string(r.row + 1);
            const auto moved = [&](int to) { return dialog->Bank().GetEntry(to).GetName() == name; };
            for (int press = 1; press <= 3; ++press)
            {
                const int to = std::clamp(r.row + (r.entry > r.row ? press : -press), 0, 15);
                RealInput::Key(WXK_SPACE);
                EXPECT_TRUE(PumpUntil([&] { return moved(to); })) << "press " << press;
            }
            EXPECT_EQ(wxWindow::FindFocus(), Focused(d, r.keys));
            d.EndModal(0);
        });
        EXPECT_EQ(dialog->Bank().GetEntry(r.entry).GetName(), "Bank Entry " + std::to_string(r.row + 1));
        EXPECT_EQ(List(*dialog)->GetSelectedRow(), r.entry);
    }
}

// The entry commands from the keys: the menu key and Shift+F10 open the
// selected row's menu (Rename for a patch, Clear for a template), and F2
// renames a patch at once.
TEST_F(BulkDumpDialogTest, TheEntryCommandsOpenFromTheKeys)
{
    using Keys = std::vector<std::pair<int, int>>;
    const std::string cleared = TestApp().Device().CreateTemplate()->GetName();
    struct Row
    {
        const char* what;
        bool templates;
        std::pair<int, int> key;
        Keys inMenu;
        std::string name; // of the second entry afterwards
    };
    const Row rows[] = {
        {"Shift+F10, the last item", false, {WXK_F10, wxMOD_SHIFT}, {{WXK_UP, 0}, {WXK_RETURN, 0}}, "Renamed"},
        {"the menu key, the last item", false, {WXK_MENU, 0}, {{WXK_UP, 0}, {WXK_RETURN, 0}}, "Renamed"},
        {"F2", false, {WXK_F2, 0}, {}, "Renamed"},
        {"the menu key, C", true, {WXK_MENU, 0}, {{'c', 0}}, cleared},
        {"F2 on a template", true, {WXK_F2, 0}, {}, "Bank Entry 2"},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        auto dialog = row.templates ? Opened() : OpenedPatches();
        DialogScript<CBulkEntryRenameDialog> rename([](wxDialog& d) {
            ASSERT_TRUE(RealInput::Activate(&d));
            RealInput::Key('A', wxMOD_CONTROL);
            RealInput::Type("Renamed");
            RealInput::Key(WXK_RETURN);
            EXPECT_TRUE(RealInput::PumpUntil([&d] { return !d.IsModal(); }));
        });
        RealInput::KeysInNextMenu menu(row.inMenu);
        RunModal(*dialog, [&](wxDialog& d) {
            TakeKeys(d);
            RealInput::Key(WXK_DOWN);
            RealInput::Key(row.key.first, row.key.second);
            d.EndModal(0);
        });
        EXPECT_EQ(dialog->Bank().GetEntry(1).GetName(), row.name);
        EXPECT_EQ(List(*dialog)->GetTextValue(1, 1), row.name);
        EXPECT_EQ(menu.menusShown, row.inMenu.empty() ? 0 : 1);
        EXPECT_EQ(rename.titles.size(), row.name == "Renamed" ? 1u : 0u);
        EXPECT_TRUE(Boxes().empty());
    }
}

// Cancel keeps a patch's name; OK sets it, and the name becomes the file name
// proposed for saving even when it is left as it was. A name read from a dump
// is padded to 16 places: the field shows it without the blanks, so End and a
// letter add the letter.
TEST_F(DialogTest, RenamingAPatchSetsItsNameAndFilePath)
{
    std::unique_ptr<IBulkEntry> patch = TestApp().Device().CreatePatch();
    patch->SetName("Warm Pad");
    struct Row
    {
        const char* before; // the name given first, if any
        const char* shown;
        int key;            // Ctrl+A (replace) or End (append) before typing
        const char* typed;
        int button, result;
        const char* name;
        enum { Typed, Pasted, Dropped } how = Typed; // Ctrl+V, or dropped from another program
    };
    const Row rows[] = {
        {nullptr, "Warm Pad", 0, nullptr, wxID_OK, 0, "Warm Pad"},
        {nullptr, "Warm Pad", 'A', "Cold Lead", wxID_CANCEL, -1, "Warm Pad"},
        {nullptr, "Warm Pad", 'A', "Cold Lead", wxID_OK, 0, "Cold Lead"},
        {"Patch 002       ", "Patch 002", WXK_END, "x", wxID_OK, 0, "Patch 002x"},
        // A paste keeps what typing would, as far as there is room.
        {nullptr, "Patch 002x", 'A', "Filter_Cutoff~Frequency{1}", wxID_OK, 0, "FilterCutoffFreq", Row::Pasted},
        {nullptr, "FilterCutoffFreq", 'A', "~_{}", wxID_OK, 0, "FilterCutoffFreq", Row::Pasted},
        {"Pad", "Pad", WXK_END, " Strings-Brass_Section", wxID_OK, 0, "Pad Strings-Bras", Row::Pasted},
        // So does a drop.
        {nullptr, "Pad Strings-Bras", 'A', "Warm~Pad_Layer{3}-Choir", wxID_OK, 0, "WarmPadLayer3-Ch", Row::Dropped},
        {nullptr, "WarmPadLayer3-Ch", 'A', "~_{}", wxID_OK, 0, "WarmPadLayer3-Ch", Row::Dropped},
    };
    for (const Row& row : rows)
    {
        if (row.before)
            patch->SetName(row.before);
        CBulkEntryRenameDialog dialog(nullptr, *patch, 3);
        ASSERT_TRUE(dialog.IsLoaded());
        EXPECT_EQ(RunModal(dialog, [&row](wxDialog& d) {
                      EXPECT_EQ(Control<wxTextCtrl>(&d, "Control_Name")->GetValue(), row.shown);
                      if (row.typed)
                      {
                          auto* field = Control<wxTextCtrl>(&d, "Control_Name");
                          ASSERT_TRUE(RealInput::Focus(field));
                          RealInput::Key(row.key, row.key == 'A' ? wxMOD_CONTROL : wxMOD_NONE);
                          if (row.how == Row::Pasted)
                              FieldInput::Paste(row.typed);
                          else if (row.how == Row::Dropped)
                              FieldInput::DropOver(field, row.typed);
                          else
                              RealInput::Type(row.typed);
                      }
                      UserClick(d, row.button);
                  }),
                  row.result);
        EXPECT_EQ(patch->GetName(), row.name);
        EXPECT_EQ(patch->GetDefaultFileName(), std::string(row.name) + ".syx");
    }
}
} // namespace
