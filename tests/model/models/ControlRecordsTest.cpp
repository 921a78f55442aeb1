#include <gtest/gtest.h>

#include <random>

#include "model/ControlState.h"
#include "model/records/ControlRecords.h"

using namespace ControlRecords;

namespace
{
SysExBuffer Bytes(size_t size, std::initializer_list<std::pair<size_t, uint8_t>> set)
{
    SysExBuffer out;
    out.AppendZeros(size);
    for (const auto& p : set)
        out[p.first] = p.second;
    return out;
}

CBaseControlState ReadVesk(const SysExBuffer& record)
{
    CBaseControlState s;
    size_t index = 0;
    EXPECT_TRUE(ReadTolvarVesk(s, record, index));
    EXPECT_EQ(kTolvarVeskSize, index);
    return s;
}
} // namespace

TEST(TolvarVeskRecord, NoteOnCarriesNoteAndVelocitiesInTheirOwnBytes)
{
    CBaseControlState s;
    s.SetType(ControlMessageType::NoteOn, false);
    s.SetMIDIControlLSBNum(60);
    s.SetOffValue(10, false);
    s.SetOnValue(100, false);
    const SysExBuffer record = WriteTolvarVesk(s);
    ASSERT_EQ(kTolvarVeskSize, record.size());
    EXPECT_EQ(0x00, record[9]);
    EXPECT_EQ(0x3C, record[10]);
    EXPECT_EQ(0x00, record[11]);
    EXPECT_EQ(0x0A, record[12]);
    EXPECT_EQ(0x64, record[17]);

    const CBaseControlState back = ReadVesk(record);
    EXPECT_EQ(ControlMessageType::NoteOn, back.GetType());
    EXPECT_EQ(60, back.GetMIDIControlLSBNum());
    EXPECT_EQ(10, back.GetOffValue());
    EXPECT_EQ(100, back.GetOnValue());
    // The raw bytes 9-12 read as low 60 > high 10, but the velocities are not
    // inverted: the flag follows the values finally read.
    EXPECT_FALSE(back.GetInvertedRange());
}

// Records read: off, on, inverted, channel group, channel or device, pass-through
// byte 4, action, behaviour bit 0, bit 2 inverse, mode bit 6, catch-up, format.
TEST(TolvarVeskRecord, FieldsReadFromTheirBytes)
{
    const auto fields = [](const CBaseControlState& c) {
        std::string f;
        for (int v : std::initializer_list<int>{c.GetOffValue(), c.GetOnValue(), c.GetInvertedRange(),
                                                c.GetMIDIChanGroup(), c.GetMIDIChannelOrMMCDeviceNum(),
                                                c.GetPassThroughByte(4), c.GetAction(), c.GetBehaviourBit0(),
                                                c.GetBehaviourBit2Inverse(), c.GetModeBit6(), c.GetPotCatchup(),
                                                c.GetDisplayFormat()})
            f += std::to_string(v) + " ";
        return f;
    };
    const struct
    {
        SysExBuffer record;
        const char* fields;
        int written19; // the channel byte written back, or -1
    } cases[] = {
        // A 14-bit range reads as inverted.
        {Bytes(41, {{8, 1}, {9, 0x01}, {10, 0x7F}, {11, 0x00}, {12, 0x05}}), "255 5 1 1 1 0 0 1 1 0 0 0 ", -1},
        // Behaviour bit 3 claims an inverted range; low 0 and high 100 say otherwise.
        {Bytes(41, {{8, 1}, {11, 0}, {12, 100}, {14, 0x08}}), "0 100 0 1 1 0 0 1 1 0 0 0 ", -1},
        // The channel byte keeps its group and pass-through bit; for MMC it is the device.
        {Bytes(41, {{8, 1}, {19, 0x53}}), "0 0 0 0 4 1 0 1 1 0 0 0 ", 0x53},
        {Bytes(41, {{8, 1}, {19, 0x00}}), "0 0 0 1 1 0 0 1 1 0 0 0 ", 0x00},
        {Bytes(41, {{8, 1}, {19, 0x25}}), "0 0 0 2 1 0 0 1 1 0 0 0 ", 0x20},
        {Bytes(41, {{8, 5}, {19, 0x53}}), "0 0 0 0 83 0 0 1 1 0 0 0 ", -1},
        // Action bits: the last set wins.
        {Bytes(41, {{8, 1}, {13, 0x0C}}), "0 0 0 1 1 0 2 1 1 0 0 0 ", -1},
        {Bytes(41, {{8, 1}, {13, 0x1C}}), "0 0 0 1 1 0 3 1 1 0 0 0 ", -1},
        {Bytes(41, {{8, 1}, {13, 0x03}}), "0 0 0 1 1 0 0 1 1 0 0 0 ", -1},
        // Behaviour (bit 0 carried inverted) and format codes.
        {Bytes(41, {{8, 1}, {14, 0x55}, {15, 16}}), "0 0 0 1 1 0 0 0 0 1 2 16 ", -1},
    };
    for (const auto& c : cases)
    {
        const CBaseControlState s = ReadVesk(c.record);
        EXPECT_EQ(fields(s), c.fields) << &c - cases;
        if (c.written19 >= 0)
            EXPECT_EQ(WriteTolvarVesk(s)[19], c.written19) << &c - cases;
    }
    EXPECT_EQ(0x55, WriteTolvarVesk(ReadVesk(Bytes(41, {{8, 1}, {14, 0x55}, {15, 16}})))[14]);

    // Unknown codes leave the format; it is written as 0 when not a Vesk code.
    CBaseControlState odd;
    odd.SetType(ControlMessageType::CC, false);
    odd.SetDisplayFormat(12);
    EXPECT_EQ(0, WriteTolvarVesk(odd)[15]);
    size_t index = 0;
    ReadTolvarVesk(odd, Bytes(41, {{8, 1}, {15, 12}}), index);
    EXPECT_EQ(12, odd.GetDisplayFormat());
}

