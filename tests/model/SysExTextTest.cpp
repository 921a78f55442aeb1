// SysEx messages as typed text, headers, model identification, OS versions
// and the buffer the bytes travel in.
#include "model/DeviceReply.h"
#include "model/OSVersion.h"
#include "model/SysExDef.h"
#include "model/SysExHeader.h"
#include "model/TemplateModel.h"
#include "model/dorvasynth/DorvaSynthOS.h"
#include "model/dorvasynth/DorvaSynthSysExHeader.h"
#include "model/tolvardrel/TolvarDrelSysExHeader.h"
#include "model/tolvarvesk/TolvarVeskSysExHeader.h"
#include "tests/model/ModelTestSupport.h"

namespace
{
constexpr int kMax = SysExDef::kMessagePlaces;
const Bytes kHeader = {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05, 0x7F, 0x00, 0x00, 0x11, 0x02, 0x00, 0x01};

Bytes With(Bytes bytes, size_t index, uint8_t value)
{
    bytes.at(index) = value;
    return bytes;
}

SysExBuffer Dump(Bytes header, size_t length)
{
    header.resize(length - 1, 0x00);
    header.push_back(0xF7);
    return SysExBuffer::FromBytes(header);
}
} // namespace

TEST(SysExText, ParseGivesAVerdictAndFormatGivesTheTextBack)
{
    const std::string ok = "Messsage OK!", incomplete = "Message contains an incomplete byte (pad with zeros)",
                      nonHex = "Message contains non-hex characters (use 0-9, A-F)", tooLong = "Message is too long",
                      tooShort = "Message is too short", spaces = "Message is not properly space delimited",
                      high = "Messsage contains a value greater than 127 (0x7F)";
    std::string full, overFull;
    for (int i = 0; i < kMax; ++i)
        full += "01 ";
    overFull = full + "01 ";
    const struct { std::string text; int max; std::string verdict, formatted; } cases[] = {
        {"41 10 DV 00", kMax, ok, "41 10 DV 00 "}, {"7e 0a dv ", kMax, ok, "7E 0A DV "}, {full, kMax, ok, full},
        {"01 02 ", 2, ok, "01 02 "},   {"41 1", kMax, incomplete},  {"41  10", kMax, incomplete},
        {" 41", kMax, incomplete},     {"4", kMax, tooShort},        {"", kMax, tooShort},
        {"4110", kMax, spaces},        {"41\t10", kMax, spaces},     {"4G", kMax, nonHex},
        {"G4", kMax, nonHex},          {"AV", kMax, nonHex},         {"VD", kMax, nonHex},
        {"\xC3\xA9 10", kMax, nonHex}, {"F0 41", kMax, high},        {"41 F7", kMax, high},
        {overFull, kMax, tooLong},     {"01 02 03", 2, tooLong},     {"4", 0, tooLong},
        {"", 0, tooShort},             {"41 10", 0, tooLong},
        {"DV 10 DV", kMax, "Message contains more than one data position (DV)"},
    };
    for (const auto& c : cases)
    {
        SysExDef def;
        def.Init();
        std::string verdict;
        EXPECT_EQ(c.verdict == ok, SysExText::Parse(c.text, def, verdict, c.max)) << c.text;
        EXPECT_EQ(c.verdict, verdict) << c.text;
        if (c.verdict == ok)
            EXPECT_EQ(c.formatted, SysExText::Format(def, c.max));
    }
    SysExDef def;
    std::string verdict;
    SysExText::Parse("41 10 DV 00", def, verdict, kMax);
    EXPECT_EQ("5 3 65 16 127 0", Join(def.GetLengthByte(), def.GetDataPosition(), def.GetMessageByte(0),
                                      def.GetMessageByte(1), def.GetMessageByte(2), def.GetMessageByte(3)));
}

