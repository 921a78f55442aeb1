#include "model/commands/SetKeyboardZoneCommand.h"

CSetKeyboardZoneCommand::CSetKeyboardZoneCommand(CKeyboardZone* target, const CKeyboardZone& newValue)
    : m_target(target)
{
    m_newValue.Assign(newValue);
}

void CSetKeyboardZoneCommand::Execute()
{
    m_oldValue.Assign(*m_target);
    m_target->Assign(m_newValue);
}

void CSetKeyboardZoneCommand::Undo()
{
    m_target->Assign(m_oldValue);
}

bool CSetKeyboardZoneCommand::UpdateView(bool /*afterUndo*/)
{
    return false;
}