TEST(TolvarVeskRecord, SysExDefinitionAndRawBytes)
{
    const CBaseControlState s =
        ReadVesk(Bytes(41, {{8, 4}, {23, 7}, {24, 8}, {25, 9}, {26, 0x11}, {27, 3}, {28, 2}, {29, 0x41}, {30, 0x7F},
                            {31, 0x10}, {40, 0x33}}));
    const SysExDef def = s.GetSysExData();
    EXPECT_EQ(0x11, def.GetCarriedByte());
    EXPECT_EQ(4, def.GetLengthByte());
    EXPECT_EQ(2, def.GetDataPosition());
    EXPECT_EQ(0x41, def.GetMessageByte(0));
    EXPECT_EQ(0x33, def.GetMessageByte(11));
    EXPECT_EQ(7, s.GetPassThroughByte(1));
    EXPECT_EQ(9, s.GetPassThroughByte(3));
    const SysExBuffer out = WriteTolvarVesk(s);
    EXPECT_EQ(0x11, out[26]);
    EXPECT_EQ(3, out[27]);
    EXPECT_EQ(0x33, out[40]);
    EXPECT_EQ(8, out[24]);

    // Without a data position the carried byte is written as 0.
    const CBaseControlState plain = ReadVesk(Bytes(41, {{8, 4}, {26, 0x11}, {28, 0}}));
    EXPECT_EQ(0, WriteTolvarVesk(plain)[26]);
}

TEST(CalderRecord, MMCButtonCarriesItsCommandTwice)
{
    CBaseControlState s;
    s.SetType(ControlMessageType::MMC, false);
    s.SetMMCControlType(3);
    s.SetMIDIChannelOrMMCDeviceNum(127);
    const SysExBuffer record = WriteCalder(s, false);
    ASSERT_EQ(kCalderSize, record.size());
    EXPECT_EQ(3, record[17]);
    EXPECT_EQ(3, record[25]);
    EXPECT_EQ(127, record[24]);

    CBaseControlState back;
    size_t index = 0;
    ASSERT_TRUE(ReadCalder(back, record, index, false));
    EXPECT_EQ(kCalderSize, index);
    EXPECT_EQ(3, back.GetOffValue());
    EXPECT_EQ(3, back.GetMMCControlType());
    EXPECT_EQ(127, back.GetMIDIChannelOrMMCDeviceNum());
}

