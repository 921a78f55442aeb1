#include "ui/FrameRect.h"

#include <wx/dc.h>

namespace
{
// The border pixels of the rectangle, as four filled bars: an outlined
// rectangle is blended at its corners when the toolkit draws through cairo.
void DrawBorder(wxDC& dc, const wxRect& rect)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    dc.DrawRectangle(rect.x, rect.y, rect.width, 1);
    dc.DrawRectangle(rect.x, rect.GetBottom(), rect.width, 1);
    dc.DrawRectangle(rect.x, rect.y, 1, rect.height);
    dc.DrawRectangle(rect.GetRight(), rect.y, 1, rect.height);
}
} // namespace

void DrawFrameRect(wxDC& dc, const wxRect& rect, bool highlight, int thickness, const wxColour& colour)
{
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(highlight ? HighlightColour() : colour));
    DrawBorder(dc, rect);
    if (thickness >= 2)
        DrawBorder(dc, wxRect(rect.x + 1, rect.y + 1, rect.width - 2, rect.height - 2));
    dc.SetBrush(wxNullBrush);
}

void DrawDottedRect(wxDC& dc, const wxRect& rect, const wxColour& colour)
{
    if (rect.width <= 0 || rect.height <= 0)
        return;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colour));
    for (int x = rect.x; x <= rect.GetRight(); x += 2)
    {
        dc.DrawRectangle(x, rect.y, 1, 1);
        dc.DrawRectangle(x, rect.GetBottom(), 1, 1);
    }
    for (int y = rect.y; y <= rect.GetBottom(); y += 2)
    {
        dc.DrawRectangle(rect.x, y, 1, 1);
        dc.DrawRectangle(rect.GetRight(), y, 1, 1);
    }
    dc.SetBrush(wxNullBrush);
}
