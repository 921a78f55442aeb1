#include "model/tolvar/TolvarLocals.h"

#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace
{
constexpr size_t kNameWidth = 16;
constexpr size_t kManufacturerWidth = 13;
} // namespace

bool CTolvarLocals::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!Fits(bytes, position, kRecordSize))
        return false;
    SetName(ReadText(bytes, position, kNameWidth));
    const uint8_t* r = bytes.data() + position;
    LocalsByte1 = r[0];
    ReadKeyboardBlock(*this, r + 1);
    LocalsByte14 = Bit(r[6], 0);
    LocalsByte13 = Bit(r[6], 1);
    After_Touch = !Bit(r[6], 2);
    LocalsByte8 = r[7];
    LocalsByte7 = r[8];
    position += 9;
    SetManufacturerName(ReadText(bytes, position, kManufacturerWidth));
    r = bytes.data() + position;
    Override_Midi_Channel = r[0];
    Pad_X_Type = r[1];
    Pad_Y_Type = r[2];
    position += 3;
    return true;
}

SysExBuffer CTolvarLocals::Write() const
{
    SysExBuffer out;
    WriteText(out, GetRawName(), kNameWidth);
    out.PushByte(LocalsByte1);
    WriteKeyboardBlock(out, *this);
    out.PushByte(Flag(LocalsByte14 & 1, 0) | Flag(LocalsByte13 & 1, 1) | Flag(!After_Touch, 2));
    out.PushByte(LocalsByte8);
    out.PushByte(LocalsByte7);
    WriteText(out, GetRawManufacturerName(), kManufacturerWidth);
    out.PushByte(Override_Midi_Channel);
    out.PushByte(static_cast<uint8_t>(Pad_X_Type));
    out.PushByte(static_cast<uint8_t>(Pad_Y_Type));
    return out;
}
