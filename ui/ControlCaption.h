#pragma once

#include <string>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/gdicmn.h>

class CPlacedControl;
class wxDC;

// The text block under one control of the front panel: name, caption and
// channel lines in the display font, as many as the view type asks for.
// A single line is rendered through a cache bitmap and redrawn from it while
// neither text nor colour changes; three lines are drawn directly. Owned by
// its control button; the placed control is the button's. GUI thread only.
class ControlCaption
{
public:
    // singleLine: never three lines, never centred. nameLength: name
    // characters shown, -1 for the device's display name length.
    // useParamName: show a plug-in parameter's name instead of the control's.
    void Init(CPlacedControl* control, bool singleLine, int nameLength, int shorteningMode,
              bool useParamName);
    // Position relative to the button's origin; sizes the cache from the
    // display font's cell (the font must be loaded for anything to show).
    void SetPosition(const wxPoint& position);
    // Draws the lines; nothing for a Disabled control.
    void Draw(wxDC& dc, const wxColour& colour, const wxPoint& origin);
    // Forces the next single-line drawing to render again (a pane moved).
    void MarkDirty() { m_dirty = true; }

    wxPoint GetPosition() const { return m_position; }
    wxSize GetSize() const { return m_size; }
    bool IsSingleLine() const { return m_singleLine; }

    // Horizontal offset that centres a line under the control: 0 for a
    // single-line caption, 2 pixels more for a text ending in ".".
    int CentreOffset(const std::string& text) const;
    // The name line with this caption's options.
    std::string NameText() const;

private:
    void DrawCached(wxDC& dc, const std::string& text, const wxColour& colour, const wxPoint& at);

    CPlacedControl* m_control = nullptr;
    wxPoint m_position;
    wxSize m_size;
    bool m_singleLine = false;
    int m_nameLength = -1;
    bool m_dirty = true;
    std::string m_cachedText;
    wxColour m_cachedColour;
    wxBitmap m_cache;
    int m_shorteningMode = 0;
    bool m_useParamName = false;
};
