#include "model/calder/CalderLocals.h"

#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace
{
constexpr size_t kNameWidth = 16;
constexpr size_t kManufacturerWidth = 13;
} // namespace

bool CCalderLocals::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!Fits(bytes, position, kRecordSize))
        return false;
    SetName(ReadText(bytes, position, kNameWidth));
    LocalsByte1 = bytes[position++];
    SetManufacturerName(ReadText(bytes, position, kManufacturerWidth));
    const uint8_t* r = bytes.data() + position;
    LocalsByte7 = r[0];
    ReadKeyboardBlock(*this, r + 1);
    LocalsByte14 = Bit(r[6], 0);
    LocalsByte15 = !Bit(r[6], 1);
    After_Touch = !Bit(r[6], 2);
    Override_Midi_Channel = r[7];
    Pad_X_Type = r[8];
    Pad_Y_Type = r[9];
    position += 10;
    return true;
}

SysExBuffer CCalderLocals::Write() const
{
    SysExBuffer out;
    WriteText(out, GetRawName(), kNameWidth);
    out.PushByte(LocalsByte1);
    WriteText(out, GetRawManufacturerName(), kManufacturerWidth);
    out.PushByte(LocalsByte7);
    WriteKeyboardBlock(out, *this);
    out.PushByte(Flag(LocalsByte14 & 1, 0) | Flag(LocalsByte15 == 0, 1) | Flag(!After_Touch, 2));
    out.PushByte(Override_Midi_Channel);
    out.PushByte(static_cast<uint8_t>(Pad_X_Type));
    out.PushByte(static_cast<uint8_t>(Pad_Y_Type));
    return out;
}
