// The pointer and key handling of the front panel: selection, navigation,
// the rubber band and drag and drop.
#include <algorithm>
#include <cstdlib>

#include <wx/cursor.h>
#include <wx/msgdlg.h>
#include <wx/tooltip.h>
#include <wx/window.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "model/commands/ControlClipboard.h"
#include "ui/Accessibility.h"
#include "ui/DesktopCursorGtk.h"
#include "ui/FrontPanelWindow.h"
#include "ui/KeyboardStrip.h"
#include "ui/TemplateUI.h"
#include "ui/WindowHelpers.h"

namespace
{
constexpr long long kFarAway = 10000000;

wxPoint Centre(const wxRect& rect)
{
    return {rect.x + rect.width / 2, rect.y + rect.height / 2};
}

void ShowStatus(const CPlacedControl& control)
{
    IEditorWindow* window = Host().Window();
    if (window && control.GetControl())
        window->ShowStatus(control.GetControl()->GetLabel());
}

void HideSettings()
{
    if (IEditorWindow* window = Host().Window())
        window->HideControlSettings();
}
} // namespace

wxPoint CTemplateUI::StripPoint(const wxPoint& point) const
{
    return point - wxPoint(m_stripOrigin[0], m_stripOrigin[1]);
}

void CTemplateUI::ClearPanelTip()
{
    wxWindow* window = GetFrontPanelWindow();
    if (window && window->GetToolTip())
        window->UnsetToolTip();
}

void CTemplateUI::RefreshHoverTip()
{
    wxWindow* window = GetFrontPanelWindow();
    CControlButton* button = FindControlButton(m_hoverIndex);
    // The same text keeps the tip on show.
    if (window && button && window->GetToolTipText() != button->ToolTipText())
        button->UpdateToolTip();
}

void CTemplateUI::SetMainCursor(bool allowed)
{
    wxWindow* window = GetFrontPanelWindow();
    if (!window)
        return;
    // Set through the toolkit either way, so that it puts back the arrow later.
    window->SetCursor(wxCursor(allowed ? wxCURSOR_ARROW : wxCURSOR_NO_ENTRY));
    if (!allowed)
        ShowDesktopCursor(*window, "not-allowed");
}

bool CTemplateUI::OnMouseMove(const wxPoint& point)
{
    bool redraw = false;
    if (ZonesAvailable() && !DragReady() && m_keyboardStrip)
    {
        redraw = m_keyboardStrip->OnMouseDrag(StripPoint(point));
        if (m_keyboardStrip->GetDraggedZone() >= 0)
            return redraw;
    }
    m_hoverList.Clear();
    if (DragReady())
        HideSettings();

    bool paneTook = false;
    for (auto pane = m_panes.rbegin(); pane != m_panes.rend() && !paneTook; ++pane)
        paneTook = PaneTakesMove(**pane, point, redraw);
    CControlButton* button = paneTook ? nullptr : ControlButtonAt(point);
    if (paneTook && m_hoverIndex != -1)
    {
        redraw = true;
        m_hoverIndex = -1;
    }
    if (!paneTook && !button)
    {
        redraw = m_hoverIndex != -1;
        m_hoverIndex = -1;
        IEditorWindow* window = Host().Window();
        const bool overSettings =
            window && window->IsControlSettingsShown() && window->ControlSettingsContains(point.x, point.y);
        wxToolTip::Enable(overSettings);
        // GTK ignores the switch above: empty space gets no tip by having none.
        ClearPanelTip();
    }
    else if (button)
    {
        UpdateHoverList(button);
        if (button->GetIndex() != m_hoverIndex)
        {
            redraw = true;
            button->UpdateToolTip();
            m_hoverIndex = button->GetIndex();
            ShowStatus(button->GetPlacedControl());
        }
    }

    if (m_dragList)
    {
        m_dropReady = m_dragList->Size() == 1 && !m_hoverList.SameIndices(*m_dragList);
        if (m_dropReady)
            SetMainCursor(DropAllowed());
    }
    else
    {
        SetMainCursor(true);
        if (UpdateButtonsHover(point))
            redraw = true;
    }
    if (m_rubberBandActive)
    {
        const std::vector<int> before = SelectedIndices();
        TrackPointer(point);
        AnnounceSelection(before);
        redraw = true;
    }
    return redraw;
}

