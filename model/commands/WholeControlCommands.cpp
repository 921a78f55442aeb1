#include "model/commands/WholeControlCommands.h"

CClearCommand::CClearCommand(const CPlacedControl& control) : m_control(PlaceLike(control)) {}

void CClearCommand::Execute()
{
    CBaseControlState* state = m_control.GetControl();
    if (!state)
        return;
    CBaseControlState::CopyFrom(m_kept, *state);
    state->Clear();
    // Clear also drops the continuous flag, which follows the place, not the
    // settings: place the state again.
    m_control.SetControl(state);
}

void CClearCommand::Undo()
{
    if (m_control.GetControl())
        m_control.Assign(m_kept);
}

void CClearCommand::CollectControls(std::vector<const CBaseControlState*>& states) const
{
    states.push_back(m_control.GetControl());
}

bool CClearCommand::UpdateView(bool afterUndo)
{
    m_control.UpdateView(afterUndo);
    return false;
}

CPasteCommand::CPasteCommand(const CPlacedControl& target, const CBaseControlState& source)
    : m_control(PlaceLike(target)), m_new(source)
{
}

void CPasteCommand::Execute()
{
    CBaseControlState* state = m_control.GetControl();
    if (!state)
        return;
    CBaseControlState::CopyFrom(m_kept, *state);
    m_control.Assign(m_new);
}

void CPasteCommand::Undo()
{
    if (m_control.GetControl())
        m_control.Assign(m_kept);
}

void CPasteCommand::CollectControls(std::vector<const CBaseControlState*>& states) const
{
    states.push_back(m_control.GetControl());
}

bool CPasteCommand::UpdateView(bool afterUndo)
{
    m_control.UpdateView(!afterUndo);
    return false;
}
