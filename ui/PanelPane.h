#pragma once

#include <memory>
#include <vector>

#include <wx/gdicmn.h>

class wxDC;

// Told by a pane when it expands or collapses; the view implements it to
// resize the main window and re-render its captions.
class IExpandCallback
{
public:
    virtual ~IExpandCallback() = default;
    virtual void OnPaneExpanded() = 0;
    virtual void OnPaneCollapsed() = 0;
};

// An expanding pane of the panel: a tree of pages, of which the current one
// shows while collapsed and all show, one page stride apart downwards, while
// expanded. A page is itself a pane that holds controls by index, each with
// its rectangle relative to the page. No panel of this program creates one;
// the view asks its (empty) pane list all the same. GUI thread only.
class PanelPane
{
public:
    // position: the top-left corner of the pane (of its pages) on the panel.
    explicit PanelPane(IExpandCallback* callback, const wxPoint& position = wxPoint(), int pageStride = 0,
                       int neededHeight = 0);
    virtual ~PanelPane();

    void AddPage(std::unique_ptr<PanelPane> page);
    void SetSubPane(std::unique_ptr<PanelPane> pane);
    void AddControl(int index, const wxRect& rect) { m_controls.push_back({index, rect}); }
    // The expand button collapsed and expanded; collapsed is used while
    // expanding panes are off.
    void SetButtonRects(const wxRect& collapsed, const wxRect& expanded);

    void Expand();
    void Collapse();
    // A released left click: on the button, with expanding panes on it
    // expands or collapses, otherwise it shows the next page. True when the
    // button took it.
    bool OnButtonClick(const wxPoint& point, bool expandingPanesOn);
    // Hover of the button; true when it changed.
    bool UpdateButtonHover(const wxPoint& point, bool expandingPanesOn);
    // The button's tip while expanding panes are on.
    const char* ButtonToolTip() const { return m_expanded ? "Collapse pane" : "Expand pane"; }
    wxRect ButtonRect(bool expandingPanesOn) const
    {
        return expandingPanesOn && m_expanded ? m_expandedButton : m_collapsedButton;
    }
    // Offered to the sub-pane, the current page, then the other pages; a page
    // other than the current one that takes it becomes current and a
    // collapsed pane expands. True when some part holds the control.
    bool SelectControl(int index, bool select);

    // Hit tests in panel coordinates over what shows: the control under the
    // point, or -1.
    int HitTest(const wxPoint& point) const;
    bool ControlCentre(int index, wxPoint& centre) const;
    // The pane's own candidate for the view's nearest-control search: the
    // nearest shown control other than from in the direction, and its
    // squared distance; -1 when none.
    int NearestInDirection(int from, const wxPoint& centre, int direction, bool strict, long long& distance) const;
    // Every control index the pane shows.
    std::vector<int> ShownControls() const;
    // What shows: the shown pages' controls together.
    wxRect GetRect() const;
    // A 2-pixel frame round the pane (first pass) and its button (second).
    void Draw(wxDC& dc, bool secondPass) const;

    bool IsExpanded() const { return m_expanded; }
    bool IsButtonHovered() const { return m_buttonHover; }
    int GetCurrentPage() const { return m_currentPage; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    int GetNeededHeight() const { return m_neededHeight; }

private:
    struct Control
    {
        int index;
        wxRect rect;
    };
    // Every control that shows, with its rectangle on the panel; a page's
    // controls lie offset by its place.
    std::vector<Control> Shown(const wxPoint& offset = wxPoint()) const;

    std::vector<std::unique_ptr<PanelPane>> m_pages;
    std::unique_ptr<PanelPane> m_subPane;
    IExpandCallback* m_callback;
    wxPoint m_position;
    int m_pageStride;
    int m_neededHeight;
    bool m_expanded = false;
    bool m_buttonHover = false;
    int m_currentPage = 0;
    wxRect m_collapsedButton;
    wxRect m_expandedButton;
    std::vector<Control> m_controls;
};
