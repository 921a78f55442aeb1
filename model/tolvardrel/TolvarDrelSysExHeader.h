#pragma once

#include "model/SysExHeader.h"

// The Tolvar Drel's short header: only F0 00 6A 3C 02 04 travel; the other
// bytes keep the values they were made with.
class CTolvarDrelSysExHeader : public CSysExHeader
{
public:
    static constexpr uint8_t kType = 0x04;
    static constexpr size_t kShortSize = 6;

    CTolvarDrelSysExHeader() : CSysExHeader(kType) {}
    bool Read(const SysExBuffer& bytes, size_t& position) override
    {
        return ReadFirst(kShortSize, bytes, position);
    }
    SysExBuffer Write() const override { return WriteFirst(kShortSize); }
    bool IsValid() const override { return IsMakerGroupAndType(kType); }
};