TEST(CalderRecord, ButtonLayoutCarriesActionStepAndNoteOnHigh)
{
    CBaseControlState s;
    s.SetType(ControlMessageType::NoteOn, false);
    s.SetOnValue(100, false);
    s.SetAction(ControlAction::Step);
    s.SetMultiStep(5);
    s.SetMIDIChannelOrMMCDeviceNum(16);
    s.SetChannelHighNibble(0x10);
    const SysExBuffer button = WriteCalder(s, false);
    EXPECT_EQ(0, button[18]);
    EXPECT_EQ(0x20, button[20] & 0x20);
    EXPECT_EQ(4, button[47]);
    EXPECT_EQ(0x1F, button[24]);

    const SysExBuffer pot = WriteCalder(s, true);
    EXPECT_EQ(100, pot[18]);
    EXPECT_EQ(0, pot[20] & 0x20);
    EXPECT_EQ(0, pot[47]);

    CBaseControlState back;
    size_t index = 0;
    ReadCalder(back, button, index, false);
    EXPECT_EQ(ControlAction::Step, back.GetAction());
    EXPECT_EQ(5, back.GetMultiStep());
    EXPECT_EQ(16, back.GetMIDIChannelOrMMCDeviceNum());
    EXPECT_EQ(0x10, back.GetChannelHighNibble());

    // Momentary and Toggle bits: the later wins; a continuous read ignores them.
    CBaseControlState t;
    index = 0;
    ReadCalder(t, Bytes(52, {{16, 1}, {19, 0x0C}}), index, false);
    EXPECT_EQ(ControlAction::Toggle, t.GetAction());
    CBaseControlState c;
    index = 0;
    ReadCalder(c, Bytes(52, {{16, 1}, {19, 0x0C}, {20, 0x20}}), index, true);
    EXPECT_EQ(ControlAction::Normal, c.GetAction());
}

TEST(CalderRecord, TypeAndModeBytes)
{
    CBaseControlState s;
    size_t index = 0;
    ReadCalder(s, Bytes(52, {{16, 7}, {21, 0x43}}), index, true);
    EXPECT_EQ(ControlMessageType::NoteOn, s.GetType()); // Note Off reads as Note On
    EXPECT_EQ(3, s.GetDisplayFormat());
    EXPECT_TRUE(s.GetModeBit6());
    s.SetDisplayFormat(9);
    EXPECT_EQ(0x40, WriteCalder(s, true)[21]);
}

TEST(TolvarRecord, SysExControlReadsNoNumbers)
{
    CBaseControlState s;
    size_t index = 0;
    ASSERT_TRUE(ReadTolvar(s, Bytes(44, {{18, 4}, {22, 0x55}, {23, 0x66}, {24, 2}, {25, 0x41}}), index, true));
    EXPECT_EQ(kTolvarSize, index);
    EXPECT_EQ(0, s.GetMIDIControlMSBNum());
    EXPECT_EQ(0, s.GetMIDIControlLSBNum());
    const SysExDef def = s.GetSysExData();
    EXPECT_EQ(0x55, def.GetCarriedByte());
    EXPECT_EQ(0x66, def.GetLengthByte());
    EXPECT_EQ(0x41, def.GetMessageByte(0));
    const SysExBuffer out = WriteTolvar(s, true);
    EXPECT_EQ(0x55, out[22]);
    EXPECT_EQ(0x41, out[25]);
}

TEST(TolvarRecord, MMCAndChannelLayouts)
{
    CBaseControlState mmc;
    size_t index = 0;
    ReadTolvar(mmc, Bytes(44, {{16, 4}, {18, 5}, {21, 4}, {22, 1}, {23, 2}, {24, 0x30}, {26, 9}}), index, false);
    EXPECT_EQ(4, mmc.GetMMCControlType());
    EXPECT_EQ(9, mmc.GetMIDIChannelOrMMCDeviceNum());
    EXPECT_EQ(0x30, mmc.GetChannelHighNibble());
    const SysExBuffer out = WriteTolvar(mmc, false);
    EXPECT_EQ(4, out[16]);
    EXPECT_EQ(0x30, out[24]);
    EXPECT_EQ(9, out[26]);

    CBaseControlState cc;
    index = 0;
    ReadTolvar(cc, Bytes(44, {{18, 1}, {22, 3}, {23, 74}, {24, 0x2F}, {43, 0x02}}), index, true);
    EXPECT_EQ(3, cc.GetMIDIControlMSBNum());
    EXPECT_EQ(74, cc.GetMIDIControlLSBNum());
    EXPECT_EQ(16, cc.GetMIDIChannelOrMMCDeviceNum());
    EXPECT_EQ(0x20, cc.GetChannelHighNibble());
    EXPECT_EQ(2, cc.GetDisplayFormat());
    EXPECT_EQ(0x2F, WriteTolvar(cc, true)[24]);
    cc.SetDisplayFormat(3);
    EXPECT_EQ(0, WriteTolvar(cc, true)[43] & 3); // the Tolvar knows formats 1 and 2 only
}

