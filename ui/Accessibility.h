#pragma once

#include <string>

#include <wx/gdicmn.h>

class CControlButton;
class CTemplateUI;

// The toolkit has no accessibility objects on this platform, so the front
// panel answers the same queries through this small layer: child ids (0 the
// panel, n the control button of index n - 1), roles, state flags and the
// events raised when the selection changes. Events go to an installable sink,
// which an assistive bridge or a test records.
namespace Accessibility
{
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
    EventObjectFocus = 0x8005,
    EventObjectSelectionAdd = 0x8007,
};

// The object id of a window's client area.
constexpr int kObjectClient = -4;

class IEventSink
{
public:
    virtual ~IEventSink() = default;
    virtual void OnEvent(Event event, int objectId, int childId) = 0;
};

// Installs a sink (not owned); null drops events again.
void InstallEventSink(IEventSink* sink);
// Hands an event for the main window's client area to the installed sink.
void NotifyEvent(Event event, int childId);
} // namespace Accessibility

// A control button as an accessible object; asked about itself only.
class CControlButtonAccessible
{
public:
    CControlButtonAccessible(CControlButton& button, CTemplateUI& view) : m_button(button), m_view(view) {}

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
    CControlButton& m_button;
    CTemplateUI& m_view;
};

// The front panel as the main window's accessible object.
class CTemplateUIAccessible
{
public:
    explicit CTemplateUIAccessible(CTemplateUI& view) : m_view(view) {}

    void GetLocation(wxRect& rect, int childId) const;
    std::string GetName(int childId) const;
    // The template's last control index + 1; 0 before a template is shown.
    int GetChildCount() const;
    // Null for the panel itself and for ids without a control button.
    CControlButton* GetChild(int childId) const;
    std::string GetDescription(int childId) const;
    Accessibility::Role GetRole(int childId) const;
    long GetState(int childId) const;
    // The selected control with the lowest index (child id, button); the
    // panel itself (0, null) when nothing is selected.
    int GetFocus(CControlButton** child = nullptr) const;

private:
    CTemplateUI& m_view;
};
