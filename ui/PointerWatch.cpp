#include "ui/PointerWatch.h"

#include <wx/event.h>

PointerWatch::PointerWatch()
{
    wxEvtHandler::AddFilter(this);
}

PointerWatch::~PointerWatch()
{
    wxEvtHandler::RemoveFilter(this);
}

int PointerWatch::FilterEvent(wxEvent& event)
{
    // Every event of the program passes here, idle events of every window
    // among them: the cheap test of the category comes first. Mouse events
    // are motion, buttons, wheel, entering and leaving a window.
    if (event.GetEventCategory() == wxEVT_CATEGORY_USER_INPUT && dynamic_cast<wxMouseEvent*>(&event))
        m_changed = true;
    return Event_Skip;
}

bool PointerWatch::TakeChange()
{
    const bool changed = m_changed;
    m_changed = false;
    return changed;
}
