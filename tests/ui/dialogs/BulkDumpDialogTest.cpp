#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/BulkEntryRenameDialog.h"
#include "ui/dialogs/FolderChooser.h"

namespace
{
// The dump of a named template as entry location of a bank.
std::vector<uint8_t> TemplateDump(const std::string& name, int location)
{
    CDorvaSynthTemplate synth;
    synth.SetName(name);
    synth.SetLocation(location);
    synth.SetBulkFlag(true);
    return synth.Write().bytes();
}

std::vector<std::vector<uint8_t>> BankDumps()
{
    std::vector<std::vector<uint8_t>> dumps;
    for (int i = 0; i < 16; ++i)
        dumps.push_back(TemplateDump("Bank Entry " + std::to_string(i + 1), i));
    return dumps;
}

std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& dumps)
{
    std::vector<uint8_t> all;
    for (const auto& d : dumps)
        all.insert(all.end(), d.begin(), d.end());
    return all;
}

// Answers the file choosers with one path, and notes what was asked.
struct FileAnswer
{
    explicit FileAnswer(wxString answer) : path(std::move(answer)) {}
    ~FileAnswer() { SetFileDialogFunction(previous); }
    wxString path;
    std::vector<FileDialogRequest> requests;
    FileDialogFunction previous = SetFileDialogFunction([this](const FileDialogRequest& request, wxString& chosen) {
        requests.push_back(request);
        chosen = path;
        return !path.empty();
    });
};

// Where the test leaves the dialog: the bank complete or not, and what the
// list and the bank buttons show for it.
struct BankState
{
    bool complete;
    int rows;
    bool uploadSaveEnabled;
};

class BulkDumpDialogTest : public DialogTest
{
protected:
    // The program's default: ports released in the background, opened here
    // as on activation.
    void SetUp() override { midi.Use(0, 1); }

    std::string WriteBank(const std::string& name, size_t entries = 16)
    {
        std::vector<std::vector<uint8_t>> dumps = BankDumps();
        dumps.resize(entries);
        const std::string path = folder.File(name);
        WriteBytes(path, Joined(dumps));
        return path;
    }

    static wxString Cell(wxListCtrl* list, int row, int column) { return list->GetItemText(row, column); }

    static BankState StateOf(CBulkDumpDialog& dialog)
    {
        const bool upload = Control<wxButton>(&dialog, "Upload_Dump")->IsEnabled();
        const bool save = Control<wxButton>(&dialog, "Save_Dump")->IsEnabled();
        const bool saveAll = Control<wxButton>(&dialog, "Save_All")->IsEnabled();
        EXPECT_EQ(upload, save);
        EXPECT_EQ(save, saveAll);
        return {dialog.Bank().IsComplete(), Control<wxListCtrl>(&dialog, "Dump_Contents")->GetItemCount(),
                upload && save && saveAll};
    }

    void Arrive(const std::vector<uint8_t>& dump) { midi.driver->InjectSysEx("Unit In", dump, 512); }

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
    wxListCtrl* list = Control<wxListCtrl>(&dialog, "Dump_Contents");
    EXPECT_EQ(list->GetItemCount(), 0);
    // The header "Index" shows whole: its text and the header's margins fit.
    EXPECT_GE(list->GetColumnWidth(0), list->GetTextExtent("Index").x + 10);
    EXPECT_EQ(list->GetColumnWidth(1), 160);
    EXPECT_TRUE(Control<wxButton>(&dialog, "Listen_For_Dump")->IsEnabled());
    for (const char* name : {"Upload_Dump", "Save_Dump", "Save_All", "Move_Item_Up", "Move_Item_Down"})
        EXPECT_FALSE(Control<wxButton>(&dialog, name)->IsEnabled()) << name;
    EXPECT_TRUE(Control<wxButton>(&dialog, "Upload_Factory_Settings")->IsShown());

