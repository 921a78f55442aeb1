// The control and zone records of every model: what a record's bytes mean,
// and that every codec keeps to its size and settles after one round trip.
// The byte layouts as a whole are pinned by the golden dumps.
#include <map>

#include "model/KeyboardZone.h"
#include "model/PortChannelGroup.h"
#include "model/dorvasynth/DorvaSynthControlRecord.h"
#include "model/records/ControlRecords.h"
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
    {"TolvarVesk", kTolvarVeskSize,
     [](CBaseControlState& s, const SysExBuffer& b, size_t& i, bool) { return ReadTolvarVesk(s, b, i); },
     [](const CBaseControlState& s, bool) { return WriteTolvarVesk(s); }},
    {"TolvarDrel", kTolvarDrelSize, ReadTolvarDrel, WriteTolvarDrel},
    {"DorvaSynth", DorvaSynthControlRecord::kSize,
     [](CBaseControlState& s, const SysExBuffer& b, size_t& i, bool c) {
         return DorvaSynthControlRecord::Read(b, i, s, !c);
     },
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

// "key=value ..." pairs, the values in the given base.
std::vector<std::pair<std::string, int>> Pairs(const std::string& text, int base)
{
    std::vector<std::pair<std::string, int>> pairs;
    std::istringstream in(text);
    for (std::string pair; in >> pair;)
        pairs.emplace_back(pair.substr(0, pair.find('=')), std::stoi(pair.substr(pair.find('=') + 1), nullptr, base));
    return pairs;
}

// The fields a case names whose values differ from the expected ones.
std::string Differences(const CBaseControlState& s, const std::string& expected)
{
    const SysExDef d = s.GetSysExData();
    const std::map<std::string, int> fields = {
        {"type", s.GetType()}, {"lo", s.GetOffValue()}, {"hi", s.GetOnValue()}, {"inv", s.GetInvertedRange()},
        {"lsb", s.GetMIDIControlLSBNum()}, {"msb", s.GetMIDIControlMSBNum()}, {"ch", s.GetMIDIChannelOrMMCDeviceNum()},
        {"nib", s.GetChannelHighNibble()}, {"mmc", s.GetMMCControlType()}, {"act", s.GetAction()},
        {"step", s.GetMultiStep()}, {"fmt", s.GetDisplayFormat()}, {"m6", s.GetModeBit6()}, {"cu", s.GetPotCatchup()},
        {"b0", s.GetBehaviourBit0()}, {"b2i", s.GetBehaviourBit2Inverse()}, {"cg", s.GetMIDIChanGroup()},
        {"pg", s.GetMIDIPortGroup()}, {"usb", s.GetUSBPortEnabled()}, {"m1", s.GetMIDIPort1Enabled()},
        {"pass0", s.GetPassThroughByte(0)}, {"pass1", s.GetPassThroughByte(1)}, {"pass3", s.GetPassThroughByte(3)},
        {"pass4", s.GetPassThroughByte(4)}, {"carried", d.GetCarriedByte()}, {"len", d.GetLengthByte()},
        {"dpos", d.GetDataPosition()}, {"msg0", d.GetMessageByte(0)}, {"msg11", d.GetMessageByte(11)}};
    std::string wrong;
    for (const auto& [key, value] : Pairs(expected, 10))
        if (fields.at(key) != value)
            wrong += key + "=" + std::to_string(fields.at(key)) + " ";
    return wrong;
}

class EveryCodec : public ::testing::TestWithParam<Codec>
{
};
} // namespace

