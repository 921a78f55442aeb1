#include <gtest/gtest.h>

#include "model/TemplateModel.h"
#include "model/calder/CalderTemplate.h"

namespace
{
constexpr size_t kLocals = 13;
constexpr size_t kEffects1 = 69;
constexpr size_t kEffects2 = 133;

bool ReadInto(CEditorTemplate& t, const SysExBuffer& dump)
{
    size_t position = 0;
    return t.Read(dump, position);
}
} // namespace

TEST(CalderTemplate, FreshDumpBytes)
{
    const SysExBuffer dump = CCalderTemplate().Write();
    EXPECT_EQ(ModelCalder, IdentifyTemplateSysEx(dump));
    EXPECT_EQ(0x00, dump[53]);
    EXPECT_EQ(0x00, dump[54]);
    EXPECT_EQ(0x40, dump[55]);
    for (size_t fx : {kEffects1, kEffects2})
    {
        EXPECT_EQ(0x03, dump[fx + 11]);
        EXPECT_EQ(0x5A, dump[fx + 12]);
        EXPECT_EQ(0x64, dump[fx + 43]);
        EXPECT_EQ(0x14, dump[fx + 22]); // E11
        EXPECT_EQ(0x00, dump[fx + 5]);  // not a field
    }
    EXPECT_EQ(0x12, dump[8205]);
    EXPECT_EQ(0x34, dump[8206]);
    EXPECT_EQ(0xF7, dump[8207]);
}

TEST(CalderTemplate, LocalsRecordFields)
{
    SysExBuffer dump = CCalderTemplate().Write();
    dump[kLocals + 31] = 0x2A;
    dump[kLocals + 36] = 0x07;
    CCalderTemplate t;
    ASSERT_TRUE(ReadInto(t, dump));
    const CTemplateLocals& locals = t.GetLocals();
    EXPECT_EQ(10, locals.Keybaord_Midi_Channel);
    EXPECT_TRUE(locals.Enable_Midi_Port_1);
    EXPECT_FALSE(locals.Enable_USB_Port);
    EXPECT_FALSE(locals.Enable_Midi_Port_2);
    EXPECT_EQ(1, locals.LocalsByte14);
    EXPECT_EQ(0, locals.LocalsByte15);
    EXPECT_FALSE(locals.After_Touch);
    EXPECT_EQ("Untitled - Unknown", t.GetDisplayName());
}

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
