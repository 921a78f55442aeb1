#include "model/tolvarvesk/TolvarVeskGroups.h"

#include "model/records/RecordBytes.h"

using namespace RecordBytes;

namespace
{
uint8_t PortBits(const PortChannelSet& set)
{
    return Flag(set.midiPort1, 0) | Flag(set.midiPort2, 1) | Flag(set.usbPort, 2) | Flag(set.usbPort2, 3) |
           Flag(set.usbPort3, 4);
}

void ReadPortBits(PortChannelSet& set, uint8_t byte)
{
    set.midiPort1 = Bit(byte, 0);
    set.midiPort2 = Bit(byte, 1);
    set.usbPort = Bit(byte, 2);
    set.usbPort2 = Bit(byte, 3);
    set.usbPort3 = Bit(byte, 4);
}
} // namespace

bool CTolvarVeskGroups::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!Fits(bytes, position, kRecordSize))
        return false;
    const uint8_t* r = bytes.data() + position;
    m_groups.own.channel = static_cast<uint8_t>((r[0] & 0x0F) + 1);
    m_groups.As_Common_Channel = Bit(r[0], 4);
    ReadPortBits(m_groups.own, r[1]);
    m_groups.As_Common_Ports = !Bit(r[1], 6);
    m_groups.common.channel = static_cast<uint8_t>(r[2] + 1);
    ReadPortBits(m_groups.common, r[3]);
    position += kRecordSize;
    return true;
}

SysExBuffer CTolvarVeskGroups::Write() const
{
    SysExBuffer out;
    out.PushByte(m_groups.As_Common_Channel ? 0x10 : static_cast<uint8_t>(m_groups.own.channel - 1));
    out.PushByte(PortBits(m_groups.own) | Flag(!m_groups.As_Common_Ports, 6));
    out.PushByte(static_cast<uint8_t>(m_groups.common.channel - 1));
    out.PushByte(PortBits(m_groups.common) | 0x40);
    return out;
}
