#include "ui/ToggleButton.h"

#include "ui/FrameRect.h"

CToggleButton::CToggleButton(const wxColour& frameColour) : m_frameColour(frameColour) {}

bool CToggleButton::OnMouseMove(const wxPoint& point)
{
    const bool hover = m_rect.Contains(point);
    if (!hover)
        m_pressed = false;
    const bool changed = hover != m_hover;
    m_hover = hover;
    return changed;
}

bool CToggleButton::OnMouseButton(const wxPoint& point, bool up)
{
    if (!m_rect.Contains(point))
    {
        // A release elsewhere ends the click, so a later release inside
        // cannot complete it.
        if (up)
            m_pressed = false;
        return false;
    }
    if (!up)
    {
        m_pressed = true;
        return false;
    }
    if (m_pressed)
        m_latched = !m_latched;
    m_pressed = false;
    return true;
}

void CToggleButton::Draw(wxDC& dc)
{
    const bool white = m_frameColour == *wxWHITE;
    if (!m_hover)
    {
        if (!white)
            DrawFrameRect(dc, m_rect, m_highlight, 2, m_frameColour);
        return;
    }
    if (white)
    {
        DrawFrameRect(dc, m_rect, m_highlight, 2, HoverGrey());
        return;
    }
    DrawFrameRect(dc, m_rect, m_highlight, 2, m_frameColour);
    DrawFrameRect(dc, m_rect, m_highlight, 1, HoverGrey());
}

CAnimatedButton::CAnimatedButton(int intervalMs) : CToggleButton(*wxWHITE), m_interval(intervalMs) {}

bool CAnimatedButton::Step(int elapsedMs)
{
    m_elapsed += elapsedMs;
    if (m_elapsed - m_lastStep <= m_interval)
        return false;
    if (m_up)
    {
        if (++m_frame > 4)
        {
            m_frame = 4;
            m_up = false;
        }
    }
    else if (--m_frame < 0)
    {
        m_frame = 0;
        m_up = true;
    }
    m_lastStep = m_elapsed;
    return m_latched;
}

wxColour CAnimatedButton::PulseColour(int frame)
{
    return wxColour(213 + 10 * frame, 23 + 30 * frame, 143 + 10 * frame);
}

void CAnimatedButton::Draw(wxDC& dc)
{
    if (m_latched)
        DrawFrameRect(dc, m_rect, false, 2, PulseColour(m_frame));
    else if (m_hover)
        DrawFrameRect(dc, m_rect, false, 2, HoverGrey());
}
