#include <gtest/gtest.h>

#include "model/SysExDef.h"
#include "tests/model/RecordingWindow.h"

namespace
{
constexpr int kMax = SysExDef::kMessagePlaces;

std::string Verdict(const std::string& text, int max = kMax)
{
    SysExDef def;
    def.Init();
    std::string verdict;
    SysExText::Parse(text, def, verdict, max);
    return verdict;
}
} // namespace

TEST(SysExText, ParsesBytesAndDataPosition)
{
    SysExDef def;
    def.Init();
    std::string verdict;
    ASSERT_TRUE(SysExText::Parse("41 10 DV 00", def, verdict, kMax));
    EXPECT_EQ(verdict, "Messsage OK!");
    EXPECT_EQ(def.GetLengthByte(), 5);
    EXPECT_EQ(def.GetDataPosition(), 3);
    EXPECT_EQ(def.GetMessageByte(0), 0x41);
    EXPECT_EQ(def.GetMessageByte(1), 0x10);
    EXPECT_EQ(def.GetMessageByte(2), 0x7F);
    EXPECT_EQ(def.GetMessageByte(3), 0x00);
    EXPECT_EQ(SysExText::Format(def, kMax), "41 10 DV 00 ");

    SysExDef lower;
    lower.Init();
    ASSERT_TRUE(SysExText::Parse("7e 0a dv ", lower, verdict, kMax));
    EXPECT_EQ(SysExText::Format(lower, kMax), "7E 0A DV ");

    SysExDef full;
    full.Init();
    std::string text;
    for (int i = 0; i < kMax; ++i)
        text += "01 ";
    ASSERT_TRUE(SysExText::Parse(text, full, verdict, kMax));
    EXPECT_EQ(full.GetLengthByte(), kMax + 1);
    EXPECT_EQ(SysExText::Format(full, kMax), text);
}

TEST(SysExText, VerdictsForBadText)
{
    const std::string incomplete = "Message contains an incomplete byte (pad with zeros)";
    const std::string nonHex = "Message contains non-hex characters (use 0-9, A-F)";
    EXPECT_EQ(Verdict("41 1"), incomplete);
    EXPECT_EQ(Verdict("41  10"), incomplete);
    EXPECT_EQ(Verdict(" 41"), incomplete);
    EXPECT_EQ(Verdict("4"), "Message is too short");
    EXPECT_EQ(Verdict(""), "Message is too short");
    EXPECT_EQ(Verdict("4110"), "Message is not properly space delimited");
    EXPECT_EQ(Verdict("4G"), nonHex);
    EXPECT_EQ(Verdict("G4"), nonHex);
    EXPECT_EQ(Verdict("AV"), nonHex);
    EXPECT_EQ(Verdict("41\t10"), "Message is not properly space delimited");
    EXPECT_EQ(Verdict("VD"), nonHex);
    EXPECT_EQ(Verdict("DV 10 DV"), "Message contains more than one data position (DV)");
    EXPECT_EQ(Verdict("F0 41"), "Messsage contains a value greater than 127 (0x7F)");
    EXPECT_EQ(Verdict("41 F7"), "Messsage contains a value greater than 127 (0x7F)");
    EXPECT_EQ(Verdict("\xC3\xA9 10"), nonHex);

    std::string tooLong;
    for (int i = 0; i <= kMax; ++i)
        tooLong += "01 ";
    EXPECT_EQ(Verdict(tooLong), "Message is too long");
    EXPECT_EQ(Verdict("01 02 03", 2), "Message is too long");
    EXPECT_EQ(Verdict("01 02 ", 2), "Messsage OK!");
}

TEST(SysExText, ZeroLengthDeviceAcceptsNothing)
{
    EXPECT_EQ(Verdict("4", 0), "Message is too long");
    EXPECT_EQ(Verdict("", 0), "Message is too short");
    EXPECT_EQ(Verdict("41 10", 0), "Message is too long");

    // The default host is the DorvaSynth, whose maximum is 0.
    SysExDef def;
    def.Init();
    std::string verdict;
    EXPECT_FALSE(SysExText::Parse("41", def, verdict));
    EXPECT_EQ(verdict, "Message is too long");
    EXPECT_EQ(SysExText::Format(def), "");
}

