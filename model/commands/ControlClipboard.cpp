#include "model/commands/ControlClipboard.h"

#include <algorithm>
#include <string>

#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "model/commands/WholeControlCommands.h"

namespace
{
std::string Counted(const char* name, std::size_t count)
{
    return count > 1 ? std::string(name) + "s" : std::string(name);
}

std::unique_ptr<CMetaCommand> ClearAll(const char* name, const Selection& selection)
{
    auto command = std::make_unique<CMetaCommand>(Counted(name, selection.Size()));
    for (std::size_t i = 0; i < selection.Size(); ++i)
        command->Add(std::make_unique<CClearCommand>(selection[i]));
    return command;
}
} // namespace

ControlClipboard::ControlClipboard() = default;
ControlClipboard::~ControlClipboard() = default;

ControlClipboard& ControlClipboard::Global()
{
    static ControlClipboard clipboard;
    return clipboard;
}

void ControlClipboard::Copy(const Selection& controls)
{
    if (&controls == &m_controls)
        return; // copying the clipboard's own list would empty it first
    Clear();
    for (std::size_t i = 0; i < controls.Size(); ++i)
    {
        const CBaseControlState* source = controls[i].GetControl();
        if (!source)
            continue;
        auto copy = std::make_unique<CBaseControlState>(*source);
        // Binding the copy to the source's index sets its continuous flag for
        // that place and clamps its snapshot.
        if (m_controls.Add(CPlacedControl(copy.get(), controls[i].GetIndex())))
            m_states.push_back(std::move(copy));
    }
}

bool ControlClipboard::CanPaste(const Selection& target) const
{
    return Selection::CanAssignAll(m_controls, target);
}

std::unique_ptr<CMetaCommand> ControlClipboard::Paste(const Selection& target) const
{
    // Callers check CanPaste first; a shorter target still pastes only the
    // pairs that exist rather than reaching past its end.
    const std::size_t pairs = std::min(target.Size(), m_controls.Size());
    auto command = std::make_unique<CMetaCommand>(Counted("Paste Control", pairs));
    for (std::size_t i = 0; i < pairs; ++i)
        command->Add(std::make_unique<CPasteCommand>(target[i], *m_controls[i].GetControl()));
    return command;
}

void ControlClipboard::Clear()
{
    m_controls.Clear();
    m_states.clear();
}

namespace ControlEdit
{
std::unique_ptr<CMetaCommand> Cut(const Selection& selection, ControlClipboard& clipboard)
{
    clipboard.Copy(selection);
    return ClearAll("Cut Control", selection);
}

std::unique_ptr<CMetaCommand> Delete(const Selection& selection)
{
    return ClearAll("Delete Control", selection);
}

std::unique_ptr<CMetaCommand> Move(const Selection& dragged, const Selection& target)
{
    ControlClipboard moved;
    moved.Copy(dragged);
    auto command = std::make_unique<CMetaCommand>("Move control");
    command->Add(moved.Paste(target));
    command->Add(Delete(dragged));
    return command;
}

std::unique_ptr<CMetaCommand> Swap(const Selection& dragged, const Selection& target)
{
    // Both copies are taken before anything executes.
    ControlClipboard fromDragged;
    ControlClipboard fromTarget;
    fromDragged.Copy(dragged);
    fromTarget.Copy(target);
    auto command = std::make_unique<CMetaCommand>("Swap controls");
    command->Add(fromDragged.Paste(target));
    command->Add(fromTarget.Paste(dragged));
    return command;
}
} // namespace ControlEdit
