#include "model/ControlState.h"
#include "model/records/ControlRecords.h"
#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace ControlRecords
{
namespace
{
constexpr int kSysExBytes = 21; // bytes 22-42: SysExDef bytes 0-2 and message bytes 1-18
} // namespace

SysExBuffer WriteTolvar(const CBaseControlState& s, bool continuous)
{
    const int type = s.GetType();
    const bool mmc = type == ControlMessageType::MMC;
    SysExBuffer out;
    WriteName(out, s.GetName(), 16);
    out.PushByte(static_cast<uint8_t>(mmc ? s.GetMMCControlType() : s.GetOffValue()));
    out.PushByte(static_cast<uint8_t>(type == ControlMessageType::NoteOn ? 0 : s.GetOnValue()));
    out.PushByte(static_cast<uint8_t>(type));
    out.PushByte(WriteRouting(s, continuous));
    out.PushByte(WriteBehaviour(s, continuous));
    out.PushByte(static_cast<uint8_t>(mmc ? s.GetMMCControlType() : s.GetSnapshotValue()));
    if (type == ControlMessageType::SysEx)
    {
        WriteSysExBytes(out, s.GetSysExData(), kSysExBytes);
    }
    else if (mmc)
    {
        out.PushByte(s.GetMIDIControlMSBNum());
        out.PushByte(s.GetMIDIControlLSBNum());
        out.PushByte(s.GetChannelHighNibble());
        out.PushByte(0);
        out.PushByte(static_cast<uint8_t>(s.GetMIDIChannelOrMMCDeviceNum()));
        out.AppendZeros(16);
    }
    else
    {
        out.PushByte(s.GetMIDIControlMSBNum());
        out.PushByte(s.GetMIDIControlLSBNum());
        out.PushByte(ChannelByte(s));
        out.AppendZeros(18);
    }
    out.PushByte(WriteTolvarMode(s));
    return out;
}

bool ReadTolvar(CBaseControlState& s, const SysExBuffer& bytes, size_t& index, bool continuous)
{
    if (!Fits(bytes, index, kTolvarSize))
        return false;
    const uint8_t* r = bytes.data() + index;
    ReadName(s, r, 16);
    s.SetOffValue(r[16], false);
    s.SetOnValue(r[17], false);
    ReadType(s, r[18]);
    ReadRouting(s, r[19], continuous);
    ReadBehaviour(s, r[20], continuous);
    const int type = s.GetType();
    if (type == ControlMessageType::MMC)
        s.SetMMCControlType(r[21]);
    else
        s.SetSnapshotValue(r[21]);

    const uint8_t* rest = r + 22;
    if (type == ControlMessageType::SysEx)
    {
        s.SetMIDIControlMSBNum(0);
        s.SetMIDIControlLSBNum(0);
        ReadSysExBytes(s, rest, kSysExBytes);
    }
    else
    {
        s.SetMIDIControlMSBNum(rest[0]);
        s.SetMIDIControlLSBNum(rest[1]);
    }
    // Every type, SysEx included, takes the high nibble from the third byte.
    s.SetChannelHighNibble(rest[2] & 0xF0);
    if (type == ControlMessageType::MMC)
        s.SetMIDIChannelOrMMCDeviceNum(rest[4]);
    else
        s.SetMIDIChannelOrMMCDeviceNum((rest[2] & 0x0F) + 1);
    ReadTolvarMode(s, r[43]);
    index += kTolvarSize;
    return true;
}
} // namespace ControlRecords