    CBulkDumpDialog patches(nullptr, false, "Patch librarian");
    EXPECT_EQ(patches.GetSendPause(), 300);
    EXPECT_FALSE(Control<wxButton>(&patches, "Upload_Factory_Settings")->IsShown());
}

TEST_F(BulkDumpDialogTest, AReceivedBankFillsTheListByteExact)
{
    std::vector<std::vector<uint8_t>> dumps = BankDumps();
    // The n-th message becomes entry n whatever location it carries.
    dumps[5] = TemplateDump("Bank Entry 6", 11);
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("old.blk")));
    dialog.Bank().SetModified(false);
    RunModal(dialog, [&](wxDialog& d) {
        UserClick(d, "Listen_For_Dump");
        EXPECT_TRUE(dialog.IsBusy());
        EXPECT_FALSE(Control<wxButton>(&d, "Upload_Dump")->IsEnabled()) << "no upload while a transfer runs";
        for (const auto& dump : dumps)
            Arrive(dump);
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsBusy(); }, 5000));
    });
    EXPECT_TRUE(boxes.boxes.empty());
    wxListCtrl* list = Control<wxListCtrl>(&dialog, "Dump_Contents");
    ASSERT_EQ(list->GetItemCount(), 16);
    EXPECT_EQ(Cell(list, 0, 0), "1");
    EXPECT_EQ(Cell(list, 15, 0), "16");
    EXPECT_EQ(Cell(list, 15, 1), "Bank Entry 16");
    const std::vector<std::vector<uint8_t>> expected = BankDumps();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(dialog.Bank().GetEntry(i).Write().bytes(), expected[i]) << "entry " << i;
    EXPECT_TRUE(StateOf(dialog).uploadSaveEnabled);
}

// Over a loaded bank, whatever ends a transfer or a file early leaves a bank
// that is not complete, with nothing listed and nothing to send or save;
// only a receive cancelled before anything came leaves the old bank whole.
TEST_F(BulkDumpDialogTest, ABankIsNeverLeftMixed)
{
    const std::vector<std::vector<uint8_t>> dumps = BankDumps();
    const std::string readFailed = "Unable to read dump - either it is not a valid dump or the dump was started "
                                   "before listening for it.\n\nPlease exit the program, restart it, listen for the "
                                   "dump and then send the dump again.";
    const std::string truncated = WriteBank("short.blk", 5);
    struct Case
    {
        const char* what;
        std::function<void(CBulkDumpDialog&)> act;
        std::string message;
        BankState after;
    };
    const Case cases[] = {
        {"a message that is no template after three",
         [&](CBulkDumpDialog& d) {
             UserClick(d, "Listen_For_Dump");
             for (int i = 0; i < 3; ++i)
                 Arrive(dumps[static_cast<size_t>(i)]);
             Arrive({0xF0, 0x01, 0x02, 0xF7});
             EXPECT_TRUE(PumpUntil([&] { return !d.IsBusy(); }));
         },
         readFailed, {false, 0, false}},
        {"cancel after three entries",
         [&](CBulkDumpDialog& d) {
             UserClick(d, "Listen_For_Dump");
             for (int i = 0; i < 3; ++i)
                 Arrive(dumps[static_cast<size_t>(i)]);
             ASSERT_TRUE(PumpUntil([&] { return d.Bank().GetEntry(2).GetName() == "Bank Entry 3"; }));
             UserClick(d, wxID_CANCEL);
             EXPECT_FALSE(d.IsBusy()) << "at once";
             EXPECT_FALSE(MIDIIO::IsReceiving());
         },
         "", {false, 0, false}},
        {"cancel before anything came",
         [&](CBulkDumpDialog& d) {
             UserClick(d, "Listen_For_Dump");
             UserClick(d, wxID_CANCEL);
             EXPECT_FALSE(MIDIIO::IsReceiving());
         },
         "", {true, 16, true}},
        {"a bank file that ends after five entries",
         [&](CBulkDumpDialog& d) { EXPECT_FALSE(d.OpenBankFile(truncated)); },
         "Unable to load dump from file: " + truncated, {false, 0, false}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        boxes.boxes.clear();
        CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
        ASSERT_TRUE(dialog.OpenBankFile(WriteBank("old.blk")));
        // Entries named apart from the ones that arrive.
        for (int i = 0; i < 16; ++i)
            dialog.Bank().GetEntry(i).SetName("Old " + std::to_string(i + 1));
        dialog.Bank().SetModified(false);
        RunModal(dialog, [&](wxDialog&) { c.act(dialog); });
        const BankState state = StateOf(dialog);
        EXPECT_EQ(state.complete, c.after.complete);
        EXPECT_EQ(state.rows, c.after.rows);
        EXPECT_EQ(state.uploadSaveEnabled, c.after.uploadSaveEnabled);
        EXPECT_EQ(boxes.boxes.size(), c.message.empty() ? 0u : 1u) << (boxes.boxes.empty() ? "" : boxes.boxes[0].text);
        if (!c.message.empty() && !boxes.boxes.empty())
        {
            EXPECT_EQ(FromWx(boxes.boxes[0].text), c.message);
        }
        EXPECT_TRUE(Control<wxButton>(&dialog, "Listen_For_Dump")->IsEnabled());
    }
}

TEST_F(BulkDumpDialogTest, AnOpenedBankIsSentEntryByEntry)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    dialog.SetSendPause(1);
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("bank.blk")));
    EXPECT_EQ(Control<wxListCtrl>(&dialog, "Dump_Contents")->GetItemCount(), 16);
    RunModal(dialog, [&](wxDialog& d) {
        UserClick(d, "Upload_Dump");
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsBusy(); }, 5000));
        UserClick(d, wxID_OK);
    });
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(midi.driver->SentSysEx("Unit Out"), BankDumps());
}

