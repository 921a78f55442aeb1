#include "model/commands/ControlEditCommands.h"

void CSetControlTypeCommand::Execute()
{
    CFieldCommand::Execute();
    Placed().Refresh(true);
}

void CSetControlTypeCommand::Undo()
{
    CFieldCommand::Undo();
    Placed().Refresh(true);
}

bool CSetControlTypeCommand::UpdateView(bool /*afterUndo*/)
{
    return true;
}
