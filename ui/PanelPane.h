#pragma once

#include <memory>
#include <vector>

// Told by a pane when it expands or collapses; the view implements it to
// resize the main window and re-render its captions.
class IExpandCallback
{
public:
    virtual ~IExpandCallback() = default;
    virtual void OnPaneExpanded() = 0;
    virtual void OnPaneCollapsed() = 0;
};

// An expanding pane of the panel: a tree of pages, of which one shows while
// collapsed and all show, stacked, while expanded. A page is itself a pane
// that holds controls by index. No panel of this program creates one; the
// view asks its (empty) pane list all the same. GUI thread only.
class PanelPane
{
public:
    explicit PanelPane(IExpandCallback* callback, int neededHeight = 0);
    virtual ~PanelPane();

    void AddPage(std::unique_ptr<PanelPane> page);
    void SetSubPane(std::unique_ptr<PanelPane> pane);
    void AddControlIndex(int index) { m_controls.push_back(index); }

    void Expand();
    void Collapse();
    // A released left click on the pane's button: with expanding panes
    // switched on it expands or collapses, otherwise it shows the next page.
    void OnButtonClick(bool expandingPanesOn);
    // The button's tooltip while expanding panes are on.
    const char* ButtonToolTip() const { return m_expanded ? "Collapse pane" : "Expand pane"; }
    // Offered to the sub-pane, the current page, then the other pages; a page
    // other than the current one that takes it becomes current and a
    // collapsed pane expands. True when some part holds the control.
    bool SelectControl(int index, bool select);

    bool IsExpanded() const { return m_expanded; }
    bool IsButtonHovered() const { return m_buttonHover; }
    void SetButtonHovered(bool hover) { m_buttonHover = hover; }
    int GetCurrentPage() const { return m_currentPage; }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    int GetNeededHeight() const { return m_neededHeight; }

private:
    bool HoldsControl(int index) const;

    std::vector<std::unique_ptr<PanelPane>> m_pages;
    std::unique_ptr<PanelPane> m_subPane;
    IExpandCallback* m_callback;
    bool m_expanded = false;
    bool m_buttonHover = false;
    int m_currentPage = 0;
    int m_neededHeight;
    std::vector<int> m_controls;
};
