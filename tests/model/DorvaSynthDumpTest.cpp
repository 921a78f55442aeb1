#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <random>

#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/TemplateTestSupport.h"

namespace
{
using namespace TemplateTest;
using namespace TemplateTest::DumpOffsets;

constexpr uint8_t kHeader[] = {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05, 0x7F, 0x00, 0x00, 0x11, 0x02, 0x00, 0x01};

SysExBuffer FreshDump()
{
    return CDorvaSynthTemplate().Write();
}

// A valid dump with every byte after the header random (7-bit).
SysExBuffer JunkDump(unsigned seed)
{
    SysExBuffer dump = FreshDump();
    std::mt19937 random(seed);
    for (size_t i = 13; i < dump.size() - 1; ++i)
        dump[i] = static_cast<uint8_t>(random() & 0x7F);
    return dump;
}

bool ReadInto(CDorvaSynthTemplate& tmpl, const SysExBuffer& dump)
{
    size_t position = 0;
    return tmpl.Read(dump, position);
}

// A second template read from the dump, as the unit or a file would give it.
std::unique_ptr<CDorvaSynthTemplate> ReadBack(const SysExBuffer& dump)
{
    auto back = std::make_unique<CDorvaSynthTemplate>();
    EXPECT_TRUE(ReadInto(*back, dump));
    return back;
}

class DorvaSynthDumpTest : public ::testing::Test
{
protected:
    RecordingHost host;
    ScopedHost scope{&host};
};

TEST_F(DorvaSynthDumpTest, FreshTemplateWritesTheDefaultDumpByteForByte)
{
    const SysExBuffer dump = FreshDump();
    ASSERT_EQ(dump.size(), 1808u);
    EXPECT_TRUE(dump.IsValid());

    SysExBuffer expected;
    for (uint8_t b : kHeader)
        expected.PushByte(b);
    // Locals: the name padded with blanks, USB and MIDI port 1 on, velocity
    // curve 2, octave 4, transpose 0 + 64.
    for (char c : std::string("Untitled        "))
        expected.PushByte(static_cast<uint8_t>(c));
    for (uint8_t b : {0x00, 0x00, 0x00, 0x00, 0x30, 0x00, 0x00, 0x02, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                      0x00, 0x00, 0x00, 0x00, 0x40, 0x00})
        expected.PushByte(b);
    expected.AppendZeros(kGapSize);
    // 54 cleared controls: blank name, Disabled, 0..127, USB and MIDI port 1,
    // mode bit 6, channel 1, step 1.
    for (int record = 0; record < 54; ++record)
    {
        for (int i = 0; i < 16; ++i)
            expected.PushByte(' ');
        for (uint8_t b : {0x00, 0x00, 0x7F, 0x30, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00})
            expected.PushByte(b);
    }
    for (uint8_t b : {0x12, 0x34, 0xF7})
        expected.PushByte(b);
    EXPECT_EQ(dump.bytes(), expected.bytes());
    // Nothing was read, so nothing is kept: the dump is the model's own.
    EXPECT_EQ(dump, CDorvaSynthTemplate().SerialiseSysEx());
}


TEST_F(DorvaSynthDumpTest, RefusesWrongSizesAndHeaders)
{
    CDorvaSynthTemplate tmpl;
    SysExBuffer dump = FreshDump();

    SysExBuffer shorter = dump;
    shorter.resize(1807);
    EXPECT_FALSE(ReadInto(tmpl, shorter));
    SysExBuffer longer = dump;
    longer.PushByte(0);
    EXPECT_FALSE(ReadInto(tmpl, longer));
    EXPECT_FALSE(ReadInto(tmpl, SysExBuffer()));

    SysExBuffer otherType = dump;
    otherType[5] = 0x00;
    EXPECT_FALSE(ReadInto(tmpl, otherType));
    SysExBuffer otherMaker = dump;
    otherMaker[2] = 0x6B;
    EXPECT_FALSE(ReadInto(tmpl, otherMaker));

    // A failed read keeps no dump: the next write is the model's own.
    EXPECT_TRUE(tmpl.GetKeptDump().empty());
    EXPECT_TRUE(ReadInto(tmpl, dump));
}

TEST_F(DorvaSynthDumpTest, RandomDumpsComeBackByteIdentical)
{
    for (unsigned seed = 1; seed <= 40; ++seed)
    {
        const SysExBuffer dump = JunkDump(seed);
        CDorvaSynthTemplate tmpl;
        ASSERT_TRUE(ReadInto(tmpl, dump)) << seed;
        EXPECT_EQ(tmpl.Write().bytes(), dump.bytes()) << seed;
        // Every junk byte of the gap shows in the mask.
        EXPECT_EQ(tmpl.GetLostBitMask()[kGap + 7], dump[kGap + 7]) << seed;
    }
}

// The mask and the merge byte by byte as the format defines them, for dumps
// whose body holds any byte at all (status bytes F0 and F7 among them, which
// pass the writers' filter, and others, which become 0).
TEST_F(DorvaSynthDumpTest, MaskAndMergeFollowTheirDefinitionForAnyBytes)
{
    const auto filtered = [](unsigned byte) {
        return static_cast<uint8_t>((byte & 0x80) && byte != 0xF0 && byte != 0xF7 ? 0 : byte);
    };
    for (unsigned seed = 1; seed <= 20; ++seed)
    {
        SysExBuffer dump = FreshDump();
        std::mt19937 random(seed);
        for (size_t i = 13; i < dump.size() - 1; ++i)
            dump[i] = static_cast<uint8_t>(random());
        CDorvaSynthTemplate tmpl;
        ASSERT_TRUE(ReadInto(tmpl, dump)) << seed;

        const SysExBuffer again = tmpl.SerialiseSysEx();
        ASSERT_EQ(again.size(), dump.size());
        std::vector<uint8_t> mask(dump.size());
        for (size_t i = 0; i < dump.size(); ++i)
            mask[i] = filtered(dump[i] ^ again[i]);
        ASSERT_EQ(tmpl.GetLostBitMask().bytes(), mask) << seed;

        tmpl.GetControl(static_cast<int>(seed))->SetMIDIControlLSBNum(static_cast<uint8_t>(seed));
        const SysExBuffer fresh = tmpl.SerialiseSysEx();
        std::vector<uint8_t> merged(dump.size());
        for (size_t i = 0; i < dump.size(); ++i)
            merged[i] = filtered((fresh[i] & ~mask[i]) | (dump[i] & mask[i]));
        EXPECT_EQ(tmpl.Write().bytes(), merged) << seed;
    }
}

TEST_F(DorvaSynthDumpTest, AnEditChangesOnlyTheEditedBits)
{
    const SysExBuffer dump = JunkDump(7);
    CDorvaSynthTemplate tmpl;
    ASSERT_TRUE(ReadInto(tmpl, dump));
    CBaseControlState* pot = tmpl.GetControl(3);
    ASSERT_NE(pot, nullptr);
    const uint8_t lsb = static_cast<uint8_t>((pot->GetMIDIControlLSBNum() + 1) & 0x7F);
    pot->SetMIDIControlLSBNum(lsb);

    const SysExBuffer written = tmpl.Write();
    ASSERT_EQ(written.size(), dump.size());
    for (size_t i = 0; i < dump.size(); ++i)
    {
        if (i == Record(3) + 23)
            EXPECT_EQ(written[i], lsb);
        else
            EXPECT_EQ(written[i], dump[i]) << "byte " << i;
    }
}

TEST_F(DorvaSynthDumpTest, ReadingKeepsTheWholeInputAndItsHeaderBytes)
{
    SysExBuffer dump = FreshDump();
    dump[7] = 1;    // bulk flag
    dump[12] = 0x0F; // location
    dump[1805] = 0x55;
    CDorvaSynthTemplate tmpl;
    ASSERT_TRUE(ReadInto(tmpl, dump));
    EXPECT_EQ(tmpl.GetKeptDump(), dump);
    EXPECT_EQ(tmpl.GetTrailingByte(0), 0x55);
    EXPECT_EQ(tmpl.SerialiseSysEx(), dump); // all of these are modelled
    tmpl.SetLocation(3);
    tmpl.SetBulkFlag(false);
    const SysExBuffer written = tmpl.Write();
    EXPECT_EQ(written[12], 3);
    EXPECT_EQ(written[7], 0);
}

TEST_F(DorvaSynthDumpTest, ControlsTravelInDumpOrder)
{
    CDorvaSynthTemplate tmpl;
    for (int index = 0; index <= 50; ++index)
        tmpl.GetControl(index)->SetName("C" + std::to_string(index));
    for (int i = 0; i < 3; ++i)
        tmpl.GetUnindexedControl(i).SetName("U" + std::to_string(i));
    const SysExBuffer dump = tmpl.Write();
    for (int index = 0; index <= 50; ++index)
    {
        const std::string name = "C" + std::to_string(index);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(dump.data() + Record(index)), name.size()), name);
    }
    EXPECT_EQ(dump[Unindexed(2)], 'U');
    EXPECT_EQ(dump[Unindexed(2) + 1], '2');
    // Pad axis 47 is the fifth of the six continuous singles.
    EXPECT_EQ(Record(47), 185u + 48u * 30u);

    const auto back = ReadBack(dump);
    for (int index = 0; index <= 50; ++index)
        EXPECT_EQ(back->GetControl(index)->GetName(), "C" + std::to_string(index));
    EXPECT_EQ(back->GetUnindexedControl(1).GetName(), "U1");
}

