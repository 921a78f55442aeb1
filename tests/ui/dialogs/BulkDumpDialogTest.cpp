#include <gtest/gtest.h>

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

class BulkDumpDialogTest : public DialogTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MIDIIO::SelectInputDevice(0));
        ASSERT_TRUE(MIDIIO::SelectOutputDevice(1));
    }

    std::string WriteBank(const std::string& name)
    {
        const std::string path = folder.File(name);
        WriteBytes(path, Joined(BankDumps()));
        return path;
    }

    static wxString Cell(wxListCtrl* list, int row, int column) { return list->GetItemText(row, column); }

    ScopedLoopbackMidi midi{{"Unit In"}, {"Unit Out"}};
    TempFolder folder;
    MessageRecorder boxes;
};

TEST_F(BulkDumpDialogTest, StartsEmptyWithTheBankButtonsOff)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    ASSERT_TRUE(dialog.IsLoaded());
    EXPECT_EQ(dialog.GetTitle(), "Bulk dump");
    EXPECT_EQ(dialog.GetSendPause(), 1000);
    EXPECT_EQ(Control<wxListCtrl>(&dialog, "Dump_Contents")->GetItemCount(), 0);
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
    RunModal(dialog, [&](wxDialog& d) {
        Click(d, "Listen_For_Dump");
        EXPECT_TRUE(dialog.IsBusy());
        for (const auto& dump : dumps)
            midi.driver->InjectSysEx("Unit In", dump, 512);
        EXPECT_TRUE(PumpUntil([&] { return dialog.Bank().IsComplete(); }, 5000));
    });
    EXPECT_FALSE(dialog.IsBusy());
    EXPECT_TRUE(boxes.boxes.empty());
    wxListCtrl* list = Control<wxListCtrl>(&dialog, "Dump_Contents");
    ASSERT_EQ(list->GetItemCount(), 16);
    EXPECT_EQ(Cell(list, 0, 0), "1");
    EXPECT_EQ(Cell(list, 15, 0), "16");
    EXPECT_EQ(Cell(list, 15, 1), "Bank Entry 16");
    const std::vector<std::vector<uint8_t>> expected = BankDumps();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(dialog.Bank().GetEntry(i).Write().bytes(), expected[i]) << "entry " << i;
    EXPECT_TRUE(Control<wxButton>(&dialog, "Save_Dump")->IsEnabled());
    EXPECT_TRUE(Control<wxButton>(&dialog, "Upload_Dump")->IsEnabled());
}

TEST_F(BulkDumpDialogTest, AnInvalidMessageEndsTheReceiveKeepingWhatCame)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    const std::vector<std::vector<uint8_t>> dumps = BankDumps();
    RunModal(dialog, [&](wxDialog& d) {
        Click(d, "Listen_For_Dump");
        midi.driver->InjectSysEx("Unit In", dumps[0], 512);
        midi.driver->InjectSysEx("Unit In", dumps[1], 512);
        midi.driver->InjectSysEx("Unit In", {0xF0, 0x01, 0x02, 0xF7}, 512);
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsBusy(); }, 5000));
    });
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), "Unable to read dump - either it is not a valid dump or the dump was started before "
                              "listening for it.\n\nPlease exit the program, restart it, listen for the dump and then "
                              "send the dump again.");
    EXPECT_FALSE(dialog.Bank().IsComplete());
    EXPECT_EQ(dialog.Bank().GetEntry(1).GetName(), "Bank Entry 2");
    EXPECT_FALSE(Control<wxButton>(&dialog, "Save_Dump")->IsEnabled());
}

TEST_F(BulkDumpDialogTest, CancelWhileWaitingStopsTheReceive)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    RunModal(dialog, [&](wxDialog& d) {
        Click(d, "Listen_For_Dump");
        Click(d, wxID_CANCEL);
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsBusy(); }, 2000));
        EXPECT_FALSE(MIDIIO::IsReceiving());
    });
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(BulkDumpDialogTest, AnOpenedBankIsSentEntryByEntry)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    dialog.SetSendPause(1);
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("bank.blk")));
    EXPECT_EQ(Control<wxListCtrl>(&dialog, "Dump_Contents")->GetItemCount(), 16);
    RunModal(dialog, [&](wxDialog& d) {
        Click(d, "Upload_Dump");
        EXPECT_TRUE(dialog.IsBusy());
        EXPECT_TRUE(PumpUntil([&] { return !dialog.IsBusy(); }, 5000));
        Click(d, wxID_OK);
    });
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(midi.driver->SentSysEx("Unit Out"), BankDumps());
}

TEST_F(BulkDumpDialogTest, AFailedSendIsReportedAndEndsTheTransfer)
{
    CBulkDumpDialog dialog(nullptr, true, "Bulk dump");
    dialog.SetSendPause(1);
    ASSERT_TRUE(dialog.OpenBankFile(WriteBank("bank.blk")));
    midi.driver->RefuseSends(true);
    RunModal(dialog, [&](wxDialog& d) {
        Click(d, "Upload_Dump");
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
        Click(d, wxID_OK);
        EXPECT_TRUE(d.IsModal()); // cancelled: stays open
        Click(d, wxID_OK);
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
        EXPECT_EQ(RunModal(dialog, [](wxDialog& d) { Click(d, wxID_OK); }), 0);
    }
    // Unchanged, the name still becomes the file name proposed for saving.
    EXPECT_EQ(patch->GetDefaultFileName(), "Warm Pad.syx");
    {
        CBulkEntryRenameDialog dialog(nullptr, *patch, 3);
        EXPECT_EQ(RunModal(dialog, [](wxDialog& d) {
                      Control<wxTextCtrl>(&d, "Control_Name")->SetValue("Cold Lead");
                      Click(d, wxID_CANCEL);
                  }),
                  -1);
    }
    EXPECT_EQ(patch->GetName(), "Warm Pad");
    CBulkEntryRenameDialog dialog(nullptr, *patch, 3);
    RunModal(dialog, [](wxDialog& d) {
        Control<wxTextCtrl>(&d, "Control_Name")->SetValue("Cold Lead");
        Click(d, wxID_OK);
    });
    EXPECT_EQ(patch->GetName(), "Cold Lead");
    EXPECT_EQ(patch->GetDefaultFileName(), "Cold Lead.syx");
}
} // namespace
