#pragma once

#include <cstdint>

#include "model/TemplateLocals.h"

// The DorvaSynth's template settings: the shared fields plus seven bytes that
// only the dump carries (D1-D7), kept so they are written back as read.
class CDorvaSynthLocals : public CTemplateLocals
{
public:
    static constexpr size_t kRecordSize = 37;

    CDorvaSynthLocals() { CDorvaSynthLocals::Reset(); }

    void Reset() override;
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;

    uint8_t D1 = 0;
    uint8_t D2 = 0;
    uint8_t D3 = 0; // must be 0; the after-load repair clears it
    uint8_t D4 = 0;
    uint8_t D5 = 0;
    uint8_t D6 = 0;
    uint8_t D7 = 0;
};