// What a record carries, as the summary of a control read back.
std::string Fields(const CBaseControlState& c)
{
    std::string f;
    for (int v : std::initializer_list<int>{c.GetType(), c.GetOnValue(), c.GetOffValue(), c.GetMMCControlType(),
                  c.GetMIDIChannelOrMMCDeviceNum(), c.GetChannelHighNibble(), c.GetAction(), c.GetMultiStep(),
                  int(c.GetBehaviourBit0()), int(c.GetBehaviourBit2Inverse()), c.GetPotCatchup(),
                  int(c.GetInvertedRange()), int(c.GetBehaviourBit6()), c.GetDisplayFormat(), int(c.GetModeBit6())})
        f += std::to_string(v) + " ";
    return f;
}

// A control set up, its record's bytes (offset, mask, value) and the control read back.
TEST_F(DorvaSynthDumpTest, EachSettingTravelsInItsRecordBytesAndReadsBack)
{
    using Edit = std::function<void(CBaseControlState&)>;
    const struct
    {
        int index;
        Edit edit;
        std::vector<std::array<int, 3>> bytes;
        const char* back;
    } cases[] = {
        // A wheel sending aftertouch, a button written as Note Off.
        {44, [](auto& c) { c.SetType(12, false); }, {{16, 0xFF, 11}}, "12 127 0 1 1 0 0 1 1 1 0 0 0 0 1 "},
        {22, [](auto& c) { c.SetType(7, false); }, {{16, 0xFF, 7}}, "6 127 0 1 1 0 0 1 1 1 0 0 0 0 1 "},
        // A Note On button writes zero as its high value.
        {30, [](auto& c) { c.SetType(6, false), c.SetOnValue(100, false), c.SetOffValue(90, false); },
         {{17, 0xFF, 90}, {18, 0xFF, 0}}, "6 0 90 1 1 0 0 1 1 1 0 0 0 0 1 "},
        // MMC: command twice and the device; the action bits are not written.
        {23, [](auto& c) {
             c.SetType(5, false), c.SetMMCControlType(3), c.SetMIDIChannelOrMMCDeviceNum(127);
             c.SetOffValue(9, false), c.SetAction(1);
         },
         {{16, 0xFF, 5}, {17, 0xFF, 3}, {24, 0xFF, 127}, {25, 0xFF, 3}, {19, 0x0C, 0}}, "5 127 3 3 127 0 0 1 1 1 0 0 0 2 1 "},
        // The channel byte keeps its high nibble.
        {0, [](auto& c) { c.SetType(1, false), c.SetMIDIChannelOrMMCDeviceNum(16), c.SetChannelHighNibble(0x10); },
         {{24, 0xFF, 0x1F}}, "1 127 0 1 16 16 0 1 1 1 0 0 0 0 1 "},
        // Button actions and the step size; a pot has no action bits.
        {22, [](auto& c) { c.SetType(1, false), c.SetAction(0), c.SetMultiStep(5); }, {{19, 0x0C, 0}}, "1 127 0 1 1 0 0 5 1 1 0 0 0 0 1 "},
        {23, [](auto& c) { c.SetType(1, false), c.SetAction(1), c.SetMultiStep(6); }, {{19, 0x0C, 4}}, "1 127 0 1 1 0 1 6 1 1 0 0 0 0 1 "},
        {24, [](auto& c) { c.SetType(1, false), c.SetAction(2), c.SetMultiStep(7); }, {{19, 0x0C, 8}}, "1 127 0 1 1 0 2 7 1 1 0 0 0 0 1 "},
        {25, [](auto& c) { c.SetType(1, false), c.SetAction(3), c.SetMultiStep(8); }, {{20, 0x20, 0x20}, {26, 0xFF, 7}}, "1 127 0 1 1 0 3 8 1 1 0 0 0 0 1 "},
        {5, [](auto& c) { c.SetAction(2); }, {{19, 0x0C, 0}, {26, 0xFF, 0}}, "0 127 0 1 1 0 0 1 0 1 0 0 0 0 1 "},
        // Behaviour and mode bits; a 14-bit format has no code on the unit, catch-up other than 1 travels as 0.
        {1, [](auto& c) {
             c.SetBehaviourBit0(true), c.SetBehaviourBit2Inverse(false), c.SetPotCatchup(1);
             c.SetInvertedRange(true), c.SetBehaviourBit6(true), c.SetDisplayFormat(1), c.SetModeBit6(false);
         },
         {{20, 0xFF, 0x5D}, {21, 0xFF, 0x01}}, "0 127 0 1 1 0 0 1 1 0 1 1 1 1 0 "},
        {2, [](auto& c) { c.SetDisplayFormat(9); }, {{21, 0xFF, 0x40}}, "0 127 0 1 1 0 0 1 0 1 0 0 0 0 1 "},
    };
    for (const auto& c : cases)
    {
        CDorvaSynthTemplate tmpl;
        c.edit(*tmpl.GetControl(c.index));
        const SysExBuffer dump = tmpl.Write();
        for (const auto& [offset, mask, value] : c.bytes)
            EXPECT_EQ(dump[Record(c.index) + offset] & mask, value) << c.index << " byte " << offset;
        EXPECT_EQ(Fields(*ReadBack(dump)->GetControl(c.index)), c.back) << c.index;
    }

    // With several action bits set, the later one wins: Toggle over Momentary, Step over both.
    SysExBuffer dump = FreshDump();
    dump[Record(40) + 19] |= 0x0C;
    dump[Record(41) + 19] |= 0x04;
    dump[Record(41) + 20] |= 0x20;
    const auto back = ReadBack(dump);
    EXPECT_EQ(back->GetControl(40)->GetAction(), 2);
    EXPECT_EQ(back->GetControl(41)->GetAction(), 3);
}

