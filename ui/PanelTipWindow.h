#pragma once

#include <wx/popupwin.h>

// The small window that shows the front panel's tip: the toolkit's own tips
// under GTK 3 keep their own delay and stay up with stale text, so the panel
// shows its tip itself. Never takes the focus or the pointer.
class CPanelTipWindow : public wxPopupWindow
{
public:
    explicit CPanelTipWindow(wxWindow* parent);

    // Shows text below and right of the pointer, kept on the display.
    void ShowAt(const wxString& text, const wxPoint& pointer);
    const wxString& GetText() const { return m_text; }

private:
    void OnPaint(wxPaintEvent& event);

    wxString m_text;
};
