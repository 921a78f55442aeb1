#include "model/records/RecordBytes.h"

#include <algorithm>
#include <cctype>

#include "model/ControlState.h"
#include "model/TemplateLocals.h"

namespace RecordBytes
{
namespace
{
bool IsMMC(const CBaseControlState& state)
{
    return state.GetType() == ControlMessageType::MMC;
}
} // namespace

uint8_t WriteRouting(const CBaseControlState& s, bool continuous)
{
    uint8_t byte = Flag(s.GetRoutingBit0(), 0) | Flag(s.GetRoutingBit1(), 1) | Flag(s.GetUSBPortEnabled(), 4) |
                   Flag(s.GetMIDIPort1Enabled(), 5) | Flag(s.GetMIDIPort2Enabled(), 6);
    if (!continuous && !IsMMC(s))
        byte |= Flag(s.GetAction() == ControlAction::Momentary, 2) | Flag(s.GetAction() == ControlAction::Toggle, 3);
    return byte;
}

void ReadRouting(CBaseControlState& s, uint8_t byte, bool continuous)
{
    s.SetRoutingBit0(Bit(byte, 0));
    s.SetRoutingBit1(Bit(byte, 1));
    s.SetUSBPortEnabled(Bit(byte, 4));
    s.SetMIDIPort1Enabled(Bit(byte, 5));
    s.SetMIDIPort2Enabled(Bit(byte, 6));
    if (continuous)
        return;
    int action = ControlAction::Normal;
    if (Bit(byte, 2))
        action = ControlAction::Momentary;
    if (Bit(byte, 3))
        action = ControlAction::Toggle;
    s.SetAction(action);
}

uint8_t WriteBehaviour(const CBaseControlState& s, bool continuous)
{
    uint8_t byte = Flag(s.GetBehaviourBit0(), 0) | Flag(s.GetBehaviourBit1(), 1) |
                   Flag(!s.GetBehaviourBit2Inverse(), 2) | Flag(s.GetPotCatchup() == 1, 3) |
                   Flag(s.GetInvertedRange(), 4) | Flag(s.GetBehaviourBit6(), 6);
    if (!continuous && !IsMMC(s))
        byte |= Flag(s.GetAction() == ControlAction::Step, 5);
    return byte;
}

void ReadBehaviour(CBaseControlState& s, uint8_t byte, bool continuous)
{
    s.SetBehaviourBit0(Bit(byte, 0));
    s.SetBehaviourBit1(Bit(byte, 1));
    s.SetBehaviourBit2Inverse(!Bit(byte, 2));
    s.SetPotCatchup(Bit(byte, 3) ? 1 : 0);
    s.SetInvertedRange(Bit(byte, 4));
    s.SetBehaviourBit6(Bit(byte, 6));
    if (!continuous && Bit(byte, 5))
        s.SetAction(ControlAction::Step);
}

uint8_t WriteMode(const CBaseControlState& s)
{
    const int format = s.GetDisplayFormat();
    const uint8_t bits = (format >= 1 && format <= 3) ? static_cast<uint8_t>(format) : 0;
    return bits | Flag(s.GetModeBit6(), 6);
}

void ReadMode(CBaseControlState& s, uint8_t byte)
{
    s.SetDisplayFormat(byte & 0x03);
    s.SetModeBit6(Bit(byte, 6));
}

uint8_t WriteTolvarMode(const CBaseControlState& s)
{
    const int format = s.GetDisplayFormat();
    const uint8_t bits = (format == 1 || format == 2) ? static_cast<uint8_t>(format) : 0;
    return bits | Flag(s.GetModeBit6(), 6);
}

void ReadTolvarMode(CBaseControlState& s, uint8_t byte)
{
    s.SetDisplayFormat(Bit(byte, 0) ? 1 : Bit(byte, 1) ? 2 : 0);
    s.SetModeBit6(Bit(byte, 6));
}

void WriteName(SysExBuffer& out, const std::string& name, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        out.PushByte(i < name.size() ? static_cast<uint8_t>(name[i]) : static_cast<uint8_t>(' '));
}

void ReadName(CBaseControlState& s, const uint8_t* bytes, size_t width)
{
    std::string name(reinterpret_cast<const char*>(bytes), width);
    name.resize(std::min(name.find('\0'), name.size()));
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
        name.pop_back();
    s.SetName(name);
}

void ReadType(CBaseControlState& s, uint8_t byte)
{
    const int type = byte == ControlMessageType::NoteOff ? static_cast<int>(ControlMessageType::NoteOn) : byte;
    s.SetType(type, false);
}

uint8_t ChannelByte(const CBaseControlState& s)
{
    if (IsMMC(s))
        return static_cast<uint8_t>(s.GetMIDIChannelOrMMCDeviceNum());
    return static_cast<uint8_t>(((s.GetMIDIChannelOrMMCDeviceNum() - 1) & 0x0F) | s.GetChannelHighNibble());
}

void ReadChannelByte(CBaseControlState& s, uint8_t byte)
{
    if (IsMMC(s))
    {
        s.SetMIDIChannelOrMMCDeviceNum(byte);
        return;
    }
    s.SetChannelHighNibble(byte & 0xF0);
    s.SetMIDIChannelOrMMCDeviceNum((byte & 0x0F) + 1);
}

void WriteSysExBytes(SysExBuffer& out, const SysExDef& def, int count)
{
    for (int i = 0; i < count; ++i)
        out.PushByte(def.GetByte(i));
}

void ReadSysExBytes(CBaseControlState& s, const uint8_t* bytes, int count)
{
    SysExDef def;
    for (int i = 0; i < count; ++i)
        def.SetByte(i, bytes[i]);
    s.SetSysExData(def);
}
} // namespace RecordBytes

namespace RecordBytes
{
void WriteText(SysExBuffer& out, const std::string& text, size_t width)
{
    const size_t end = std::min(text.find('\0'), std::min(text.size(), width));
    for (size_t i = 0; i < width; ++i)
        out.PushByte(i < end ? static_cast<uint8_t>(text[i]) : static_cast<uint8_t>(' '));
}

std::string ReadText(const SysExBuffer& bytes, size_t& position, size_t width)
{
    std::string text(reinterpret_cast<const char*>(bytes.data() + position), width);
    text.resize(std::min(text.find('\0'), text.size()));
    position += width;
    return text;
}
} // namespace RecordBytes

namespace RecordBytes
{
void WriteKeyboardBlock(SysExBuffer& out, const CTemplateLocalData& l)
{
    out.PushByte(static_cast<uint8_t>((l.Keybaord_Midi_Channel & 0x0F) | Flag(l.Enable_USB_Port, 4) |
                                      Flag(l.Enable_Midi_Port_1, 5) | Flag(l.Enable_Midi_Port_2, 6)));
    out.PushByte(l.LocalsByte3);
    out.PushByte(l.LocalsByte4);
    out.PushByte(l.Velocity_Curve);
    out.PushByte(l.Octave_Setting);
}

void ReadKeyboardBlock(CTemplateLocalData& l, const uint8_t* r)
{
    l.Keybaord_Midi_Channel = r[0] & 0x0F;
    l.Enable_USB_Port = Bit(r[0], 4);
    l.Enable_Midi_Port_1 = Bit(r[0], 5);
    l.Enable_Midi_Port_2 = Bit(r[0], 6);
    l.LocalsByte3 = r[1];
    l.LocalsByte4 = r[2];
    l.Velocity_Curve = r[3];
    l.Octave_Setting = r[4];
}
} // namespace RecordBytes
