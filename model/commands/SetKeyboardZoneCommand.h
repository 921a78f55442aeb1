#pragma once

#include <string>

#include "model/Command.h"
#include "model/KeyboardZone.h"

// Replaces every setting of one keyboard zone as one undo step (a drag on the
// keyboard strip). Settings are copied with Assign, so the zone keeps its
// model's class.
class CSetKeyboardZoneCommand : public ICommand
{
public:
    // The zone belongs to the template, which must outlive the command.
    CSetKeyboardZoneCommand(CKeyboardZone* target, const CKeyboardZone& newValue);
    void Execute() override;
    void Undo() override;
    bool UpdateView(bool afterUndo) override;
    std::string GetName() const override { return "Edit Keyboard Zone"; }

private:
    CKeyboardZone* m_target;
    CKeyboardZone m_newValue;
    CKeyboardZone m_oldValue;
};
