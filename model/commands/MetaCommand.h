#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Command.h"
#include "model/commands/ControlCommand.h"

// One undo step made of several commands: executed first to last, undone
// last to first, so sub-commands that touch the same control restore its
// earlier state.
class CMetaCommand : public ICommand, public IControlCommand
{
public:
    explicit CMetaCommand(std::string name);

    // Appends a sub-command and takes ownership of it.
    void Add(std::unique_ptr<ICommand> command);
    std::size_t Size() const { return m_commands.size(); }
    ICommand& At(std::size_t i) const { return *m_commands[i]; }

    void Execute() override;
    void Undo() override;
    // Every sub-command is asked (after an undo first to last, otherwise last
    // to first); true only when all of them let the settings window stay.
    bool UpdateView(bool afterUndo) override;
    std::string GetName() const override;
    // The controls of every sub-command that edits controls.
    void CollectControls(std::vector<const CBaseControlState*>& states) const override;

private:
    std::vector<std::unique_ptr<ICommand>> m_commands;
    std::string m_name;
};
