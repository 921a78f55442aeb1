#pragma once

#include <string>

#include "model/Command.h"

class CEditorTemplate;

// Switches a template's keyboard zones on or off as one undo step.
class CEnableZonesCommand : public ICommand
{
public:
    // The template is not owned and must outlive the command (its history owns it).
    CEnableZonesCommand(CEditorTemplate* target, bool enable);

    void Execute() override;
    void Undo() override;
    bool UpdateView(bool afterUndo) override;
    // "Enable Keyboard Zones" or "Disable Keyboard Zones".
    std::string GetName() const override;

private:
    CEditorTemplate* m_template;
    bool m_newState;
    bool m_oldState = false;
};