TEST(SysExText, TheDevicesLengthBoundsTheMessage)
{
    RecordingHost host(nullptr);
    ScopedHost scope(&host);
    SysExDef def;
    def.Init();
    std::string verdict;
    EXPECT_FALSE(SysExText::Parse("41", def, verdict)); // the DorvaSynth takes none
    EXPECT_EQ("Message is too long|", verdict + "|" + SysExText::Format(def));
    host.answers.maxSysEx = 4;
    EXPECT_TRUE(SysExText::Parse("01 02 03 DV", def, verdict));
    EXPECT_FALSE(SysExText::Parse("01 02 03 04 05", def, verdict));
    host.answers.maxSysEx = 500;
    const int longest = MaxSysExLength();
    host.answers.maxSysEx = -3;
    EXPECT_EQ(Join(kMax, 0), Join(longest, MaxSysExLength()));

    // Init, Assign and Equals reach only as far as the device's length.
    host.answers.maxSysEx = 3;
    SysExDef a, b;
    for (int i = 0; i < SysExDef::kRecordSize; ++i)
        a.SetByte(i, 0x11);
    a.Init();
    EXPECT_EQ("0 1 0 0 17", Join(a.GetCarriedByte(), a.GetLengthByte(), a.GetDataPosition(), a.GetMessageByte(2),
                                 a.GetMessageByte(3)));
    b.SetCarriedByte(5), b.SetMessageByte(0, 0x41), b.SetMessageByte(3, 0x42);
    EXPECT_FALSE(a.Equals(b));
    a.Assign(b);
    EXPECT_TRUE(a.Equals(b));
    EXPECT_EQ("5 65 17", Join(a.GetCarriedByte(), a.GetMessageByte(0), a.GetMessageByte(3)));
    b.SetMessageByte(10, 0x33); // not compared on this device
    EXPECT_TRUE(a.Equals(b));
    b.SetMessageByte(2, 0x33);
    EXPECT_FALSE(a.Equals(b));
}

TEST(SysExDef, RecordsFromFilesAreCheckedAndFormattedWithinTheirPlaces)
{
    SysExDef def;
    def.Init();
    std::string verdict;
    const auto check = [&](int max) { return SysExText::CheckBytes(def, verdict, max) ? "OK" : verdict; };
    EXPECT_EQ("OK", check(kMax));
    def.SetLengthByte(kMax + 2);
    EXPECT_EQ("Message too long", check(kMax));
    def.SetLengthByte(3), def.SetDataPosition(4);
    EXPECT_EQ("Value appears after message end (FO)", check(kMax));
    def.SetDataPosition(3);
    EXPECT_EQ("OK", check(kMax));
    def.SetMessageByte(kMax - 1, 0x80); // past the message, still checked
    EXPECT_EQ("Messsage contains a value greater than 127 (0x7F)", check(kMax));
    EXPECT_EQ("OK", check(kMax - 1));

    for (int length : {0, 23, 200, 255})
    {
        def.SetLengthByte(static_cast<uint8_t>(length)), def.SetDataPosition(255);
        EXPECT_EQ(3u * kMax, SysExText::Format(def, 1000).size()) << length;
    }
    std::string lengths;
    for (int length : {0, 1, 2, 200})
        def.SetLengthByte(static_cast<uint8_t>(length)), lengths += std::to_string(def.MessageLength()) + " ";
    EXPECT_EQ("0 0 1 21 ", lengths);

    for (int i = 0; i < SysExDef::kRecordSize; ++i)
        def.SetByte(i, static_cast<uint8_t>(i));
    def.SetByte(24, 9), def.SetMessageByte(21, 9), def.SetMessageByte(-1, 9);
    EXPECT_EQ("2 3 23 0 0 0", Join(def.GetDataPosition(), def.GetMessageByte(0), def.GetMessageByte(20),
                                   def.GetByte(24), def.GetMessageByte(21), def.GetMessageByte(-1)));
}

TEST(SysExHeader, LocationAndBulkFlag)
{
    CDorvaSynthSysExHeader header;
    header.SetBulkFlag(7);
    header.SetLocation(15);
    EXPECT_TRUE(SameBytes(header.Write(), With(With(kHeader, 7, 0x01), 12, 0x0F)));
    CSysExHeader copy(header), assigned(0x03);
    assigned.Assign(header);
    EXPECT_EQ(header.Write(), copy.Write());
    EXPECT_EQ(header.Write(), assigned.Write());
    header.SetBulkFlag(false);
    header.SetLocation(200); // not a data byte: leaves as 0
    EXPECT_TRUE(SameBytes(header.Write(), With(kHeader, 12, 0x00)));
}

