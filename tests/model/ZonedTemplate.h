#pragma once

#include "model/dorvasynth/DorvaSynthTemplate.h"

// A DorvaSynth template with a keyboard-zones switch (the unit has none), for
// the zone commands and the views of devices that have zones.
class ZonedTemplate : public CDorvaSynthTemplate
{
public:
    bool GetZonesEnabled() const override { return m_zones; }
    void SetZonesEnabled(bool enabled) override { m_zones = enabled; }

private:
    bool m_zones = false;
};
