#pragma once

#include <string>

#include "model/Command.h"
#include "model/TemplateLocals.h"

class CEditorTemplate;

// Replaces a template's settings as one undo step. The template must outlive
// the command (its own history owns it).
class CSetTemplateLocalsCommand : public ICommand
{
public:
    CSetTemplateLocalsCommand(CEditorTemplate& target, const CTemplateLocalData& settings);

    // Keeps the settings it overwrites, then puts the new ones in.
    void Execute() override;
    void Undo() override;
    // The whole template may look different (name, ports): the window selects
    // it afresh, and the control settings window is hidden.
    bool UpdateView(bool afterUndo) override;
    std::string GetName() const override { return "Edit Template Settings"; }

private:
    CEditorTemplate& m_template;
    CTemplateLocalData m_new;
    CTemplateLocalData m_old;
};
