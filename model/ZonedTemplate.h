#pragma once

#include <array>

#include "model/ModelTemplate.h"
#include "model/SysExBuffer.h"

// The part shared by the templates with keyboard zones: four zones of the
// model's zone class and the zones-enabled flag, which travels as bit 0 of a
// flags byte of the dump.
template <class Zone>
class CZonedTemplate : public CModelTemplate
{
public:
    static constexpr int kZoneCount = 4;

    bool GetZonesEnabled() const override { return m_zonesEnabled; }
    void SetZonesEnabled(bool enabled) override { m_zonesEnabled = enabled; }
    using CEditorTemplate::GetKeyboardZone;
    CKeyboardZone* GetKeyboardZone(int zone) override
    {
        return zone >= 0 && zone < kZoneCount ? &m_zones[zone] : nullptr;
    }

protected:
    explicit CZonedTemplate(int states) : CModelTemplate(states) {}

    // Zones off; zone 0 plays with the ports on, the others are silent.
    void ResetZones()
    {
        m_zonesEnabled = false;
        m_zones[0].Reset(true);
        for (int i = 1; i < kZoneCount; ++i)
            m_zones[i].Reset(false);
    }
    void ReadZonesEnabled(uint8_t flags) { m_zonesEnabled = flags & 1; }
    uint8_t ZonesEnabledBit() const { return m_zonesEnabled ? 1 : 0; }
    // The four 10-byte records; the dump size was checked before.
    void ReadZones(const SysExBuffer& bytes, size_t& position)
    {
        for (Zone& zone : m_zones)
            zone.Read(bytes, position);
    }
    void WriteZones(SysExBuffer& out) const
    {
        for (const Zone& zone : m_zones)
            out.Append(zone.Write());
    }

private:
    bool m_zonesEnabled = false;
    std::array<Zone, kZoneCount> m_zones;
};
