#pragma once

#include "model/SysExSerialise.h"
#include "model/TemplateGroups.h"

// The Tolvar Vesk's port and channel groups with their 4-byte record:
//   0  own channel - 1, or 0x10 when the group uses the common channel
//   1  own ports in bits 0-4; bit 6 when the group does not use the common ports
//   2  common channel - 1
//   3  common ports in bits 0-4, bit 6 always
class CTolvarVeskGroups : public CTemplateGroups, public ISysExSerialise
{
public:
    static constexpr size_t kRecordSize = 4;

    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;
};