// The first entry leaves at once, then the pause runs on a timer: a Cancel
// in it ends the send there, and the dialog closes with nothing left to send.
TEST_F(BulkDumpDialogTest, CancelInAPauseStopsTheSendAtOnce)
{
    auto dialog = std::make_unique<CBulkDumpDialog>(nullptr, true, "Bulk dump");
    dialog->SetSendPause(60000);
    ASSERT_TRUE(dialog->OpenBankFile(WriteBank("bank.blk")));
    dialog->Bank().SetModified(false);
    RunModal(*dialog, [&](wxDialog& d) {
        UserClick(d, "Upload_Dump");
        EXPECT_EQ(midi.driver->SentSysEx("Unit Out").size(), 1u);
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
    EXPECT_EQ(midi.driver->SentSysEx("Unit Out").size(), 2u);
    EXPECT_TRUE(boxes.boxes.empty());
}

// "Send factory settings" sends the bank shipped beside the program (the
// editor's own default templates) from a bank of its own: the user's bank
// and list stay as they were. A missing or bad file is reported.
TEST_F(BulkDumpDialogTest, FactorySettingsAreSentFromABankOfTheirOwn)
{
    const std::unique_ptr<IBulkDump> defaults = TestApp().Device().CreateTemplateBulkDump();
    std::vector<std::vector<uint8_t>> factory;
    for (int i = 0; i < 16; ++i)
        factory.push_back(defaults->GetEntry(i).Write().bytes());
    const std::string missing = folder.File("absent.blk");
    const std::string bad = WriteBank("bad.blk", 15);
    struct Case
    {
        wxString path;
        std::vector<std::vector<uint8_t>> sent;
        std::string message;
    };
    const Case cases[] = {
        {wxString(), factory, ""},
        {missing, {}, "Unable to load dump from file: " + missing},
        {bad, {}, "Unable to load dump from file: " + bad},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.message);
        boxes.boxes.clear();
        const size_t before = midi.driver->SentSysEx("Unit Out").size();
        CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
        dialog.SetSendPause(1);
        if (!c.path.empty())
            dialog.SetFactoryBankPath(c.path);
        ASSERT_TRUE(dialog.OpenBankFile(WriteBank("mine.blk")));
        RunModal(dialog, [&](wxDialog& d) {
            UserClick(d, "Upload_Factory_Settings");
            EXPECT_TRUE(PumpUntil([&] { return !dialog.IsBusy(); }, 5000));
        });
        const std::vector<std::vector<uint8_t>> sent = midi.driver->SentSysEx("Unit Out");
        EXPECT_EQ(std::vector<std::vector<uint8_t>>(sent.begin() + static_cast<std::ptrdiff_t>(before), sent.end()),
                  c.sent);
        EXPECT_EQ(boxes.boxes.size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty() && !boxes.boxes.empty())
        {
            EXPECT_EQ(FromWx(boxes.boxes[0].text), c.message);
        }
        EXPECT_TRUE(Control<wxButton>(&dialog, "Upload_Factory_Settings")->IsEnabled());
        EXPECT_EQ(Cell(Control<wxListCtrl>(&dialog, "Dump_Contents"), 15, 1), "Bank Entry 16");
        EXPECT_TRUE(dialog.Bank().IsComplete());
        EXPECT_EQ(dialog.Bank().GetEntry(0).Write().bytes(), BankDumps()[0]);
    }
}

TEST_F(BulkDumpDialogTest, AFailedSendIsReportedAndEndsTheTransfer)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    dialog.SetSendPause(1);
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("bank.blk")));
    midi.driver->RefuseSends(true);
    RunModal(dialog, [&](wxDialog& d) {
        UserClick(d, "Upload_Dump");
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsBusy(); }, 5000));
    });
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), "Error sending bulk dump");
    // The bank itself is still whole and can be sent again.
    EXPECT_TRUE(dialog.Bank().IsComplete());
    EXPECT_TRUE(Control<wxButton>(&dialog, "Upload_Dump")->IsEnabled());
}

