#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class CBaseControlState;
class CEditorTemplate;
class CPlacedControl;

// An ordered list of placed controls, each a clone owned by the list, with no
// two of the same control index. The order is the order of adding: keyboard
// navigation starts from the last entry, Tab from the first. Used for the
// view's selection, hover and drag lists and for the copies the control
// clipboard keeps.
class Selection
{
public:
    Selection();
    ~Selection();
    Selection(Selection&&) noexcept;
    Selection& operator=(Selection&&) noexcept;
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    // Appends a clone unless an entry with the same index exists; the index
    // alone decides. Returns whether it was added.
    bool Add(const CPlacedControl& control);
    void AddAll(const Selection& source);
    // Deletes the first entry with the same index and the same state pointer.
    void Remove(const CPlacedControl& control);
    // An entry with the same index and the same state pointer exists.
    bool Contains(const CPlacedControl& control) const;
    void Clear();
    // Becomes a copy of source, unless it already holds exactly its indices.
    void SelectOnly(const Selection& source);
    // Equal sizes, and every index of this list is found in other.
    bool SameIndices(const Selection& other) const;
    // The same indices bound to the controls the template now holds there.
    // An index for which the template has no control is left out.
    Selection Clone(CEditorTemplate& target) const;
    // With exactly one entry, shows it in the control settings window.
    void EditSingle() const;
    // Some entry sits at an index the device does not let the user change.
    bool AnyProtected() const;
    // Every control of source may be placed on the control at the same
    // position of target: target not empty and unprotected, sizes equal, and
    // the device accepts each source message type at each target index.
    static bool CanAssignAll(const Selection& source, const Selection& target);

    // Called after every change of the entries (not of the controls they
    // point at); belongs to this list and stays with it, never moved or
    // copied with its entries.
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    std::size_t Size() const { return m_entries.size(); }
    bool Empty() const { return m_entries.empty(); }
    CPlacedControl& operator[](std::size_t i) const { return *m_entries[i]; }
    CPlacedControl& Front() const { return *m_entries.front(); }
    CPlacedControl& Back() const { return *m_entries.back(); }

private:
    void Changed() const
    {
        if (m_onChange)
            m_onChange();
    }

    std::vector<std::unique_ptr<CPlacedControl>> m_entries;
    std::function<void()> m_onChange;
};
