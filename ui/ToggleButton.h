#pragma once

#include <cstdint>

#include <wx/colour.h>
#include <wx/gdicmn.h>

class wxDC;

// A clickable area drawn by the view on the panel picture (no toolkit
// window): it follows the pointer, latches on a complete click and draws a
// frame. GUI thread only.
class CToggleButton
{
public:
    explicit CToggleButton(const wxColour& frameColour);
    virtual ~CToggleButton() = default;

    virtual void Draw(wxDC& dc);

    // Hover follows the point; leaving cancels a pending press. True when
    // the hover state changed (the view repaints then).
    bool OnMouseMove(const wxPoint& point);
    // A press inside starts a click (false); a release inside after such a
    // press flips the latch; any release inside answers true.
    bool OnMouseButton(const wxPoint& point, bool up);

    void SetRect(const wxRect& rect) { m_rect = rect; }
    const wxRect& GetRect() const { return m_rect; }
    bool IsLatched() const { return m_latched; }
    void SetLatched(bool latched) { m_latched = latched; }
    bool IsPressed() const { return m_pressed; }
    void SetPressed(bool pressed) { m_pressed = pressed; }
    bool IsHovered() const { return m_hover; }
    void SetHighlight(bool highlight) { m_highlight = highlight; }
    const wxColour& GetFrameColour() const { return m_frameColour; }

protected:
    wxRect m_rect;
    bool m_latched = false;
    bool m_pressed = false;
    bool m_hover = false;
    bool m_highlight = false;
    wxColour m_frameColour;
};

// A toggle button whose frame pulses through five shades while latched
// (Listen and Send). The view's idle tick drives it.
class CAnimatedButton : public CToggleButton
{
public:
    explicit CAnimatedButton(int intervalMs);

    // Adds the elapsed time; once more than the interval has passed since the
    // last frame, moves one frame (0 1 2 3 4 4 3 2 1 0 0 1 ...). True when a
    // frame was taken and the button is latched.
    bool Step(int elapsedMs);
    void Draw(wxDC& dc) override;

    int GetFrame() const { return m_frame; }
    // The frame colour of a latched button at a frame.
    static wxColour PulseColour(int frame);

private:
    int m_frame = 0;
    int m_interval;
    std::int64_t m_lastStep = 0;
    std::int64_t m_elapsed = 0;
    bool m_up = true;
};
