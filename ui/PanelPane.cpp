#include "ui/PanelPane.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/window.h>

#include "app/EditorApp.h"
#include "ui/FrameRect.h"
#include "ui/TemplateUI.h"

PanelPane::PanelPane(IExpandCallback* callback, const wxPoint& position, int pageStride, int neededHeight)
    : m_callback(callback), m_position(position), m_pageStride(pageStride), m_neededHeight(neededHeight)
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

void PanelPane::SetButtonRects(const wxRect& collapsed, const wxRect& expanded)
{
    m_collapsedButton = collapsed;
    m_expandedButton = expanded;
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

bool PanelPane::OnButtonClick(const wxPoint& point, bool expandingPanesOn)
{
    if (!ButtonRect(expandingPanesOn).Contains(point))
        return false;
    if (expandingPanesOn)
    {
        if (m_expanded)
            Collapse();
        else
            Expand();
    }
    else if (!m_pages.empty())
        m_currentPage = (m_currentPage + 1) % GetPageCount();
    return true;
}

bool PanelPane::UpdateButtonHover(const wxPoint& point, bool expandingPanesOn)
{
    const bool hover = ButtonRect(expandingPanesOn).Contains(point);
    const bool changed = hover != m_buttonHover;
    m_buttonHover = hover;
    return changed;
}

bool PanelPane::SelectControl(int index, bool select)
{
    if (std::any_of(m_controls.begin(), m_controls.end(), [index](const Control& c) { return c.index == index; }))
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

std::vector<PanelPane::Control> PanelPane::Shown(const wxPoint& offset) const
{
    std::vector<Control> shown;
    for (const Control& control : m_controls)
        shown.push_back({control.index, wxRect(control.rect.GetPosition() + offset, control.rect.GetSize())});
    auto add = [&shown](const std::vector<Control>& more) { shown.insert(shown.end(), more.begin(), more.end()); };
    if (m_subPane)
        add(m_subPane->Shown(offset));
    const wxPoint origin = offset + m_position;
    for (int i = 0; i < GetPageCount(); ++i)
    {
        if (m_expanded)
            add(m_pages[i]->Shown(origin + wxPoint(0, i * m_pageStride)));
        else if (i == m_currentPage)
            add(m_pages[i]->Shown(origin));
    }
    return shown;
}

int PanelPane::HitTest(const wxPoint& point) const
{
    for (const Control& control : Shown())
        if (control.rect.Contains(point))
            return control.index;
    return -1;
}

bool PanelPane::ControlCentre(int index, wxPoint& centre) const
{
    for (const Control& control : Shown())
        if (control.index == index)
        {
            centre = wxPoint(control.rect.x + control.rect.width / 2, control.rect.y + control.rect.height / 2);
            return true;
        }
    return false;
}

int PanelPane::NearestInDirection(int from, const wxPoint& centre, int direction, bool strict,
                                  long long& distance) const
{
    int best = -1;
    for (const Control& control : Shown())
    {
        if (control.index == from)
            continue;
        const wxPoint p(control.rect.x + control.rect.width / 2, control.rect.y + control.rect.height / 2);
        const long long dx = p.x - centre.x, dy = p.y - centre.y;
        const long long d = dx * dx + dy * dy;
        if ((best < 0 || d < distance) && CTemplateUI::IsInDirection(p, centre, direction, strict))
        {
            best = control.index;
            distance = d;
        }
    }
    return best;
}

std::vector<int> PanelPane::ShownControls() const
{
    std::vector<int> indices;
    for (const Control& control : Shown())
        indices.push_back(control.index);
    return indices;
}

wxRect PanelPane::GetRect() const
{
    wxRect area;
    for (const Control& control : Shown())
        area = area.IsEmpty() ? control.rect : area.Union(control.rect);
    return area;
}

void PanelPane::Draw(wxDC& dc, bool secondPass) const
{
    const bool expandingPanesOn = Preferences::IsOn(wxGetApp().Prefs().useExpandPanes);
    if (!secondPass)
        DrawFrameRect(dc, GetRect().Inflate(2), false, 2, *wxBLACK);
    else if (m_buttonHover)
        DrawFrameRect(dc, ButtonRect(expandingPanesOn), false, 2, HoverGrey());
}
