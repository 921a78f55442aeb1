#pragma once

#include <string>

// One undoable edit of a template. Once submitted, the template's undo history
// owns the command: it calls Execute on submission and on every redo, Undo on
// every undo, and deletes the command when it drops it. User-interface thread only.
class ICommand
{
public:
    virtual ~ICommand() = default;

    // Applies the change. A command that can be undone takes the value it is
    // about to overwrite here, not at construction.
    virtual void Execute() = 0;
    // Puts back what Execute changed.
    virtual void Undo() = 0;
    // Brings the display up to date after Execute (afterUndo false) or Undo
    // (afterUndo true). False: the control settings window must be hidden.
    virtual bool UpdateView(bool afterUndo) = 0;
    // The command's name in the Edit menu, after "&Undo " or "&Redo ".
    virtual std::string GetName() const = 0;
};
