#include "model/dorvasynth/DorvaSynthLocals.h"

namespace
{
constexpr size_t kNameBytes = 16;
constexpr uint8_t kUsbBit = 0x10;
constexpr uint8_t kMidiPort1Bit = 0x20;
constexpr int kTransposeOffset = 64;
} // namespace

void CDorvaSynthLocals::Reset()
{
    CTemplateLocalData::Reset();
    D1 = D2 = D3 = D4 = D5 = D6 = D7 = 0;
    Transpose = 0;
}

bool CDorvaSynthLocals::Read(const SysExBuffer& bytes, size_t& position)
{
    if (position > bytes.size() || bytes.size() - position < kRecordSize)
        return false;
    const uint8_t* r = bytes.data() + position;
    // The unit pads with blanks; the 16 bytes are kept as they stand and
    // GetName trims the padding.
    SetName(std::string(reinterpret_cast<const char*>(r), kNameBytes));
    LocalsByte1 = r[16];
    D1 = r[17];
    D2 = r[18];
    Keybaord_Midi_Channel = r[19];
    Enable_USB_Port = (r[20] & kUsbBit) != 0;
    Enable_Midi_Port_1 = (r[20] & kMidiPort1Bit) != 0;
    LocalsByte3 = r[21];
    LocalsByte4 = r[22];
    Velocity_Curve = r[23];
    Octave_Setting = r[24];
    D3 = r[25];
    Override_Midi_Channel = r[26];
    Pad_X_Type = r[27];
    Pad_Y_Type = r[28];
    D4 = r[29];
    D5 = r[30];
    Synth_By_Control = r[31];
    Synth_By_MIDI = r[32] != 0;
    D6 = r[33];
    D7 = r[34];
    Transpose = static_cast<int>(r[35]) - kTransposeOffset;
    Hybrid = r[36] != 0;
    position += kRecordSize;
    return true;
}

SysExBuffer CDorvaSynthLocals::Write() const
{
    SysExBuffer out;
    const std::string& name = GetRawName();
    for (size_t i = 0; i < kNameBytes; ++i)
        out.PushByte(i < name.size() ? static_cast<uint8_t>(name[i]) : ' ');
    out.PushByte(LocalsByte1);
    out.PushByte(D1);
    out.PushByte(D2);
    out.PushByte(Keybaord_Midi_Channel);
    out.PushByte(static_cast<uint8_t>((Enable_USB_Port ? kUsbBit : 0) | (Enable_Midi_Port_1 ? kMidiPort1Bit : 0)));
    out.PushByte(LocalsByte3);
    out.PushByte(LocalsByte4);
    out.PushByte(Velocity_Curve);
    out.PushByte(Octave_Setting);
    out.PushByte(D3);
    out.PushByte(Override_Midi_Channel);
    out.PushByte(static_cast<uint8_t>(Pad_X_Type));
    out.PushByte(static_cast<uint8_t>(Pad_Y_Type));
    out.PushByte(D4);
    out.PushByte(D5);
    out.PushByte(static_cast<uint8_t>(Synth_By_Control));
    out.PushByte(Synth_By_MIDI ? 1 : 0);
    out.PushByte(D6);
    out.PushByte(D7);
    out.PushByte(static_cast<uint8_t>(Transpose + kTransposeOffset));
    out.PushByte(Hybrid ? 1 : 0);
    return out;
}