TEST_F(DorvaSynthDumpTest, NamesAreCutToSixteenAndTrimmedOnReading)
{
    CDorvaSynthTemplate tmpl;
    tmpl.SetName("A very long template name");
    tmpl.GetControl(0)->SetName("Cutoff");
    const SysExBuffer dump = tmpl.Write();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dump.data() + kLocals), 16), "A very long temp");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dump.data() + Record(0)), 16), "Cutoff          ");

    const auto back = ReadBack(dump);
    EXPECT_EQ(back->GetDisplayName(), "A very long temp");
    EXPECT_EQ(back->GetControl(0)->GetName(), "Cutoff");
}

TEST_F(DorvaSynthDumpTest, LocalsRecord)
{
    CDorvaSynthTemplate tmpl;
    CDorvaSynthLocals& locals = tmpl.GetDorvaSynthLocals();
    locals.Transpose = -12;
    locals.Keybaord_Midi_Channel = 9;
    locals.Enable_USB_Port = false;
    locals.Pad_X_Type = 3;
    locals.Pad_Y_Type = 1;
    locals.Synth_By_Control = 2;
    locals.Synth_By_MIDI = 1;
    locals.Hybrid = 1;
    locals.Override_Midi_Channel = 5;
    const SysExBuffer dump = tmpl.Write();
    const size_t l = kLocals;
    EXPECT_EQ(dump[l + 35], 52);
    EXPECT_EQ(dump[l + 19], 9);
    EXPECT_EQ(dump[l + 20], 0x20);
    EXPECT_EQ(dump[l + 26], 5);
    EXPECT_EQ(dump[l + 27], 3);
    EXPECT_EQ(dump[l + 28], 1);
    EXPECT_EQ(dump[l + 31], 2);
    EXPECT_EQ(dump[l + 32], 1);
    EXPECT_EQ(dump[l + 36], 1);

    SysExBuffer odd = dump;
    odd[l + 32] = 5; // any non-zero is on
    const auto back = ReadBack(odd);
    const CDorvaSynthLocals& read = back->GetDorvaSynthLocals();
    EXPECT_EQ(read.Transpose, -12);
    EXPECT_FALSE(read.Enable_USB_Port);
    EXPECT_TRUE(read.Enable_Midi_Port_1);
    EXPECT_EQ(read.Synth_By_MIDI, 1);
    EXPECT_EQ(back->Write(), odd); // and it still comes back as read
}
} // namespace
