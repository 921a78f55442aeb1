#include "model/records/RecordOrder.h"

#include "model/ControlState.h"

void AddSlots(RecordOrder& order, int first, int last, bool continuous)
{
    for (int state = first; state <= last; ++state)
        order.push_back({state, continuous});
}

void AddSlots(RecordOrder& order, std::initializer_list<int> states, bool continuous)
{
    for (int state : states)
        order.push_back({state, continuous});
}

void ReadRecords(std::vector<CBaseControlState>& states, const RecordOrder& order, ReadRecordFn read,
                 const SysExBuffer& bytes, size_t& position)
{
    for (const RecordSlot& slot : order)
        (void)read(states.at(slot.state), bytes, position, slot.continuous);
}

void WriteRecords(SysExBuffer& out, const std::vector<CBaseControlState>& states, const RecordOrder& order,
                  WriteRecordFn write)
{
    for (const RecordSlot& slot : order)
        out.Append(write(states.at(slot.state), slot.continuous));
}