TEST(SysExHeader, EachModelTakesItsOwnAndReadsFromThePosition)
{
    const auto valid = [](CSysExHeader&& header, const Bytes& bytes) {
        size_t position = 0;
        return header.Read(SysExBuffer::FromBytes(bytes), position);
    };
    const Bytes tolvar = With(kHeader, 5, 0x00);
    EXPECT_TRUE(valid(CDorvaSynthSysExHeader(), kHeader) && valid(CDorvaSynthSysExHeader(), With(kHeader, 6, 0x00)));
    EXPECT_FALSE(valid(CDorvaSynthSysExHeader(), tolvar) || valid(CDorvaSynthSysExHeader(), With(kHeader, 4, 0x01)) ||
                 valid(CDorvaSynthSysExHeader(), With(kHeader, 2, 0x6B)));
    EXPECT_TRUE(valid(CSysExHeader(), tolvar) && valid(CTolvarVeskSysExHeader(), With(tolvar, 5, 0x03)));
    EXPECT_FALSE(valid(CSysExHeader(), kHeader) || valid(CSysExHeader(), With(tolvar, 6, 0x7E)) ||
                 valid(CSysExHeader(), With(tolvar, 5, 0x04)) || valid(CSysExHeader(), With(tolvar, 3, 0x3D)));
    EXPECT_TRUE(valid(CTolvarDrelSysExHeader(), {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04}));
    EXPECT_FALSE(valid(CTolvarDrelSysExHeader(), {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x03}) ||
                 valid(CTolvarDrelSysExHeader(), {0xF0, 0x00, 0x6A, 0x3C, 0x02}));

    Bytes bytes = {0x55, 0x66};
    for (uint8_t b : With(With(kHeader, 9, 0x0A), 10, 0x0F)) // OS 1.2.15
        bytes.push_back(b);
    bytes.push_back(0xF7);
    CDorvaSynthSysExHeader header;
    size_t position = 2;
    ASSERT_TRUE(header.Read(SysExBuffer::FromBytes(bytes), position));
    EXPECT_EQ(15u, position);
    EXPECT_EQ("1.2.15", DeviceReply::GetOSVersion(header).Format());

    const SysExBuffer twelve = SysExBuffer::FromBytes(Bytes(kHeader.begin(), kHeader.end() - 1));
    CSysExHeader untouched(0x03);
    for (size_t start : {size_t(0), size_t(100)})
    {
        position = start;
        EXPECT_FALSE(untouched.Read(twelve, position));
        EXPECT_EQ(start, position);
    }
    position = 1;
    EXPECT_FALSE(CTolvarDrelSysExHeader().Read(SysExBuffer::FromBytes({0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04}), position));
    EXPECT_EQ(1u, position);
    EXPECT_EQ(CSysExHeader(0x03).Write(), untouched.Write());
}

TEST(TemplateModel, IdentifiedByHeaderAndSize)
{
    std::string kinds, names;
    for (const auto& [group, type] : {std::pair<uint8_t, uint8_t>{2, 0}, {1, 0}, {2, 3}, {2, 4}, {2, 5}, {2, 2}, {2, 6}})
    {
        CSysExHeader header;
        size_t position = 0;
        header.Read(SysExBuffer::FromBytes(With(With(kHeader, 4, group), 5, type)), position);
        kinds += GetTemplateModelName(header.GetDeviceKind()) + ",";
    }
    EXPECT_EQ("Tolvar,Calder,Tolvar Vesk,Tolvar Drel,DorvaSynth,Unknown,Unknown,", kinds);
    const Bytes typeZero = With(kHeader, 5, 0x00);
    for (const SysExBuffer& dump :
         {Dump(kHeader, 1808), Dump(With(kHeader, 5, 0x04), 1305), Dump(With(kHeader, 5, 0x03), 4112), Dump(typeZero, 8208),
          Dump(typeZero, 8207), Dump(With(typeZero, 4, 0x01), 500), Dump(With(kHeader, 6, 0x00), 1808),
          Dump(With(kHeader, 1, 0x41), 1808), SysExBuffer::FromBytes(kHeader), SysExBuffer(),
          SysExBuffer::FromBytes(Bytes(kHeader.begin(), kHeader.end() - 1))})
        names += GetTemplateModelName(dump) + ",";
    EXPECT_EQ("DorvaSynth,Tolvar Drel,Tolvar Vesk,Calder,Tolvar,Calder,DorvaSynth,Unknown,DorvaSynth,Unknown,Unknown,",
              names);
}

