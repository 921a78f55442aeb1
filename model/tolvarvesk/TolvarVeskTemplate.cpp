#include "model/tolvarvesk/TolvarVeskTemplate.h"

#include <algorithm>

#include "model/EditorHost.h"
#include "model/records/ControlRecords.h"
#include "model/records/RecordBytes.h"
#include "model/records/RecordOrder.h"

namespace
{
constexpr int kFirstDrum = 70;
constexpr int kDrumCount = 8;
constexpr int kPitchWheel = 64;
constexpr int kModWheel = 65;
constexpr size_t kSkippedBytes = 232;
const std::array<uint8_t, 8> kMoreTemplateBytesDefaults = {0x00, 0x01, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00};

const RecordOrder& Order()
{
    static const RecordOrder order = [] {
        RecordOrder o;
        // The Vesk record has one layout for every control: the flag is unused.
        AddSlots(o, 8, 15, true);
        AddSlots(o, 0, 7, true);
        AddSlots(o, 16, 23, true);
        AddSlots(o, 24, 55, false);
        AddSlots(o, 70, 77, false);
        AddSlots(o, {63, 62, 65, 64, 66, 68, 67, 69, 56, 57, 58, 59, 60, 61}, true);
        AddSlots(o, 78, 85, true);
        AddSlots(o, CTolvarVeskTemplate::kIndexedControls,
                 CTolvarVeskTemplate::kIndexedControls + CTolvarVeskTemplate::kUnindexedControls - 1, false);
        return o;
    }();
    return order;
}

bool ReadVeskRecord(CBaseControlState& state, const SysExBuffer& bytes, size_t& position, bool)
{
    return ControlRecords::ReadTolvarVesk(state, bytes, position);
}

SysExBuffer WriteVeskRecord(const CBaseControlState& state, bool)
{
    return ControlRecords::WriteTolvarVesk(state);
}
} // namespace

CTolvarVeskTemplate::CTolvarVeskTemplate() : CZonedTemplate(kIndexedControls + kUnindexedControls)
{
    ResetToDefaults();
}

bool CTolvarVeskTemplate::IsContinuousPlace(int i) const
{
    return (i >= 0 && i <= 23) || (i >= 63 && i <= 69) || (i >= 78 && i <= 85);
}

bool CTolvarVeskTemplate::IsButtonPlace(int i) const
{
    return (i >= 24 && i <= 62) || (i >= 70 && i <= 77);
}

CBaseControlState* CTolvarVeskTemplate::GetControl(int index)
{
    if (CBaseControlState* state = CModelTemplate::GetControl(index))
        return state;
    std::vector<CBaseControlState>& imported = GetImportedControls();
    if (index >= kIndexedControls && index - kIndexedControls < static_cast<int>(imported.size()))
        return &imported[index - kIndexedControls];
    return nullptr;
}

void CTolvarVeskTemplate::ResetToDefaults()
{
    m_header = CTolvarVeskSysExHeader();
    m_locals.Reset();
    m_templateValue = kTemplateValue;
    ResetZones();
    m_secondFlag = false;
    m_moreTemplateBytes = kMoreTemplateBytesDefaults;
    m_templateBytes.fill(0);
    for (int i = 0; i < kIndexedControls; ++i)
        m_controls[i].Clear();
    ResetTrailingValues();
    SetFilePath("");

    // With notify, as an edit would: the snapshot follows the new type. The
    // control state reaches the main window only when there is one.
    CBaseControlState& pitch = m_controls[kPitchWheel];
    pitch.SetType(ControlMessageType::PitchBend, true);
    pitch.SetName("PitchBnd");
    CBaseControlState& mod = m_controls[kModWheel];
    mod.SetType(ControlMessageType::CC, true);
    mod.SetMIDIControlLSBNum(1);
    mod.SetName("ModWheel");
    SetInitialised(true);
}

