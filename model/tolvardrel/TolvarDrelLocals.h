#pragma once

#include "model/TemplateLocals.h"

// The Tolvar Drel's template settings: the shared fields and the raw port
// selector, in a 24-byte record.
class CTolvarDrelLocals : public CTemplateLocals
{
public:
    static constexpr size_t kRecordSize = 24;

    CTolvarDrelLocals() { CTolvarDrelLocals::Reset(); }
    void Reset() override;
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;

    // 0 USB only, 1 MIDI port 1 only, 2 or 3 both; other values leave the
    // port settings as they were.
    uint8_t PortSelector = 0;
};
