#include <gtest/gtest.h>

#include "model/calder/CalderPatch.h"
#include "tests/model/PatchDumps.h"

namespace
{
CCalderPatch ReadPatch(const SysExBuffer& dump)
{
    CCalderPatch patch;
    size_t position = 0;
    EXPECT_TRUE(patch.Read(dump, position));
    EXPECT_EQ(position, 270u);
    return patch;
}

std::string NameBytes(const SysExBuffer& dump)
{
    return std::string(dump.begin() + 164, dump.begin() + 180);
}
} // namespace

TEST(CalderPatch, WritesBackEveryByteButItsNameLocationAndFlag)
{
    const SysExBuffer dump = PatchDump("Lead 1", 42, 1, 3);
    CCalderPatch patch = ReadPatch(dump);
    EXPECT_EQ(patch.GetName(), "Lead 1          "); // the blanks stay
    EXPECT_EQ(patch.GetFilePath(), patch.GetName());
    EXPECT_EQ(patch.GetLocation(), 42);
    EXPECT_TRUE(patch.GetBulkFlag());
    EXPECT_EQ(patch.Write(), dump);
    EXPECT_FALSE(ReadPatch(PatchDump("x", 0, 2)).GetBulkFlag()); // only 1 marks a bank entry

    patch.SetName("A very long patch name");
    patch.SetLocation(99);
    patch.SetBulkFlag(false);
    const SysExBuffer out = patch.Write();
    for (size_t i = 0; i < out.size(); ++i)
    {
        const bool own = i == 7 || i == 12 || (i >= 164 && i < 180);
        EXPECT_EQ(out[i], own ? out[i] : dump[i]) << "byte " << i;
    }
    EXPECT_EQ(out[7], 0);
    EXPECT_EQ(out[12], 99);
    EXPECT_EQ(patch.GetHeader().GetByte(12), 99);
    EXPECT_EQ(NameBytes(out), "A very long patc");
    patch.SetName("Pad");
    EXPECT_EQ(NameBytes(patch.Write()), "Pad             ");
}

TEST(CalderPatch, RefusesAnythingButOneWholeDumpAndStaysAsItWas)
{
    const SysExBuffer good = PatchDump("Keep", 7);
    CCalderPatch patch = ReadPatch(good);

    std::vector<uint8_t> longer = PatchDumpBytes("Other", 8);
    longer.insert(longer.begin() + 100, 0x11);
    std::vector<uint8_t> shorter = PatchDumpBytes("Other", 8);
    shorter.erase(shorter.begin() + 100);
    SysExBuffer tooLong;
    for (uint8_t b : longer)
        tooLong.PushByte(b);
    for (const SysExBuffer& bad : {tooLong, SysExBuffer::FromBytes(shorter), SysExBuffer()})
    {
        size_t position = 0;
        EXPECT_FALSE(patch.Read(bad, position)) << bad.size() << " bytes";
    }
    size_t position = 1; // the right length, but not from its start
    EXPECT_FALSE(patch.Read(PatchDump("Other", 8), position));
    EXPECT_EQ(patch.Write(), good);
}

TEST(CalderPatch, FreshAndResetPatchesAreTheSameBlankDump)
{
    const SysExBuffer blank = CCalderPatch().Write();
    ASSERT_EQ(blank.size(), 270u);
    EXPECT_TRUE(blank.IsValid());
    EXPECT_EQ(std::vector<uint8_t>(blank.begin(), blank.begin() + 7),
              (std::vector<uint8_t>{0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x02, 0x7F}));
    EXPECT_EQ(NameBytes(blank), std::string(16, ' '));
    EXPECT_EQ(ReadPatch(blank).Write(), blank);

    // Resetting forgets the sound too, not only the name.
    CCalderPatch reset = ReadPatch(PatchDump("Bass", 9, 1, 4));
    reset.ResetToDefaults();
    EXPECT_EQ(reset.Write(), blank);
    EXPECT_EQ(reset.GetFilePath(), "");
}

TEST(Patch, DefaultFileNameComesFromThePathOrTheName)
{
    CCalderPatch patch = ReadPatch(PatchDump("Lead 1", 0));
    EXPECT_EQ(patch.GetDefaultFileName(), "Lead 1.syx");
    patch.SetFilePath("C:\\sounds\\pad.syx");
    EXPECT_EQ(patch.GetDefaultFileName(), "C__sounds_pad.syx");
    patch.SetFilePath("");
    patch.SetName("Bass: Low/Sub  ");
    EXPECT_EQ(patch.GetDefaultFileName(), "Bass_ Low_Sub.syx");
}
