#include "ui/PanelPane.h"

#include <algorithm>

#include <wx/window.h>

#include "app/EditorApp.h"

PanelPane::PanelPane(IExpandCallback* callback, int neededHeight)
    : m_callback(callback), m_neededHeight(neededHeight)
{
}

PanelPane::~PanelPane() = default;

void PanelPane::AddPage(std::unique_ptr<PanelPane> page)
{
    m_pages.push_back(std::move(page));
}

void PanelPane::SetSubPane(std::unique_ptr<PanelPane> pane)
{
    m_subPane = std::move(pane);
}

void PanelPane::Expand()
{
    if (m_callback)
        m_callback->OnPaneExpanded();
    m_expanded = true;
    if (Preferences::IsOn(wxGetApp().Prefs().useExpandPanes))
        m_buttonHover = false;
    if (wxWindow* window = wxGetApp().GetMainWindow())
    {
        const wxSize size = window->GetClientSize();
        if (size.y < m_neededHeight)
            window->SetClientSize(size.x, m_neededHeight);
    }
}

void PanelPane::Collapse()
{
    if (m_callback)
        m_callback->OnPaneCollapsed();
    for (auto& page : m_pages)
        page->Collapse();
    if (m_subPane)
        m_subPane->Collapse();
    m_expanded = false;
}

void PanelPane::OnButtonClick(bool expandingPanesOn)
{
    if (expandingPanesOn)
    {
        if (m_expanded)
            Collapse();
        else
            Expand();
    }
    else if (!m_pages.empty())
    {
        m_currentPage = (m_currentPage + 1) % static_cast<int>(m_pages.size());
    }
}

bool PanelPane::HoldsControl(int index) const
{
    return std::find(m_controls.begin(), m_controls.end(), index) != m_controls.end();
}

bool PanelPane::SelectControl(int index, bool select)
{
    if (HoldsControl(index))
        return true;
    if (m_subPane && m_subPane->SelectControl(index, select))
        return true;
    if (m_currentPage < GetPageCount() && m_pages[m_currentPage]->SelectControl(index, select))
        return true;
    for (int i = 0; i < GetPageCount(); ++i)
    {
        if (i == m_currentPage || !m_pages[i]->SelectControl(index, select))
            continue;
        m_currentPage = i;
        if (!m_expanded)
            Expand();
        return true;
    }
    return false;
}
