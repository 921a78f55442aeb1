#include "ui/PanelTipWindow.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/settings.h>

namespace
{
constexpr int kPadding = 4;
// Below the pointer's picture, as the desktop places tips.
const wxPoint kBelowPointer(0, 20);
} // namespace

CPanelTipWindow::CPanelTipWindow(wxWindow* parent) : wxPopupWindow(parent, wxBORDER_SIMPLE)
{
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
    Bind(wxEVT_PAINT, &CPanelTipWindow::OnPaint, this);
}

void CPanelTipWindow::ShowAt(const wxString& text, const wxPoint& pointer)
{
    m_text = text;
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    const wxSize size = dc.GetMultiLineTextExtent(text) + wxSize(2 * kPadding + 2, 2 * kPadding + 2);
    const int display = wxDisplay::GetFromPoint(pointer);
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0 : display).GetClientArea();
    wxPoint at = pointer + kBelowPointer;
    at.x = std::max(area.x, std::min(at.x, area.GetRight() + 1 - size.x));
    if (at.y + size.y > area.GetBottom() + 1)
        at.y = pointer.y - size.y - 4;
    SetSize(wxRect(at, size));
    Refresh();
    Show();
}

void CPanelTipWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    dc.DrawText(m_text, kPadding, kPadding);
}
