#pragma once

#include "model/OSVersion.h"
#include "model/SysExBuffer.h"

class CSysExHeader;

// Reading what a unit tells about itself in the header of what it sends.
namespace DeviceReply
{
// The OS version in header bytes 9 and 10.
OSVersion GetOSVersion(const CSysExHeader& header);
// The same from the first bytes of a message; 0.0.00 when it does not hold
// both as data bytes (too short, or byte 10 is its closing F7).
OSVersion GetOSVersion(const SysExBuffer& message);
} // namespace DeviceReply
