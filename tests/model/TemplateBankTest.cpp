#include <gtest/gtest.h>

#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/PatchDumps.h"
#include "tests/model/TempFolder.h"

namespace
{
using TemplateBank = CBulkDump<CDorvaSynthTemplate, 16>;
constexpr size_t kGapByte = 60; // inside the 135 bytes the template does not model

// A template read from a dump named name with a byte in the unmodelled gap.
CDorvaSynthTemplate ReadTemplate(const std::string& name, uint8_t gapByte)
{
    CDorvaSynthTemplate source;
    source.SetName(name);
    SysExBuffer dump = source.Write();
    dump[kGapByte] = gapByte;
    CDorvaSynthTemplate read;
    size_t position = 0;
    EXPECT_TRUE(read.Read(dump, position));
    return read;
}
} // namespace

TEST(TemplateBank, SixteenFreshTemplatesEachAtItsLocationAndFlagged)
{
    const std::unique_ptr<IBulkDump> bank = CDorvaSynthAnswers().CreateTemplateBulkDump();
    ASSERT_EQ(bank->GetCount(), 16);
    for (int i = 0; i < 16; ++i)
    {
        const SysExBuffer out = bank->GetEntry(i).Write();
        EXPECT_EQ(out.size(), 1808u);
        EXPECT_EQ(out[7], 1) << "entry " << i;
        EXPECT_EQ(out[12], i) << "entry " << i;
    }
    EXPECT_EQ(bank->GetEntry(0).GetName(), "Untitled");
}

TEST(TemplateBank, EntriesCarryTheUnmodelledBitsUntilCleared)
{
    TemplateBank bank;
    ASSERT_TRUE(bank.SetEntry(ReadTemplate("Keys", 0x2A), 3));
    EXPECT_EQ(bank.GetEntry(3).Write()[kGapByte], 0x2A);
    bank.SwapEntries(3, 15);
    EXPECT_EQ(bank.GetEntry(15).GetName(), "Keys");
    EXPECT_EQ(bank.GetEntry(15).Write()[kGapByte], 0x2A);
    EXPECT_EQ(bank.GetEntry(15).Write()[12], 15);

    // Clearing gives defaults throughout, not defaults over the old dump.
    bank.SetModified(false);
    bank.ResetEntry(15);
    EXPECT_TRUE(bank.IsModified());
    EXPECT_EQ(bank.GetEntry(15).Write(), TemplateBank().GetEntry(15).Write());
}

TEST(TemplateBankFile, SixteenDumpsBackToBackRoundTripAndPatchesAreRefused)
{
    TempFolder dir;
    TemplateBank bank;
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(bank.SetEntry(ReadTemplate("T" + std::to_string(i), static_cast<uint8_t>(i)), i));
    ASSERT_TRUE(SaveBulkDumpToFile(bank, dir.File("bank.blk")));
    ASSERT_EQ(ReadBytes(dir.File("bank.blk")).size(), 28928u);

    TemplateBank loaded;
    ASSERT_TRUE(LoadBulkDumpFromFile(loaded, dir.File("bank.blk")));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(loaded.GetEntry(i).Write(), bank.GetEntry(i).Write()) << "entry " << i;
    EXPECT_EQ(loaded.GetEntry(9).GetName(), "T9");

    WriteBytes(dir.File("patch.syx"), PatchDumpBytes("Lead", 0));
    size_t offset = 0;
    EXPECT_FALSE(loaded.LoadEntryFromFile(0, dir.File("patch.syx"), offset));
    EXPECT_EQ(offset, 0u);
    EXPECT_EQ(loaded.GetEntry(0).GetName(), "T0");
}