TEST(OSVersion, DecodedFormattedAndOrdered)
{
    EXPECT_EQ("2.1.02 1.2.15 15.7.127 0.0.00", OSVersion::Decode(0x11, 0x02).Format() + " " +
                                                   OSVersion::Decode(0x0A, 0x0F).Format() + " " +
                                                   OSVersion::Decode(0x7F, 0x7F).Format() + " " + OSVersion().Format());
    const OSVersion required = Device().GetRequiredOSVersion(), older = OSVersion::Decode(0x11, 2);
    const OSVersion b{2, 2, 0}, c{2, 1, 99};
    EXPECT_TRUE(OSVersion::IsOlder(older, required) && OSVersion::IsOlder(c, b) && OSVersion::IsGreater(b, c));
    EXPECT_FALSE(OSVersion::IsOlder(required, required) || OSVersion::IsOlder(b, c) || OSVersion::IsGreater(b, b));
    EXPECT_TRUE(OSVersion::IsGreater(OSVersion{3, 0, 0}, OSVersion{2, 7, 127}));

    const Bytes reply = {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05, 0x7F, 0x00, 0x00, 0x11, 0x06};
    std::string versions;
    for (const SysExBuffer& message : {SysExBuffer::FromBytes(reply),
                                       SysExBuffer::FromBytes(Bytes(reply.begin(), reply.end() - 1)),
                                       SysExBuffer(), SysExBuffer::FromBytes(With(reply, 10, 0xF7))})
        versions += DeviceReply::GetOSVersion(message).Format() + " ";
    EXPECT_EQ("2.1.06 0.0.00 0.0.00 0.0.00 ", versions); // byte 10 of an 11-byte message is its F7

    std::unique_ptr<CDeviceOS> os = Device().CreateDeviceOS();
    ASSERT_NE(nullptr, dynamic_cast<CDorvaSynthOS*>(os.get()));
    EXPECT_NE(os.get(), Device().CreateDeviceOS().get());
    EXPECT_FALSE(os->IsValid());
    EXPECT_EQ("0.0.00", os->GetVersion().Format());
}

TEST(SysExBuffer, KeepsDataAndStatusBytesAndKnowsAWholeMessage)
{
    SysExBuffer b;
    for (uint8_t byte : {0x90, 0xF0, 0xF7, 0x7F, 0x80, 0xFF, 0x00})
        b.PushByte(byte);
    EXPECT_TRUE(SameBytes(b, {0x00, 0xF0, 0xF7, 0x7F, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(SameBytes(SysExBuffer::FromBytes({0xF0, 0x01, 0xF7, 0xF0, 0x02, 0xF7}), {0xF0, 0x01, 0xF7}));
    EXPECT_TRUE(SameBytes(SysExBuffer::FromBytes({0xF0, 0x81, 0x02}), {0xF0, 0x00, 0x02}));
    EXPECT_TRUE(SysExBuffer::FromBytes(nullptr, 0).empty());

    SysExBuffer raw; // bytes 1-3 are not tested, bytes from 4 on are
    raw.resize(7);
    const Bytes highInHead = {0xF0, 0x81, 0x82, 0x83, 0x04, 0x05, 0xF7};
    std::copy(highInHead.begin(), highInHead.end(), raw.data());
    EXPECT_TRUE(raw.IsValid() && SysExBuffer::FromBytes({0xF0, 0x00, 0x6A, 0x3C, 0xF7}).IsValid());
    raw[4] = 0x80;
    EXPECT_FALSE(raw.IsValid() || SysExBuffer::FromBytes({0xF0, 0x01, 0x02, 0xF7}).IsValid() ||
                 SysExBuffer::FromBytes({0x00, 0x01, 0x02, 0x03, 0xF7}).IsValid() ||
                 SysExBuffer::FromBytes({0xF0, 0x01, 0x02, 0x03, 0x04}).IsValid() || SysExBuffer().IsValid());
}
