#pragma once

#include <wx/eventfilter.h>

// Tells whether the pointer may have moved, or a mouse button changed, since
// the last look. Every mouse event that reaches any window of the program
// counts; between them the pointer can only have moved outside the program's
// windows, where nothing of the program notices it either. Asking the X
// server for the pointer costs a round trip, so the idle step asks only after
// a change. GUI thread only.
class PointerWatch : public wxEventFilter
{
public:
    PointerWatch();
    ~PointerWatch() override;
    PointerWatch(const PointerWatch&) = delete;
    PointerWatch& operator=(const PointerWatch&) = delete;

    int FilterEvent(wxEvent& event) override;

    // True when something may have changed since the last call that gave
    // true (and before the first); clears the mark.
    bool TakeChange();
    bool HasChange() const { return m_changed; }
    // Something other than a mouse event moved the pointer's place relative
    // to the view (a new template, a window shown).
    void MarkChanged() { m_changed = true; }

private:
    bool m_changed = true;
};
