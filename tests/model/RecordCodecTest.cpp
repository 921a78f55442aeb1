// The control and zone records of every model: what a record's bytes read as,
// and that every codec keeps to its size and settles after one round trip.
// The byte layouts as a whole are pinned by the golden dumps.
#include <map>

#include "model/KeyboardZone.h"
#include "model/PortChannelGroup.h"
#include "model/dorvasynth/DorvaSynthControlRecord.h"
#include "model/records/ControlRecords.h"
#include "model/records/ZoneRecords.h"
#include "tests/model/ModelTestSupport.h"

using namespace ControlRecords;

namespace
{
struct Codec
{
    const char* name;
    size_t size;
    bool (*read)(CBaseControlState&, const SysExBuffer&, size_t&, bool);
    SysExBuffer (*write)(const CBaseControlState&, bool);
};

const Codec kCodecs[] = {
    {"Calder", kCalderSize, ReadCalder, WriteCalder},
    {"Tolvar", kTolvarSize, ReadTolvar, WriteTolvar},
    {"TolvarVesk", kTolvarVeskSize, [](CBaseControlState& s, const SysExBuffer& b, size_t& i, bool) { return ReadTolvarVesk(s, b, i); },
     [](const CBaseControlState& s, bool) { return WriteTolvarVesk(s); }},
    {"TolvarDrel", kTolvarDrelSize, ReadTolvarDrel, WriteTolvarDrel},
    {"DorvaSynth", DorvaSynthControlRecord::kSize,
     [](CBaseControlState& s, const SysExBuffer& b, size_t& i, bool c) { return DorvaSynthControlRecord::Read(b, i, s, !c); },
     [](const CBaseControlState& s, bool c) {
         SysExBuffer out;
         DorvaSynthControlRecord::Write(out, s, !c);
         return out;
     }},
};
enum CodecIndex { kCalder, kTolvar, kVesk, kDrel, kDorvaSynth };

[[maybe_unused]] void PrintTo(const Codec& c, std::ostream* os)
{
    *os << c.name;
}

std::map<std::string, int> Fields(const CBaseControlState& s)
{
    const SysExDef d = s.GetSysExData();
    return {{"type", s.GetType()}, {"lo", s.GetOffValue()}, {"hi", s.GetOnValue()}, {"inv", s.GetInvertedRange()},
            {"lsb", s.GetMIDIControlLSBNum()}, {"msb", s.GetMIDIControlMSBNum()}, {"ch", s.GetMIDIChannelOrMMCDeviceNum()},
            {"nib", s.GetChannelHighNibble()}, {"mmc", s.GetMMCControlType()}, {"act", s.GetAction()},
            {"step", s.GetMultiStep()}, {"fmt", s.GetDisplayFormat()}, {"m6", s.GetModeBit6()}, {"cu", s.GetPotCatchup()},
            {"b0", s.GetBehaviourBit0()}, {"b2i", s.GetBehaviourBit2Inverse()}, {"cg", s.GetMIDIChanGroup()},
            {"pg", s.GetMIDIPortGroup()}, {"usb", s.GetUSBPortEnabled()}, {"m1", s.GetMIDIPort1Enabled()},
            {"pass0", s.GetPassThroughByte(0)}, {"pass1", s.GetPassThroughByte(1)}, {"pass3", s.GetPassThroughByte(3)},
            {"pass4", s.GetPassThroughByte(4)}, {"carried", d.GetCarriedByte()}, {"len", d.GetLengthByte()},
            {"dpos", d.GetDataPosition()}, {"msg0", d.GetMessageByte(0)}, {"msg11", d.GetMessageByte(11)}};
}

std::string Differences(const CBaseControlState& s, const std::string& expected)
{
    const auto fields = Fields(s);
    std::istringstream in(expected);
    std::string wrong;
    for (std::string pair; in >> pair;)
    {
        const std::string key = pair.substr(0, pair.find('='));
        if (std::to_string(fields.at(key)) != pair.substr(key.size() + 1))
            wrong += key + "=" + std::to_string(fields.at(key)) + " ";
    }
    return wrong;
}

class EveryCodec : public ::testing::TestWithParam<Codec>
{
};
} // namespace

