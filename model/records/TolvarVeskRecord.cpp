#include "model/ControlState.h"
#include "model/records/ControlRecords.h"
#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace ControlRecords
{
namespace
{
constexpr int kMessageBytes = 12;
// Pass-through bytes of the state: record bytes 23-25 and bit 4 of the channel byte.
constexpr int kFirstRawByte = 1;
constexpr int kChannelBit4 = 4;

bool IsVeskFormat(int code)
{
    return (code >= 0 && code <= 9) || code == 15 || code == 16 || code == 17;
}

uint8_t ActionByte(const CBaseControlState& s)
{
    uint8_t byte = Flag(s.GetRoutingBit0(), 0) | Flag(s.GetRoutingBit1(), 1);
    if (s.GetType() != ControlMessageType::MMC)
    {
        const int action = s.GetAction();
        byte |= Flag(action == ControlAction::Momentary, 2) | Flag(action == ControlAction::Toggle, 3) |
                Flag(action == ControlAction::Step, 4);
    }
    return byte;
}

void ReadActionByte(CBaseControlState& s, uint8_t byte)
{
    s.SetRoutingBit0(Bit(byte, 0));
    s.SetRoutingBit1(Bit(byte, 1));
    int action = ControlAction::Normal;
    if (Bit(byte, 2))
        action = ControlAction::Momentary;
    if (Bit(byte, 3))
        action = ControlAction::Toggle;
    if (Bit(byte, 4))
        action = ControlAction::Step;
    s.SetAction(action);
}

uint8_t BehaviourByte(const CBaseControlState& s)
{
    // Catch-up takes bits 5 and 6: bit 7 has no room in a data byte.
    return Flag(!s.GetBehaviourBit0(), 0) | Flag(s.GetBehaviourBit1(), 1) | Flag(!s.GetBehaviourBit2Inverse(), 2) |
           Flag(s.GetInvertedRange(), 3) | Flag(s.GetModeBit6(), 4) |
           static_cast<uint8_t>((s.GetPotCatchup() & 0x03) << 5);
}

void ReadBehaviourByte(CBaseControlState& s, uint8_t byte)
{
    s.SetBehaviourBit0(!Bit(byte, 0));
    s.SetBehaviourBit1(Bit(byte, 1));
    s.SetBehaviourBit2Inverse(!Bit(byte, 2));
    s.SetInvertedRange(Bit(byte, 3));
    s.SetModeBit6(Bit(byte, 4));
    s.SetPotCatchup(byte >> 5);
}

uint8_t PortsByte(const CBaseControlState& s)
{
    uint8_t byte = Flag(s.GetMIDIPort1Enabled(), 0) | Flag(s.GetMIDIPort2Enabled(), 1) |
                   Flag(s.GetUSBPortEnabled(), 2) | Flag(s.GetUSBPort2Enabled(), 3) | Flag(s.GetUSBPort3Enabled(), 4);
    if (s.GetMIDIPortGroup() == ControlGroup::Own)
        byte |= 0x40;
    else if (s.GetMIDIPortGroup() == ControlGroup::Keyboard)
        byte |= 0x20;
    return byte;
}

void ReadPortsByte(CBaseControlState& s, uint8_t byte)
{
    s.SetMIDIPort1Enabled(Bit(byte, 0));
    s.SetMIDIPort2Enabled(Bit(byte, 1));
    s.SetUSBPortEnabled(Bit(byte, 2));
    s.SetUSBPort2Enabled(Bit(byte, 3));
    s.SetUSBPort3Enabled(Bit(byte, 4));
    s.SetMIDIPortGroup(Bit(byte, 5) ? ControlGroup::Keyboard : Bit(byte, 6) ? ControlGroup::Own : ControlGroup::Common);
}

// The channel byte carries the channel group; it is not the zone record's
// channel byte, which has no pass-through bit.
uint8_t ChannelGroupByte(const CBaseControlState& s)
{
    if (s.GetType() == ControlMessageType::MMC)
        return static_cast<uint8_t>(s.GetMIDIChannelOrMMCDeviceNum());
    uint8_t byte;
    switch (s.GetMIDIChanGroup())
    {
    case ControlGroup::Common:
        byte = 0x00;
        break;
    case ControlGroup::Keyboard:
        byte = 0x20;
        break;
    default:
        byte = static_cast<uint8_t>(((s.GetMIDIChannelOrMMCDeviceNum() - 1) & 0x0F) | 0x40);
        break;
    }
    if (s.GetPassThroughByte(kChannelBit4))
        byte |= 0x10;
    return byte;
}

void ReadChannelGroupByte(CBaseControlState& s, uint8_t byte)
{
    if (s.GetType() == ControlMessageType::MMC)
    {
        s.SetMIDIChannelOrMMCDeviceNum(byte);
        return;
    }
    if (byte == 0x00)
    {
        s.SetMIDIChannelOrMMCDeviceNum(1);
        s.SetMIDIChanGroup(ControlGroup::Common);
    }
    else if (Bit(byte, 5))
    {
        s.SetMIDIChannelOrMMCDeviceNum(1);
        s.SetMIDIChanGroup(ControlGroup::Keyboard);
    }
    else
    {
        s.SetMIDIChanGroup(ControlGroup::Own);
        s.SetMIDIChannelOrMMCDeviceNum((byte & 0x0F) + 1);
    }
    s.SetPassThroughByte(kChannelBit4, Bit(byte, 4) ? 1 : 0);
}
} // namespace

SysExBuffer WriteTolvarVesk(const CBaseControlState& s)
{
    const int type = s.GetType();
    const bool mmc = type == ControlMessageType::MMC;
    const bool note = type == ControlMessageType::NoteOn;
    const int low = s.GetOffValue();
    const int high = note ? 0 : s.GetOnValue();
    SysExBuffer out;
    WriteName(out, s.GetName(), 8);
    out.PushByte(static_cast<uint8_t>(type));
    // A Note On carries its note in byte 10, its off value in byte 12 and its
    // on value in byte 17.
    out.PushByte(High7(low));
    out.PushByte(mmc ? static_cast<uint8_t>(s.GetMMCControlType()) : note ? s.GetMIDIControlLSBNum() : Low7(low));
    out.PushByte(High7(high));
    out.PushByte(note ? Low7(low) : Low7(high));
    out.PushByte(ActionByte(s));
    out.PushByte(BehaviourByte(s));
    out.PushByte(IsVeskFormat(s.GetDisplayFormat()) ? static_cast<uint8_t>(s.GetDisplayFormat()) : 0);
    out.PushByte(s.GetMIDIControlMSBNum());
    out.PushByte(note ? static_cast<uint8_t>(s.GetOnValue()) : s.GetMIDIControlLSBNum());
    out.PushByte(PortsByte(s));
    out.PushByte(ChannelGroupByte(s));
    out.PushByte(High7(s.GetSnapshotValue()));
    out.PushByte(Low7(s.GetSnapshotValue()));
    out.PushByte(static_cast<uint8_t>(s.GetMultiStep() - 1));
    for (int i = 0; i < 3; ++i)
        out.PushByte(s.GetPassThroughByte(kFirstRawByte + i));
    const SysExDef def = s.GetSysExData();
    out.PushByte(def.GetDataPosition() != 0 ? def.GetCarriedByte() : 0);
    out.PushByte(static_cast<uint8_t>(def.GetLengthByte() - 1));
    out.PushByte(def.GetDataPosition());
    for (int j = 0; j < kMessageBytes; ++j)
        out.PushByte(def.GetMessageByte(j));
    return out;
}

bool ReadTolvarVesk(CBaseControlState& s, const SysExBuffer& bytes, size_t& index)
{
    if (!Fits(bytes, index, kTolvarVeskSize))
        return false;
    const uint8_t* r = bytes.data() + index;
    ReadName(s, r, 8);
    ReadType(s, r[8]);
    const int type = s.GetType();
    if (type == ControlMessageType::MMC)
        s.SetMMCControlType(r[10]);
    else
        s.SetOffValue(MakeWord14(r[9], r[10]), false);
    s.SetOnValue(MakeWord14(r[11], r[12]), false);
    ReadActionByte(s, r[13]);
    ReadBehaviourByte(s, r[14]);
    if (IsVeskFormat(r[15]))
        s.SetDisplayFormat(r[15]);
    s.SetMIDIControlMSBNum(r[16]);
    s.SetMIDIControlLSBNum(r[17]);
    ReadPortsByte(s, r[18]);
    ReadChannelGroupByte(s, r[19]);
    s.SetSnapshotValue(MakeWord14(r[20], r[21]));
    s.SetMultiStep(static_cast<uint8_t>(r[22] + 1));
    for (int i = 0; i < 3; ++i)
        s.SetPassThroughByte(kFirstRawByte + i, r[23 + i]);

    SysExDef def;
    def.SetCarriedByte(r[26]);
    def.SetLengthByte(static_cast<uint8_t>(r[27] + 1));
    def.SetDataPosition(r[28]);
    for (int j = 0; j < kMessageBytes; ++j)
        def.SetMessageByte(j, r[29 + j]);
    s.SetSysExData(def);

    if (type == ControlMessageType::NoteOn)
    {
        s.SetOffValue(r[12], false);
        s.SetOnValue(r[17], false);
        s.SetMIDIControlLSBNum(r[10]);
    }
    // The range flag follows the values finally read, not the behaviour bit:
    // for a Note On that bit describes the raw bytes 9-12, not the velocities.
    s.SetInvertedRange(s.GetOffValue() > s.GetOnValue());
    index += kTolvarVeskSize;
    return true;
}
} // namespace ControlRecords
