#pragma once

#include "model/KeyboardZone.h"
#include "model/SysExSerialise.h"
#include "model/records/ZoneRecords.h"

// A keyboard zone that reads and writes itself with one of the zone record
// codecs. Read takes one 10-byte record and moves the position by exactly 10.
template <void (*ReadRecord)(CKeyboardZone&, const uint8_t*), SysExBuffer (*WriteRecord)(const CKeyboardZone&)>
class CRecordKeyboardZone : public CKeyboardZone, public ISysExSerialise
{
public:
    bool Read(const SysExBuffer& bytes, size_t& position) override
    {
        if (position > bytes.size() || bytes.size() - position < kZoneRecordSize)
            return false;
        ReadRecord(*this, bytes.data() + position);
        position += kZoneRecordSize;
        return true;
    }
    SysExBuffer Write() const override { return WriteRecord(*this); }
};