TEST(TolvarDrelRecord, NumberLayoutsByType)
{
    CBaseControlState cc;
    size_t index = 0;
    ASSERT_TRUE(ReadTolvarDrel(cc, Bytes(26, {{0, 1}, {1, 0x07}, {2, 0x4A}}), index, true));
    EXPECT_EQ(kTolvarDrelSize, index);
    EXPECT_EQ(7, cc.GetMIDIControlMSBNum());
    EXPECT_EQ(74, cc.GetMIDIControlLSBNum());

    CBaseControlState pc;
    index = 0;
    ReadTolvarDrel(pc, Bytes(26, {{0, 6}, {1, 0x10}, {2, 0x00}}), index, false);
    EXPECT_EQ(ControlMessageType::ProgramChange, pc.GetType());
    EXPECT_EQ(16, pc.GetOffValue());
    EXPECT_EQ(0, pc.GetMIDIControlLSBNum());
    const SysExBuffer out = WriteTolvarDrel(pc, false);
    EXPECT_EQ(6, out[0]);
    EXPECT_EQ(0x10, out[1]);
}

TEST(TolvarDrelRecord, TypeCodes)
{
    const int editor[] = {5, 6, 9, 10, 1, 2};
    const int wire[] = {4, 5, 6, 7, 1, 2};
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(wire[i], TolvarDrelTypeToWire(editor[i]));
        EXPECT_EQ(editor[i], TolvarDrelTypeFromWire(wire[i]));
    }
}

TEST(TolvarDrelRecord, PortSelector)
{
    CBaseControlState s;
    s.SetUSBPortEnabled(false);
    s.SetMIDIPort1Enabled(true);
    size_t index = 0;
    ReadTolvarDrel(s, Bytes(26, {{0, 1}, {8, 5}}), index, true);
    EXPECT_FALSE(s.GetUSBPortEnabled());
    EXPECT_TRUE(s.GetMIDIPort1Enabled());
    EXPECT_EQ(5, s.GetPassThroughByte(0));

    index = 0;
    ReadTolvarDrel(s, Bytes(26, {{0, 1}, {8, 3}}), index, true);
    EXPECT_TRUE(s.GetUSBPortEnabled() && s.GetMIDIPort1Enabled());
    EXPECT_EQ(3, WriteTolvarDrel(s, true)[8]);
    s.SetUSBPortEnabled(false);
    EXPECT_EQ(1, WriteTolvarDrel(s, true)[8]);
    s.SetMIDIPort1Enabled(false);
    EXPECT_EQ(0, WriteTolvarDrel(s, true)[8]);

    index = 0;
    ReadTolvarDrel(s, Bytes(26, {{0, 1}, {8, 0}}), index, true);
    EXPECT_TRUE(s.GetUSBPortEnabled());
    EXPECT_FALSE(s.GetMIDIPort1Enabled());
}

TEST(TolvarDrelRecord, StepFormatActionAndCatchUp)
{
    CBaseControlState b;
    size_t index = 0;
    ReadTolvarDrel(b, Bytes(26, {{0, 1}, {3, 0x09}, {4, 2}, {7, 15}}), index, false);
    EXPECT_EQ(1, b.GetDisplayFormat());
    EXPECT_EQ(5, b.GetMultiStep());
    EXPECT_EQ(ControlAction::Toggle, b.GetAction());
    EXPECT_EQ(16, b.GetMIDIChannelOrMMCDeviceNum());
    index = 0;
    ReadTolvarDrel(b, Bytes(26, {{0, 1}, {4, 9}}), index, false);
    EXPECT_EQ(ControlAction::Toggle, b.GetAction()); // out of range: unchanged

    CBaseControlState c;
    index = 0;
    ReadTolvarDrel(c, Bytes(26, {{0, 1}, {4, 1}}), index, true);
    EXPECT_EQ(1, c.GetPotCatchup());
    EXPECT_EQ(1, WriteTolvarDrel(c, true)[4]);
    c.SetPotCatchup(2);
    EXPECT_EQ(0, WriteTolvarDrel(c, true)[4]);
}

