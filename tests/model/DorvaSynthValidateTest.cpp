#include <gtest/gtest.h>

#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/TemplateTestSupport.h"

namespace
{
using namespace TemplateTest;
using namespace TemplateTest::DumpOffsets;

const char* const kRepaired = "Some controls in this template contain incorrect data.  They will be changed to the "
                              "correct values - please save this template again.";
const char* const kClamped = "This template contained controls with settings outside their range.  These settings "
                             "have been clamped inside the range of the control.";

class DorvaSynthValidateTest : public ::testing::Test
{
protected:
    // Reads the dump, validates it as a load does, and says whether the
    // template came out modified.
    bool Load(const SysExBuffer& dump)
    {
        size_t position = 0;
        EXPECT_TRUE(tmpl.Read(dump, position));
        tmpl.MarkSaved(true);
        tmpl.ValidateAfterLoad();
        return tmpl.IsModified();
    }

    RecordingHost host;
    ScopedHost scope{&host};
    CDorvaSynthTemplate tmpl;
};

TEST_F(DorvaSynthValidateTest, ValidTemplateLoadsQuietly)
{
    EXPECT_FALSE(Load(CDorvaSynthTemplate().Write()));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DorvaSynthValidateTest, MmcButtonsLoadQuietlyAndWriteTheSameBytes)
{
    CDorvaSynthTemplate source;
    for (int index : {22, 35, 50})
    {
        CBaseControlState* button = source.GetControl(index);
        button->SetType(5, false);
        button->SetMMCControlType(2);
        button->SetMIDIChannelOrMMCDeviceNum(127);
        button->SetOffValue(2, false);
        button->SetOnValue(127, false);
    }
    const SysExBuffer dump = source.Write();
    EXPECT_FALSE(Load(dump));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(tmpl.GetControl(35)->GetSnapshotValue(), 2);
    EXPECT_EQ(tmpl.Write(), dump);
}

TEST_F(DorvaSynthValidateTest, SnapshotOutsideTheRangeIsClampedWithOneMessage)
{
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    for (int index : {0, 1})
    {
        const size_t r = Record(index);
        dump[r + 16] = 1;  // CC
        dump[r + 17] = 10; // low
        dump[r + 18] = 20; // high
        dump[r + 25] = 90; // snapshot
    }
    EXPECT_TRUE(Load(dump));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], kClamped);
    EXPECT_EQ(tmpl.GetControl(0)->GetSnapshotValue(), 20);
    EXPECT_EQ(tmpl.Write()[Record(1) + 25], 20);
}

TEST_F(DorvaSynthValidateTest, MidiPortTwoAndRoutingBitZeroAreRepaired)
{
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[Record(10) + 19] |= 0x40; // MIDI port 2 on a pot
    dump[Record(30) + 19] |= 0x01; // routing bit 0 on a button
    EXPECT_TRUE(Load(dump));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], kRepaired);
    const SysExBuffer saved = tmpl.Write();
    EXPECT_EQ(saved[Record(10) + 19] & 0x41, 0);
    EXPECT_EQ(saved[Record(30) + 19] & 0x41, 0);
    EXPECT_FALSE(tmpl.GetControl(10)->GetMIDIPort2Enabled());
}

TEST_F(DorvaSynthValidateTest, OnStrokeDisplaySynthModeAndD3AreRepaired)
{
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[Record(45) + 21] = 0x43; // display format 3
    EXPECT_TRUE(Load(dump));
    EXPECT_EQ(tmpl.GetControl(45)->GetDisplayFormat(), 0);
    EXPECT_EQ(host.messages.size(), 1u);

    host.messages.clear();
    dump = CDorvaSynthTemplate().Write();
    dump[kLocals + 31] = 5; // synth-by-control out of 0..4
    dump[kLocals + 25] = 1; // D3
    EXPECT_TRUE(Load(dump));
    EXPECT_EQ(tmpl.GetDorvaSynthLocals().Synth_By_Control, 0);
    EXPECT_EQ(tmpl.GetDorvaSynthLocals().D3, 0);
    EXPECT_EQ(host.messages, (std::vector<std::string>{kRepaired}));

    host.messages.clear();
    dump[kLocals + 31] = 4;
    dump[kLocals + 25] = 0;
    EXPECT_FALSE(Load(dump));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DorvaSynthValidateTest, UnindexedControlsAreNotRepaired)
{
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[Unindexed(0) + 19] |= 0x40;
    EXPECT_FALSE(Load(dump));
    EXPECT_EQ(tmpl.Write(), dump);
}

TEST_F(DorvaSynthValidateTest, ClampSetsTheContinuousFlagFromThePlace)
{
    tmpl.GetControl(22)->SetContinuous(true);
    tmpl.GetControl(3)->SetContinuous(false);
    tmpl.ClampControls();
    EXPECT_FALSE(tmpl.GetControl(22)->IsContinuous());
    EXPECT_TRUE(tmpl.GetControl(3)->IsContinuous());
}
} // namespace
