#pragma once

#include "model/OSVersion.h"
#include "model/SysExMetaStream.h"

// An OS image for a unit: its SysEx messages, sent one by one, and the
// version they install.
class CDeviceOS : public CSysExMetaStream
{
public:
    virtual OSVersion GetVersion() const = 0;
};
