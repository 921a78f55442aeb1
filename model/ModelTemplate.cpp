#include "model/ModelTemplate.h"

std::string CModelTemplate::GetDisplayName() const
{
    return GetLocals().GetName() + " - " + GetLocals().GetManufacturerName();
}

CBaseControlState* CModelTemplate::GetControl(int index)
{
    if (CBaseControlState* state = GetContinuousControl(index))
        return state;
    return GetButtonControl(index);
}

CBaseControlState* CModelTemplate::GetContinuousControl(int index)
{
    return IsContinuousPlace(index) ? &m_controls.at(index) : nullptr;
}

CBaseControlState* CModelTemplate::GetButtonControl(int index)
{
    return IsButtonPlace(index) ? &m_controls.at(index) : nullptr;
}

void CModelTemplate::ResetCommonParts()
{
    GetLocals().Reset();
    for (CBaseControlState& state : m_controls)
        state.Clear();
    ResetTrailingValues();
    SetFilePath("");
    SetInitialised(true);
}

void CModelTemplate::ResetTrailingValues()
{
    m_trailing[0] = 0x12;
    m_trailing[1] = 0x34;
}

void CModelTemplate::ReadTrailingValues(const SysExBuffer& bytes, size_t& position)
{
    m_trailing[0] = bytes[position++];
    m_trailing[1] = bytes[position++];
}

void CModelTemplate::WriteTrailingValues(SysExBuffer& out) const
{
    out.PushByte(m_trailing[0]);
    out.PushByte(m_trailing[1]);
}
