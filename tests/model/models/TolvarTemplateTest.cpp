#include <gtest/gtest.h>

#include "model/tolvar/TolvarTemplate.h"
#include "tests/model/TemplateTestSupport.h"

using TemplateTest::ReadInto;

namespace
{
constexpr size_t kMarker = CTolvarTemplate::kLayoutMarkerOffset;


// A current-layout dump as the older layout would have held it: the fields
// from 55 to 125 three bytes earlier, the marker clear.
SysExBuffer ToOlderLayout(const SysExBuffer& current)
{
    SysExBuffer older = current;
    for (size_t i = 55; i <= 125; ++i)
        older[i - 3] = current[i];
    older[kMarker] = 0x00;
    return older;
}
} // namespace

TEST(TolvarTemplate, StepSizesTravelAheadOfTheZones)
{
    CTolvarTemplate t;
    t.GetControl(40)->SetMultiStep(5);
    t.GetControl(60)->SetMultiStep(3);
    const SysExBuffer dump = t.Write();
    EXPECT_EQ(0x04, dump[63]);
    EXPECT_EQ(0x02, dump[83]);
    CTolvarTemplate back;
    ASSERT_TRUE(ReadInto(back, dump));
    EXPECT_EQ(5, back.GetControl(40)->GetMultiStep());
    EXPECT_EQ(3, back.GetControl(60)->GetMultiStep());
}

TEST(TolvarTemplate, OlderLayoutIsConvertedWhileReading)
{
    CTolvarTemplate source;
    source.SetZonesEnabled(true);
    source.GetKeyboardZone(2)->SetTranspose(52);
    source.GetControl(45)->SetMultiStep(7);
    const SysExBuffer current = source.Write();

    CTolvarTemplate t;
    ASSERT_TRUE(ReadInto(t, ToOlderLayout(current)));
    EXPECT_TRUE(t.GetZonesEnabled());
    EXPECT_EQ(52, t.GetKeyboardZone(2)->GetTranspose());
    EXPECT_EQ(7, t.GetControl(45)->GetMultiStep());
    EXPECT_EQ(current, t.SerialiseSysEx());
    EXPECT_EQ(0x01, t.Write()[kMarker]);
    // The kept dump is the converted one: nothing counts as lost.
    EXPECT_FALSE(t.GetLostBitMask().AnyNonZero());
    EXPECT_EQ(current, t.Write());
}

TEST(TolvarTemplate, OlderLayoutKeepsSettingsAndStepButtons)
{
    CTolvarTemplate source;
    source.GetLocals().Override_Midi_Channel = 4;
    source.GetLocals().Pad_X_Type = 2;
    for (int index : {31, 32})
    {
        source.GetControl(index)->SetType(ControlMessageType::CC, false);
        source.GetControl(index)->SetAction(ControlAction::Step);
    }
    const SysExBuffer older = ToOlderLayout(source.Write());

    // Bytes 52-54 keep what the older layout had there: in this dump the
    // settings and the step size of button 31 read from them.
    CTolvarTemplate t;
    ASSERT_TRUE(ReadInto(t, older));
    EXPECT_EQ(older[52], t.GetLocals().Pad_X_Type);
    EXPECT_EQ(older[53], t.GetLocals().Pad_Y_Type);
    EXPECT_EQ(4, t.GetLocals().Override_Midi_Channel);
    // Step buttons keep the step read; the plain button 33 steps by 1.
    EXPECT_EQ(older[54] + 1, t.GetControl(31)->GetMultiStep());
    EXPECT_EQ(ControlAction::Step, t.GetControl(32)->GetAction());
    EXPECT_EQ(1, t.GetControl(33)->GetMultiStep());
}

TEST(TolvarTemplate, ConversionIsLeftToTheMarker)
{
    SysExBuffer dump = CTolvarTemplate().Write();
    dump[kMarker] = 0x03; // bit 0 set: the current layout, other bits kept
    CTolvarTemplate t;
    ASSERT_TRUE(ReadInto(t, dump));
    EXPECT_EQ(dump, t.Write());
    EXPECT_EQ(0x01, t.SerialiseSysEx()[kMarker]);

    SysExBuffer copy = dump;
    EXPECT_FALSE(CTolvarTemplate::ConvertOlderLayout(copy, 0));
    EXPECT_EQ(dump, copy);
}
