#pragma once

#include <string>

#include "model/Command.h"
#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "model/commands/ControlCommand.h"

// Returns a control to its defaults. Undo gives back every field, name,
// SysEx message and imported parameter included. Execute leaves the control
// deselected and Undo selects it again; either way the settings window goes.
class CClearCommand : public ICommand, public IControlCommand
{
public:
    explicit CClearCommand(const CPlacedControl& control);

    void Execute() override;
    void Undo() override;
    bool UpdateView(bool afterUndo) override;
    std::string GetName() const override { return "Delete Control"; }
    void CollectControls(std::vector<const CBaseControlState*>& states) const override;

private:
    CPlacedControl m_control;
    CBaseControlState m_kept;
};

// Puts a copy of another state, taken when the command is made, onto a
// control. The target keeps the continuous flag of its own place and clamps
// the snapshot by its own rules. Execute selects the target, Undo deselects it.
class CPasteCommand : public ICommand, public IControlCommand
{
public:
    CPasteCommand(const CPlacedControl& target, const CBaseControlState& source);

    void Execute() override;
    void Undo() override;
    bool UpdateView(bool afterUndo) override;
    std::string GetName() const override { return "Paste Control"; }
    void CollectControls(std::vector<const CBaseControlState*>& states) const override;

    const CPlacedControl& Target() const { return m_control; }

private:
    CPlacedControl m_control;
    CBaseControlState m_new;
    CBaseControlState m_kept;
};
