#pragma once

#include <array>
#include <cstdint>

#include "model/TemplateLocals.h"
#include "model/tolvarvesk/TolvarVeskGroups.h"

// The Tolvar Vesk's template settings: the shared fields, the unit's own
// bytes and its port and channel groups, in one 96-byte record.
class CTolvarVeskLocals : public CTemplateLocals
{
public:
    static constexpr size_t kRecordSize = 96;
    static constexpr uint8_t kControlRecordCount = 0x5A; // NUMCMN: 90 records
    static constexpr uint8_t kControlRecordSize = 0x29;  // PGCNSIZE: 41 bytes
    static const std::array<uint8_t, 16> kRowSelectDefaults;

    CTolvarVeskLocals() { CTolvarVeskLocals::Reset(); }

    void Reset() override;
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;

    uint8_t V1 = 0, V2 = 0, V3 = 0, V4 = 0;
    uint8_t NUMCMN = kControlRecordCount;
    uint8_t PGCNSIZE = kControlRecordSize;
    uint8_t V5 = 0;
    std::array<uint8_t, 10> V6{};
    std::array<uint8_t, 16> RowSelect = kRowSelectDefaults;
    uint8_t V7 = 3;
    uint8_t V8 = 5;
    CTolvarVeskGroups Groups;
    uint8_t V9 = 0;
};
