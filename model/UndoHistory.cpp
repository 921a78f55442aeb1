// The undo history of CEditorTemplate.
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"

namespace
{
const char* const kNoCommand = "No command";
}

void CEditorTemplate::ApplyViewResult(bool keepSettingsOpen)
{
    if (keepSettingsOpen)
        return;
    if (IEditorWindow* window = Host().Window())
        window->HideControlSettings();
}

void CEditorTemplate::SubmitCommand(std::unique_ptr<ICommand> command)
{
    if (!command)
        return;
    command->Execute();

    const int kept = m_currentIndex + 1;
    const bool droppedTail = static_cast<int>(m_history.size()) > kept;
    // A saved point inside the dropped tail can never be reached again; were it
    // kept, the new state at the same index would pass for the saved one.
    if (droppedTail && m_savedIndex >= kept)
        m_hasSavedPoint = false;
    while (static_cast<int>(m_history.size()) > kept)
        m_history.pop_back();

    m_history.push_back(std::move(command));
    m_currentIndex = static_cast<int>(m_history.size()) - 1;

    if (droppedTail)
        ApplyViewResult(m_history.back()->UpdateView(false));
    RefreshUndoState();
}

void CEditorTemplate::Undo()
{
    if (!CanUndo())
        return;
    ICommand& command = *m_history[m_currentIndex];
    command.Undo();
    --m_currentIndex;
    ApplyViewResult(command.UpdateView(true));
    RefreshUndoState();
    if (IEditorWindow* window = Host().Window())
        window->SetFocusToMainWindow();
}

void CEditorTemplate::Redo()
{
    if (!CanRedo())
        return;
    ++m_currentIndex;
    ICommand& command = *m_history[m_currentIndex];
    command.Execute();
    ApplyViewResult(command.UpdateView(false));
    RefreshUndoState();
    if (IEditorWindow* window = Host().Window())
        window->SetFocusToMainWindow();
}

void CEditorTemplate::RefreshUndoState()
{
    IEditorWindow* window = Host().Window();
    if (!window)
        return;
    window->UpdateEditMenu(CanUndo(), CanRedo());
    window->UpdateTitle();
    window->UpdateTemplateMenu();
    window->SetNeedsRefresh();
}

void CEditorTemplate::MarkSaved(bool flag)
{
    m_savedIndex = m_currentIndex;
    m_hasSavedPoint = flag;
}

bool CEditorTemplate::IsAtSavedPoint() const
{
    return m_hasSavedPoint && m_savedIndex == m_currentIndex;
}

void CEditorTemplate::ClearUndoHistory()
{
    m_history.clear();
    m_currentIndex = -1;
}

void CEditorTemplate::ResetUndoState()
{
    m_history.clear();
    m_currentIndex = -1;
    m_savedIndex = -1;
    m_hasSavedPoint = false;
    m_pathValid = false;
}

std::string CEditorTemplate::GetUndoText() const
{
    if (m_currentIndex < 0)
        return kNoCommand;
    return m_history[m_currentIndex]->GetName();
}

std::string CEditorTemplate::GetRedoText() const
{
    if (!CanRedo())
        return kNoCommand;
    return m_history[m_currentIndex + 1]->GetName();
}
