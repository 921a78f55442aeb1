#include "model/tolvardrel/TolvarDrelLocals.h"

#include "model/records/ControlRecords.h"
#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace
{
constexpr size_t kNameWidth = 16;
} // namespace

void CTolvarDrelLocals::Reset()
{
    CTemplateLocals::Reset();
    PortSelector = 0;
}

bool CTolvarDrelLocals::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!Fits(bytes, position, kRecordSize))
        return false;
    SetName(ReadText(bytes, position, kNameWidth));
    const uint8_t* r = bytes.data() + position;
    Velocity_Curve = r[0];
    Override_Midi_Channel = r[1];
    Keybaord_Midi_Channel = r[2];
    PortSelector = r[3];
    ControlRecords::ReadTolvarDrelPortSelector(PortSelector, Enable_USB_Port, Enable_Midi_Port_1);
    Pad_X_Type = r[4];
    Pad_Y_Type = r[5];
    Octave_Setting = r[6];
    position += 8;
    return true;
}

SysExBuffer CTolvarDrelLocals::Write() const
{
    SysExBuffer out;
    WriteText(out, GetRawName(), kNameWidth);
    out.PushByte(Velocity_Curve);
    out.PushByte(Override_Midi_Channel);
    out.PushByte(Keybaord_Midi_Channel);
    out.PushByte(ControlRecords::TolvarDrelPortSelector(Enable_USB_Port, Enable_Midi_Port_1, PortSelector));
    out.PushByte(static_cast<uint8_t>(Pad_X_Type));
    out.PushByte(static_cast<uint8_t>(Pad_Y_Type));
    out.PushByte(Octave_Setting);
    out.PushByte(0);
    return out;
}
