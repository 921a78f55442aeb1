#pragma once

#include <optional>
#include <string>

#include <wx/gdicmn.h>

class CControlButton;
class CTemplateUI;
class wxWindow;

// The toolkit has no accessibility objects on this platform, so the front
// panel answers the same queries through this small layer: child ids (0 the
// panel, n the control button of index n - 1), roles, state flags and the
// events raised when the selection changes. Events go to the installed sinks:
// the bridge to the desktop's accessibility bus, or a test's recorder.
// Toolkit-neutral on purpose: nothing here knows the bridge.
namespace Accessibility
{
// What a query answers besides its result.
enum class Status
{
    Ok,
    // No object has this child id.
    InvalidArg,
    // The object does not answer this query.
    NotImplemented,
};

enum class Role
{
    None,
    SystemWindow,
    SystemPushButton,
};

// State flags, with the values screen readers know them by.
enum State : long
{
    StateNone = 0,
    StateFocusable = 0x00000800,
    StateFocused = 0x00001000,
    StateMultiSelectable = 0x00020000,
    StateSelectable = 0x00400000,
    StateSelected = 0x00800000,
};

enum Event : unsigned
{
    // The panel's children were made again (another template, or none).
    EventObjectReorder = 0x8004,
    EventObjectFocus = 0x8005,
    EventObjectSelectionAdd = 0x8007,
    // The selection changed in some other way (removals, several at once).
    EventObjectSelectionWithin = 0x8009,
};

// The object id of a window's client area.
constexpr int kObjectClient = -4;

class IEventSink
{
public:
    virtual ~IEventSink() = default;
    virtual void OnEvent(Event event, int objectId, int childId) = 0;
    // The panel's selection changed, by a gesture that raises its own event
    // or by one that raises none (an undo, a new layout). Several changes
    // may come from one action: only its end state is meant for listeners.
    virtual void OnSelectionChanged() {}
};

// Sinks are not owned and are told in the order they were added.
void AddEventSink(IEventSink* sink);
void RemoveEventSink(IEventSink* sink);
// Hands an event for the main window's client area to every sink.
void NotifyEvent(Event event, int childId);
void NotifySelectionChanged();
} // namespace Accessibility

// A control button as an accessible object; asked about itself only, so
// every answer is Ok. window: the one the panel is drawn in.
class CControlButtonAccessible
{
public:
    CControlButtonAccessible(CControlButton& button, CTemplateUI& view, const wxWindow* window)
        : m_button(&button), m_view(&view), m_window(window)
    {
    }

    // Element 0: the button's rectangle with its corner in screen coordinates;
    // other elements leave the rectangle as it is.
    void GetLocation(wxRect& rect, int element) const;
    std::string GetName() const;
    std::string GetDescription() const;
    Accessibility::Role GetRole() const { return Accessibility::Role::SystemPushButton; }
    long GetState() const;
    // "not assigned", or the control's display name.
    std::string GetValue() const;
    int GetFocus() const { return 0; }

private:
    CControlButton* m_button;
    CTemplateUI* m_view;
    const wxWindow* m_window;
};

// The front panel as the main window's accessible object. Child ids without a
// control button (negative, past the last control, or any before a template
// is shown) answer InvalidArg.
class CTemplateUIAccessible
{
public:
    // window: the one the panel is drawn in; button rectangles are in its
    // client coordinates.
    CTemplateUIAccessible(CTemplateUI& view, const wxWindow& window) : m_view(view), m_window(&window) {}

    // The panel: its size only. A child: its screen rectangle.
    Accessibility::Status GetLocation(wxRect& rect, int childId) const;
    Accessibility::Status GetName(int childId, std::string& name) const;
    // The template's last control index + 1; 0 before a template is shown.
    Accessibility::Status GetChildCount(int& count) const;
    // The control button's own object; none for the panel itself.
    Accessibility::Status GetChild(int childId, std::optional<CControlButtonAccessible>& child) const;
    Accessibility::Status GetDescription(int childId, std::string& description) const;
    Accessibility::Status GetRole(int childId, Accessibility::Role& role) const;
    Accessibility::Status GetState(int childId, long& state) const;
    // The selected control with the lowest index; the panel itself (0) when
    // nothing is selected or no selected control has a button. Never -1.
    Accessibility::Status GetFocus(int& childId) const;

private:
    // The object of the child's control button; none for ids without one.
    std::optional<CControlButtonAccessible> ButtonObject(int childId) const;

    CTemplateUI& m_view;
    const wxWindow* m_window;
};
