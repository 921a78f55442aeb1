#include "model/commands/SubmitCommand.h"

#include <vector>

#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/commands/ControlCommand.h"

bool SubmitToCurrentTemplate(std::unique_ptr<ICommand> command)
{
    IEditorWindow* window = Host().Window();
    CEditorTemplate* current = window ? window->GetCurrentTemplate() : nullptr;
    if (!command || !current)
        return false;
    if (const auto* controlCommand = dynamic_cast<const IControlCommand*>(command.get()))
    {
        std::vector<const CBaseControlState*> edited;
        controlCommand->CollectControls(edited);
        for (const CBaseControlState* state : edited)
            if (!current->OwnsControl(state))
                return false;
    }
    current->SubmitCommand(std::move(command));
    return true;
}
