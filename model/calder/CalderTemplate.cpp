#include "model/calder/CalderTemplate.h"

#include "model/records/ControlRecords.h"
#include "model/records/RecordOrder.h"

namespace
{
constexpr size_t kSkippedBytes = 166;

const RecordOrder& Order()
{
    static const RecordOrder order = [] {
        const bool c = true;
        const bool b = false;
        RecordOrder o;
        AddSlots(o, 0, 0, c);
        AddSlots(o, 93, 93, b);
        AddSlots(o, 1, 7, c);
        AddSlots(o, 94, 94, b);
        AddSlots(o, 8, 9, c);
        AddSlots(o, 95, 95, b);
        AddSlots(o, 10, 16, c);
        AddSlots(o, 96, 96, b);
        AddSlots(o, 17, 18, c);
        AddSlots(o, 97, 97, b);
        AddSlots(o, 19, 25, c);
        AddSlots(o, 98, 98, b);
        AddSlots(o, 26, 27, c);
        AddSlots(o, 99, 99, b);
        AddSlots(o, 28, 34, c);
        AddSlots(o, 100, 100, b);
        AddSlots(o, 35, 36, c);
        AddSlots(o, 101, 101, b);
        AddSlots(o, 37, 43, c);
        AddSlots(o, 102, 102, b);
        AddSlots(o, 44, 45, c);
        AddSlots(o, 103, 103, b);
        AddSlots(o, 46, 51, c);
        AddSlots(o, 104, 106, b);
        AddSlots(o, 52, 57, c);
        AddSlots(o, 107, 109, b);
        AddSlots(o, 58, 59, c);
        AddSlots(o, 110, 111, b);
        AddSlots(o, 60, 61, c);
        AddSlots(o, 112, 113, b);
        AddSlots(o, 62, 63, c);
        AddSlots(o, 114, 115, b);
        AddSlots(o, 64, 71, c);
        AddSlots(o, 116, 124, b);
        AddSlots(o, 72, 79, c);
        AddSlots(o, 125, 133, b);
        AddSlots(o, 80, 80, c);
        AddSlots(o, 134, 135, b);
        AddSlots(o, 81, 81, c);
        AddSlots(o, 136, 137, b);
        AddSlots(o, 82, 82, c);
        AddSlots(o, 138, 139, b);
        AddSlots(o, 83, 83, c);
        AddSlots(o, 140, 141, b);
        AddSlots(o, 84, 84, c);
        AddSlots(o, 142, 142, b);
        AddSlots(o, 85, 85, c);
        AddSlots(o, 143, 143, b);
        AddSlots(o, {86, 87, 88, 89, 91, 90, 92}, c);
        AddSlots(o, 144, 148, b);
        AddSlots(o, CCalderTemplate::kIndexedControls, CCalderTemplate::kIndexedControls, b);
        return o;
    }();
    return order;
}
} // namespace

CCalderTemplate::CCalderTemplate() : CZonedTemplate(kIndexedControls + 1)
{
    ResetToDefaults();
}

void CCalderTemplate::ResetToDefaults()
{
    m_header = CSysExHeader(0x00);
    ResetCommonParts();
    m_audio.Reset();
    m_effects1.Reset();
    m_effects2.Reset();
    m_templateByte = 0;
    ResetZones();
}

bool CCalderTemplate::ParseSysEx(const SysExBuffer& bytes, size_t& position)
{
    if (bytes.size() != static_cast<size_t>(kSysExSize) || position != 0)
        return false;
    if (!m_header.Read(bytes, position) || !m_locals.Read(bytes, position) || !m_audio.Read(bytes, position) ||
        !m_effects1.Read(bytes, position) || !m_effects2.Read(bytes, position))
        return false;
    m_templateByte = bytes[position++];
    ReadZonesEnabled(bytes[position++]);
    ReadZones(bytes, position);
    position += kSkippedBytes;
    ReadRecords(m_controls, Order(), ControlRecords::ReadCalder, bytes, position);
    ReadTrailingValues(bytes, position);
    ++position; // F7, not tested
    SetInitialised(true);
    return true;
}

SysExBuffer CCalderTemplate::SerialiseSysEx() const
{
    SysExBuffer out = m_header.Write();
    out.Append(m_locals.Write());
    out.Append(m_audio.Write());
    out.Append(m_effects1.Write());
    out.Append(m_effects2.Write());
    out.PushByte(m_templateByte);
    out.PushByte(ZonesEnabledBit());
    WriteZones(out);
    out.AppendZeros(kSkippedBytes);
    WriteRecords(out, m_controls, Order(), ControlRecords::WriteCalder);
    WriteTrailingValues(out);
    out.PushByte(SysExBuffer::kEnd);
    return out;
}
