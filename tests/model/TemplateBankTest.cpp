#include <gtest/gtest.h>

#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/PatchDumps.h"
#include "tests/model/TempFolder.h"

namespace
{
using Bytes = std::vector<uint8_t>;
using TemplateBank = CBulkDump<CDorvaSynthTemplate, 16>;

constexpr size_t kGap = 50; // 135 bytes the template does not model

// A DorvaSynth dump named name, with a byte in the unmodelled gap.
SysExBuffer NamedDump(const std::string& name, uint8_t gapByte = 0)
{
    CDorvaSynthTemplate source;
    source.SetName(name);
    SysExBuffer dump = source.Write();
    dump[kGap + 10] = gapByte;
    return dump;
}

CDorvaSynthTemplate ReadTemplate(const SysExBuffer& dump)
{
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
        ASSERT_EQ(out.size(), 1808u);
        EXPECT_EQ(out[7], 1) << "entry " << i;
        EXPECT_EQ(out[12], i) << "entry " << i;
    }
    EXPECT_EQ(bank->GetEntry(0).GetName(), "Untitled");
}

TEST(TemplateBank, EntriesCopyTheBitsTheTemplateDoesNotModel)
{
    TemplateBank bank;
    const CDorvaSynthTemplate source = ReadTemplate(NamedDump("Keys", 0x2A));
    ASSERT_TRUE(bank.SetEntry(source, 3));
    const SysExBuffer out = bank.GetEntry(3).Write();
    EXPECT_EQ(out[kGap + 10], 0x2A);
    EXPECT_EQ(out[12], 3);
    EXPECT_EQ(bank.GetEntry(3).GetName(), "Keys");

    bank.SwapEntries(3, 15);
    EXPECT_EQ(bank.GetEntry(15).Write()[kGap + 10], 0x2A);
    EXPECT_EQ(bank.GetEntry(15).Write()[12], 15);
    EXPECT_EQ(bank.GetEntry(3).GetName(), "Untitled");
}

TEST(TemplateBank, ClearingAnEntryForgetsTheDumpItWasReadFrom)
{
    TemplateBank bank;
    ASSERT_TRUE(bank.SetEntry(ReadTemplate(NamedDump("Old", 0x33)), 6));
    bank.SetModified(false);

    bank.ResetEntry(6);
    EXPECT_TRUE(bank.IsModified());
    EXPECT_EQ(bank.GetEntry(6).GetName(), "Untitled");
    EXPECT_EQ(bank.GetEntry(6).Write(), TemplateBank().GetEntry(6).Write());
}

TEST(TemplateBankFile, SixteenDumpsBackToBackRoundTrip)
{
    TempFolder dir;
    TemplateBank bank;
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(bank.SetEntry(ReadTemplate(NamedDump("T" + std::to_string(i), static_cast<uint8_t>(i))), i));

    const std::string path = dir.File("bank.blk");
    ASSERT_TRUE(SaveBulkDumpToFile(bank, path));
    ASSERT_EQ(ReadBytes(path).size(), 28928u);

    TemplateBank loaded;
    ASSERT_TRUE(LoadBulkDumpFromFile(loaded, path));
    EXPECT_TRUE(loaded.IsComplete());
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_EQ(loaded.GetEntry(i).GetName(), "T" + std::to_string(i));
        EXPECT_EQ(loaded.GetEntry(i).Write(), bank.GetEntry(i).Write());
    }
}

TEST(TemplateBankFile, APatchIsNotATemplate)
{
    TempFolder dir;
    const std::string path = dir.File("patch.syx");
    WriteBytes(path, PatchDumpBytes("Lead", 0));

    TemplateBank bank;
    size_t offset = 0;
    EXPECT_FALSE(bank.LoadEntryFromFile(0, path, offset));
    EXPECT_EQ(offset, 0u);
    EXPECT_FALSE(LoadBulkDumpFromFile(bank, path));
    EXPECT_EQ(bank.GetEntry(0).GetName(), "Untitled");
}
