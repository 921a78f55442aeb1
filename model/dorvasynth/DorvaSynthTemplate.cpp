#include "model/dorvasynth/DorvaSynthTemplate.h"

#include "model/EditorHost.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/dorvasynth/DorvaSynthControlRecord.h"

namespace
{
// Written as zeros, skipped on reading.
constexpr size_t kGapSize = 135;
// After the pots and buttons, the wheels and pad axes travel in this order.
constexpr int kSingleDumpOrder[] = {44, 45, 46, 48, 47, 49};
constexpr int kPedal = 50;
constexpr int kDisplayOnStrokeOff = 3;
constexpr int kMaxSynthByControl = 4;

const CDorvaSynthAnswers& Places()
{
    static const CDorvaSynthAnswers answers;
    return answers;
}
} // namespace

CDorvaSynthTemplate::CDorvaSynthTemplate()
{
    ResetToDefaults();
}

CDorvaSynthTemplate::CDorvaSynthTemplate(const CDorvaSynthTemplate& other) : CEditorTemplate()
{
    ResetToDefaults();
    CopyCtor(other);
}

CDorvaSynthTemplate& CDorvaSynthTemplate::operator=(const CDorvaSynthTemplate& other)
{
    CopyCtor(other);
    return *this;
}

void CDorvaSynthTemplate::CopyCtor(const CDorvaSynthTemplate& other)
{
    m_header.Assign(other.m_header);
    Assign(other);
}

void CDorvaSynthTemplate::ResetToDefaults()
{
    m_header = CDorvaSynthSysExHeader();
    m_locals.Reset();
    for (auto* group : {&m_pots, &m_buttons})
        for (CBaseControlState& control : *group)
            control.Clear();
    for (CBaseControlState& control : m_singles)
        control.Clear();
    for (CBaseControlState& control : m_unindexed)
        control.Clear();
    m_trailing = {{0x12, 0x34}};
    SetFilePath("");
}

CBaseControlState* CDorvaSynthTemplate::GetContinuousControl(int index)
{
    if (!Places().IsContinuousIndex(index))
        return nullptr;
    if (index < kPotCount)
        return &m_pots[index];
    return &m_singles[index - kFirstSingle];
}

CBaseControlState* CDorvaSynthTemplate::GetButtonControl(int index)
{
    if (!Places().IsButtonIndex(index))
        return nullptr;
    if (index < kFirstSingle)
        return &m_buttons[index - kPotCount];
    return &m_singles[index - kFirstSingle];
}

CBaseControlState* CDorvaSynthTemplate::GetControl(int index)
{
    return Places().IsContinuousIndex(index) ? GetContinuousControl(index) : GetButtonControl(index);
}

template <typename Self, typename Visit> void CDorvaSynthTemplate::ForEachRecord(Self& self, Visit visit)
{
    for (auto& pot : self.m_pots)
        visit(pot, false);
    for (auto& button : self.m_buttons)
        visit(button, true);
    for (int index : kSingleDumpOrder)
        visit(self.m_singles[index - kFirstSingle], false);
    visit(self.m_singles[kPedal - kFirstSingle], true);
    for (auto& hidden : self.m_unindexed)
        visit(hidden, true);
}

bool CDorvaSynthTemplate::ParseSysEx(const SysExBuffer& bytes, size_t& position)
{
    if (bytes.size() != static_cast<size_t>(kSysExSize) || position != 0)
        return false;
    if (!m_header.Read(bytes, position))
        return false;
    if (!m_locals.Read(bytes, position))
        return false;
    position += kGapSize;
    bool ok = true;
    ForEachRecord(*this, [&](CBaseControlState& control, bool button) {
        ok = ok && DorvaSynthControlRecord::Read(bytes, position, control, button);
    });
    if (!ok)
        return false;
    m_trailing[0] = bytes[position++];
    m_trailing[1] = bytes[position++];
    // The closing F7 is not tested.
    return true;
}

SysExBuffer CDorvaSynthTemplate::SerialiseSysEx() const
{
    SysExBuffer out;
    out.Reserve(static_cast<size_t>(kSysExSize));
    out.Append(m_header.Write());
    out.Append(m_locals.Write());
    out.AppendZeros(kGapSize);
    ForEachRecord(*this, [&](const CBaseControlState& control, bool button) {
        DorvaSynthControlRecord::Write(out, control, button);
    });
    out.PushByte(m_trailing[0]);
    out.PushByte(m_trailing[1]);
    out.PushByte(SysExBuffer::kEnd);
    return out;
}

bool CDorvaSynthTemplate::RepairAfterLoad()
{
    bool changed = false;
    for (int index = 0; index <= kLastControlIndex; ++index)
    {
        CBaseControlState* control = GetControl(index);
        if (!control)
            continue;
        if (control->GetRoutingBit0() || control->GetMIDIPort2Enabled())
        {
            control->SetRoutingBit0(false);
            control->SetMIDIPort2Enabled(false);
            changed = true;
        }
        if (control->GetDisplayFormat() == kDisplayOnStrokeOff)
        {
            control->SetDisplayFormat(0);
            changed = true;
        }
    }
    if (m_locals.Synth_By_Control < 0 || m_locals.Synth_By_Control > kMaxSynthByControl)
    {
        m_locals.Synth_By_Control = 0;
        changed = true;
    }
    if (m_locals.D3 != 0)
    {
        m_locals.D3 = 0;
        changed = true;
    }
    return changed;
}

void CDorvaSynthTemplate::ValidateAfterLoad()
{
    CEditorTemplate::ValidateAfterLoad();
    if (RepairAfterLoad())
    {
        Host().ShowMessage("Some controls in this template contain incorrect data.  They will be changed to the "
                           "correct values - please save this template again.",
                           MessageStyle::Ok | MessageStyle::IconInformation);
        MarkSaved(false);
    }
}