TEST_F(BulkDumpDialogTest, SavingKeepsANameThatHoldsTheExtension)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("bank.blk")));
    {
        FileAnswer answer(folder.File("my.blk.old  "));
        Click(dialog, "Save_Dump");
        ASSERT_EQ(answer.requests.size(), 1u);
        EXPECT_EQ(answer.requests[0].wildcard, "Bulk Dumps(*.blk)|*.blk");
    }
    EXPECT_EQ(ReadBytes(folder.File("my.blk.old")), Joined(BankDumps()));
    {
        FileAnswer answer(folder.File("second"));
        Click(dialog, "Save_Dump");
    }
    EXPECT_EQ(ReadBytes(folder.File("second.blk")), Joined(BankDumps()));
}

TEST_F(BulkDumpDialogTest, UnsavedChangesAreAskedAboutOnClose)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("bank.blk")));
    dialog.SelectRow(3);
    Click(dialog, "Move_Item_Up");
    EXPECT_EQ(dialog.Bank().GetEntry(2).GetName(), "Bank Entry 4");
    EXPECT_EQ(Cell(Control<wxListCtrl>(&dialog, "Dump_Contents"), 2, 1), "Bank Entry 4");
    boxes.script = {wxCANCEL, wxNO};
    const int result = RunModal(dialog, [](wxDialog& d) {
        UserClick(d, wxID_OK);
        EXPECT_TRUE(d.IsModal()); // cancelled: stays open
        UserClick(d, wxID_OK);
    });
    EXPECT_EQ(result, 0);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), "Do you want to save your changes to the dump?");
}

