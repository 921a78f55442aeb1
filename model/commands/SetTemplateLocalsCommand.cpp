#include "model/commands/SetTemplateLocalsCommand.h"

#include "model/EditorHost.h"
#include "model/EditorTemplate.h"

CSetTemplateLocalsCommand::CSetTemplateLocalsCommand(CEditorTemplate& target, const CTemplateLocalData& settings)
    : m_template(target), m_new(settings)
{
}

void CSetTemplateLocalsCommand::Execute()
{
    // Assign copies the shared fields only, so a model's own bytes in its
    // derived settings stay as they are.
    m_old.Assign(m_template.GetLocals());
    m_template.GetLocals().Assign(m_new);
}

void CSetTemplateLocalsCommand::Undo()
{
    m_template.GetLocals().Assign(m_old);
}

bool CSetTemplateLocalsCommand::UpdateView(bool /*afterUndo*/)
{
    if (IEditorWindow* window = Host().Window())
        window->ReselectCurrentTemplate();
    return false;
}
