#pragma once

#include <string>
#include <vector>

#include "model/Command.h"
#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "model/commands/ControlCommand.h"

// A command that replaces every field of one control. Execute keeps the whole
// state it is about to overwrite; Undo gives it back through the placed
// control, so the continuous flag of the place wins and the snapshot is
// clamped. Either way the control settings window is hidden afterwards.
class CWholeControlCommand : public ICommand, public IControlCommand
{
public:
    void Execute() override;
    void Undo() override;
    void CollectControls(std::vector<const CBaseControlState*>& states) const override;

    const CPlacedControl& Target() const { return m_control; }

protected:
    explicit CWholeControlCommand(const CPlacedControl& control);
    // Writes the new content into the control's state.
    virtual void Replace(CPlacedControl& control) = 0;
    // Selects or deselects the control on the view; hides the settings window.
    bool SelectOnView(bool select);

private:
    CPlacedControl m_control;
    CBaseControlState m_kept;
};

// Returns a control to its defaults; undo gives back every field, name, SysEx
// message and imported parameter included. Execute leaves the control
// deselected, Undo selects it again.
class CClearCommand : public CWholeControlCommand
{
public:
    explicit CClearCommand(const CPlacedControl& control);

    bool UpdateView(bool afterUndo) override { return SelectOnView(afterUndo); }
    std::string GetName() const override { return "Delete Control"; }

private:
    void Replace(CPlacedControl& control) override;
};

// Puts a copy of another state, taken when the command is made, onto a
// control. The target keeps the continuous flag of its own place and clamps
// the snapshot by its own rules. Execute selects the target, Undo deselects it.
class CPasteCommand : public CWholeControlCommand
{
public:
    CPasteCommand(const CPlacedControl& target, const CBaseControlState& source);

    bool UpdateView(bool afterUndo) override { return SelectOnView(!afterUndo); }
    std::string GetName() const override { return "Paste Control"; }

private:
    void Replace(CPlacedControl& control) override;

    CBaseControlState m_new;
};
