#pragma once

#include <vector>

#include "model/PlacedControl.h"

class CBaseControlState;

// Implemented beside ICommand by every command that edits controls, so the
// submit helper can make sure they belong to the template being edited.
class IControlCommand
{
public:
    virtual ~IControlCommand() = default;
    // Appends the state of every control the command changes.
    virtual void CollectControls(std::vector<const CBaseControlState*>& states) const = 0;
};

// A plain placed control on the same state and index as the given one. The
// handle is const; the state it points at belongs to the template and is
// meant to be edited.
inline CPlacedControl PlaceLike(const CPlacedControl& control)
{
    return CPlacedControl(const_cast<CBaseControlState*>(control.GetControl()), control.GetIndex());
}
