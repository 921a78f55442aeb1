#include <gtest/gtest.h>

#include <algorithm>

#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/TemplateTestSupport.h"

using TemplateTest::ReadInto;

using TemplateTest::RecordingHost;

namespace
{
constexpr size_t kLocals = 13;
constexpr size_t kGroups = kLocals + 86;


int Count(const std::vector<std::string>& messages, const std::string& text)
{
    return static_cast<int>(std::count(messages.begin(), messages.end(), text));
}
} // namespace

TEST(TolvarVeskTemplate, ResetSetsTheWheelsAndWorksWithoutAMainWindow)
{
    RecordingHost host;
    host.withWindow = false;
    ScopedHost scope(&host);
    CTolvarVeskTemplate t;
    t.GetControl(64)->SetName("x");
    t.ResetToDefaults();
    EXPECT_EQ(ControlMessageType::PitchBend, t.GetControl(64)->GetType());
    EXPECT_EQ("PitchBnd", t.GetControl(64)->GetName());
    EXPECT_EQ(ControlMessageType::CC, t.GetControl(65)->GetType());
    EXPECT_EQ(1, t.GetControl(65)->GetMIDIControlLSBNum());
    EXPECT_EQ("ModWheel", t.GetControl(65)->GetName());
    EXPECT_EQ(0x03, t.GetHeader().GetType());
    EXPECT_TRUE(host.messages.empty());
}

TEST(TolvarVeskTemplate, DrumTimesTravelInTheHeaderArea)
{
    CTolvarVeskTemplate t;
    t.GetControl(70)->SetDrumAutoOffTime(300);
    t.GetControl(77)->SetDrumOffSync(9);
    const SysExBuffer dump = t.Write();
    EXPECT_EQ(0x02, dump[155]);
    EXPECT_EQ(0x2C, dump[156]);
    EXPECT_EQ(9, dump[178]);
    CTolvarVeskTemplate back;
    ASSERT_TRUE(ReadInto(back, dump));
    EXPECT_EQ(300, back.GetControl(70)->GetDrumAutoOffTime());
    EXPECT_EQ(9, back.GetControl(77)->GetDrumOffSync());
}

TEST(TolvarVeskTemplate, RefusesATolvarHeaderOfTheRightSize)
{
    SysExBuffer dump = CTolvarVeskTemplate().Write();
    dump[5] = 0x00;
    CTolvarVeskTemplate t;
    EXPECT_FALSE(ReadInto(t, dump));
}

TEST(TolvarVeskTemplate, AfterLoadRepairsShowTheirMessagesOnce)
{
    RecordingHost host;
    ScopedHost scope(&host);
    SysExBuffer dump = CTolvarVeskTemplate().Write();
    dump[kLocals + 55] = 0x50;
    dump[kLocals + 56] = 0x28;
    dump[kLocals + 70] = 0x01;
    dump[109] = 0x03;
    CTolvarVeskTemplate t;
    ASSERT_TRUE(ReadInto(t, dump));
    EXPECT_EQ(0x50, t.GetVeskLocals().NUMCMN);
    t.ValidateAfterLoad();
    EXPECT_EQ(1, Count(host.messages, "Fixing broken template NUMCMN"));
    EXPECT_EQ(1, Count(host.messages, "Fixing broken template PGCNSIZE"));
    EXPECT_EQ(1, Count(host.messages, "This template has corrupted row select default data - fixing it."));
    EXPECT_EQ(3u, host.messages.size());
    EXPECT_EQ(0x5A, t.GetVeskLocals().NUMCMN);
    EXPECT_EQ(0x29, t.GetVeskLocals().PGCNSIZE);
    EXPECT_EQ(CTolvarVeskLocals::kRowSelectDefaults, t.GetVeskLocals().RowSelect);
    EXPECT_EQ(7, t.GetTemplateValue());
    EXPECT_FALSE(t.IsModified());

    host.messages.clear();
    t.ValidateAfterLoad();
    EXPECT_TRUE(host.messages.empty());
}

