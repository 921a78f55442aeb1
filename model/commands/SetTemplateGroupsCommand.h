#pragma once

#include <string>

#include "model/Command.h"
#include "model/PortChannelGroup.h"

// Replaces a template's port and channel groups block as one undo step. The
// block belongs to a template whose history owns the command.
class CSetTemplateGroupsCommand : public ICommand
{
public:
    CSetTemplateGroupsCommand(PortChannelGroup& block, const PortChannelGroup& groups);

    void Execute() override;
    void Undo() override;
    // Controls may now send on other channels or ports: the window selects
    // the template afresh and the control settings window is hidden.
    bool UpdateView(bool afterUndo) override;
    std::string GetName() const override { return "Edit Port Groups"; }

private:
    PortChannelGroup& m_block;
    PortChannelGroup m_new;
    PortChannelGroup m_old;
};