TEST(ControlRecords, FieldsReadFromTheirBytes)
{
    // The codec, the place, bytes set (offset=value in hex), the fields read.
    const struct { int codec; bool continuous; const char* bytes; const char* fields; } cases[] = {
        // A Note On carries its note and velocities in bytes of their own; the range
        // flag follows the values finally read, not the raw bytes 9-12.
        {kVesk, true, "8=6 10=3c 12=0a 17=64", "type=6 lsb=60 lo=10 hi=100 inv=0"},
        {kVesk, true, "8=1 9=1 10=7f 12=5", "lo=255 hi=5 inv=1"},
        {kVesk, true, "8=1 12=64 14=8", "lo=0 hi=100 inv=0"},
        // The channel byte keeps its group and pass-through bit; for MMC it is the device.
        {kVesk, true, "8=1 19=53", "cg=0 ch=4 pass4=1"},
        {kVesk, true, "8=1 19=25", "cg=2 ch=1"},
        {kVesk, true, "8=5 19=53", "ch=83 pass4=0"},
        // The last action bit set wins; port group bit 5 over bit 6; behaviour bit 0 inverted.
        {kVesk, true, "8=1 13=0c 18=60", "act=2 pg=2"},
        {kVesk, true, "8=1 13=1c 18=40", "act=3 pg=0"},
        {kVesk, true, "8=1 14=55 15=10", "b0=0 b2i=0 m6=1 cu=2 fmt=16"},
        {kVesk, true, "8=4 23=7 25=9 26=11 27=3 28=2 29=41 40=33",
         "pass1=7 pass3=9 carried=17 len=4 dpos=2 msg0=65 msg11=51"},
        // Calder: an MMC button carries its command twice; the later action bit wins,
        // and a continuous control has none.
        {kCalder, false, "16=5 17=3 24=7f 25=3", "mmc=3 lo=3 ch=127"},
        {kCalder, false, "16=6 18=64 19=4 20=20 24=1f 47=4", "act=3 step=5 ch=16 nib=16 hi=100"},
        {kCalder, false, "16=1 19=0c", "act=2"},
        {kCalder, true, "16=1 19=0c 20=20", "act=0 step=1"},
        {kCalder, true, "16=7 21=43", "type=6 fmt=3 m6=1"},
        // Tolvar: a SysEx control has no numbers; MMC and channel layouts; formats 1 and 2 only.
        {kTolvar, true, "18=4 22=55 23=66 24=2 25=41", "msb=0 lsb=0 carried=85 len=102 msg0=65"},
        {kTolvar, false, "16=4 18=5 21=4 24=30 26=9", "mmc=4 ch=9 nib=48"},
        {kTolvar, true, "18=1 22=3 23=4a 24=2f 43=2", "msb=3 lsb=74 ch=16 nib=32 fmt=2"},
        {kTolvar, true, "18=1 43=3", "fmt=1"},
        // Tolvar Drel: number layouts by type, the port selector, step, action, catch-up.
        {kDrel, true, "0=1 1=7 2=4a", "msb=7 lsb=74"},
        {kDrel, false, "0=6 1=10", "type=9 lo=16 lsb=0"},
        {kDrel, false, "0=7 1=5 2=2a", "type=10 lsb=5 msb=42"},
        {kDrel, true, "0=1 8=5", "pass0=5 usb=1 m1=1"},
        {kDrel, true, "0=1 8=0", "usb=1 m1=0"},
        {kDrel, true, "0=1 8=1", "usb=0 m1=1"},
        {kDrel, true, "0=1 8=2", "usb=1 m1=1"},
        {kDrel, false, "0=1 3=9 4=2 7=f", "fmt=1 step=5 act=2 ch=16"},
        {kDrel, false, "0=1 4=3", "act=3"},
        {kDrel, false, "0=1 4=9", "act=0"},
        {kDrel, true, "0=1 4=1", "cu=1"},
        {kDrel, true, "0=1 4=2", "cu=0"},
        // DorvaSynth: Note Off and the drum note code read as Note On and aftertouch.
        {kDorvaSynth, false, "16=7", "type=6"},
        {kDorvaSynth, true, "16=b", "type=12"},
    };
    for (const auto& c : cases)
    {
        const Codec& codec = kCodecs[c.codec];
        SysExBuffer record;
        record.AppendZeros(codec.size);
        for (const auto& [offset, value] : Pairs(c.bytes, 16))
            record[std::stoul(offset)] = static_cast<uint8_t>(value);
        CBaseControlState s;
        size_t index = 0;
        ASSERT_TRUE(codec.read(s, record, index, c.continuous));
        EXPECT_EQ("", Differences(s, c.fields)) << codec.name << " " << c.bytes;
    }
    const int editor[] = {5, 6, 9, 10, 1, 2}, wire[] = {4, 5, 6, 7, 1, 2};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(wire[i] * 100 + editor[i], TolvarDrelTypeToWire(editor[i]) * 100 + TolvarDrelTypeFromWire(wire[i]));

    // A NUL ends a name; trailing blanks are trimmed.
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
        CBaseControlState first, second;
        size_t index = 1;
        ASSERT_TRUE(codec.read(first, bytes, index, continuous));
        ASSERT_EQ(codec.size + 1, index);
        const SysExBuffer written = codec.write(first, continuous);
        ASSERT_EQ(codec.size, written.size());
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

TEST(KeyboardZone, ResetLimitsAndCopies)
{
    RecordingHost host(nullptr);
    ScopedHost scope(&host);
    CKeyboardZone zone, other;
    EXPECT_EQ("0 0 0", Join(zone.GetMidiPort1(), zone.GetUsbPort(), zone.GetMidiPort2()));
    zone.Reset(true);
    EXPECT_EQ("1 1 0", Join(zone.GetMidiPort1(), zone.GetUsbPort(), zone.GetMidiPort2()));
    host.answers.midiPort2 = true;
    zone.Reset(true);
    EXPECT_TRUE(zone.GetMidiPort2());
    ASSERT_TRUE(zone.SetHighNote(60));
    EXPECT_FALSE(zone.SetLowNote(80) || zone.SetHighNote(128) || zone.SetLowNote(-1));
    EXPECT_TRUE(zone.SetLowNote(60));
    EXPECT_FALSE(zone.SetHighNote(59));
    EXPECT_EQ("60 60", Join(zone.GetLowNote(), zone.GetHighNote()));
    EXPECT_TRUE(other.Differs(zone));
    other.Assign(zone);
    EXPECT_FALSE(other.Differs(zone));
    other.SetUsbPort3(true);
    EXPECT_TRUE(other.Differs(zone));

    PortChannelGroup group;
    group.own.channel = 8, group.own.midiPort1 = 0, group.common.channel = 3, group.common.usbPort3 = 1;
    EXPECT_EQ("8 0 0", Join(group.GetChannel(), group.GetMidiPort1(), group.GetUsbPort3()));
    group.As_Common_Channel = group.As_Common_Ports = 1;
    EXPECT_EQ("3 1 1", Join(group.GetChannel(), group.GetMidiPort1(), group.GetUsbPort3()));
    group.Reset();
    EXPECT_EQ(PortChannelGroup(), group);
}