TEST(TolvarVeskTemplate, ControlsAboveTheLastIndexAreTheImportedOnes)
{
    CTolvarVeskTemplate t;
    EXPECT_EQ(nullptr, t.GetControl(86));
    EXPECT_EQ(nullptr, t.GetControl(90));
    EXPECT_FALSE(t.IsIndexValid(86));
    EXPECT_TRUE(t.IsIndexValid(85));
    CBaseControlState imported;
    imported.SetName("Imported");
    t.GetImportedControls().push_back(imported);
    ASSERT_NE(nullptr, t.GetControl(86));
    EXPECT_EQ("Imported", t.GetControl(86)->GetName());
    EXPECT_EQ(nullptr, t.GetControl(87));
    EXPECT_EQ(nullptr, t.GetContinuousControl(24));
    EXPECT_NE(nullptr, t.GetButtonControl(24));
    EXPECT_NE(nullptr, t.GetContinuousControl(63));
    EXPECT_EQ(nullptr, t.GetButtonControl(78));
}

TEST(TolvarVeskTemplate, GroupsRecord)
{
    SysExBuffer dump = CTolvarVeskTemplate().Write();
    const uint8_t groups[] = {0x17, 0x41, 0x00, 0x40};
    std::copy(groups, groups + 4, dump.data() + kGroups);
    CTolvarVeskTemplate t;
    ASSERT_TRUE(ReadInto(t, dump));
    ASSERT_NE(nullptr, t.GetGroups());
    const PortChannelGroup& g = t.GetGroups()->GetGroups();
    EXPECT_EQ(8, g.own.channel);
    EXPECT_EQ(1, g.As_Common_Channel);
    EXPECT_EQ(1, g.own.midiPort1);
    EXPECT_EQ(0, g.own.midiPort2);
    EXPECT_EQ(0, g.As_Common_Ports);
    EXPECT_EQ(1, g.common.channel);
    EXPECT_EQ(0, g.common.midiPort1 | g.common.midiPort2 | g.common.usbPort | g.common.usbPort2 | g.common.usbPort3);
    EXPECT_EQ(1, g.GetChannel());
    // The own channel is not written while the common one is used.
    EXPECT_EQ(0x10, t.SerialiseSysEx()[kGroups]);
}

TEST(TolvarVeskTemplate, LocalsRecordFields)
{
    CTolvarVeskTemplate t;
    CTolvarVeskLocals& locals = t.GetVeskLocals();
    locals.SetName("Strings");
    locals.SetManufacturerName("Maker");
    locals.LocalsByte21 = 3;
    locals.LocalsByte22 = 2;
    locals.After_Touch = false;
    locals.LocalsByte14 = 1;
    locals.V3 = 5;
    EXPECT_EQ("Strings - Maker", t.GetDisplayName());
    const SysExBuffer dump = t.Write();
    EXPECT_EQ('S', dump[kLocals]);
    EXPECT_EQ(' ', dump[kLocals + 7]);
    EXPECT_EQ('M', dump[kLocals + 35]);
    EXPECT_EQ(3, dump[kLocals + 52]);
    EXPECT_EQ(2, dump[kLocals + 53]);
    EXPECT_EQ(0x06, dump[kLocals + 94]);

    CTolvarVeskTemplate back;
    ASSERT_TRUE(ReadInto(back, dump));
    EXPECT_EQ("Strings - Maker", back.GetDisplayName());
    EXPECT_TRUE(back.GetVeskLocals().Pathlore_Template);
    EXPECT_FALSE(back.GetVeskLocals().After_Touch);
}

TEST(TolvarVeskTemplate, ZonesAndFlags)
{
    SysExBuffer dump = CTolvarVeskTemplate().Write();
    dump[110] = 0x05;
    dump[111] = 0x47; // zone 0, channel 7 of its own group
    CTolvarVeskTemplate t;
    ASSERT_TRUE(ReadInto(t, dump));
    EXPECT_TRUE(t.GetZonesEnabled());
    EXPECT_TRUE(t.GetSecondFlag());
    EXPECT_EQ(7, t.GetKeyboardZone(0)->GetChannel());
    EXPECT_EQ(0, t.GetKeyboardZone(0)->GetChannelGroup());
    EXPECT_EQ(nullptr, t.GetKeyboardZone(4));
    t.ResetToDefaults();
    EXPECT_FALSE(t.GetZonesEnabled());
    EXPECT_TRUE(t.GetKeyboardZone(0)->GetUsbPort());
    EXPECT_FALSE(t.GetKeyboardZone(1)->GetUsbPort());
}
