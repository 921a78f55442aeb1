#include "model/ControlState.h"
#include "model/records/ControlRecords.h"
#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace ControlRecords
{
namespace
{
constexpr int kSysExBytes = 21; // SysExDef bytes 0-2 and message bytes 1-18
} // namespace

SysExBuffer WriteCalder(const CBaseControlState& s, bool continuous)
{
    const bool mmc = s.GetType() == ControlMessageType::MMC;
    SysExBuffer out;
    WriteName(out, s.GetName(), 16);
    out.PushByte(static_cast<uint8_t>(s.GetType()));
    out.PushByte(static_cast<uint8_t>(!continuous && mmc ? s.GetMMCControlType() : s.GetOffValue()));
    out.PushByte(static_cast<uint8_t>(!continuous && s.GetType() == ControlMessageType::NoteOn ? 0 : s.GetOnValue()));
    out.PushByte(WriteRouting(s, continuous));
    out.PushByte(WriteBehaviour(s, continuous));
    out.PushByte(WriteMode(s));
    out.PushByte(s.GetMIDIControlMSBNum());
    out.PushByte(s.GetMIDIControlLSBNum());
    out.PushByte(ChannelByte(s));
    out.PushByte(static_cast<uint8_t>(mmc ? s.GetMMCControlType() : s.GetSnapshotValue()));
    WriteSysExBytes(out, s.GetSysExData(), kSysExBytes);
    out.PushByte(continuous ? 0 : static_cast<uint8_t>(s.GetMultiStep() - 1));
    out.AppendZeros(4);
    return out;
}

bool ReadCalder(CBaseControlState& s, const SysExBuffer& bytes, size_t& index, bool continuous)
{
    if (!Fits(bytes, index, kCalderSize))
        return false;
    const uint8_t* r = bytes.data() + index;
    ReadName(s, r, 16);
    ReadType(s, r[16]);
    s.SetOffValue(r[17], false);
    s.SetOnValue(r[18], false);
    ReadRouting(s, r[19], continuous);
    ReadBehaviour(s, r[20], continuous);
    ReadMode(s, r[21]);
    s.SetMIDIControlMSBNum(r[22]);
    s.SetMIDIControlLSBNum(r[23]);
    ReadChannelByte(s, r[24]);
    if (s.GetType() == ControlMessageType::MMC)
        s.SetMMCControlType(r[25]);
    else
        s.SetSnapshotValue(r[25]);
    ReadSysExBytes(s, r + 26, kSysExBytes);
    if (!continuous)
        s.SetMultiStep(static_cast<uint8_t>(r[47] + 1));
    index += kCalderSize;
    return true;
}
} // namespace ControlRecords