// Every codec: the index moves by exactly the record size whatever the
// bytes, a record that does not fit is refused, and a record written from a
// read state reads and writes back to the same bytes.
struct CodecCase
{
    const char* name;
    size_t size;
    bool (*read)(CBaseControlState&, const SysExBuffer&, size_t&, bool);
    SysExBuffer (*write)(const CBaseControlState&, bool);
};

// Test names show the case by name only.
[[maybe_unused]] void PrintTo(const CodecCase& c, std::ostream* os)
{
    *os << c.name;
}


class EveryCodec : public ::testing::TestWithParam<CodecCase>
{
};

bool ReadVeskAny(CBaseControlState& s, const SysExBuffer& b, size_t& i, bool)
{
    return ReadTolvarVesk(s, b, i);
}
SysExBuffer WriteVeskAny(const CBaseControlState& s, bool)
{
    return WriteTolvarVesk(s);
}

TEST_P(EveryCodec, AdvancesByItsSizeAndSettlesAfterOneRoundTrip)
{
    const CodecCase& codec = GetParam();
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round)
    {
        const bool continuous = round % 2 == 0;
        SysExBuffer bytes;
        bytes.PushByte(0x55); // records start anywhere
        for (size_t i = 0; i < codec.size; ++i)
            bytes.PushByte(static_cast<uint8_t>(random() & 0x7F));
        CBaseControlState first;
        size_t index = 1;
        ASSERT_TRUE(codec.read(first, bytes, index, continuous));
        ASSERT_EQ(codec.size + 1, index);

        const SysExBuffer written = codec.write(first, continuous);
        ASSERT_EQ(codec.size, written.size());
        CBaseControlState second;
        index = 0;
        codec.read(second, written, index, continuous);
        EXPECT_EQ(written, codec.write(second, continuous)) << codec.name << " round " << round;
    }
}

TEST_P(EveryCodec, RefusesARecordThatDoesNotFit)
{
    const CodecCase& codec = GetParam();
    SysExBuffer bytes;
    bytes.AppendZeros(codec.size - 1);
    CBaseControlState s;
    s.SetName("Keep");
    size_t index = 0;
    EXPECT_FALSE(codec.read(s, bytes, index, true));
    EXPECT_EQ(0u, index);
    EXPECT_EQ("Keep", s.GetName());
    index = 5;
    bytes.AppendZeros(3);
    EXPECT_FALSE(codec.read(s, bytes, index, true));
}

INSTANTIATE_TEST_SUITE_P(Records, EveryCodec,
                         ::testing::Values(CodecCase{"Calder", kCalderSize, ReadCalder, WriteCalder},
                                           CodecCase{"Tolvar", kTolvarSize, ReadTolvar, WriteTolvar},
                                           CodecCase{"TolvarVesk", kTolvarVeskSize, ReadVeskAny, WriteVeskAny},
                                           CodecCase{"TolvarDrel", kTolvarDrelSize, ReadTolvarDrel,
                                                     WriteTolvarDrel}),
                         [](const ::testing::TestParamInfo<CodecCase>& info) { return info.param.name; });

TEST(RecordNames, ANulEndsTheNameAndTrailingBlanksAreTrimmed)
{
    CBaseControlState s;
    size_t index = 0;
    SysExBuffer record = Bytes(52, {{0, 'P'}, {1, 'a'}, {2, 'd'}, {3, ' '}, {16, 1}});
    ReadCalder(s, record, index, true);
    EXPECT_EQ("Pad", s.GetName()); // bytes 4-15 are NULs
    EXPECT_EQ(' ', WriteCalder(s, true)[4]);

    index = 0;
    record = Bytes(41, {{0, 'A'}, {1, 'b'}, {2, ' '}, {3, 'c'}, {4, ' '}, {5, ' '}, {6, ' '}, {7, ' '}, {8, 1}});
    ReadTolvarVesk(s, record, index);
    EXPECT_EQ("Ab c", s.GetName());
}