bool CTemplateUI::PaneTakesMove(PanelPane& pane, const wxPoint& point, bool& redraw)
{
    const bool expanding = Preferences::IsOn(wxGetApp().Prefs().useExpandPanes);
    if (pane.UpdateButtonHover(point, expanding))
        redraw = true;
    if (!pane.IsButtonHovered())
        return pane.HitTest(point) >= 0;
    wxWindow* window = GetFrontPanelWindow();
    if (expanding && window && window->GetToolTipText() != pane.ButtonToolTip())
        window->SetToolTip(pane.ButtonToolTip());
    return true;
}

void CTemplateUI::UpdateHoverList(CControlButton* button)
{
    m_hoverList.Clear();
    if (button)
        m_hoverList.Add(button->GetPlacedControl());
    // While dragging, only a control that may take the drop is marked.
    if (DragReady() && !DropAllowed())
        m_hoverList.Clear();
}

bool CTemplateUI::DropAllowed() const
{
    if (!m_dragList || m_hoverList.Empty())
        return false;
    const CBaseControlState* target = m_hoverList.Front().GetControl();
    if (target && target->GetType() == ControlMessageType::Disabled)
        return Selection::CanAssignAll(*m_dragList, m_hoverList);
    // A swap moves both ways.
    return Selection::CanAssignAll(*m_dragList, m_hoverList) && Selection::CanAssignAll(m_hoverList, *m_dragList);
}

std::vector<int> CTemplateUI::SelectedIndices() const
{
    std::vector<int> indices;
    for (std::size_t i = 0; i < m_selection.Size(); ++i)
        indices.push_back(m_selection[i].GetIndex());
    return indices;
}

void CTemplateUI::AnnounceSelection(const std::vector<int>& before) const
{
    const std::vector<int> after = SelectedIndices();
    if (after == before)
        return;
    std::vector<int> added;
    for (int index : after)
        if (std::find(before.begin(), before.end(), index) == before.end())
            added.push_back(index);
    if (added.size() == 1)
        Accessibility::NotifyEvent(Accessibility::EventObjectFocus, added.front() + 1);
    else
        Accessibility::NotifyEvent(Accessibility::EventObjectSelectionWithin, 0);
}

bool CTemplateUI::OnMouseButton(const wxPoint& point, bool ctrl, bool doubleClick, bool button, bool up, bool right)
{
    const std::vector<int> before = SelectedIndices();
    HandleMouseButton(point, ctrl, doubleClick, button, up, right);
    AnnounceSelection(before);
    return true;
}

void CTemplateUI::HandleMouseButton(const wxPoint& point, bool ctrl, bool doubleClick, bool button, bool up,
                                    bool right)
{
    OnMouseMove(point);
    if (ZonesAvailable() && !right && m_keyboardStrip)
    {
        const wxPoint stripPoint = StripPoint(point);
        if (!up)
            m_keyboardStrip->OnMouseDown(stripPoint);
        else
            m_keyboardStrip->OnMouseUp();
        if (doubleClick)
            m_keyboardStrip->OnDoubleClick(stripPoint);
    }
    if (up)
    {
        if (m_dragList)
            ApplyDrop(ctrl);
        if (m_rubberBandActive)
            SetRubberBand(false);
    }
    IEditorWindow* window = Host().Window();
    bool editRequest = doubleClick || (window && window->IsControlSettingsShown());
    if (ctrl)
        doubleClick = editRequest = false;

    bool handled = false;
    const bool expanding = Preferences::IsOn(wxGetApp().Prefs().useExpandPanes);
    for (auto pane = m_panes.rbegin(); pane != m_panes.rend() && !handled; ++pane)
        handled = up && button && !right && (*pane)->OnButtonClick(point, expanding);
    if (!handled && !m_dragList && !up)
    {
        if (!ctrl && button)
            m_selection.SelectOnly(m_hoverList);
        else if (ctrl && !m_hoverList.Empty())
        {
            CPlacedControl& hovered = m_hoverList.Front();
            const bool onlySelected = m_selection.Size() == 1 && m_selection.Contains(hovered);
            if (!onlySelected)
            {
                handled = true;
                if (m_selection.Contains(hovered))
                    m_selection.Remove(hovered);
                else
                    m_selection.Add(hovered);
            }
        }
    }
    if (m_selection.Size() != 1)
        HideSettings();
    DeleteSelection(std::move(m_dragList));

    if (!handled && m_selection.Size() == 1)
    {
        if (editRequest && up)
        {
            m_selection.EditSingle();
            handled = true;
        }
        else if (!doubleClick && button && !up && !right && m_hoverList.Size() == 1 &&
                 m_hoverList.Front().GetIndex() == m_selection.Front().GetIndex())
        {
            StartDrag();
            handled = true;
        }
    }
    if (!up && !handled && button && !right)
        StartRubberBand(point);
    if (button)
        OnButtonsMouseButton(point, up);
}

