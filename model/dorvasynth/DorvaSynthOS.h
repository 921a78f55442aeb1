#pragma once

#include "model/DeviceOS.h"

// The DorvaSynth's OS image. The first message carries the version in the
// place of a template header's OS bytes.
class CDorvaSynthOS : public CDeviceOS
{
public:
    // At least one message; loading already stopped at the first bad one.
    bool IsValid() const override { return GetCount() > 0; }
    // 0.0.00 for an empty image or a first message too short to carry it.
    OSVersion GetVersion() const override;
};
