#pragma once

#include "model/TemplateLocals.h"

// The Tolvar's template settings: the shared fields in a 41-byte record.
class CTolvarLocals : public CTemplateLocals
{
public:
    static constexpr size_t kRecordSize = 41;

    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;
};
