#include "model/Selection.h"

#include <algorithm>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"

namespace
{
bool SameControl(const CPlacedControl& a, const CPlacedControl& b)
{
    return a.GetIndex() == b.GetIndex() && a.GetControl() == b.GetControl();
}
} // namespace

Selection::Selection() = default;
Selection::~Selection() = default;
Selection::Selection(Selection&& other) noexcept : m_entries(std::move(other.m_entries))
{
    other.Changed();
}

Selection& Selection::operator=(Selection&& other) noexcept
{
    m_entries = std::move(other.m_entries);
    other.Changed();
    Changed();
    return *this;
}

bool Selection::Add(const CPlacedControl& control)
{
    const int index = control.GetIndex();
    const bool present = std::any_of(m_entries.begin(), m_entries.end(),
                                     [index](const auto& e) { return e->GetIndex() == index; });
    if (present)
        return false;
    m_entries.emplace_back(control.Clone());
    Changed();
    return true;
}

void Selection::AddAll(const Selection& source)
{
    for (const auto& entry : source.m_entries)
        Add(*entry);
}

void Selection::Remove(const CPlacedControl& control)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [&control](const auto& e) { return SameControl(*e, control); });
    if (it == m_entries.end())
        return;
    m_entries.erase(it);
    Changed();
}

bool Selection::Contains(const CPlacedControl& control) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&control](const auto& e) { return SameControl(*e, control); });
}

void Selection::Clear()
{
    if (m_entries.empty())
        return;
    m_entries.clear();
    Changed();
}

void Selection::SelectOnly(const Selection& source)
{
    if (SameIndices(source))
        return;
    Clear();
    AddAll(source);
}

bool Selection::SameIndices(const Selection& other) const
{
    if (Size() != other.Size())
        return false;
    for (const auto& entry : m_entries)
    {
        const int index = entry->GetIndex();
        const bool found = std::any_of(other.m_entries.begin(), other.m_entries.end(),
                                       [index](const auto& e) { return e->GetIndex() == index; });
        if (!found)
            return false;
    }
    return true;
}

Selection Selection::Clone(CEditorTemplate& target) const
{
    Selection copy;
    for (const auto& entry : m_entries)
    {
        // A command must never be handed a placed control without a state.
        CBaseControlState* state = target.GetControl(entry->GetIndex());
        if (state)
            copy.Add(CPlacedControl(state, entry->GetIndex()));
    }
    return copy;
}

void Selection::EditSingle() const
{
    if (m_entries.size() == 1)
        m_entries.front()->Refresh(false);
}

bool Selection::AnyProtected() const
{
    const IDeviceAnswers& device = Device();
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&device](const auto& e) { return device.IsFixedControlIndex(e->GetIndex()); });
}

bool Selection::CanAssignAll(const Selection& source, const Selection& target)
{
    if (target.Empty() || target.AnyProtected() || target.Size() != source.Size())
        return false;
    const IDeviceAnswers& device = Device();
    for (std::size_t i = 0; i < target.Size(); ++i)
    {
        const CBaseControlState* state = source[i].GetControl();
        if (!state || !device.CanAssignMessageType(target[i], *state))
            return false;
    }
    return true;
}
