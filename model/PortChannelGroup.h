#pragma once

#include <cstdint>

// The channel-and-port sets of a template with port groups: the group's own
// set, the common set, and whether the group uses the common channel and the
// common ports. Channels are 1-based. Fourteen bytes, in this order.
struct PortChannelSet
{
    uint8_t channel = 1;
    uint8_t midiPort1 = 1;
    uint8_t midiPort2 = 1;
    uint8_t usbPort = 1;
    uint8_t usbPort2 = 0;
    uint8_t usbPort3 = 0;

    bool operator==(const PortChannelSet& o) const
    {
        return channel == o.channel && midiPort1 == o.midiPort1 && midiPort2 == o.midiPort2 &&
               usbPort == o.usbPort && usbPort2 == o.usbPort2 && usbPort3 == o.usbPort3;
    }
    bool operator!=(const PortChannelSet& o) const { return !(*this == o); }
};

struct PortChannelGroup
{
    PortChannelSet own;
    PortChannelSet common;
    uint8_t As_Common_Channel = 0;
    uint8_t As_Common_Ports = 0;

    void Reset() { *this = PortChannelGroup(); }

    // The effective values: the common set's where the group follows it.
    int GetChannel() const { return As_Common_Channel ? common.channel : own.channel; }
    bool GetMidiPort1() const { return Effective().midiPort1 != 0; }
    bool GetMidiPort2() const { return Effective().midiPort2 != 0; }
    bool GetUsbPort() const { return Effective().usbPort != 0; }
    bool GetUsbPort2() const { return Effective().usbPort2 != 0; }
    bool GetUsbPort3() const { return Effective().usbPort3 != 0; }

    bool operator==(const PortChannelGroup& o) const
    {
        return own == o.own && common == o.common && As_Common_Channel == o.As_Common_Channel &&
               As_Common_Ports == o.As_Common_Ports;
    }
    bool operator!=(const PortChannelGroup& o) const { return !(*this == o); }

private:
    const PortChannelSet& Effective() const { return As_Common_Ports ? common : own; }
};
