#include "model/records/ZoneRecords.h"

#include "model/KeyboardZone.h"

namespace
{
uint8_t Bit(bool on, int bit)
{
    return on ? static_cast<uint8_t>(1u << bit) : 0;
}

bool Has(uint8_t byte, int bit)
{
    return (byte >> bit) & 1;
}

// Shared tail of both records: pitch bend, modulation wheel, aftertouch.
uint8_t SwitchesByte(const CKeyboardZone& zone)
{
    return Bit(zone.GetPitchBend(), 0) | Bit(zone.GetModWheel(), 1) | Bit(zone.GetAftertouch(), 2);
}

void ReadSwitches(CKeyboardZone& zone, uint8_t byte)
{
    zone.SetPitchBend(Has(byte, 0));
    zone.SetModWheel(Has(byte, 1));
    zone.SetAftertouch(Has(byte, 2));
}

} // namespace

void ReadTolvarZoneRecord(CKeyboardZone& zone, const uint8_t* r)
{
    zone.SetChannel(r[0] & 0x0F);
    zone.SetUsbPort(Has(r[0], 4));
    zone.SetMidiPort1(Has(r[0], 5));
    zone.SetMidiPort2(Has(r[0], 6));
    zone.SetVelocityOffset(r[1]);
    zone.SetNoteRange(r[2], r[3]);
    zone.SetTranspose(r[4]);
    ReadSwitches(zone, r[5]);
}

SysExBuffer WriteTolvarZoneRecord(const CKeyboardZone& zone)
{
    SysExBuffer out;
    out.PushByte(static_cast<uint8_t>((zone.GetChannel() & 0x0F) | Bit(zone.GetUsbPort(), 4) |
                                      Bit(zone.GetMidiPort1(), 5) | Bit(zone.GetMidiPort2(), 6)));
    out.PushByte(static_cast<uint8_t>(zone.GetVelocityOffset()));
    out.PushByte(static_cast<uint8_t>(zone.GetLowNote()));
    out.PushByte(static_cast<uint8_t>(zone.GetHighNote()));
    out.PushByte(static_cast<uint8_t>(zone.GetTranspose()));
    out.PushByte(SwitchesByte(zone));
    out.AppendZeros(4);
    return out;
}

void ReadTolvarVeskZoneRecord(CKeyboardZone& zone, const uint8_t* r)
{
    if (r[0] == 0x00)
        zone.SetChannelGroup(CKeyboardZone::CommonGroup);
    else if (r[0] == 0x20)
        zone.SetChannelGroup(CKeyboardZone::KeyboardGroup);
    else
        zone.SetChannelGroup(CKeyboardZone::OwnGroup);
    zone.SetChannel(r[0] & 0x0F);

    zone.SetMidiPort1(Has(r[1], 0));
    zone.SetMidiPort2(Has(r[1], 1));
    zone.SetUsbPort(Has(r[1], 2));
    zone.SetUsbPort2(Has(r[1], 3));
    zone.SetUsbPort3(Has(r[1], 4));
    if (Has(r[1], 5))
        zone.SetPortGroup(CKeyboardZone::KeyboardGroup);
    else if (Has(r[1], 6))
        zone.SetPortGroup(CKeyboardZone::OwnGroup);
    else
        zone.SetPortGroup(CKeyboardZone::CommonGroup);

    zone.SetVelocityOffset(r[2]);
    zone.SetNoteRange(r[3], r[4]);
    zone.SetTranspose(r[5]);
    ReadSwitches(zone, r[6]);
}

SysExBuffer WriteTolvarVeskZoneRecord(const CKeyboardZone& zone)
{
    SysExBuffer out;
    switch (zone.GetChannelGroup())
    {
    case CKeyboardZone::CommonGroup:
        out.PushByte(0x00);
        break;
    case CKeyboardZone::KeyboardGroup:
        out.PushByte(0x20);
        break;
    default:
        out.PushByte(static_cast<uint8_t>(0x40 + (zone.GetChannel() & 0x0F)));
        break;
    }
    uint8_t ports = Bit(zone.GetMidiPort1(), 0) | Bit(zone.GetMidiPort2(), 1) | Bit(zone.GetUsbPort(), 2) |
                    Bit(zone.GetUsbPort2(), 3) | Bit(zone.GetUsbPort3(), 4);
    if (zone.GetPortGroup() == CKeyboardZone::OwnGroup)
        ports |= 0x40;
    else if (zone.GetPortGroup() == CKeyboardZone::KeyboardGroup)
        ports |= 0x20;
    out.PushByte(ports);
    out.PushByte(static_cast<uint8_t>(zone.GetVelocityOffset()));
    out.PushByte(static_cast<uint8_t>(zone.GetLowNote()));
    out.PushByte(static_cast<uint8_t>(zone.GetHighNote()));
    out.PushByte(static_cast<uint8_t>(zone.GetTranspose()));
    out.PushByte(SwitchesByte(zone));
    out.AppendZeros(3);
    return out;
}