TEST(ControlRecords, FieldsReadFromTheirBytes)
{
    const struct
    {
        int codec;
        bool continuous;
        std::vector<std::pair<size_t, uint8_t>> bytes;
        const char* fields;
        std::vector<std::pair<size_t, uint8_t>> written; // bytes of the record written back
    } cases[] = {
        // A Note On carries its note and velocities in bytes of their own; the range
        // flag follows the values finally read, not the raw bytes 9-12.
        {kVesk, true, {{8, 6}, {10, 0x3C}, {12, 0x0A}, {17, 0x64}}, "type=6 lsb=60 lo=10 hi=100 inv=0", {{10, 0x3C}, {17, 0x64}}},
        {kVesk, true, {{8, 1}, {9, 1}, {10, 0x7F}, {12, 5}}, "lo=255 hi=5 inv=1", {}},
        {kVesk, true, {{8, 1}, {12, 100}, {14, 0x08}}, "lo=0 hi=100 inv=0", {}},
        // The channel byte keeps its group and pass-through bit; for MMC it is the device.
        {kVesk, true, {{8, 1}, {19, 0x53}}, "cg=0 ch=4 pass4=1", {{19, 0x53}}},
        {kVesk, true, {{8, 1}, {19, 0x00}}, "cg=1 ch=1", {{19, 0x00}}},
        {kVesk, true, {{8, 1}, {19, 0x25}}, "cg=2 ch=1", {{19, 0x20}}},
        {kVesk, true, {{8, 5}, {19, 0x53}}, "ch=83 pass4=0", {{19, 0x53}}},
        // Action bits: the last set wins. Port group: bit 5 over bit 6.
        {kVesk, true, {{8, 1}, {13, 0x0C}, {18, 0x60}}, "act=2 pg=2", {}},
        {kVesk, true, {{8, 1}, {13, 0x1C}, {18, 0x40}}, "act=3 pg=0", {}},
        {kVesk, true, {{8, 1}, {13, 0x03}}, "act=0 pg=1", {{13, 0x03}}},
        // Behaviour bit 0 travels inverted; catch-up in bits 5-6; format codes.
        {kVesk, true, {{8, 1}, {14, 0x55}, {15, 16}}, "b0=0 b2i=0 m6=1 cu=2 fmt=16", {{14, 0x55}, {15, 16}}},
        {kVesk, true, {{8, 4}, {23, 7}, {25, 9}, {26, 0x11}, {27, 3}, {28, 2}, {29, 0x41}, {40, 0x33}},
         "pass1=7 pass3=9 carried=17 len=4 dpos=2 msg0=65 msg11=51", {{26, 0x11}, {27, 3}, {40, 0x33}}},
        {kVesk, true, {{8, 4}, {26, 0x11}}, "carried=17 dpos=0", {{26, 0}}},
        // Calder: an MMC button carries its command twice; the later action bit wins,
        // and a continuous control has none.
        {kCalder, false, {{16, 5}, {17, 3}, {24, 127}, {25, 3}}, "mmc=3 lo=3 ch=127", {{17, 3}, {25, 3}}},
        {kCalder, false, {{16, 6}, {19, 0x04}, {20, 0x20}, {24, 0x1F}, {47, 4}}, "act=3 step=5 ch=16 nib=16", {{18, 0}}},
        {kCalder, false, {{16, 1}, {19, 0x0C}}, "act=2", {}},
        {kCalder, true, {{16, 1}, {19, 0x0C}, {20, 0x20}}, "act=0 step=1", {}},
        {kCalder, true, {{16, 7}, {21, 0x43}}, "type=6 fmt=3 m6=1", {}},
        // Tolvar: a SysEx control has no numbers; MMC and channel layouts.
        {kTolvar, true, {{18, 4}, {22, 0x55}, {23, 0x66}, {24, 2}, {25, 0x41}}, "msb=0 lsb=0 carried=85 len=102 msg0=65",
         {{22, 0x55}, {25, 0x41}}},
        {kTolvar, false, {{16, 4}, {18, 5}, {21, 4}, {24, 0x30}, {26, 9}}, "mmc=4 ch=9 nib=48", {{16, 4}, {24, 0x30}, {26, 9}}},
        {kTolvar, true, {{18, 1}, {22, 3}, {23, 74}, {24, 0x2F}, {43, 0x02}}, "msb=3 lsb=74 ch=16 nib=32 fmt=2", {{24, 0x2F}}},
        {kTolvar, true, {{18, 1}, {43, 0x03}}, "fmt=1", {}},
        // Tolvar Drel: number layouts by type, the port selector, step, action, catch-up.
        {kDrel, true, {{0, 1}, {1, 7}, {2, 0x4A}}, "msb=7 lsb=74", {}},
        {kDrel, false, {{0, 6}, {1, 0x10}}, "type=9 lo=16 lsb=0", {{0, 6}, {1, 0x10}}},
        {kDrel, false, {{0, 7}, {1, 5}, {2, 0x2A}}, "type=10 lsb=5 msb=42", {{0, 7}}},
        {kDrel, true, {{0, 1}, {8, 5}}, "pass0=5 usb=1 m1=1", {{8, 5}}},
        {kDrel, true, {{0, 1}, {8, 0}}, "usb=1 m1=0", {{8, 0}}},
        {kDrel, true, {{0, 1}, {8, 1}}, "usb=0 m1=1", {{8, 1}}},
        {kDrel, true, {{0, 1}, {8, 2}}, "usb=1 m1=1", {{8, 2}}},
        {kDrel, false, {{0, 1}, {3, 0x09}, {4, 2}, {7, 15}}, "fmt=1 step=5 act=2 ch=16", {}},
        {kDrel, false, {{0, 1}, {4, 3}}, "act=3", {{4, 3}}},
        {kDrel, false, {{0, 1}, {4, 9}}, "act=0", {}},
        {kDrel, true, {{0, 1}, {4, 1}}, "cu=1", {{4, 1}}},
        {kDrel, true, {{0, 1}, {4, 2}}, "cu=0", {{4, 0}}},
        // DorvaSynth: Note Off and the drum note code read as Note On and aftertouch.
        {kDorvaSynth, false, {{16, 7}}, "type=6", {{16, 6}}},
        {kDorvaSynth, true, {{16, 11}}, "type=12", {{16, 11}}},
    };
    for (const auto& c : cases)
    {
        const Codec& codec = kCodecs[c.codec];
        SysExBuffer record;
        record.AppendZeros(codec.size);
        for (const auto& [offset, value] : c.bytes)
            record[offset] = value;
        CBaseControlState s;
        size_t index = 0;
        ASSERT_TRUE(codec.read(s, record, index, c.continuous));
        EXPECT_EQ("", Differences(s, c.fields)) << codec.name << " " << c.fields;
        const SysExBuffer out = codec.write(s, c.continuous);
        for (const auto& [offset, value] : c.written)
            EXPECT_EQ(value, out[offset]) << codec.name << " " << c.fields << " byte " << offset;
    }
    const int editor[] = {5, 6, 9, 10, 1, 2}, wire[] = {4, 5, 6, 7, 1, 2};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(wire[i] * 100 + editor[i], TolvarDrelTypeToWire(editor[i]) * 100 + TolvarDrelTypeFromWire(wire[i]));
}

