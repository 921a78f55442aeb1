#include <gtest/gtest.h>

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

TEST_F(DorvaSynthDumpTest, AftertouchAndNoteOffTravelAsTheUnitKnowsThem)
{
    CDorvaSynthTemplate tmpl;
    tmpl.GetControl(44)->SetType(12, false); // a wheel sending aftertouch
    tmpl.GetControl(22)->SetType(7, false);  // a button written as Note Off
    const SysExBuffer dump = tmpl.Write();
    EXPECT_EQ(dump[Record(44) + 16], 11);
    EXPECT_EQ(dump[Record(22) + 16], 7);

    const auto back = ReadBack(dump);
    EXPECT_EQ(back->GetControl(44)->GetType(), 12);
    EXPECT_EQ(back->GetControl(22)->GetType(), 6);
}

TEST_F(DorvaSynthDumpTest, NoteOnButtonWritesZeroHighValue)
{
    CDorvaSynthTemplate tmpl;
    CBaseControlState* button = tmpl.GetControl(30);
    button->SetType(6, false);
    button->SetOnValue(100, false);
    button->SetOffValue(90, false);
    const SysExBuffer dump = tmpl.Write();
    EXPECT_EQ(dump[Record(30) + 17], 90);
    EXPECT_EQ(dump[Record(30) + 18], 0);
    const auto back = ReadBack(dump);
    EXPECT_EQ(back->GetControl(30)->GetOnValue(), 0);
    EXPECT_EQ(back->GetControl(30)->GetOffValue(), 90);
}

TEST_F(DorvaSynthDumpTest, MmcButtonCarriesCommandAndDevice)
{
    CDorvaSynthTemplate tmpl;
    CBaseControlState* button = tmpl.GetControl(23);
    button->SetType(5, false);
    button->SetMMCControlType(3);
    button->SetMIDIChannelOrMMCDeviceNum(127);
    button->SetOffValue(9, false);
    button->SetAction(1); // the action bits are not written for MMC
    const SysExBuffer dump = tmpl.Write();
    const size_t r = Record(23);
    EXPECT_EQ(dump[r + 16], 5);
    EXPECT_EQ(dump[r + 17], 3);
    EXPECT_EQ(dump[r + 24], 127);
    EXPECT_EQ(dump[r + 25], 3);
    EXPECT_EQ(dump[r + 19] & 0x0C, 0);

    const auto back = ReadBack(dump);
    const CBaseControlState* read = back->GetControl(23);
    EXPECT_EQ(read->GetOffValue(), 3);
    EXPECT_EQ(read->GetMMCControlType(), 3);
    EXPECT_EQ(read->GetMIDIChannelOrMMCDeviceNum(), 127);
}

TEST_F(DorvaSynthDumpTest, ChannelByteKeepsItsHighNibble)
{
    CDorvaSynthTemplate tmpl;
    CBaseControlState* pot = tmpl.GetControl(0);
    pot->SetType(1, false);
    pot->SetMIDIChannelOrMMCDeviceNum(16);
    pot->SetChannelHighNibble(0x10);
    const SysExBuffer dump = tmpl.Write();
    EXPECT_EQ(dump[Record(0) + 24], 0x1F);
    const auto back = ReadBack(dump);
    EXPECT_EQ(back->GetControl(0)->GetMIDIChannelOrMMCDeviceNum(), 16);
    EXPECT_EQ(back->GetControl(0)->GetChannelHighNibble(), 0x10);
}

TEST_F(DorvaSynthDumpTest, ButtonActionsAndStepSize)
{
    CDorvaSynthTemplate tmpl;
    const int actions[] = {0, 1, 2, 3};
    for (int a : actions)
    {
        CBaseControlState* button = tmpl.GetControl(22 + a);
        button->SetType(1, false);
        button->SetAction(a);
        button->SetMultiStep(static_cast<uint8_t>(5 + a));
    }
    tmpl.GetControl(5)->SetAction(2); // a pot has no action bits
    SysExBuffer dump = tmpl.Write();
    EXPECT_EQ(dump[Record(22) + 19] & 0x0C, 0x00);
    EXPECT_EQ(dump[Record(23) + 19] & 0x0C, 0x04);
    EXPECT_EQ(dump[Record(24) + 19] & 0x0C, 0x08);
    EXPECT_EQ(dump[Record(25) + 20] & 0x20, 0x20);
    EXPECT_EQ(dump[Record(25) + 26], 7);
    EXPECT_EQ(dump[Record(5) + 19] & 0x0C, 0x00);
    EXPECT_EQ(dump[Record(5) + 26], 0);

    // With several action bits set, the later one wins: Toggle over
    // Momentary, Step over both.
    dump[Record(40) + 19] |= 0x0C;
    dump[Record(41) + 19] |= 0x04;
    dump[Record(41) + 20] |= 0x20;

    const auto back = ReadBack(dump);
    for (int a : actions)
    {
        EXPECT_EQ(back->GetControl(22 + a)->GetAction(), a);
        EXPECT_EQ(back->GetControl(22 + a)->GetMultiStep(), 5 + a);
    }
    EXPECT_EQ(back->GetControl(40)->GetAction(), 2);
    EXPECT_EQ(back->GetControl(41)->GetAction(), 3);
}


TEST_F(DorvaSynthDumpTest, BehaviourAndModeBits)
{
    CDorvaSynthTemplate tmpl;
    CBaseControlState* pot = tmpl.GetControl(1);
    pot->SetBehaviourBit0(true);
    pot->SetBehaviourBit2Inverse(false);
    pot->SetPotCatchup(1);
    pot->SetInvertedRange(true);
    pot->SetBehaviourBit6(true);
    pot->SetDisplayFormat(1);
    pot->SetModeBit6(false);
    CBaseControlState* other = tmpl.GetControl(2);
    other->SetDisplayFormat(9); // 14-bit: the unit has no code for it
    const SysExBuffer dump = tmpl.Write();
    EXPECT_EQ(dump[Record(1) + 20], 0x01 | 0x04 | 0x08 | 0x10 | 0x40);
    EXPECT_EQ(dump[Record(1) + 21], 0x01);
    EXPECT_EQ(dump[Record(2) + 21], 0x40);

    const auto back = ReadBack(dump);
    const CBaseControlState* read = back->GetControl(1);
    EXPECT_TRUE(read->GetBehaviourBit0());
    EXPECT_FALSE(read->GetBehaviourBit2Inverse());
    EXPECT_EQ(read->GetPotCatchup(), 1);
    EXPECT_TRUE(read->GetInvertedRange());
    EXPECT_TRUE(read->GetBehaviourBit6());
    EXPECT_EQ(read->GetDisplayFormat(), 1);
    EXPECT_FALSE(read->GetModeBit6());
    // Catch-up other than 1 travels as 0.
    EXPECT_EQ(back->GetControl(2)->GetPotCatchup(), 0);
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
