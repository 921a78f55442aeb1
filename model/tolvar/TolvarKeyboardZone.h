#pragma once

#include "model/records/RecordKeyboardZone.h"

// A zone of the Tolvar template (Tolvar zone record).
class CTolvarKeyboardZone : public CRecordKeyboardZone<ReadTolvarZoneRecord, WriteTolvarZoneRecord>
{
};
