#pragma once

#include <vector>

#include <wx/statusbr.h>

class wxStaticText;

// The main window's status line, drawn by the toolkit as ever, and read by
// screen readers: each field's text is also held by a label of its own over
// the field, which readers find inside a status bar and which tells them
// whenever its text changes. The labels draw nothing, so the line looks
// exactly as the toolkit draws it. GUI thread only.
class CStatusLine : public wxStatusBar
{
public:
    CStatusLine(wxWindow* parent, int fields);

    void SetStatusWidths(int n, const int widths[]) override;

protected:
    // Every change of a field's text comes here: set, pushed (a menu's help)
    // or popped.
    void DoUpdateStatusText(int field) override;

private:
    void PlaceLabels();

    std::vector<wxStaticText*> m_labels;
};
