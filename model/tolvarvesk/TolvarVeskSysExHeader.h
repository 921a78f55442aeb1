#pragma once

#include "model/SysExHeader.h"

// The Tolvar Vesk's header: the common check, so types 00 and 03 both pass;
// the template checks for 03 itself.
class CTolvarVeskSysExHeader : public CSysExHeader
{
public:
    static constexpr uint8_t kType = 0x03;

    explicit CTolvarVeskSysExHeader(uint8_t type = kType) : CSysExHeader(type) {}
};
