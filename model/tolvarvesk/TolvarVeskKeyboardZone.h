#pragma once

#include "model/records/RecordKeyboardZone.h"

// A zone of the Tolvar Vesk template, with channel and port groups.
class CTolvarVeskKeyboardZone : public CRecordKeyboardZone<ReadTolvarVeskZoneRecord, WriteTolvarVeskZoneRecord>
{
};