TEST(ControlRecords, ANulEndsANameAndTrailingBlanksAreTrimmed)
{
    CBaseControlState s;
    size_t index = 0;
    SysExBuffer record = Buffer({'P', 'a', 'd', ' '});
    record.AppendZeros(48);
    ReadCalder(s, record, index, true);
    EXPECT_EQ("Pad", s.GetName());
    EXPECT_EQ(' ', WriteCalder(s, true)[4]);
    index = 0;
    record = Buffer({'A', 'b', ' ', 'c', ' ', ' ', ' ', ' ', 1});
    record.AppendZeros(32);
    ReadTolvarVesk(s, record, index);
    EXPECT_EQ("Ab c", s.GetName());
}

TEST_P(EveryCodec, AdvancesByItsSizeRefusesWhatDoesNotFitAndSettles)
{
    const Codec& codec = GetParam();
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round)
    {
        const bool continuous = round % 2 == 0;
        SysExBuffer bytes;
        bytes.PushByte(0x55); // records start anywhere
        for (size_t i = 0; i < codec.size; ++i)
            bytes.PushByte(static_cast<uint8_t>(random() & (round % 3 ? 0x7F : 0x0F)));
        CBaseControlState first;
        size_t index = 1;
        ASSERT_TRUE(codec.read(first, bytes, index, continuous));
        ASSERT_EQ(codec.size + 1, index);
        const SysExBuffer written = codec.write(first, continuous);
        ASSERT_EQ(codec.size, written.size());
        CBaseControlState second;
        index = 0;
        codec.read(second, written, index, continuous);
        EXPECT_EQ(written, codec.write(second, continuous)) << "round " << round;
    }
    SysExBuffer bytes;
    bytes.AppendZeros(codec.size - 1);
    CBaseControlState s;
    s.SetName("Keep");
    for (size_t start : {size_t(0), size_t(5)})
    {
        size_t index = start;
        EXPECT_FALSE(codec.read(s, bytes, index, true));
        EXPECT_EQ(start, index);
        bytes.AppendZeros(3);
    }
    EXPECT_EQ("Keep", s.GetName());
}

INSTANTIATE_TEST_SUITE_P(Records, EveryCodec, ::testing::ValuesIn(kCodecs),
                         [](const ::testing::TestParamInfo<Codec>& info) { return info.param.name; });

