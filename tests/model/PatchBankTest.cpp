#include <gtest/gtest.h>

#include <sys/stat.h>

#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/calder/CalderPatch.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/model/PatchDumps.h"
#include "tests/model/TempFolder.h"

namespace
{
using Bytes = std::vector<uint8_t>;
using PatchBank = CBulkDump<CCalderPatch, 100>;

std::string NameOf(int i)
{
    return "Patch " + std::to_string(i);
}

// count patch dumps back to back, patch i named "Patch i" at location i.
Bytes BankBytes(int count)
{
    Bytes out;
    for (int i = 0; i < count; ++i)
    {
        const Bytes one = PatchDumpBytes(NameOf(i), i, 1, i);
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

std::string Trimmed(const std::string& name)
{
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

const CCalderPatch& PatchAt(const IBulkDump& bank, int index)
{
    return dynamic_cast<const CCalderPatch&>(bank.GetEntry(index));
}
} // namespace

TEST(PatchBank, StartsWithEveryPatchAtItsOwnLocation)
{
    const std::unique_ptr<IBulkDump> bank = CDorvaSynthAnswers().CreatePatchBulkDump();
    ASSERT_EQ(bank->GetCount(), 100);
    EXPECT_FALSE(bank->IsModified());
    EXPECT_FALSE(bank->IsComplete());
    for (int i : {0, 7, 99})
    {
        const SysExBuffer out = bank->GetEntry(i).Write();
        EXPECT_EQ(out[7], 1);
        EXPECT_EQ(out[12], i);
    }
    EXPECT_EQ(CDorvaSynthAnswers().CreatePatch()->GetSysExSize(), 270);
}

TEST(PatchBank, SetEntryCopiesIntoThePlaceAndTakesItsLocation)
{
    PatchBank bank;
    CCalderPatch patch;
    size_t position = 0;
    ASSERT_TRUE(patch.Read(PatchDump("Brass", 60, 0, 2), position));

    ASSERT_TRUE(bank.SetEntry(patch, 4));
    EXPECT_TRUE(bank.IsModified());
    patch.SetName("Changed later");
    EXPECT_EQ(Trimmed(bank.GetEntry(4).GetName()), "Brass");
    EXPECT_EQ(PatchAt(bank, 4).GetLocation(), 4);
    EXPECT_TRUE(PatchAt(bank, 4).GetBulkFlag());

    // Setting a place from its own entry changes nothing but the flags.
    ASSERT_TRUE(bank.SetEntry(bank.GetEntry(4), 4));
    EXPECT_EQ(Trimmed(bank.GetEntry(4).GetName()), "Brass");
}

TEST(PatchBank, SetEntryRefusesAnEntryOfAnotherType)
{
    struct OtherEntry : CPatch
    {
        bool Read(const SysExBuffer&, size_t&) override { return false; }
        SysExBuffer Write() const override { return {}; }
        int GetSysExSize() const override { return 0; }
        CSysExHeader& GetHeader() override { return header; }
        const CSysExHeader& GetHeader() const override { return header; }
        CSysExHeader header;
    };
    PatchBank bank;
    const SysExBuffer before = bank.GetEntry(3).Write();
    EXPECT_FALSE(bank.SetEntry(OtherEntry(), 3));
    EXPECT_FALSE(bank.IsModified());
    EXPECT_EQ(bank.GetEntry(3).Write(), before);
}

TEST(PatchBank, SwapMovesEntriesButLocationsStayWithThePlaces)
{
    PatchBank bank;
    CCalderPatch a, b;
    size_t position = 0;
    ASSERT_TRUE(a.Read(PatchDump("First", 0), position));
    position = 0;
    ASSERT_TRUE(b.Read(PatchDump("Fifth", 5), position));
    bank.SetEntry(a, 0);
    bank.SetEntry(b, 5);
    bank.SetModified(false);

    bank.SwapEntries(0, 5);
    EXPECT_TRUE(bank.IsModified());
    EXPECT_EQ(Trimmed(bank.GetEntry(0).GetName()), "Fifth");
    EXPECT_EQ(Trimmed(bank.GetEntry(5).GetName()), "First");
    EXPECT_EQ(bank.GetEntry(0).Write()[12], 0);
    EXPECT_EQ(bank.GetEntry(5).Write()[12], 5);

    bank.SwapEntries(5, 5);
    EXPECT_EQ(Trimmed(bank.GetEntry(5).GetName()), "First");
}

TEST(PatchBank, ResetEntryGivesAFreshPatchInPlace)
{
    PatchBank bank;
    CCalderPatch patch;
    size_t position = 0;
    ASSERT_TRUE(patch.Read(PatchDump("Gone", 1, 1, 9), position));
    bank.SetEntry(patch, 9);
    bank.SetModified(false);

    bank.ResetEntry(9);
    EXPECT_TRUE(bank.IsModified());
    EXPECT_EQ(bank.GetEntry(9).GetName(), "");
    EXPECT_EQ(bank.GetEntry(9).Write(), PatchBank().GetEntry(9).Write());

    bank.ResetAll();
    EXPECT_TRUE(bank.IsModified()); // ResetAll leaves the flag alone
}

TEST(PatchBank, OutOfRangeIndicesThrowInsteadOfWritingElsewhere)
{
    PatchBank bank;
    EXPECT_THROW(bank.GetEntry(100), std::out_of_range);
    EXPECT_THROW(bank.ResetEntry(-1), std::out_of_range);
    EXPECT_THROW(bank.SwapEntries(0, 100), std::out_of_range);
    size_t offset = 0;
    EXPECT_THROW(bank.LoadEntryFromFile(100, "/nonexistent", offset), std::out_of_range);
}

TEST(PatchBankFile, SavesAndLoadsAllHundredPatches)
{
    TempFolder dir;
    const std::string path = dir.File("bank.syx");
    WriteBytes(path, BankBytes(100));

    PatchBank bank;
    bank.SetModified(true);
    ASSERT_TRUE(LoadBulkDumpFromFile(bank, path));
    EXPECT_TRUE(bank.IsComplete());
    EXPECT_FALSE(bank.IsModified());
    EXPECT_EQ(Trimmed(bank.GetEntry(0).GetName()), "Patch 0");
    EXPECT_EQ(Trimmed(bank.GetEntry(99).GetName()), "Patch 99");

    bank.SwapEntries(0, 99);
    const std::string copy = dir.File("copy.syx");
    ASSERT_TRUE(SaveBulkDumpToFile(bank, copy));
    EXPECT_FALSE(bank.IsModified());
    const Bytes saved = ReadBytes(copy);
    ASSERT_EQ(saved.size(), 27000u);

    PatchBank again;
    ASSERT_TRUE(LoadBulkDumpFromFile(again, copy));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(again.GetEntry(i).Write(), bank.GetEntry(i).Write()) << "entry " << i;
    EXPECT_EQ(Trimmed(again.GetEntry(0).GetName()), "Patch 99");
    EXPECT_EQ(again.GetEntry(0).Write()[12], 0);
}

TEST(PatchBankFile, NinetyNinePatchesFillNinetyNinePlacesAndLeaveTheBankIncomplete)
{
    TempFolder dir;
    const std::string path = dir.File("short.syx");
    WriteBytes(path, BankBytes(99));

    PatchBank bank;
    bank.SetComplete(true);
    EXPECT_FALSE(LoadBulkDumpFromFile(bank, path));
    EXPECT_FALSE(bank.IsComplete());
    EXPECT_EQ(Trimmed(bank.GetEntry(98).GetName()), "Patch 98");
    EXPECT_EQ(bank.GetEntry(99).Write(), PatchBank().GetEntry(99).Write());
}

TEST(PatchBankFile, AnInvalidSecondMessageStopsAfterTheFirst)
{
    TempFolder dir;
    const std::string path = dir.File("bad.syx");
    Bytes bytes = BankBytes(100);
    bytes.erase(bytes.begin() + 270 + 50); // the second patch is now 269 bytes
    WriteBytes(path, bytes);

    PatchBank bank;
    EXPECT_FALSE(LoadBulkDumpFromFile(bank, path));
    EXPECT_FALSE(bank.IsComplete());
    EXPECT_EQ(Trimmed(bank.GetEntry(0).GetName()), "Patch 0");
    EXPECT_EQ(bank.GetEntry(1).GetName(), "");
    EXPECT_EQ(bank.GetEntry(2).GetName(), "");
}

TEST(PatchBankFile, BytesBeforeAnEntryDoNotLoadItTwice)
{
    TempFolder dir;
    const std::string path = dir.File("junk.syx");
    // More junk than one entry is long: the next read must not start inside it.
    Bytes bytes(300, 0x11);
    const Bytes two = BankBytes(2);
    bytes.insert(bytes.end(), two.begin(), two.end());
    WriteBytes(path, bytes);

    PatchBank bank;
    size_t offset = 0;
    ASSERT_TRUE(bank.LoadEntryFromFile(0, path, offset));
    EXPECT_EQ(offset, 300u + 270u);
    ASSERT_TRUE(bank.LoadEntryFromFile(1, path, offset));
    EXPECT_EQ(offset, 300u + 540u);
    EXPECT_EQ(Trimmed(bank.GetEntry(0).GetName()), "Patch 0");
    EXPECT_EQ(Trimmed(bank.GetEntry(1).GetName()), "Patch 1");

    // Nothing left: the entry and the offset stay as they were.
    const SysExBuffer before = bank.GetEntry(2).Write();
    EXPECT_FALSE(bank.LoadEntryFromFile(2, path, offset));
    EXPECT_EQ(offset, 300u + 540u);
    EXPECT_EQ(bank.GetEntry(2).Write(), before);
}

TEST(PatchBankFile, AFailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    TempFolder dir;
    const std::string path = dir.File("locked.syx");
    WriteBytes(path, {1, 2, 3});
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    PatchBank bank;
    bank.SetModified(true);
    EXPECT_FALSE(SaveBulkDumpToFile(bank, path));
    EXPECT_TRUE(bank.IsModified());
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
}

TEST(PatchBankFile, ASingleEntryIsSavedOutsideTheBank)
{
    TempFolder dir;
    PatchBank bank;
    CCalderPatch patch;
    size_t position = 0;
    ASSERT_TRUE(patch.Read(PatchDump("Solo", 0), position));
    bank.SetEntry(patch, 17);

    const std::string path = dir.File("solo.syx");
    ASSERT_TRUE(SaveBulkEntryToFile(bank.GetEntry(17), path));
    const Bytes saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), 270u);
    EXPECT_EQ(saved[7], 0);
    EXPECT_EQ(saved[12], 17);
    EXPECT_EQ(bank.GetEntry(17).Write()[7], 1);

    EXPECT_FALSE(SaveBulkEntryToFile(bank.GetEntry(17), dir.File("no/such/folder.syx")));
    EXPECT_EQ(bank.GetEntry(17).Write()[7], 1);
}
