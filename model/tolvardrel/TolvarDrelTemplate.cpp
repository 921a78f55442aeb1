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
    // A whole message is kept as it came, however long it is.
    if (!IsBulkReading())
        return CEditorTemplate::Read(bytes, position);
    // A bank entry keeps only its own bytes, so it writes back what the model
    // does not hold.
    if (!RecordBytes::Fits(bytes, position, kHeaderlessSize))
        return false;
    SysExBuffer own;
    own.resize(kHeaderlessSize);
    std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(position),
              bytes.begin() + static_cast<std::ptrdiff_t>(position + kHeaderlessSize), own.data());
    size_t ownPosition = 0;
    if (!CEditorTemplate::Read(own, ownPosition))
        return false;
    position += kHeaderlessSize;
    return true;
}

SysExBuffer CTolvarDrelTemplate::Write() const
{
    const SysExBuffer& kept = GetKeptDump();
    const SysExBuffer& mask = GetLostBitMask();
    SysExBuffer fresh = SerialiseSysEx();
    if (IsBulkReading() || kept.size() <= fresh.size() || mask.size() != fresh.size())
        return CEditorTemplate::Write();
    // Read from a longer message: its first bytes are the dump, with the bits
    // the model does not hold kept; the message still ends where the dump does.
    SysExBuffer out;
    for (size_t i = 0; i + 1 < fresh.size(); ++i)
        out.PushByte(static_cast<uint8_t>((fresh[i] & ~mask[i]) | (kept[i] & mask[i])));
    out.PushByte(SysExBuffer::kEnd);
    return out;
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
