#include "ui/Accessibility.h"

#include <algorithm>
#include <vector>

#include <wx/window.h>

#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "ui/ControlButton.h"
#include "ui/TemplateUI.h"

namespace Accessibility
{
namespace
{
std::vector<IEventSink*>& Sinks()
{
    static std::vector<IEventSink*> sinks;
    return sinks;
}

template <typename Tell>
void TellSinks(Tell tell)
{
    // A copy: a sink may remove itself while it is told.
    const std::vector<IEventSink*> sinks = Sinks();
    for (IEventSink* sink : sinks)
        tell(*sink);
}
} // namespace

void AddEventSink(IEventSink* sink)
{
    Sinks().push_back(sink);
}

void RemoveEventSink(IEventSink* sink)
{
    auto& sinks = Sinks();
    sinks.erase(std::remove(sinks.begin(), sinks.end(), sink), sinks.end());
}

void NotifyEvent(Event event, int childId)
{
    TellSinks([=](IEventSink& sink) { sink.OnEvent(event, kObjectClient, childId); });
}

void NotifySelectionChanged()
{
    TellSinks([](IEventSink& sink) { sink.OnSelectionChanged(); });
}
} // namespace Accessibility

using Accessibility::Status;

void CControlButtonAccessible::GetLocation(wxRect& rect, int element) const
{
    if (element != 0)
        return;
    rect = m_button->GetRect();
    if (m_window)
        rect.SetPosition(m_window->ClientToScreen(rect.GetPosition()));
}

std::string CControlButtonAccessible::GetName() const
{
    return m_button->GetName();
}

std::string CControlButtonAccessible::GetDescription() const
{
    return m_button->GetDescription();
}

long CControlButtonAccessible::GetState() const
{
    long state = Accessibility::StateFocusable | Accessibility::StateSelectable | Accessibility::StateMultiSelectable;
    if (m_view->GetSelection().Contains(m_button->GetPlacedControl()))
        state |= Accessibility::StateSelected | Accessibility::StateFocused;
    return state;
}

std::string CControlButtonAccessible::GetValue() const
{
    const CBaseControlState* control = m_button->GetControl();
    if (!control || control->GetType() == ControlMessageType::Disabled)
        return "not assigned";
    return control->GetDisplayName();
}

namespace
{
// Child 0 gets the panel's own answer, a child id with a button its object's
// answer; any other id is invalid and leaves the answer as it was.
template <typename T, typename FromButton>
Status Answer(int childId, const std::optional<CControlButtonAccessible>& button, T& answer, const T& panelAnswer,
              FromButton fromButton)
{
    if (childId == 0)
        answer = panelAnswer;
    else if (button)
        answer = fromButton(*button);
    else
        return Status::InvalidArg;
    return Status::Ok;
}
} // namespace

std::optional<CControlButtonAccessible> CTemplateUIAccessible::ButtonObject(int childId) const
{
    int count = 0;
    GetChildCount(count);
    CControlButton* button = childId > 0 && childId <= count ? m_view.FindControlButton(childId - 1) : nullptr;
    if (!button)
        return std::nullopt;
    return CControlButtonAccessible(*button, m_view, m_window);
}

Status CTemplateUIAccessible::GetLocation(wxRect& rect, int childId) const
{
    const wxRect panel(rect.GetPosition(), wxSize(m_view.GetPanelWidth(), m_view.GetPanelHeight()));
    return Answer(childId, ButtonObject(childId), rect, panel, [](const CControlButtonAccessible& button) {
        wxRect location;
        button.GetLocation(location, 0);
        return location;
    });
}

Status CTemplateUIAccessible::GetName(int childId, std::string& name) const
{
    return Answer(childId, ButtonObject(childId), name, std::string(),
                  [](const CControlButtonAccessible& button) { return button.GetName(); });
}

Status CTemplateUIAccessible::GetChildCount(int& count) const
{
    const CEditorTemplate* editorTemplate = m_view.GetTemplate();
    count = editorTemplate ? editorTemplate->GetLastControlIndex() + 1 : 0;
    return Status::Ok;
}

Status CTemplateUIAccessible::GetChild(int childId, std::optional<CControlButtonAccessible>& child) const
{
    child = ButtonObject(childId);
    return childId == 0 || child ? Status::Ok : Status::InvalidArg;
}

Status CTemplateUIAccessible::GetDescription(int childId, std::string& description) const
{
    return Answer(childId, ButtonObject(childId), description, std::string(),
                  [](const CControlButtonAccessible& button) { return button.GetDescription(); });
}

Status CTemplateUIAccessible::GetRole(int childId, Accessibility::Role& role) const
{
    return Answer(childId, ButtonObject(childId), role, Accessibility::Role::SystemWindow,
                  [](const CControlButtonAccessible& button) { return button.GetRole(); });
}

Status CTemplateUIAccessible::GetState(int childId, long& state) const
{
    // With nothing selected no control reports any flag, not even focusable.
    const bool none = m_view.GetSelection().Empty();
    return Answer(childId, ButtonObject(childId), state, long{Accessibility::StateNone},
                  [none](const CControlButtonAccessible& button) { return none ? 0L : button.GetState(); });
}

Status CTemplateUIAccessible::GetFocus(int& childId) const
{
    childId = 0;
    const Selection& selection = m_view.GetSelection();
    if (selection.Empty())
        return Status::Ok;
    int count = 0;
    GetChildCount(count);
    for (int index = 0; index < count; ++index)
    {
        CControlButton* button = m_view.FindControlButton(index);
        if (button && selection.Contains(button->GetPlacedControl()))
        {
            childId = index + 1;
            break;
        }
    }
    return Status::Ok;
}
