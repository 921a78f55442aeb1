#include "model/tolvar/TolvarTemplate.h"

#include "model/records/ControlRecords.h"
#include "model/records/RecordOrder.h"

namespace
{
constexpr int kStepButtons = 30; // buttons 31-60, in index order
constexpr size_t kOlderLayoutFirst = 52;
constexpr size_t kOlderLayoutLast = 122;
constexpr size_t kOlderLayoutShift = 3;
constexpr size_t kMarkerAndZeros = 19;

const RecordOrder& Order()
{
    static const RecordOrder order = [] {
        RecordOrder o;
        AddSlots(o, 0, 23, true);
        AddSlots(o, 31, 54, false);
        AddSlots(o, 24, 24, true);
        AddSlots(o, 60, 60, false);
        AddSlots(o, {26, 25, 27, 29}, true);
        AddSlots(o, 55, 59, false);
        AddSlots(o, {28, 30}, true);
        return o;
    }();
    return order;
}
} // namespace

CTolvarTemplate::CTolvarTemplate() : CZonedTemplate(kLastControlIndex + 1)
{
    ResetToDefaults();
}

void CTolvarTemplate::ResetToDefaults()
{
    m_header = CSysExHeader(0x00);
    ResetCommonParts();
    m_templateByte = 0;
    ResetZones();
}

bool CTolvarTemplate::ConvertOlderLayout(SysExBuffer& dump, size_t position)
{
    uint8_t& marker = dump[position + kLayoutMarkerOffset];
    if (marker & 1)
        return false;
    marker |= 1;
    // From the last byte down, so nothing is overwritten before it moved;
    // bytes 52-54 keep their old values.
    for (size_t i = kOlderLayoutLast + 1; i-- > kOlderLayoutFirst;)
        dump[position + i + kOlderLayoutShift] = dump[position + i];
    return true;
}

bool CTolvarTemplate::Read(const SysExBuffer& bytes, size_t& position)
{
    if (bytes.size() != static_cast<size_t>(kSysExSize) || position != 0)
        return false;
    // The converted dump is the one kept: bits that only moved are no loss.
    SysExBuffer current = bytes;
    m_convertedByRead = ConvertOlderLayout(current, position);
    const bool ok = CEditorTemplate::Read(current, position);
    m_convertedByRead = false;
    return ok;
}

bool CTolvarTemplate::ParseSysEx(const SysExBuffer& bytes, size_t& position)
{
    if (bytes.size() != static_cast<size_t>(kSysExSize) || position != 0)
        return false;
    SysExBuffer dump = bytes;
    const bool converted = ConvertOlderLayout(dump, position) || m_convertedByRead;
    if (!m_header.Read(dump, position) || !m_locals.Read(dump, position))
        return false;
    for (int k = 0; k < kStepButtons; ++k)
        m_controls[kFirstButton + k].SetMultiStep(static_cast<uint8_t>(dump[position++] + 1));
    m_templateByte = dump[position++];
    ReadZonesEnabled(dump[position++]);
    ReadZones(dump, position);
    position += kMarkerAndZeros;
    ReadRecords(m_controls, Order(), ControlRecords::ReadTolvar, dump, position);
    ReadTrailingValues(dump, position);
    ++position; // F7, not tested
    SetInitialised(true);
    if (converted)
    {
        // The step sizes of the first three buttons came from bytes that did
        // not move: plain buttons step by 1, Step buttons keep the step read.
        for (int index = kFirstButton; index < kFirstButton + 3; ++index)
            if (m_controls[index].GetAction() != ControlAction::Step)
                m_controls[index].SetMultiStep(1);
    }
    return true;
}

SysExBuffer CTolvarTemplate::SerialiseSysEx() const
{
    SysExBuffer out = m_header.Write();
    out.Append(m_locals.Write());
    for (int k = 0; k < kStepButtons; ++k)
        out.PushByte(static_cast<uint8_t>(m_controls[kFirstButton + k].GetMultiStep() - 1));
    out.PushByte(m_templateByte);
    out.PushByte(ZonesEnabledBit());
    WriteZones(out);
    out.PushByte(0x01); // layout marker: the current layout
    out.AppendZeros(kMarkerAndZeros - 1);
    WriteRecords(out, m_controls, Order(), ControlRecords::WriteTolvar);
    WriteTrailingValues(out);
    out.PushByte(SysExBuffer::kEnd);
    return out;
}
