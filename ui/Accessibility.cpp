#include "ui/Accessibility.h"

#include <wx/window.h>

#include "app/EditorApp.h"
#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "ui/ControlButton.h"
#include "ui/FrontPanelWindow.h"
#include "ui/TemplateUI.h"

namespace Accessibility
{
namespace
{
IEventSink* g_sink = nullptr;
}

void InstallEventSink(IEventSink* sink)
{
    g_sink = sink;
}

void NotifyEvent(Event event, int childId)
{
    if (g_sink)
        g_sink->OnEvent(event, kObjectClient, childId);
}
} // namespace Accessibility

void CControlButtonAccessible::GetLocation(wxRect& rect, int element) const
{
    if (element != 0)
        return;
    rect = m_button.GetRect();
    if (wxWindow* window = GetFrontPanelWindow())
        rect.SetPosition(window->ClientToScreen(rect.GetPosition()));
}

std::string CControlButtonAccessible::GetName() const
{
    return m_button.GetName();
}

std::string CControlButtonAccessible::GetDescription() const
{
    return m_button.GetDescription();
}

long CControlButtonAccessible::GetState() const
{
    long state = Accessibility::StateFocusable | Accessibility::StateSelectable | Accessibility::StateMultiSelectable;
    if (m_view.GetSelection().Contains(m_button.GetPlacedControl()))
        state |= Accessibility::StateSelected | Accessibility::StateFocused;
    return state;
}

std::string CControlButtonAccessible::GetValue() const
{
    const CBaseControlState* control = m_button.GetControl();
    if (!control || control->GetType() == ControlMessageType::Disabled)
        return "not assigned";
    return control->GetDisplayName();
}

void CTemplateUIAccessible::GetLocation(wxRect& rect, int childId) const
{
    if (childId == 0)
    {
        rect.SetSize(wxSize(m_view.GetPanelWidth(), m_view.GetPanelHeight()));
        return;
    }
    if (CControlButton* button = GetChild(childId))
        CControlButtonAccessible(*button, m_view).GetLocation(rect, 0);
}

std::string CTemplateUIAccessible::GetName(int childId) const
{
    CControlButton* button = childId > 0 ? GetChild(childId) : nullptr;
    return button ? button->GetName() : std::string();
}

int CTemplateUIAccessible::GetChildCount() const
{
    const CEditorTemplate* editorTemplate = m_view.GetTemplate();
    return editorTemplate ? editorTemplate->GetLastControlIndex() + 1 : 0;
}

CControlButton* CTemplateUIAccessible::GetChild(int childId) const
{
    return childId > 0 ? m_view.FindControlButton(childId - 1) : nullptr;
}

std::string CTemplateUIAccessible::GetDescription(int childId) const
{
    CControlButton* button = GetChild(childId);
    return button ? button->GetDescription() : std::string();
}

Accessibility::Role CTemplateUIAccessible::GetRole(int childId) const
{
    if (childId == 0)
        return Accessibility::Role::SystemWindow;
    return GetChild(childId) ? Accessibility::Role::SystemPushButton : Accessibility::Role::None;
}

long CTemplateUIAccessible::GetState(int childId) const
{
    CControlButton* button = GetChild(childId);
    if (!button || m_view.GetSelection().Empty())
        return Accessibility::StateNone;
    return CControlButtonAccessible(*button, m_view).GetState();
}

int CTemplateUIAccessible::GetFocus(CControlButton** child) const
{
    if (child)
        *child = nullptr;
    const Selection& selection = m_view.GetSelection();
    if (selection.Empty() || m_view.GetControlButtons().empty())
        return 0;
    for (int index = 0; index < GetChildCount(); ++index)
    {
        CControlButton* button = m_view.FindControlButton(index);
        if (button && selection.Contains(button->GetPlacedControl()))
        {
            if (child)
                *child = button;
            return index + 1;
        }
    }
    // Some selected control has no button: no focus to report.
    return -1;
}
