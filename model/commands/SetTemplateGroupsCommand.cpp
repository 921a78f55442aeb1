#include "model/commands/SetTemplateGroupsCommand.h"

#include "model/EditorHost.h"

CSetTemplateGroupsCommand::CSetTemplateGroupsCommand(PortChannelGroup& block, const PortChannelGroup& groups)
    : m_block(block), m_new(groups)
{
}

void CSetTemplateGroupsCommand::Execute()
{
    m_old = m_block;
    m_block = m_new;
}

void CSetTemplateGroupsCommand::Undo()
{
    m_block = m_old;
}

bool CSetTemplateGroupsCommand::UpdateView(bool /*afterUndo*/)
{
    if (IEditorWindow* window = Host().Window())
        window->ReselectCurrentTemplate();
    return false;
}
