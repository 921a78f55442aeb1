#include "model/commands/MetaCommand.h"

CMetaCommand::CMetaCommand(std::string name) : m_name(std::move(name)) {}

void CMetaCommand::Add(std::unique_ptr<ICommand> command)
{
    if (command)
        m_commands.push_back(std::move(command));
}

void CMetaCommand::Execute()
{
    for (auto& command : m_commands)
        command->Execute();
}

void CMetaCommand::Undo()
{
    for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it)
        (*it)->Undo();
}

bool CMetaCommand::UpdateView(bool afterUndo)
{
    bool keepSettingsWindow = true;
    auto update = [&](ICommand& command) { keepSettingsWindow = command.UpdateView(afterUndo) && keepSettingsWindow; };
    if (afterUndo)
        for (auto& command : m_commands)
            update(*command);
    else
        for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it)
            update(**it);
    return keepSettingsWindow;
}

std::string CMetaCommand::GetName() const
{
    return m_name;
}

void CMetaCommand::CollectControls(std::vector<const CBaseControlState*>& states) const
{
    for (const auto& command : m_commands)
        if (const auto* controlCommand = dynamic_cast<const IControlCommand*>(command.get()))
            controlCommand->CollectControls(states);
}
