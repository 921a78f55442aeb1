#include <gtest/gtest.h>

#include "model/EditorHost.h"
#include "model/KeyboardZone.h"
#include "model/PortChannelGroup.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/records/ZoneRecords.h"

namespace
{
SysExBuffer Record(std::initializer_list<uint8_t> bytes)
{
    SysExBuffer out;
    for (uint8_t b : bytes)
        out.PushByte(b);
    out.resize(kZoneRecordSize);
    return out;
}

// A device with a second MIDI port, to see Reset use the answer.
class TwoPortAnswers : public CDorvaSynthAnswers
{
public:
    bool HasMidiPort2() const override { return true; }
};

class TwoPortHost : public IEditorHost
{
public:
    const IDeviceAnswers& Device() const override { return answers; }
    int ShowMessage(const std::string&, int) override { return MessageAnswer::Ok; }
    void ShowErrorReport(const std::string&, const std::string&, const std::string&) override {}
    bool SendErrorsHome() const override { return false; }
    IEditorWindow* Window() override { return nullptr; }
    TwoPortAnswers answers;
};
} // namespace

TEST(KeyboardZone, FreshZoneHasEveryPortOffAndTheSwitchesOn)
{
    CKeyboardZone zone;
    EXPECT_FALSE(zone.GetMidiPort1());
    EXPECT_FALSE(zone.GetMidiPort2());
    EXPECT_FALSE(zone.GetUsbPort());
    EXPECT_FALSE(zone.GetUsbPort2());
    EXPECT_FALSE(zone.GetUsbPort3());
    EXPECT_TRUE(zone.GetAftertouch());
    EXPECT_TRUE(zone.GetPitchBend());
    EXPECT_TRUE(zone.GetModWheel());
    EXPECT_EQ(0, zone.GetLowNote());
    EXPECT_EQ(127, zone.GetHighNote());
    EXPECT_EQ(64, zone.GetTranspose());
    EXPECT_EQ(2, zone.GetVelocityOffset());
}

TEST(KeyboardZone, EnabledResetFollowsTheDeviceForMidiPort2)
{
    CKeyboardZone zone;
    zone.Reset(true);
    EXPECT_TRUE(zone.GetMidiPort1());
    EXPECT_TRUE(zone.GetUsbPort());
    EXPECT_FALSE(zone.GetMidiPort2()); // the DorvaSynth has no second MIDI port

    TwoPortHost host;
    ScopedHost scope(&host);
    zone.Reset(true);
    EXPECT_TRUE(zone.GetMidiPort2());
}

TEST(KeyboardZone, NoteLimitsRefuseWithoutChange)
{
    CKeyboardZone zone;
    ASSERT_TRUE(zone.SetHighNote(60));
    EXPECT_FALSE(zone.SetLowNote(80));
    EXPECT_EQ(0, zone.GetLowNote());
    EXPECT_EQ(60, zone.GetHighNote());
    EXPECT_FALSE(zone.SetHighNote(128));
    EXPECT_FALSE(zone.SetLowNote(-1));
    EXPECT_TRUE(zone.SetLowNote(60));
    EXPECT_FALSE(zone.SetHighNote(59));
    EXPECT_EQ(60, zone.GetHighNote());
}

TEST(KeyboardZone, AssignCopiesEverySettingAndDiffersSeesEach)
{
    CKeyboardZone a;
    CKeyboardZone b;
    EXPECT_FALSE(a.Differs(b));
    b.SetUsbPort3(true);
    EXPECT_TRUE(a.Differs(b));
    b.SetChannelGroup(2);
    b.SetNoteRange(10, 20);
    b.SetTranspose(52);
    a.Assign(b);
    EXPECT_FALSE(a.Differs(b));
    EXPECT_EQ(10, a.GetLowNote());
    EXPECT_EQ(52, a.GetTranspose());
}

