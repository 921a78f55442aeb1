#pragma once

#include "model/records/RecordKeyboardZone.h"

// A zone of the Calder template: the Tolvar zone record.
class CCalderKeyboardZone : public CRecordKeyboardZone<ReadTolvarZoneRecord, WriteTolvarZoneRecord>
{
};
