#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "model/SysExBuffer.h"

class CBaseControlState;

// The order in which a dump carries its control records: for each record the
// state it belongs to (the template's state number) and whether it is written
// in the continuous or the button layout.
struct RecordSlot
{
    int state;
    bool continuous;
};

using RecordOrder = std::vector<RecordSlot>;

// Slots for states first..last, in that order, all of one layout.
void AddSlots(RecordOrder& order, int first, int last, bool continuous);
// One slot per listed state, all of one layout.
void AddSlots(RecordOrder& order, std::initializer_list<int> states, bool continuous);

using ReadRecordFn = bool (*)(CBaseControlState&, const SysExBuffer&, size_t&, bool);
using WriteRecordFn = SysExBuffer (*)(const CBaseControlState&, bool);

// Reads every record in order; a record's result is not tested, as the dump
// size was checked before.
void ReadRecords(std::vector<CBaseControlState>& states, const RecordOrder& order, ReadRecordFn read,
                 const SysExBuffer& bytes, size_t& position);
void WriteRecords(SysExBuffer& out, const std::vector<CBaseControlState>& states, const RecordOrder& order,
                  WriteRecordFn write);