void CTemplateUI::StartDrag()
{
    CEditorTemplate* editorTemplate = GetTemplate();
    if (!editorTemplate)
        return;
    m_dragList = std::make_unique<Selection>(m_selection.Clone(*editorTemplate));
    m_dropReady = false;
}

void CTemplateUI::EndDrag()
{
    SetMainCursor(true);
    m_hoverList.Clear();
    DeleteSelection(std::move(m_dragList));
    m_dropReady = false;
}

void CTemplateUI::ApplyDrop(bool copy)
{
    CEditorTemplate* editorTemplate = GetTemplate();
    if (DropAllowed() && editorTemplate)
    {
        const int target = m_hoverList.Front().GetIndex();
        if (!m_hoverList.SameIndices(*m_dragList))
        {
            std::unique_ptr<ICommand> command;
            if (copy || m_dragList->AnyProtected())
            {
                ControlClipboard& clipboard = ControlClipboard::Global();
                clipboard.Copy(*m_dragList);
                command = clipboard.Paste(m_hoverList);
            }
            else if (m_hoverList.Front().GetControl()->GetType() == ControlMessageType::Disabled)
                command = ControlEdit::Move(*m_dragList, m_hoverList);
            else
                command = ControlEdit::Swap(*m_dragList, m_hoverList);
            editorTemplate->SubmitCommand(std::move(command));
        }
        m_selection.Clear();
        SelectControl(target, true);
    }
    EndDrag();
}

void CTemplateUI::StartRubberBand(const wxPoint& point)
{
    m_bandStartSelection.Clear();
    m_bandStartSelection.AddAll(m_selection);
    m_bandAnchor = point;
    SetRubberBand(true, wxRect(point, wxSize(0, 0)));
}

void CTemplateUI::TrackPointer(const wxPoint& point)
{
    const wxRect band(std::min(m_bandAnchor.x, point.x), std::min(m_bandAnchor.y, point.y),
                      std::abs(point.x - m_bandAnchor.x), std::abs(point.y - m_bandAnchor.y));
    m_rubberBand = band;
    for (const auto& button : m_controlButtons)
    {
        const bool overlaps = band.width > 0 && band.height > 0 && band.Intersects(button->GetRect());
        CPlacedControl& control = button->GetPlacedControl();
        // The band toggles what it covers against the selection it started from.
        if (overlaps != m_bandStartSelection.Contains(control))
            m_selection.Add(control);
        else
            m_selection.Remove(control);
    }
}

CControlButton* CTemplateUI::FindControlButton(int index) const
{
    for (const auto& button : m_controlButtons)
        if (button->GetIndex() == index)
            return button.get();
    return nullptr;
}

bool CTemplateUI::SelectControl(int index, bool select)
{
    for (auto pane = m_panes.rbegin(); pane != m_panes.rend(); ++pane)
        if ((*pane)->SelectControl(index, select))
            return true;
    CControlButton* button = FindControlButton(index);
    if (!button)
        return false;
    if (select)
    {
        m_selection.Add(button->GetPlacedControl());
        Accessibility::NotifyEvent(Accessibility::EventObjectFocus, index + 1);
        ShowStatus(button->GetPlacedControl());
    }
    else
        m_selection.Remove(button->GetPlacedControl());
    return true;
}

void CTemplateUI::SelectAll()
{
    for (const auto& button : m_controlButtons)
    {
        m_selection.Add(button->GetPlacedControl());
        Accessibility::NotifyEvent(Accessibility::EventObjectSelectionAdd, button->GetIndex() + 1);
    }
}