TEST_F(BulkDumpDialogTest, DroppedFilesFillRowsUpToTheLast)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("bank.blk")));
    std::vector<wxString> files;
    for (const char* name : {"x", "y", "z"})
    {
        const std::string path = folder.File(std::string(name) + ".syx");
        WriteBytes(path, TemplateDump(std::string("Dropped ") + name, 0));
        files.push_back(path);
    }
    dialog.LoadDroppedFiles(14, files);
    EXPECT_EQ(dialog.Bank().GetEntry(13).GetName(), "Bank Entry 14");
    EXPECT_EQ(dialog.Bank().GetEntry(14).GetName(), "Dropped x");
    EXPECT_EQ(dialog.Bank().GetEntry(15).GetName(), "Dropped y");
    EXPECT_EQ(Cell(Control<wxListCtrl>(&dialog, "Dump_Contents"), 15, 1), "Dropped y");
    EXPECT_TRUE(dialog.Bank().IsModified());
    EXPECT_TRUE(boxes.boxes.empty());

    const std::string notATemplate = folder.File("notes.syx");
    std::vector<uint8_t> shortDump = TemplateDump("Too short", 0);
    shortDump.resize(100);
    shortDump.push_back(0xF7);
    WriteBytes(notATemplate, shortDump);
    dialog.LoadDroppedFiles(0, {notATemplate});
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), "The file \"" + notATemplate + "\" is not a valid template file.");
    EXPECT_EQ(dialog.Bank().GetEntry(0).GetName(), "Bank Entry 1");
}

TEST_F(BulkDumpDialogTest, ExtractAllNumbersEveryFile)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("bank.blk")));
    TempFolder out;
    wxString askedTitle;
    auto previous = SetFolderChooser([&](wxWindow*, const wxString& title, wxString& path) {
        askedTitle = title;
        path = out.Path();
        return true;
    });
    Click(dialog, "Save_All");
    SetFolderChooser(previous);
    EXPECT_EQ(askedTitle, "Select a location to extract the contents of the bulk dump to:");
    const std::vector<std::string> names = out.Names();
    ASSERT_EQ(names.size(), 16u);
    EXPECT_EQ(names.front(), "01 - Bank Entry 1.syx");
    EXPECT_EQ(names.back(), "16 - Bank Entry 16.syx");
    // Saved alone, an entry is not part of a bank.
    std::vector<uint8_t> single = TemplateDump("Bank Entry 1", 0);
    single[7] = 0;
    EXPECT_EQ(ReadBytes(out.File("01 - Bank Entry 1.syx")), single);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DialogTest, RenamingAPatchSetsItsNameAndFilePath)
{
    std::unique_ptr<IBulkEntry> patch = TestApp().Device().CreatePatch();
    patch->SetName("Warm Pad");
    {
        CBulkEntryRenameDialog dialog(nullptr, *patch, 3);
        ASSERT_TRUE(dialog.IsLoaded());
        EXPECT_EQ(Control<wxTextCtrl>(&dialog, "Control_Name")->GetValue(), "Warm Pad");
        EXPECT_EQ(RunModal(dialog, [](wxDialog& d) { UserClick(d, wxID_OK); }), 0);
    }
    // Unchanged, the name still becomes the file name proposed for saving.
    EXPECT_EQ(patch->GetDefaultFileName(), "Warm Pad.syx");
    {
        CBulkEntryRenameDialog dialog(nullptr, *patch, 3);
        EXPECT_EQ(RunModal(dialog, [](wxDialog& d) {
                      Control<wxTextCtrl>(&d, "Control_Name")->SetValue("Cold Lead");
                      UserClick(d, wxID_CANCEL);
                  }),
                  -1);
    }
    EXPECT_EQ(patch->GetName(), "Warm Pad");
    CBulkEntryRenameDialog dialog(nullptr, *patch, 3);
    RunModal(dialog, [](wxDialog& d) {
        Control<wxTextCtrl>(&d, "Control_Name")->SetValue("Cold Lead");
        UserClick(d, wxID_OK);
    });
    EXPECT_EQ(patch->GetName(), "Cold Lead");
    EXPECT_EQ(patch->GetDefaultFileName(), "Cold Lead.syx");
}
} // namespace
