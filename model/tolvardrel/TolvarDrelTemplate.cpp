#include "model/tolvardrel/TolvarDrelTemplate.h"

#include <algorithm>

#include "model/BulkReading.h"
#include "model/records/ControlRecords.h"
#include "model/records/RecordBytes.h"
#include "model/records/RecordOrder.h"

namespace
{
const RecordOrder& Order()
{
    static const RecordOrder order = [] {
        RecordOrder o;
        AddSlots(o, 0, 17, true);
        AddSlots(o, 18, 35, false);
        AddSlots(o, {38, 37, 36, 39, 40, 41}, false);
        AddSlots(o, 42, 47, true);
        AddSlots(o, 48, 48, false);
        return o;
    }();
    return order;
}
} // namespace

CTolvarDrelTemplate::CTolvarDrelTemplate() : CModelTemplate(kLastControlIndex + 1)
{
    ResetToDefaults();
}

bool CTolvarDrelTemplate::IsContinuousPlace(int index) const
{
    return (index >= 0 && index <= 17) || (index >= 42 && index <= 47);
}

bool CTolvarDrelTemplate::IsButtonPlace(int index) const
{
    return (index >= 18 && index <= 41) || index == 48;
}

bool CTolvarDrelTemplate::Read(const SysExBuffer& bytes, size_t& position)
{
    const bool bulk = IsBulkReading();
    const size_t size = bulk ? kHeaderlessSize : static_cast<size_t>(kSysExSize);
    if ((!bulk && position != 0) || !RecordBytes::Fits(bytes, position, size))
        return false;
    SysExBuffer own;
    own.resize(size);
    std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(position),
              bytes.begin() + static_cast<std::ptrdiff_t>(position + size), own.data());
    size_t ownPosition = 0;
    if (!CEditorTemplate::Read(own, ownPosition))
        return false;
    position += size;
    return true;
}

void CTolvarDrelTemplate::ResetToDefaults()
{
    m_header = CTolvarDrelSysExHeader();
    ResetCommonParts();
}

bool CTolvarDrelTemplate::ParseSysEx(const SysExBuffer& bytes, size_t& position)
{
    if (IsBulkReading())
    {
        // A header-less bank entry: everything it needs must be there.
        if (!RecordBytes::Fits(bytes, position, kHeaderlessSize))
            return false;
    }
    else if (position != 0 || bytes.size() < static_cast<size_t>(kSysExSize) || !m_header.Read(bytes, position))
    {
        return false;
    }
    m_locals.Read(bytes, position);
    ReadRecords(m_controls, Order(), ControlRecords::ReadTolvarDrel, bytes, position);
    if (!IsBulkReading())
        ++position; // F7, not tested
    return true;
}

SysExBuffer CTolvarDrelTemplate::SerialiseSysEx() const
{
    SysExBuffer out;
    if (!IsBulkReading())
        out = m_header.Write();
    out.Append(m_locals.Write());
    WriteRecords(out, m_controls, Order(), ControlRecords::WriteTolvarDrel);
    if (!IsBulkReading())
        out.PushByte(SysExBuffer::kEnd);
    return out;
}
