#include "model/dorvasynth/DorvaSynthControlRecord.h"

#include <cstdint>
#include <string>

#include "model/ControlState.h"

namespace DorvaSynthControlRecord
{
namespace
{
constexpr size_t kNameBytes = 16;

constexpr int kMmc = 5;
constexpr int kNoteOn = 6;
constexpr int kNoteOff = 7;
constexpr int kDrumNoteWire = 11;
constexpr int kAftertouch = 12;

constexpr int kActionNormal = 0;
constexpr int kActionMomentary = 1;
constexpr int kActionToggle = 2;
constexpr int kActionStep = 3;

// Routing byte (19).
constexpr uint8_t kRouting0 = 0x01;
constexpr uint8_t kRouting1 = 0x02;
constexpr uint8_t kMomentary = 0x04;
constexpr uint8_t kToggle = 0x08;
constexpr uint8_t kUsb = 0x10;
constexpr uint8_t kMidi1 = 0x20;
constexpr uint8_t kMidi2 = 0x40;
// Behaviour byte (20).
constexpr uint8_t kBehaviour0 = 0x01;
constexpr uint8_t kBehaviour1 = 0x02;
constexpr uint8_t kBehaviour2Clear = 0x04;
constexpr uint8_t kCatchup = 0x08;
constexpr uint8_t kInverted = 0x10;
constexpr uint8_t kStep = 0x20;
constexpr uint8_t kBehaviour6 = 0x40;
// Mode byte (21).
constexpr uint8_t kFormatBits = 0x03;
constexpr uint8_t kMode6 = 0x40;

uint8_t Bit(bool on, uint8_t bit)
{
    return on ? bit : 0;
}

uint8_t FormatToWire(int format)
{
    return (format >= 1 && format <= 3) ? static_cast<uint8_t>(format) : 0;
}
} // namespace

int ControlTypeToWire(int type)
{
    return type == kAftertouch ? kDrumNoteWire : type;
}

int ControlTypeFromWire(int wire)
{
    if (wire == kDrumNoteWire)
        return kAftertouch;
    if (wire == kNoteOff)
        return kNoteOn;
    return wire;
}

bool Read(const SysExBuffer& bytes, size_t& position, CBaseControlState& state, bool button)
{
    if (position > bytes.size() || bytes.size() - position < kSize)
        return false;
    const uint8_t* r = bytes.data() + position;
    position += kSize;

    // Trailing blanks are padding; trimmed before the copy, so a short name
    // needs no allocation.
    size_t nameLength = kNameBytes;
    while (nameLength > 0 && r[nameLength - 1] == ' ')
        --nameLength;
    state.SetName(std::string(reinterpret_cast<const char*>(r), nameLength));

    const int type = ControlTypeFromWire(r[16]);
    const bool mmc = type == kMmc;
    state.SetType(type, false);
    state.SetOffValue(r[17], false);
    state.SetOnValue(r[18], false);

    const uint8_t routing = r[19];
    state.SetRoutingBit0((routing & kRouting0) != 0);
    state.SetRoutingBit1((routing & kRouting1) != 0);
    state.SetUSBPortEnabled((routing & kUsb) != 0);
    state.SetMIDIPort1Enabled((routing & kMidi1) != 0);
    state.SetMIDIPort2Enabled((routing & kMidi2) != 0);

    const uint8_t behaviour = r[20];
    state.SetBehaviourBit0((behaviour & kBehaviour0) != 0);
    state.SetBehaviourBit1((behaviour & kBehaviour1) != 0);
    state.SetBehaviourBit2Inverse((behaviour & kBehaviour2Clear) == 0);
    state.SetPotCatchup((behaviour & kCatchup) ? 1 : 0);
    state.SetInvertedRange((behaviour & kInverted) != 0);
    state.SetBehaviourBit6((behaviour & kBehaviour6) != 0);

    if (button)
    {
        int action = kActionNormal;
        if (routing & kMomentary)
            action = kActionMomentary;
        if (routing & kToggle)
            action = kActionToggle;
        if (behaviour & kStep)
            action = kActionStep;
        state.SetAction(action);
    }

    state.SetDisplayFormat(r[21] & kFormatBits);
    state.SetModeBit6((r[21] & kMode6) != 0);
    state.SetMIDIControlMSBNum(r[22]);
    state.SetMIDIControlLSBNum(r[23]);

    if (mmc)
    {
        state.SetMIDIChannelOrMMCDeviceNum(r[24]);
        state.SetMMCControlType(r[25]);
        // Byte 25 holds the command, not a snapshot: take the value the
        // after-load clamp would give, so a valid template loads unchanged.
        state.SetSnapshotValue(r[17]);
    }
    else
    {
        state.SetChannelHighNibble(r[24] & 0xF0);
        state.SetMIDIChannelOrMMCDeviceNum((r[24] & 0x0F) + 1);
        state.SetSnapshotValue(r[25]);
    }

    if (button)
        state.SetMultiStep(static_cast<uint8_t>(r[26] + 1));
    return true;
}

void Write(SysExBuffer& out, const CBaseControlState& state, bool button)
{
    // Built whole, then appended through the writers' filter in one go.
    uint8_t w[kSize] = {};
    const std::string name = state.GetName();
    for (size_t i = 0; i < kNameBytes; ++i)
        w[i] = i < name.size() ? static_cast<uint8_t>(name[i]) : ' ';

    const int type = state.GetType();
    const bool mmc = type == kMmc;
    const bool buttonAction = button && !mmc;
    const int action = state.GetAction();

    w[16] = static_cast<uint8_t>(ControlTypeToWire(type));
    w[17] = static_cast<uint8_t>(button && mmc ? state.GetMMCControlType() : state.GetOffValue());
    // A Note On button sends its note with the velocity of the low value; the
    // unit expects 0 in the high byte.
    w[18] = static_cast<uint8_t>(button && type == kNoteOn ? 0 : state.GetOnValue());

    w[19] = static_cast<uint8_t>(
        Bit(state.GetRoutingBit0(), kRouting0) | Bit(state.GetRoutingBit1(), kRouting1) |
        Bit(buttonAction && action == kActionMomentary, kMomentary) |
        Bit(buttonAction && action == kActionToggle, kToggle) | Bit(state.GetUSBPortEnabled(), kUsb) |
        Bit(state.GetMIDIPort1Enabled(), kMidi1) | Bit(state.GetMIDIPort2Enabled(), kMidi2));
    w[20] = static_cast<uint8_t>(
        Bit(state.GetBehaviourBit0(), kBehaviour0) | Bit(state.GetBehaviourBit1(), kBehaviour1) |
        Bit(!state.GetBehaviourBit2Inverse(), kBehaviour2Clear) | Bit(state.GetPotCatchup() == 1, kCatchup) |
        Bit(state.GetInvertedRange(), kInverted) | Bit(buttonAction && action == kActionStep, kStep) |
        Bit(state.GetBehaviourBit6(), kBehaviour6));
    w[21] = static_cast<uint8_t>(FormatToWire(state.GetDisplayFormat()) | Bit(state.GetModeBit6(), kMode6));
    w[22] = state.GetMIDIControlMSBNum();
    w[23] = state.GetMIDIControlLSBNum();

    if (mmc)
    {
        w[24] = static_cast<uint8_t>(state.GetMIDIChannelOrMMCDeviceNum());
        w[25] = static_cast<uint8_t>(state.GetMMCControlType());
    }
    else
    {
        w[24] = static_cast<uint8_t>(state.GetChannelHighNibble() | ((state.GetMIDIChannelOrMMCDeviceNum() - 1) & 0x0F));
        w[25] = static_cast<uint8_t>(state.GetSnapshotValue());
    }

    w[26] = button ? static_cast<uint8_t>(state.GetMultiStep() - 1) : 0;
    // Bytes 27-29 stay 0.
    out.PushBytes(w, kSize);
}
} // namespace DorvaSynthControlRecord