TEST(ZoneRecords, TolvarRecordReadsChannelAndPortBits)
{
    CKeyboardZone zone;
    zone.SetChannelGroup(2);
    zone.SetUsbPort2(true);
    const SysExBuffer in = Record({0x35, 0x03, 0x24, 0x60, 0x40, 0x05});
    ReadTolvarZoneRecord(zone, in.data());
    EXPECT_EQ(5, zone.GetChannel());
    EXPECT_TRUE(zone.GetMidiPort1());
    EXPECT_TRUE(zone.GetUsbPort());
    EXPECT_FALSE(zone.GetMidiPort2());
    EXPECT_EQ(3, zone.GetVelocityOffset());
    EXPECT_EQ(0x24, zone.GetLowNote());
    EXPECT_EQ(0x60, zone.GetHighNote());
    EXPECT_TRUE(zone.GetPitchBend());
    EXPECT_FALSE(zone.GetModWheel());
    EXPECT_TRUE(zone.GetAftertouch());
    // Fields the record does not carry keep their values.
    EXPECT_EQ(2, zone.GetChannelGroup());
    EXPECT_TRUE(zone.GetUsbPort2());
    EXPECT_EQ(in, WriteTolvarZoneRecord(zone));
}

TEST(ZoneRecords, TolvarRecordKeepsARangeWithBottomAboveTop)
{
    CKeyboardZone zone;
    const SysExBuffer in = Record({0x00, 0x02, 0x70, 0x10, 0x40, 0x07});
    ReadTolvarZoneRecord(zone, in.data());
    EXPECT_EQ(0x70, zone.GetLowNote());
    EXPECT_EQ(0x10, zone.GetHighNote());
    EXPECT_EQ(in, WriteTolvarZoneRecord(zone));
}

TEST(ZoneRecords, TolvarVeskChannelGroups)
{
    CKeyboardZone zone;
    SysExBuffer in = Record({0x00, 0x40});
    ReadTolvarVeskZoneRecord(zone, in.data());
    EXPECT_EQ(1, zone.GetChannelGroup());
    EXPECT_EQ(0, zone.GetChannel());
    EXPECT_EQ(0x00, WriteTolvarVeskZoneRecord(zone)[0]);

    in = Record({0x47, 0x40});
    ReadTolvarVeskZoneRecord(zone, in.data());
    EXPECT_EQ(0, zone.GetChannelGroup());
    EXPECT_EQ(7, zone.GetChannel());
    EXPECT_EQ(0x47, WriteTolvarVeskZoneRecord(zone)[0]);

    in = Record({0x20, 0x40});
    ReadTolvarVeskZoneRecord(zone, in.data());
    EXPECT_EQ(2, zone.GetChannelGroup());
    EXPECT_EQ(0x20, WriteTolvarVeskZoneRecord(zone)[0]);
}

TEST(ZoneRecords, TolvarVeskPortGroupsAndPorts)
{
    CKeyboardZone zone;
    SysExBuffer in = Record({0x41, 0x60});
    ReadTolvarVeskZoneRecord(zone, in.data());
    EXPECT_EQ(2, zone.GetPortGroup()); // bit 5 wins over bit 6

    in = Record({0x41, 0x5F, 0x01, 0x10, 0x70, 0x40, 0x03});
    ReadTolvarVeskZoneRecord(zone, in.data());
    EXPECT_EQ(0, zone.GetPortGroup());
    EXPECT_TRUE(zone.GetMidiPort1() && zone.GetMidiPort2() && zone.GetUsbPort() && zone.GetUsbPort2() &&
                zone.GetUsbPort3());
    EXPECT_FALSE(zone.GetAftertouch());
    EXPECT_EQ(in, WriteTolvarVeskZoneRecord(zone));

    in = Record({0x41, 0x01});
    ReadTolvarVeskZoneRecord(zone, in.data());
    EXPECT_EQ(1, zone.GetPortGroup());
    EXPECT_EQ(0x01, WriteTolvarVeskZoneRecord(zone)[1]);
}

TEST(PortChannelGroup, ResetAndEffectiveValues)
{
    PortChannelGroup group;
    group.own.channel = 8;
    group.own.midiPort1 = 0;
    group.common.channel = 3;
    group.common.usbPort3 = 1;
    EXPECT_EQ(8, group.GetChannel());
    EXPECT_FALSE(group.GetMidiPort1());
    EXPECT_FALSE(group.GetUsbPort3());
    group.As_Common_Channel = 1;
    group.As_Common_Ports = 1;
    EXPECT_EQ(3, group.GetChannel());
    EXPECT_TRUE(group.GetMidiPort1());
    EXPECT_TRUE(group.GetUsbPort3());

    group.Reset();
    EXPECT_EQ(PortChannelGroup(), group);
    EXPECT_EQ(1, group.own.channel);
    EXPECT_EQ(1, group.common.midiPort2);
    EXPECT_EQ(0, group.common.usbPort2);
    EXPECT_EQ(0, group.As_Common_Ports);
}
