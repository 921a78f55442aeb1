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

// A command that changes one field of one control. Execute keeps the value it
// is about to overwrite (read then, not at construction, so a redo reads it
// again); Undo writes the kept value back. A setter with a notify argument is
// called with true, so the state re-clamps its snapshot value.
template <class Holder, class Value, auto Getter, auto Setter>
class CFieldCommand : public ICommand, public IControlCommand
{
public:
    CFieldCommand(const CPlacedControl& control, Value newValue) : m_control(control), m_new(std::move(newValue)) {}

    void Execute() override
    {
        if (CBaseControlState* state = State())
        {
            m_old = static_cast<Value>((state->*Getter)());
            Store(*state, m_new);
        }
    }

    void Undo() override
    {
        if (CBaseControlState* state = State())
            Store(*state, m_old);
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
    Value m_old{};
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