std::string CTemplateUI::SelectionInfoText() const
{
    auto label = [this](const CPlacedControl& control) {
        CControlButton* button = FindControlButton(control.GetIndex());
        return button ? button->GetLabelText() : std::string();
    };
    std::string text;
    const std::size_t count = m_selection.Size();
    if (count > 1)
        text = std::to_string(count) + " controls selected:\n\n";
    for (std::size_t i = 0; i < count && i < 10; ++i)
        text += label(m_selection[i]);
    if (count > 10)
        text += "\n .......\n\n" + label(m_selection.Back());
    return text;
}

void CTemplateUI::ShowSelectionInfo()
{
    if (m_selection.Empty())
        return;
    wxMessageBox(ToWx(SelectionInfoText()), "Selection info", wxOK | wxCENTRE, wxGetActiveWindow());
}

bool CTemplateUI::SelectNextControl(bool forward)
{
    CEditorTemplate* editorTemplate = GetTemplate();
    if (!editorTemplate || m_controlButtons.empty())
        return false;
    const int last = editorTemplate->GetLastControlIndex();
    int start = !m_selection.Empty() ? editorTemplate->NextControlIndex(m_selection.Front().GetIndex(), forward)
                : forward           ? 0
                                    : last;
    m_selection.Clear();
    // Every index is tried once at most: a panel may leave indices without a button.
    for (int tries = 0; tries <= last && !SelectControl(start, true); ++tries)
        start = editorTemplate->NextControlIndex(start, forward);
    return true;
}

wxPoint CTemplateUI::ControlCentre(int index) const
{
    if (CControlButton* button = FindControlButton(index))
        return Centre(button->GetRect());
    wxPoint centre;
    for (const auto& pane : m_panes)
        if (pane->ControlCentre(index, centre))
            return centre;
    return {0, 0};
}

bool CTemplateUI::IsInDirection(const wxPoint& p, const wxPoint& centre, int direction, bool strict)
{
    const int dx = std::abs(p.x - centre.x);
    const int dy = std::abs(p.y - centre.y);
    switch (direction)
    {
    case 0:
        return p.y < centre.y && (!strict || dy > dx);
    case 1:
        return p.y > centre.y && (!strict || dy > dx);
    case 2:
        return p.x < centre.x && (!strict || dx > dy);
    case 3:
        return p.x > centre.x && (!strict || dx > dy);
    default:
        return false;
    }
}

int CTemplateUI::FindNearestInDirection(int from, const wxPoint& centre, int direction, bool strict) const
{
    int best = from;
    long long bestDistance = kFarAway;
    for (const auto& pane : m_panes)
    {
        long long distance = kFarAway;
        const int candidate = pane->NearestInDirection(from, centre, direction, strict, distance);
        if (candidate >= 0 && distance < bestDistance)
        {
            best = candidate;
            bestDistance = distance;
        }
    }
    for (const auto& button : m_controlButtons)
    {
        if (button->GetIndex() == from)
            continue;
        const wxPoint p = Centre(button->GetRect());
        // An expanded pane lies over the panel: what it covers is out of reach.
        const wxRect moved(p, button->GetRect().GetSize());
        if (std::any_of(m_panes.begin(), m_panes.end(),
                        [&moved](const auto& pane) { return pane->IsExpanded() && pane->GetRect().Contains(moved); }))
            continue;
        const long long dx = p.x - centre.x, dy = p.y - centre.y;
        const long long d = dx * dx + dy * dy;
        if (d < bestDistance && IsInDirection(p, centre, direction, strict))
        {
            best = button->GetIndex();
            bestDistance = d;
        }
    }
    return best;
}

bool CTemplateUI::NavigateSelection(int direction)
{
    if (m_selection.Empty())
        return SelectControl(0, true);
    const int from = m_selection.Back().GetIndex();
    if (!FindControlButton(from))
        return false;
    const wxPoint centre = ControlCentre(from);
    int target = FindNearestInDirection(from, centre, direction, true);
    if (target == from)
        target = FindNearestInDirection(from, centre, direction, false);
    m_selection.Clear();
    SelectControl(target, true);
    return true;
}

bool CTemplateUI::EditSelection()
{
    if (m_selection.Empty())
        return false;
    m_selection.EditSingle();
    return true;
}
