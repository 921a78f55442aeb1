#include <gtest/gtest.h>

#include "model/calder/CalderPatch.h"
#include "tests/model/PatchDumps.h"

namespace
{
using Bytes = std::vector<uint8_t>;

CCalderPatch ReadPatch(const SysExBuffer& dump)
{
    CCalderPatch patch;
    size_t position = 0;
    EXPECT_TRUE(patch.Read(dump, position));
    EXPECT_EQ(position, 270u);
    return patch;
}
} // namespace

TEST(CalderPatch, ReadsNameLocationAndFlagAndWritesEveryOtherByteBack)
{
    const SysExBuffer dump = PatchDump("Lead 1", 42, 1, 3);
    CCalderPatch patch = ReadPatch(dump);

    EXPECT_EQ(patch.GetName(), "Lead 1          "); // the blanks stay
    EXPECT_EQ(patch.GetFilePath(), patch.GetName());
    EXPECT_EQ(patch.GetLocation(), 42);
    EXPECT_TRUE(patch.GetBulkFlag());
    EXPECT_EQ(patch.GetHeader().GetByte(CSysExHeader::kLocationByte), 42);
    EXPECT_EQ(patch.Write(), dump);
}

TEST(CalderPatch, WritesItsOwnNameLocationAndFlagOverTheKeptBytes)
{
    const SysExBuffer dump = PatchDump("Old", 3, 1, 5);
    CCalderPatch patch = ReadPatch(dump);
    patch.SetName("A very long patch name");
    patch.SetLocation(99);
    patch.SetBulkFlag(false);

    const SysExBuffer out = patch.Write();
    ASSERT_EQ(out.size(), 270u);
    for (size_t i = 0; i < out.size(); ++i)
    {
        if (i == 7 || i == 12 || (i >= 164 && i < 180))
            continue;
        EXPECT_EQ(out[i], dump[i]) << "byte " << i;
    }
    EXPECT_EQ(out[7], 0);
    EXPECT_EQ(out[12], 99);
    EXPECT_EQ(std::string(out.begin() + 164, out.begin() + 180), "A very long patc");

    patch.SetName("Pad");
    patch.SetBulkFlag(true);
    const SysExBuffer shorter = patch.Write();
    EXPECT_EQ(shorter[7], 1);
    EXPECT_EQ(std::string(shorter.begin() + 164, shorter.begin() + 180), "Pad             ");
}

TEST(CalderPatch, OnlyAFlagOfOneMarksABankEntry)
{
    EXPECT_FALSE(ReadPatch(PatchDump("x", 0, 2)).GetBulkFlag());
    EXPECT_FALSE(ReadPatch(PatchDump("x", 0, 0)).GetBulkFlag());
}

TEST(CalderPatch, RefusesAnythingButOneWholeDumpAndStaysAsItWas)
{
    const SysExBuffer good = PatchDump("Keep", 7);
    CCalderPatch patch = ReadPatch(good);

    Bytes longer = PatchDumpBytes("Other", 8);
    longer.insert(longer.begin() + 100, 0x11);
    Bytes shorter = PatchDumpBytes("Other", 8);
    shorter.erase(shorter.begin() + 100);
    for (const Bytes& bad : {longer, shorter, Bytes{}})
    {
        SysExBuffer buffer;
        for (uint8_t b : bad)
            buffer.PushByte(b);
        size_t position = 0;
        EXPECT_FALSE(patch.Read(buffer, position)) << bad.size() << " bytes";
        EXPECT_EQ(position, 0u);
    }
    // The right length, but not starting at the beginning.
    size_t position = 1;
    EXPECT_FALSE(patch.Read(PatchDump("Other", 8), position));

    EXPECT_EQ(patch.GetName(), "Keep            ");
    EXPECT_EQ(patch.Write(), good);
}

TEST(CalderPatch, AFreshPatchIsABlankDumpThatReadsBack)
{
    CCalderPatch fresh;
    const SysExBuffer out = fresh.Write();
    ASSERT_EQ(out.size(), 270u);
    EXPECT_TRUE(out.IsValid());
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 7), (Bytes{0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x02, 0x7F}));
    EXPECT_EQ(fresh.GetHeader().GetType(), 0x02);
    EXPECT_EQ(std::string(out.begin() + 164, out.begin() + 180), std::string(16, ' '));

    CCalderPatch copy;
    size_t position = 0;
    EXPECT_TRUE(copy.Read(out, position));
    EXPECT_EQ(copy.Write(), out);

    // Resetting a read patch forgets its sound too, not only its name.
    CCalderPatch reset = ReadPatch(PatchDump("Bass", 9, 1, 4));
    reset.ResetToDefaults();
    EXPECT_EQ(reset.Write(), out);
    EXPECT_EQ(reset.GetFilePath(), "");
}

TEST(CalderPatch, AssignCopiesEverything)
{
    CCalderPatch source = ReadPatch(PatchDump("Strings", 12, 1, 8));
    source.SetFilePath("strings.syx");
    CCalderPatch target;
    target.Assign(source);
    EXPECT_EQ(target.Write(), source.Write());
    EXPECT_EQ(target.GetFilePath(), "strings.syx");
    EXPECT_EQ(target.GetName(), source.GetName());
    EXPECT_EQ(target.GetHeader().GetByte(12), 12);
}

TEST(Patch, DefaultFileNameComesFromThePathOrTheName)
{
    CCalderPatch patch = ReadPatch(PatchDump("Lead 1", 0));
    EXPECT_EQ(patch.GetDefaultFileName(), "Lead 1.syx");

    patch.SetFilePath("");
    patch.SetName("Bass: Low/Sub\t");
    EXPECT_EQ(patch.GetDefaultFileName(), "Bass_ Low_Sub_.syx");

    patch.SetFilePath("C:\\sounds\\pad.syx");
    EXPECT_EQ(patch.GetDefaultFileName(), "C__sounds_pad.syx");

    patch.SetFilePath("");
    patch.SetName("");
    EXPECT_EQ(patch.GetDefaultFileName(), ".syx");
}
