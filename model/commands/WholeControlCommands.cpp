#include "model/commands/WholeControlCommands.h"

CWholeControlCommand::CWholeControlCommand(const CPlacedControl& control) : m_control(PlaceLike(control)) {}

void CWholeControlCommand::Execute()
{
    CBaseControlState* state = m_control.GetControl();
    if (!state)
        return;
    CBaseControlState::CopyFrom(m_kept, *state);
    Replace(m_control);
}

void CWholeControlCommand::Undo()
{
    m_control.Assign(m_kept);
}

void CWholeControlCommand::CollectControls(std::vector<const CBaseControlState*>& states) const
{
    states.push_back(m_control.GetControl());
}

bool CWholeControlCommand::SelectOnView(bool select)
{
    m_control.UpdateView(select);
    return false;
}

CClearCommand::CClearCommand(const CPlacedControl& control) : CWholeControlCommand(control) {}

void CClearCommand::Replace(CPlacedControl& control)
{
    CBaseControlState* state = control.GetControl();
    state->Clear();
    // Clear also drops the continuous flag, which follows the place, not the
    // settings: place the state again.
    control.SetControl(state);
}

CPasteCommand::CPasteCommand(const CPlacedControl& target, const CBaseControlState& source)
    : CWholeControlCommand(target), m_new(source)
{
}

void CPasteCommand::Replace(CPlacedControl& control)
{
    control.Assign(m_new);
}
