#include "model/commands/ControlEditCommands.h"

void CSetControlTypeCommand::Execute()
{
    if (const CBaseControlState* state = Placed().GetControl())
        m_before = *state;
    CFieldCommand::Execute();
    Placed().Refresh(true);
}

void CSetControlTypeCommand::Undo()
{
    CFieldCommand::Undo();
    if (CBaseControlState* state = Placed().GetControl())
        CBaseControlState::CopyFrom(*state, m_before);
    Placed().Refresh(true);
}

bool CSetControlTypeCommand::UpdateView(bool /*afterUndo*/)
{
    return true;
}
