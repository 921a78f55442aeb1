#pragma once

#include <memory>

class CBaseControlState;

// A handle on one control of a template: its state (owned by the template)
// and its index on the unit. Placing a state on an index takes the continuous
// flag from the device for that index and re-clamps the snapshot value, so a
// state copied from a button onto a pot follows the pot's rules. A placed
// control never outlives the template its state belongs to.
class CPlacedControl
{
public:
    CPlacedControl(CBaseControlState* state, int index);
    virtual ~CPlacedControl() = default;

    // Selects or deselects this control on the main window's view.
    virtual void UpdateView(bool select);
    // Shows this control in the control settings window: deferred, from the
    // main window's next idle step; otherwise at once.
    virtual void Refresh(bool deferred);
    virtual int GetIndex() const { return m_index; }
    virtual CBaseControlState* GetControl() { return m_state; }
    virtual const CBaseControlState* GetControl() const { return m_state; }
    // A new handle on the same state and index, placed again.
    virtual std::unique_ptr<CPlacedControl> Clone() const;

    // Points at a state (null allowed: then nothing is set or clamped).
    void SetControl(CBaseControlState* state);
    // Copies every field of source into this control's state, then places it
    // again: the continuous flag of this index wins and the snapshot is clamped.
    void Assign(const CBaseControlState& source);

protected:
    CPlacedControl(const CPlacedControl&) = default;
    CPlacedControl& operator=(const CPlacedControl&) = default;

private:
    CBaseControlState* m_state = nullptr;
    int m_index;
};

// The device's IsContinuousIndex / IsButtonIndex for the control's index.
bool IsPlacedControlContinuous(const CPlacedControl& placed);
bool IsPlacedControlButton(const CPlacedControl& placed);
