#include <gtest/gtest.h>

#include "model/calder/CalderTemplate.h"
#include "tests/model/TemplateTestSupport.h"

using TemplateTest::ReadInto;

constexpr size_t kEffects2 = 133;

TEST(CalderTemplate, SettingsBlocksTravelFieldByField)
{
    CCalderTemplate t;
    t.GetAudio().A[0] = 0x11;
    t.GetAudio().A[12] = 0x22;
    t.GetEffects(1).E[23] = 0x33; // E24 at offset 49
    const SysExBuffer dump = t.Write();
    EXPECT_EQ(0x11, dump[53]);
    EXPECT_EQ(0x22, dump[53 + 13]);
    EXPECT_EQ(0x33, dump[kEffects2 + 49]);
    CCalderTemplate back;
    ASSERT_TRUE(ReadInto(back, dump));
    EXPECT_EQ(0x22, back.GetAudio().A[12]);
    EXPECT_EQ(0x33, back.GetEffects(1).E[23]);
}

TEST(CalderTemplate, ControlPlacesAndRecordLayouts)
{
    CCalderTemplate t;
    EXPECT_NE(nullptr, t.GetContinuousControl(92));
    EXPECT_EQ(nullptr, t.GetContinuousControl(93));
    EXPECT_NE(nullptr, t.GetButtonControl(148));
    EXPECT_EQ(nullptr, t.GetControl(149));
    // Button 93 is the second record and carries its step size.
    t.GetControl(93)->SetMultiStep(6);
    t.GetControl(0)->SetMultiStep(6);
    const SysExBuffer dump = t.Write();
    EXPECT_EQ(0, dump[405 + 47]);
    EXPECT_EQ(5, dump[405 + 52 + 47]);
}
