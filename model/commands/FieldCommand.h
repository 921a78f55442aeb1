#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/Command.h"
#include "model/commands/ControlCommand.h"
#include "model/ControlState.h"
#include "model/PlacedControl.h"

// Where a single-field command keeps the control it edits. Either way the
// state belongs to the template and is fetched anew on every Execute and Undo.

// Owns a clone of the given placed control, so the command stays valid after
// the panel that made it has moved on, and keeps the clone's dynamic type.
class ClonedControl
{
public:
    explicit ClonedControl(const CPlacedControl& control) : m_control(control.Clone()) {}
    CPlacedControl& Get() const { return *m_control; }

private:
    std::unique_ptr<CPlacedControl> m_control;
};

// Holds a plain placed control with the given control's state and index.
class EmbeddedControl
{
public:
    explicit EmbeddedControl(const CPlacedControl& control) : m_control(PlaceLike(control)) {}
    CPlacedControl& Get() const { return m_control; }

private:
    mutable CPlacedControl m_control;
};

// A command that changes one field of one control. Execute keeps the whole
// control as it finds it (then, not at construction, so a redo reads it
// again): a setter may change more than its field, a re-clamped snapshot value
// above all, and Undo must not leave a value the user never chose. Undo calls
// the setter with the kept value, so observers hear of it as before, and then
// puts the kept control back exactly. A setter with a notify argument is
// called with true; either way the snapshot value is re-clamped after the
// edit, as placing the control would, so that the control after a redo, after
// a save and reload, and right after the edit is the same.
template <class Holder, class Value, auto Getter, auto Setter>
class CFieldCommand : public ICommand, public IControlCommand
{
public:
    CFieldCommand(const CPlacedControl& control, Value newValue) : m_control(control), m_new(std::move(newValue)) {}

    void Execute() override
    {
        if (CBaseControlState* state = State())
        {
            m_before = *state;
            Store(*state, m_new);
            state->ClampSnapshotValue();
        }
    }

    void Undo() override
    {
        if (CBaseControlState* state = State())
        {
            Store(*state, static_cast<Value>((m_before.*Getter)()));
            CBaseControlState::CopyFrom(*state, m_before);
        }
    }

    bool UpdateView(bool /*afterUndo*/) override
    {
        Placed().Refresh(false);
        return true;
    }

    void CollectControls(std::vector<const CBaseControlState*>& states) const override
    {
        states.push_back(State());
    }

    CPlacedControl& Placed() const { return m_control.Get(); }
    const Value& NewValue() const { return m_new; }

private:
    CBaseControlState* State() const { return m_control.Get().GetControl(); }

    static void Store(CBaseControlState& state, const Value& value)
    {
        if constexpr (std::is_invocable_v<decltype(Setter), CBaseControlState&, const Value&, bool>)
            (state.*Setter)(value, true);
        else
            (state.*Setter)(value);
    }

    Holder m_control;
    Value m_new;
    CBaseControlState m_before;
};

template <class Value, auto Getter, auto Setter>
using CloneFieldCommand = CFieldCommand<ClonedControl, Value, Getter, Setter>;

template <class Value, auto Getter, auto Setter>
using EmbeddedFieldCommand = CFieldCommand<EmbeddedControl, Value, Getter, Setter>;

// Switches one port of a control on (1) or off (0); named after what it does.
template <auto Getter, auto Setter>
class CPortEnableCommand : public CloneFieldCommand<int, Getter, Setter>
{
public:
    CPortEnableCommand(const CPlacedControl& control, bool enable, const char* portText)
        : CloneFieldCommand<int, Getter, Setter>(control, enable ? 1 : 0), m_portText(portText)
    {
    }

    std::string GetName() const override
    {
        return (this->NewValue() == 1 ? "Enable" : "Disable") + std::string(m_portText);
    }

private:
    const char* m_portText;
};