TEST(ZoneRecords, ReadWhatTheirBytesSayAndWriteItBack)
{
    const auto zoneText = [](const CKeyboardZone& z) {
        std::string t;
        for (int v : {z.GetChannel(), z.GetChannelGroup(), z.GetPortGroup(), int(z.GetMidiPort1()), int(z.GetMidiPort2()),
                      int(z.GetUsbPort()), int(z.GetUsbPort2()), int(z.GetUsbPort3()), z.GetVelocityOffset(),
                      z.GetLowNote(), z.GetHighNote(), z.GetTranspose(), int(z.GetPitchBend()), int(z.GetModWheel()),
                      int(z.GetAftertouch())})
            t += std::to_string(v) + " ";
        return t;
    };
    const struct
    {
        bool vesk;
        Bytes bytes;
        const char* zone; // read over a zone of channel group 2 with USB port 2 on
        Bytes written;    // when not the bytes read
    } cases[] = {
        {false, {0x35, 0x03, 0x24, 0x60, 0x40, 0x05}, "5 2 0 1 0 1 1 0 3 36 96 64 1 0 1 ", {}},
        {false, {0x00, 0x02, 0x70, 0x10, 0x40, 0x07}, "0 2 0 0 0 0 1 0 2 112 16 64 1 1 1 ", {}}, // bottom above top
        {true, {0x00, 0x40}, "0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 ", {}},
        {true, {0x47, 0x40}, "7 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ", {}},
        {true, {0x20, 0x40}, "0 2 0 0 0 0 0 0 0 0 0 0 0 0 0 ", {}},
        {true, {0x21, 0x60}, "1 0 2 0 0 0 0 0 0 0 0 0 0 0 0 ", {0x41, 0x20}},
        {true, {0x41, 0x5F, 0x01, 0x10, 0x70, 0x40, 0x03}, "1 0 0 1 1 1 1 1 1 16 112 64 1 1 0 ", {}},
        {true, {0x41, 0x01}, "1 0 1 1 0 0 0 0 0 0 0 0 0 0 0 ", {}},
    };
    for (const auto& c : cases)
    {
        Bytes record = c.bytes;
        record.resize(kZoneRecordSize);
        CKeyboardZone zone;
        zone.SetChannelGroup(2);
        zone.SetUsbPort2(true);
        c.vesk ? ReadTolvarVeskZoneRecord(zone, record.data()) : ReadTolvarZoneRecord(zone, record.data());
        EXPECT_EQ(c.zone, zoneText(zone)) << int(c.bytes[0]);
        Bytes written = c.written.empty() ? c.bytes : c.written;
        written.resize(kZoneRecordSize);
        EXPECT_TRUE(SameBytes(c.vesk ? WriteTolvarVeskZoneRecord(zone) : WriteTolvarZoneRecord(zone), written));
    }
}

TEST(KeyboardZone, ResetLimitsAndCopies)
{
    RecordingHost host(nullptr);
    ScopedHost scope(&host);
    CKeyboardZone zone;
    EXPECT_FALSE(zone.GetMidiPort1() || zone.GetUsbPort() || zone.GetMidiPort2());
    zone.Reset(true);
    EXPECT_TRUE(zone.GetMidiPort1() && zone.GetUsbPort() && !zone.GetMidiPort2());
    host.answers.midiPort2 = true;
    zone.Reset(true);
    EXPECT_TRUE(zone.GetMidiPort2());

    ASSERT_TRUE(zone.SetHighNote(60));
    EXPECT_FALSE(zone.SetLowNote(80) || zone.SetHighNote(128) || zone.SetLowNote(-1));
    EXPECT_TRUE(zone.SetLowNote(60));
    EXPECT_FALSE(zone.SetHighNote(59));
    EXPECT_EQ(60, zone.GetHighNote());

    CKeyboardZone other;
    EXPECT_TRUE(other.Differs(zone));
    other.Assign(zone);
    EXPECT_FALSE(other.Differs(zone));
    other.SetUsbPort3(true);
    EXPECT_TRUE(other.Differs(zone));
}

TEST(PortChannelGroup, CommonGroupReplacesTheOwnValues)
{
    PortChannelGroup group;
    group.own.channel = 8, group.own.midiPort1 = 0, group.common.channel = 3, group.common.usbPort3 = 1;
    EXPECT_EQ("8 0 0", std::to_string(group.GetChannel()) + " " + std::to_string(group.GetMidiPort1()) + " " +
                           std::to_string(group.GetUsbPort3()));
    group.As_Common_Channel = group.As_Common_Ports = 1;
    EXPECT_EQ("3 1 1", std::to_string(group.GetChannel()) + " " + std::to_string(group.GetMidiPort1()) + " " +
                           std::to_string(group.GetUsbPort3()));
    group.Reset();
    EXPECT_EQ(PortChannelGroup(), group);
}
