#pragma once

#include "model/TemplateLocals.h"

// The Calder's template settings: the shared fields in a 40-byte record.
class CCalderLocals : public CTemplateLocals
{
public:
    static constexpr size_t kRecordSize = 40;

    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;
};
