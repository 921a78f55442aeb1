#include "model/commands/EnableZonesCommand.h"

#include "model/EditorTemplate.h"

CEnableZonesCommand::CEnableZonesCommand(CEditorTemplate* target, bool enable)
    : m_template(target), m_newState(enable)
{
}

void CEnableZonesCommand::Execute()
{
    m_oldState = m_template->GetZonesEnabled();
    m_template->SetZonesEnabled(m_newState);
}

void CEnableZonesCommand::Undo()
{
    m_template->SetZonesEnabled(m_oldState);
}

bool CEnableZonesCommand::UpdateView(bool /*afterUndo*/)
{
    return false;
}

std::string CEnableZonesCommand::GetName() const
{
    return std::string(m_newState ? "Enable" : "Disable") + " Keyboard Zones";
}
