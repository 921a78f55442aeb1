#pragma once

#include <cstdint>

#include "model/SysExBuffer.h"

class CKeyboardZone;

// The 10-byte keyboard zone records of the dumps. Readers take a pointer to
// the record's first byte and do no length check: the template has checked
// the size of the whole dump first. Readers set only the fields their record
// carries.
constexpr size_t kZoneRecordSize = 10;

// Tolvar and Calder.
void ReadTolvarZoneRecord(CKeyboardZone& zone, const uint8_t* record);
SysExBuffer WriteTolvarZoneRecord(const CKeyboardZone& zone);

// Tolvar Vesk: carries channel and port groups and five ports.
void ReadTolvarVeskZoneRecord(CKeyboardZone& zone, const uint8_t* record);
SysExBuffer WriteTolvarVeskZoneRecord(const CKeyboardZone& zone);
