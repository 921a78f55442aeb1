#pragma once

#include "model/SysExHeader.h"

// The DorvaSynth's header, type 05. Byte 6 is not checked: the unit does not
// insist on it.
class CDorvaSynthSysExHeader : public CSysExHeader
{
public:
    static constexpr uint8_t kType = 0x05;

    CDorvaSynthSysExHeader() : CSysExHeader(kType) {}
    bool IsValid() const override { return IsMakerGroupAndType(kType); }
};
