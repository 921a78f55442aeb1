#include "model/tolvarvesk/TolvarVeskLocals.h"

#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace
{
constexpr size_t kNameWidth = 35;
constexpr size_t kManufacturerWidth = 13;
} // namespace

const std::array<uint8_t, 16> CTolvarVeskLocals::kRowSelectDefaults = {
    0x00, 0x19, 0x00, 0x01, 0x00, 0x21, 0x00, 0x09, 0x00, 0x39, 0x00, 0x11, 0x00, 0x29, 0x00, 0x31};

void CTolvarVeskLocals::Reset()
{
    CTemplateLocals::Reset();
    V1 = V2 = V3 = V4 = 0;
    NUMCMN = kControlRecordCount;
    PGCNSIZE = kControlRecordSize;
    V5 = 0;
    V6.fill(0);
    RowSelect = kRowSelectDefaults;
    V7 = 3;
    V8 = 5;
    Groups.GetGroups().Reset();
    V9 = 0;
}

bool CTolvarVeskLocals::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!Fits(bytes, position, kRecordSize))
        return false;
    SetName(ReadText(bytes, position, kNameWidth));
    SetManufacturerName(ReadText(bytes, position, kManufacturerWidth));
    const uint8_t* r = bytes.data() + position;
    LocalsByte1 = r[0];
    V1 = r[1];
    V2 = r[2];
    V3 = r[3];
    Pathlore_Template = V3 != 0;
    LocalsByte21 = r[4];
    LocalsByte22 = r[5];
    V4 = r[6];
    NUMCMN = r[7];
    PGCNSIZE = r[8];
    V5 = r[9];
    std::copy(r + 10, r + 20, V6.begin());
    std::copy(r + 20, r + 36, RowSelect.begin());
    V7 = r[36];
    V8 = r[37];
    position += 38;
    Groups.Read(bytes, position);
    r = bytes.data() + position;
    LocalsByte3 = r[0];
    LocalsByte4 = r[1];
    Velocity_Curve = r[2];
    Octave_Setting = r[3];
    LocalsByte13 = Bit(r[4], 0);
    LocalsByte14 = Bit(r[4], 1);
    After_Touch = !Bit(r[4], 2);
    V9 = r[5];
    position += 6;
    return true;
}

SysExBuffer CTolvarVeskLocals::Write() const
{
    SysExBuffer out;
    WriteText(out, GetRawName(), kNameWidth);
    WriteText(out, GetRawManufacturerName(), kManufacturerWidth);
    out.PushByte(LocalsByte1);
    out.PushByte(V1);
    out.PushByte(V2);
    out.PushByte(V3);
    // Group pages travel only when there are at least two; else both bytes are 0.
    const bool pages = LocalsByte21 >= 2;
    out.PushByte(pages ? LocalsByte21 : 0);
    out.PushByte(pages ? LocalsByte22 : 0);
    out.PushByte(V4);
    out.PushByte(NUMCMN);
    out.PushByte(PGCNSIZE);
    out.PushByte(V5);
    for (uint8_t b : V6)
        out.PushByte(b);
    for (uint8_t b : RowSelect)
        out.PushByte(b);
    out.PushByte(V7);
    out.PushByte(V8);
    out.Append(Groups.Write());
    out.PushByte(LocalsByte3);
    out.PushByte(LocalsByte4);
    out.PushByte(Velocity_Curve);
    out.PushByte(Octave_Setting);
    out.PushByte(Flag(LocalsByte13 & 1, 0) | Flag(LocalsByte14 & 1, 1) | Flag(!After_Touch, 2));
    out.PushByte(V9);
    return out;
}
