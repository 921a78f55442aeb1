#include "model/ControlState.h"
#include "model/records/ControlRecords.h"
#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace ControlRecords
{
namespace
{
// Pass-through byte of the state holding the raw port selector.
constexpr int kPortSelector = 0;

enum class NumberLayout
{
    MMC,           // LSB, device number
    NoteOn,        // LSB, low value
    CC,            // MSB, LSB
    ProgramChange, // low value, LSB
    Other,         // LSB, MSB
};

NumberLayout LayoutOf(int type)
{
    switch (type)
    {
    case ControlMessageType::MMC:
        return NumberLayout::MMC;
    case ControlMessageType::NoteOn:
        return NumberLayout::NoteOn;
    case ControlMessageType::CC:
        return NumberLayout::CC;
    case ControlMessageType::ProgramChange:
        return NumberLayout::ProgramChange;
    default:
        return NumberLayout::Other;
    }
}
} // namespace

int TolvarDrelTypeToWire(int type)
{
    switch (type)
    {
    case ControlMessageType::MMC:
        return 4;
    case ControlMessageType::NoteOn:
        return 5;
    case ControlMessageType::ProgramChange:
        return 6;
    case ControlMessageType::PitchBend:
        return 7;
    default:
        return type;
    }
}

int TolvarDrelTypeFromWire(int code)
{
    switch (code)
    {
    case 4:
        return ControlMessageType::MMC;
    case 5:
        return ControlMessageType::NoteOn;
    case 6:
        return ControlMessageType::ProgramChange;
    case 7:
        return ControlMessageType::PitchBend;
    default:
        return code;
    }
}

SysExBuffer WriteTolvarDrel(const CBaseControlState& s, bool continuous)
{
    const int type = s.GetType();
    const uint8_t lsb = s.GetMIDIControlLSBNum();
    const uint8_t msb = s.GetMIDIControlMSBNum();
    const uint8_t low = static_cast<uint8_t>(s.GetOffValue());
    SysExBuffer out;
    out.PushByte(static_cast<uint8_t>(TolvarDrelTypeToWire(type)));
    switch (LayoutOf(type))
    {
    case NumberLayout::MMC:
        out.PushByte(lsb);
        out.PushByte(static_cast<uint8_t>(s.GetMIDIChannelOrMMCDeviceNum()));
        break;
    case NumberLayout::NoteOn:
        out.PushByte(lsb);
        out.PushByte(low);
        break;
    case NumberLayout::CC:
        out.PushByte(msb);
        out.PushByte(lsb);
        break;
    case NumberLayout::ProgramChange:
        out.PushByte(low);
        out.PushByte(lsb);
        break;
    case NumberLayout::Other:
        out.PushByte(lsb);
        out.PushByte(msb);
        break;
    }
    out.PushByte(static_cast<uint8_t>(Flag(s.GetDisplayFormat() != 0, 0) | (((s.GetMultiStep() - 1) & 0x3F) << 1)));
    if (continuous)
        out.PushByte(s.GetPotCatchup() == 1 ? 1 : 0);
    else
        out.PushByte(static_cast<uint8_t>(s.GetAction()));
    if (type == ControlMessageType::MMC)
        out.PushByte(static_cast<uint8_t>(s.GetMMCControlType()));
    else if (type == ControlMessageType::NoteOn || type == ControlMessageType::ProgramChange)
        out.PushByte(msb);
    else
        out.PushByte(low);
    out.PushByte(static_cast<uint8_t>(s.GetOnValue()));
    out.PushByte(type == ControlMessageType::MMC ? 0 : static_cast<uint8_t>(s.GetMIDIChannelOrMMCDeviceNum() - 1));
    out.PushByte(TolvarDrelPortSelector(s.GetUSBPortEnabled(), s.GetMIDIPort1Enabled(), s.GetPassThroughByte(kPortSelector)));
    out.PushByte(static_cast<uint8_t>(s.GetSnapshotValue()));
    WriteName(out, s.GetName(), 16);
    return out;
}

bool ReadTolvarDrel(CBaseControlState& s, const SysExBuffer& bytes, size_t& index, bool continuous)
{
    if (!Fits(bytes, index, kTolvarDrelSize))
        return false;
    const uint8_t* r = bytes.data() + index;
    const int type = TolvarDrelTypeFromWire(r[0]);
    s.SetType(type, false);
    switch (LayoutOf(type))
    {
    case NumberLayout::MMC:
        s.SetMIDIControlLSBNum(r[1]);
        s.SetMIDIChannelOrMMCDeviceNum(r[2]);
        break;
    case NumberLayout::NoteOn:
        s.SetMIDIControlLSBNum(r[1]);
        s.SetOffValue(r[2], false);
        break;
    case NumberLayout::CC:
        s.SetMIDIControlMSBNum(r[1]);
        s.SetMIDIControlLSBNum(r[2]);
        break;
    case NumberLayout::ProgramChange:
        s.SetOffValue(r[1], false);
        s.SetMIDIControlLSBNum(r[2]);
        break;
    case NumberLayout::Other:
        s.SetMIDIControlLSBNum(r[1]);
        s.SetMIDIControlMSBNum(r[2]);
        break;
    }
    s.SetDisplayFormat(r[3] & 1);
    s.SetMultiStep(static_cast<uint8_t>((r[3] >> 1) + 1));
    if (continuous)
        s.SetPotCatchup(r[4] == 1 ? 1 : 0);
    else if (r[4] <= ControlAction::Step)
        s.SetAction(r[4]);
    if (type == ControlMessageType::MMC)
        s.SetMMCControlType(r[5]);
    else if (type == ControlMessageType::NoteOn || type == ControlMessageType::ProgramChange)
        s.SetMIDIControlMSBNum(r[5]);
    else
        s.SetOffValue(r[5], false);
    s.SetOnValue(r[6], false);
    if (type != ControlMessageType::MMC)
        s.SetMIDIChannelOrMMCDeviceNum(r[7] + 1);
    s.SetPassThroughByte(kPortSelector, r[8]);
    bool usb = s.GetUSBPortEnabled();
    bool midi1 = s.GetMIDIPort1Enabled();
    ReadTolvarDrelPortSelector(r[8], usb, midi1);
    s.SetUSBPortEnabled(usb);
    s.SetMIDIPort1Enabled(midi1);
    s.SetSnapshotValue(r[9]);
    ReadName(s, r + 10, 16);
    index += kTolvarDrelSize;
    return true;
}

uint8_t TolvarDrelPortSelector(bool usb, bool midiPort1, uint8_t raw)
{
    if (usb && midiPort1)
        return raw >= 3 ? raw : 2;
    if (midiPort1)
        return 1;
    return 0;
}

void ReadTolvarDrelPortSelector(uint8_t selector, bool& usb, bool& midiPort1)
{
    switch (selector)
    {
    case 0:
        usb = true;
        midiPort1 = false;
        break;
    case 1:
        usb = false;
        midiPort1 = true;
        break;
    case 2:
    case 3:
        usb = true;
        midiPort1 = true;
        break;
    default: // unknown selectors leave the flags as they were
        break;
    }
}
} // namespace ControlRecords