bool CTolvarVeskTemplate::ParseSysEx(const SysExBuffer& bytes, size_t& position)
{
    if (bytes.size() != static_cast<size_t>(kSysExSize) || position != 0)
        return false;
    if (!m_header.Read(bytes, position) || m_header.GetType() != CTolvarVeskSysExHeader::kType)
        return false;
    if (!m_locals.Read(bytes, position))
        return false;

    const uint8_t* r = bytes.data();
    m_templateValue = r[position++];
    const uint8_t flags = r[position++];
    ReadZonesEnabled(flags);
    m_secondFlag = (flags >> 2) & 1;
    ReadZones(bytes, position);
    m_locals.Pad_X_Type = r[position++];
    m_locals.Pad_Y_Type = r[position++];
    m_templateBytes[0] = r[position++];
    m_templateBytes[1] = r[position++];
    for (int k = 0; k < kDrumCount; ++k, position += 2)
        m_controls[kFirstDrum + k].SetDrumAutoOffTime(MakeWord14(r[position], r[position + 1]));
    for (int k = 0; k < kDrumCount; ++k)
        m_controls[kFirstDrum + k].SetDrumOffSync(r[position++]);
    for (uint8_t& b : m_moreTemplateBytes)
        b = r[position++];
    position += kSkippedBytes;
    ReadRecords(m_controls, Order(), ReadVeskRecord, bytes, position);
    ReadTrailingValues(bytes, position);
    ++position; // F7, not tested
    return true;
}

SysExBuffer CTolvarVeskTemplate::SerialiseSysEx() const
{
    SysExBuffer out = m_header.Write();
    out.Append(m_locals.Write());
    out.PushByte(static_cast<uint8_t>(m_templateValue));
    out.PushByte(static_cast<uint8_t>(ZonesEnabledBit() | (m_secondFlag ? 4 : 0)));
    WriteZones(out);
    out.PushByte(static_cast<uint8_t>(m_locals.Pad_X_Type));
    out.PushByte(static_cast<uint8_t>(m_locals.Pad_Y_Type));
    for (uint8_t b : m_templateBytes)
        out.PushByte(b);
    for (int k = 0; k < kDrumCount; ++k)
    {
        const int time = m_controls[kFirstDrum + k].GetDrumAutoOffTime();
        out.PushByte(RecordBytes::High7(time));
        out.PushByte(RecordBytes::Low7(time));
    }
    for (int k = 0; k < kDrumCount; ++k)
        out.PushByte(static_cast<uint8_t>(m_controls[kFirstDrum + k].GetDrumOffSync()));
    for (uint8_t b : m_moreTemplateBytes)
        out.PushByte(b);
    out.AppendZeros(kSkippedBytes);
    WriteRecords(out, m_controls, Order(), WriteVeskRecord);
    WriteTrailingValues(out);
    out.PushByte(SysExBuffer::kEnd);
    return out;
}

void CTolvarVeskTemplate::ValidateAfterLoad()
{
    CEditorTemplate::ValidateAfterLoad();
    if (m_locals.NUMCMN != CTolvarVeskLocals::kControlRecordCount)
    {
        Host().ShowMessage("Fixing broken template NUMCMN", MessageStyle::Ok);
        m_locals.NUMCMN = CTolvarVeskLocals::kControlRecordCount;
    }
    if (m_locals.PGCNSIZE != CTolvarVeskLocals::kControlRecordSize)
    {
        Host().ShowMessage("Fixing broken template PGCNSIZE", MessageStyle::Ok);
        m_locals.PGCNSIZE = CTolvarVeskLocals::kControlRecordSize;
    }
    if (m_locals.RowSelect != CTolvarVeskLocals::kRowSelectDefaults)
    {
        Host().ShowMessage("This template has corrupted row select default data - fixing it.", MessageStyle::Ok);
        m_locals.RowSelect = CTolvarVeskLocals::kRowSelectDefaults;
    }
    m_templateValue = kTemplateValue;
}
