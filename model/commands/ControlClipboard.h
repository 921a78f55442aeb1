#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "model/Selection.h"
#include "model/commands/MetaCommand.h"

class CBaseControlState;

// Copies of whole controls, kept inside the program (the system clipboard is
// not used). The copies are independent of any template, so they outlive
// edits, closing and switching templates and paste into any open template.
// The functions that return a command never execute it: the caller submits it,
// so every clipboard or group edit is one undo step.
class ControlClipboard
{
public:
    ControlClipboard();
    ~ControlClipboard();
    ControlClipboard(const ControlClipboard&) = delete;
    ControlClipboard& operator=(const ControlClipboard&) = delete;

    // The program's clipboard, empty at start; the main window clears it when
    // it goes.
    static ControlClipboard& Global();

    // Replaces the contents with copies of the controls' states, in order.
    void Copy(const Selection& controls);
    // The target is not empty, nothing in it is protected, it has as many
    // controls as the clipboard and each can take the state at its position.
    bool CanPaste(const Selection& target) const;
    // Pastes copy i onto target control i, for as many pairs as both have;
    // named "Paste Control", with "s" when more than one control is pasted.
    std::unique_ptr<CMetaCommand> Paste(const Selection& target) const;
    void Clear();

    std::size_t Size() const { return m_states.size(); }
    bool Empty() const { return m_states.empty(); }
    // Entry i points at copy i and carries the index it was copied from.
    const Selection& Controls() const { return m_controls; }

private:
    // Declared before the list so the list, which points into the states, goes first.
    std::vector<std::unique_ptr<CBaseControlState>> m_states;
    Selection m_controls;
};

// The whole-control edits of the front panel.
namespace ControlEdit
{
// Copies the selection into the clipboard and clears the controls:
// "Cut Control", with "s" for more than one.
std::unique_ptr<CMetaCommand> Cut(const Selection& selection,
                                  ControlClipboard& clipboard = ControlClipboard::Global());
// Clears the controls; the clipboard is untouched. "Delete Control(s)".
std::unique_ptr<CMetaCommand> Delete(const Selection& selection);
// Drag onto an unassigned control: pastes the dragged controls onto the
// target, then clears them. "Move control", never plural.
std::unique_ptr<CMetaCommand> Move(const Selection& dragged, const Selection& target);
// Drag onto an assigned control: exchanges the two sets of states.
// "Swap controls".
std::unique_ptr<CMetaCommand> Swap(const Selection& dragged, const Selection& target);
} // namespace ControlEdit
