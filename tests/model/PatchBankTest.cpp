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

// count patch dumps back to back, patch i named "Patch i" at location i.
Bytes BankBytes(int count)
{
    Bytes out;
    for (int i = 0; i < count; ++i)
    {
        const Bytes one = PatchDumpBytes("Patch " + std::to_string(i), i, 1, i);
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

std::string NameAt(const IBulkDump& bank, int index)
{
    const std::string name = bank.GetEntry(index).GetName();
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

CCalderPatch Patch(const std::string& name, int location = 0)
{
    CCalderPatch patch;
    size_t position = 0;
    EXPECT_TRUE(patch.Read(PatchDump(name, location, 0, location), position));
    return patch;
}
} // namespace

TEST(PatchBank, StartsWithEveryPatchAtItsOwnLocation)
{
    const std::unique_ptr<IBulkDump> bank = CDorvaSynthAnswers().CreatePatchBulkDump();
    ASSERT_EQ(bank->GetCount(), 100);
    EXPECT_FALSE(bank->IsModified() || bank->IsComplete());
    for (int i : {0, 7, 99})
    {
        EXPECT_EQ(bank->GetEntry(i).Write()[7], 1);
        EXPECT_EQ(bank->GetEntry(i).Write()[12], i);
    }
    EXPECT_EQ(CDorvaSynthAnswers().CreatePatch()->GetSysExSize(), 270);
    EXPECT_THROW(bank->GetEntry(100), std::out_of_range);
}

TEST(PatchBank, SetEntryCopiesIntoThePlaceAndRefusesOtherTypes)
{
    PatchBank bank;
    CCalderPatch patch = Patch("Brass", 60);
    ASSERT_TRUE(bank.SetEntry(patch, 4));
    EXPECT_TRUE(bank.IsModified());
    patch.SetName("Changed later");
    EXPECT_EQ(NameAt(bank, 4), "Brass");
    EXPECT_EQ(bank.GetEntry(4).Write()[12], 4);
    EXPECT_EQ(bank.GetEntry(4).Write()[7], 1);

    struct OtherEntry : CPatch
    {
        bool Read(const SysExBuffer&, size_t&) override { return false; }
        SysExBuffer Write() const override { return {}; }
        int GetSysExSize() const override { return 0; }
        CSysExHeader& GetHeader() override { return header; }
        const CSysExHeader& GetHeader() const override { return header; }
        CSysExHeader header;
    };
    bank.SetModified(false);
    EXPECT_FALSE(bank.SetEntry(OtherEntry(), 4));
    EXPECT_FALSE(bank.IsModified());
    EXPECT_EQ(NameAt(bank, 4), "Brass");
}

TEST(PatchBank, SwapMovesEntriesButLocationsStayWithThePlaces)
{
    PatchBank bank;
    bank.SetEntry(Patch("First"), 0);
    bank.SetEntry(Patch("Fifth"), 5);
    bank.SetModified(false);

    bank.SwapEntries(0, 5);
    EXPECT_TRUE(bank.IsModified());
    EXPECT_EQ(NameAt(bank, 0), "Fifth");
    EXPECT_EQ(NameAt(bank, 5), "First");
    EXPECT_EQ(bank.GetEntry(0).Write()[12], 0);
    EXPECT_EQ(bank.GetEntry(5).Write()[12], 5);
}

TEST(PatchBankFile, SavesAndLoadsAllHundredPatches)
{
    TempFolder dir;
    WriteBytes(dir.File("bank.syx"), BankBytes(100));
    PatchBank bank;
    bank.SetModified(true);
    ASSERT_TRUE(LoadBulkDumpFromFile(bank, dir.File("bank.syx")));
    EXPECT_TRUE(bank.IsComplete());
    EXPECT_FALSE(bank.IsModified());
    EXPECT_EQ(NameAt(bank, 99), "Patch 99");

    bank.SwapEntries(0, 99);
    ASSERT_TRUE(SaveBulkDumpToFile(bank, dir.File("copy.syx")));
    EXPECT_FALSE(bank.IsModified());
    ASSERT_EQ(ReadBytes(dir.File("copy.syx")).size(), 27000u);
    PatchBank again;
    ASSERT_TRUE(LoadBulkDumpFromFile(again, dir.File("copy.syx")));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(again.GetEntry(i).Write(), bank.GetEntry(i).Write()) << "entry " << i;
    EXPECT_EQ(NameAt(again, 0), "Patch 99");
}

TEST(PatchBankFile, AShortOrBrokenFileFillsThePlacesBeforeTheFault)
{
    TempFolder dir;
    WriteBytes(dir.File("99.syx"), BankBytes(99));
    PatchBank bank;
    bank.SetComplete(true);
    EXPECT_FALSE(LoadBulkDumpFromFile(bank, dir.File("99.syx")));
    EXPECT_FALSE(bank.IsComplete());
    EXPECT_EQ(NameAt(bank, 98), "Patch 98");
    EXPECT_EQ(bank.GetEntry(99).Write(), PatchBank().GetEntry(99).Write());

    Bytes broken = BankBytes(100);
    broken.erase(broken.begin() + 270 + 50); // the second patch is 269 bytes
    WriteBytes(dir.File("broken.syx"), broken);
    PatchBank second;
    EXPECT_FALSE(LoadBulkDumpFromFile(second, dir.File("broken.syx")));
    EXPECT_EQ(NameAt(second, 0), "Patch 0");
    EXPECT_EQ(NameAt(second, 1), "");
    EXPECT_EQ(NameAt(second, 2), "");
}

TEST(PatchBankFile, BytesBeforeAnEntryDoNotLoadItTwice)
{
    TempFolder dir;
    Bytes bytes(300, 0x11); // longer than an entry
    const Bytes two = BankBytes(2);
    bytes.insert(bytes.end(), two.begin(), two.end());
    WriteBytes(dir.File("junk.syx"), bytes);

    PatchBank bank;
    size_t offset = 0;
    ASSERT_TRUE(bank.LoadEntryFromFile(0, dir.File("junk.syx"), offset));
    ASSERT_TRUE(bank.LoadEntryFromFile(1, dir.File("junk.syx"), offset));
    EXPECT_EQ(offset, 300u + 540u);
    EXPECT_EQ(NameAt(bank, 1), "Patch 1");
    // Nothing left: the entry and the offset stay as they were.
    EXPECT_FALSE(bank.LoadEntryFromFile(2, dir.File("junk.syx"), offset));
    EXPECT_EQ(offset, 300u + 540u);
    EXPECT_EQ(bank.GetEntry(2).Write(), PatchBank().GetEntry(2).Write());
}

TEST(PatchBankFile, SavingFailsWithoutHarmAndSingleEntriesLeaveTheBank)
{
    TempFolder dir;
    const std::string locked = dir.File("locked.syx");
    WriteBytes(locked, {1, 2, 3});
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    PatchBank bank;
    bank.SetEntry(Patch("Solo"), 17);
    EXPECT_FALSE(SaveBulkDumpToFile(bank, locked));
    EXPECT_TRUE(bank.IsModified());
    EXPECT_EQ(ReadBytes(locked), (Bytes{1, 2, 3}));

    ASSERT_TRUE(SaveBulkEntryToFile(bank.GetEntry(17), dir.File("solo.syx")));
    const Bytes saved = ReadBytes(dir.File("solo.syx"));
    ASSERT_EQ(saved.size(), 270u);
    EXPECT_EQ(saved[7], 0);
    EXPECT_EQ(saved[12], 17);
    EXPECT_EQ(bank.GetEntry(17).Write()[7], 1);
    EXPECT_FALSE(SaveBulkEntryToFile(bank.GetEntry(17), dir.File("no/such/folder.syx")));
    EXPECT_EQ(bank.GetEntry(17).Write()[7], 1);
}