TEST(SysExText, HostMaximumIsBoundedByTheRecord)
{
    RecordingHost host(nullptr);
    ScopedHost scope(&host);
    host.SetMaxSysExLength(4);
    EXPECT_EQ(MaxSysExLength(), 4);
    SysExDef def;
    def.Init();
    std::string verdict;
    EXPECT_TRUE(SysExText::Parse("01 02 03 DV", def, verdict));
    EXPECT_FALSE(SysExText::Parse("01 02 03 04 05", def, verdict));

    host.SetMaxSysExLength(500);
    EXPECT_EQ(MaxSysExLength(), kMax);
    host.SetMaxSysExLength(-3);
    EXPECT_EQ(MaxSysExLength(), 0);
}

TEST(SysExText, CheckBytesOfRecordsFromFiles)
{
    std::string verdict;
    SysExDef def;
    def.Init();
    EXPECT_TRUE(SysExText::CheckBytes(def, verdict, kMax));
    EXPECT_EQ(verdict, "Messsage OK!");

    def.SetLengthByte(kMax + 2);
    EXPECT_FALSE(SysExText::CheckBytes(def, verdict, kMax));
    EXPECT_EQ(verdict, "Message too long");

    def.SetLengthByte(3);
    def.SetDataPosition(4);
    EXPECT_FALSE(SysExText::CheckBytes(def, verdict, kMax));
    EXPECT_EQ(verdict, "Value appears after message end (FO)");

    def.SetDataPosition(1);
    def.SetMessageByte(kMax - 1, 0x80); // past the message, still checked
    EXPECT_FALSE(SysExText::CheckBytes(def, verdict, kMax));
    EXPECT_EQ(verdict, "Messsage contains a value greater than 127 (0x7F)");
    EXPECT_TRUE(SysExText::CheckBytes(def, verdict, kMax - 1));
}

TEST(SysExText, FormatStaysInsideTheRecord)
{
    SysExDef def;
    for (int length : {0, 23, 200, 255})
    {
        def.SetLengthByte(static_cast<uint8_t>(length));
        def.SetDataPosition(255);
        EXPECT_EQ(SysExText::Format(def, kMax).size(), 3u * kMax) << length;
        EXPECT_EQ(SysExText::Format(def, 1000).size(), 3u * kMax) << length;
    }
    def.SetLengthByte(1);
    EXPECT_EQ(SysExText::Format(def, kMax), "");
    EXPECT_EQ(def.MessageLength(), 0);
    def.SetLengthByte(0);
    EXPECT_EQ(def.MessageLength(), 0);
    def.SetLengthByte(200);
    EXPECT_EQ(def.MessageLength(), kMax);
}

TEST(SysExDef, RawBytesAndBounds)
{
    SysExDef def;
    for (int i = 0; i < SysExDef::kRecordSize; ++i)
        def.SetByte(i, static_cast<uint8_t>(i));
    EXPECT_EQ(def.GetDataPosition(), 2);
    EXPECT_EQ(def.GetMessageByte(0), 3);
    EXPECT_EQ(def.GetMessageByte(20), 23);
    def.SetByte(24, 9);
    def.SetMessageByte(21, 9);
    def.SetMessageByte(-1, 9);
    EXPECT_EQ(def.GetByte(24), 0);
    EXPECT_EQ(def.GetMessageByte(21), 0);
    EXPECT_EQ(def.GetMessageByte(-1), 0); // not byte 2
    EXPECT_EQ(def.GetDataPosition(), 2);
}

TEST(SysExDef, InitAssignAndEqualsWorkOverTheDeviceLength)
{
    RecordingHost host(nullptr);
    ScopedHost scope(&host);
    host.SetMaxSysExLength(3);

    SysExDef a;
    for (int i = 0; i < SysExDef::kRecordSize; ++i)
        a.SetByte(i, 0x11);
    a.Init();
    EXPECT_EQ(a.GetCarriedByte(), 0);
    EXPECT_EQ(a.GetLengthByte(), 1);
    EXPECT_EQ(a.GetDataPosition(), 0);
    EXPECT_EQ(a.GetMessageByte(2), 0);
    EXPECT_EQ(a.GetMessageByte(3), 0x11); // beyond the device's length

    SysExDef b;
    b.SetCarriedByte(5);
    b.SetMessageByte(0, 0x41);
    b.SetMessageByte(3, 0x42);
    EXPECT_FALSE(a.Equals(b));
    a.Assign(b);
    EXPECT_TRUE(a.Equals(b));
    EXPECT_EQ(a.GetCarriedByte(), 5);
    EXPECT_EQ(a.GetMessageByte(0), 0x41);
    EXPECT_EQ(a.GetMessageByte(3), 0x11);

    b.SetMessageByte(10, 0x33); // not compared on this device
    EXPECT_TRUE(a.Equals(b));
    b.SetMessageByte(2, 0x33);
    EXPECT_FALSE(a.Equals(b));
}
