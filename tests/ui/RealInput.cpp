#include "tests/ui/RealInput.h"

#include <gdk/gdk.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <wx/app.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>
#include <wx/utils.h>


namespace RealInput
{
namespace
{
// Two clicks closer than this in time and place make a double click.
constexpr Milliseconds kDoubleClickTime{500};
constexpr int kDoubleClickDistance = 8;
std::chrono::steady_clock::time_point g_lastClick;
wxPoint g_lastClickAt(-100, -100);

wxUIActionSimulator& Simulator()
{
    static wxUIActionSimulator simulator;
    return simulator;
}

wxPoint ScreenPoint(wxWindow* window, const wxPoint& point)
{
    const wxSize size = window->GetClientSize();
    return window->ClientToScreen(point == wxDefaultPosition ? wxPoint(size.x / 2, size.y / 2) : point);
}

// The modifier keys themselves, held around a click.
void HoldModifiers(int modifiers, bool down)
{
    const std::pair<int, int> keys[] = {{wxMOD_CONTROL, WXK_CONTROL}, {wxMOD_SHIFT, WXK_SHIFT}, {wxMOD_ALT, WXK_ALT}};
    for (const auto& [modifier, key] : keys)
        if (modifiers & modifier)
            down ? Simulator().KeyDown(key) : Simulator().KeyUp(key);
    Settle();
}

// Moves the pointer to a point on the screen; before a click there, waits
// until it cannot make a double click with the last one.
void MoveToScreen(const wxPoint& at, bool clicking)
{
    const auto end = g_lastClick + kDoubleClickTime;
    if (clicking && std::abs(at.x - g_lastClickAt.x) + std::abs(at.y - g_lastClickAt.y) <= kDoubleClickDistance)
        PumpUntil([end] { return std::chrono::steady_clock::now() >= end; }, kDoubleClickTime);
    Simulator().MouseMove(at);
    Settle();
}

void Clicked(const wxPoint& at)
{
    g_lastClick = std::chrono::steady_clock::now();
    g_lastClickAt = at;
    Settle();
}

// The centre of a widget on the screen, once it is mapped with a size.
bool ScreenCentre(GtkWidget* widget, wxPoint& centre)
{
    GdkWindow* window = widget ? gtk_widget_get_window(widget) : nullptr;
    if (!window || !gtk_widget_get_mapped(widget))
        return false;
    GtkAllocation area;
    gtk_widget_get_allocation(widget, &area);
    if (area.width <= 1 || area.height <= 1)
        return false;
    int x = 0;
    int y = 0;
    gdk_window_get_origin(window, &x, &y);
    centre = wxPoint(x + area.x + area.width / 2, y + area.y + area.height / 2);
    return true;
}

// Moves the pointer onto the widget once it is on screen, and clicks there.
bool PointAt(GtkWidget* widget, bool click)
{
    wxPoint centre;
    if (!PumpUntil([&] { return ScreenCentre(widget, centre); }))
        return false;
    MoveToScreen(centre, click);
    if (click)
    {
        Simulator().MouseClick();
        Clicked(centre);
    }
    return true;
}
} // namespace

bool PumpUntil(const std::function<bool()>& done, Milliseconds deadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done())
    {
        if (std::chrono::steady_clock::now() > end)
            return false;
        wxYield();
        wxMilliSleep(1);
    }
    return true;
}

void Settle()
{
    // A round trip on the toolkit's own connection: whatever the X server
    // made of the simulated input before it is now queued here.
    gdk_display_sync(gdk_display_get_default());
    // A window that keeps repainting (a pulsing panel button) is never quiet:
    // the deadline ends the wait then.
    const auto end = std::chrono::steady_clock::now() + Milliseconds(5000);
    for (int quiet = 0; quiet < 3 && std::chrono::steady_clock::now() < end;)
    {
        quiet = gtk_events_pending() ? 0 : quiet + 1;
        wxYield();
    }
}

bool Focus(wxWindow* window)
{
    if (!window)
        return false;
    if (wxWindow* top = wxGetTopLevelParent(window))
    {
        top->Show();
        top->Raise();
    }
    // A composite control hands its focus to a child (a list to its rows).
    const auto focused = [window] {
        wxWindow* focus = wxWindow::FindFocus();
        return focus && (focus == window || window->IsDescendant(focus));
    };
    return PumpUntil([window, focused] {
        if (focused())
            return true;
        window->SetFocus();
        Settle();
        return focused();
    });
}

bool Activate(wxTopLevelWindow* window)
{
    window->Raise();
    // A round trip: the request has reached the X server, and so the window
    // manager, when the wait starts. Without one it may wait in the
    // connection for seconds on a busy machine.
    gdk_display_sync(gdk_display_get_default());
    return PumpUntil([window] { return window->IsActive(); });
}

void Key(int keyCode, int modifiers)
{
    Simulator().Char(keyCode, modifiers);
    Settle();
}

void KeyDown(int keyCode)
{
    Simulator().KeyDown(keyCode);
    Settle();
}

void KeyUp(int keyCode)
{
    Simulator().KeyUp(keyCode);
    Settle();
}

void Type(const wxString& text)
{
    Simulator().Text(text.utf8_str());
    Settle();
}

void MoveTo(wxWindow* window, const wxPoint& point)
{
    MoveToScreen(ScreenPoint(window, point), false);
}

void Click(wxWindow* window, const wxPoint& point, int modifiers, int button)
{
    const wxPoint at = ScreenPoint(window, point);
    MoveToScreen(at, true);
    HoldModifiers(modifiers, true);
    Simulator().MouseClick(button);
    HoldModifiers(modifiers, false);
    Clicked(at);
}

void ClickWhileBusy()
{
    MoveToScreen(wxGetMousePosition(), true);
    Simulator().MouseClick();
    gdk_display_sync(gdk_display_get_default());
    g_lastClick = std::chrono::steady_clock::now();
    g_lastClickAt = wxGetMousePosition();
}

wxImage OnScreen(wxWindow* window)
{
    const wxRect rect = window->GetScreenRect();
    wxImage image(rect.width, rect.height);
    GdkPixbuf* shown =
        gdk_pixbuf_get_from_window(gdk_get_default_root_window(), rect.x, rect.y, rect.width, rect.height);
    if (!shown)
        return image;
    const int stride = gdk_pixbuf_get_rowstride(shown), channels = gdk_pixbuf_get_n_channels(shown);
    const guchar* pixels = gdk_pixbuf_get_pixels(shown);
    for (int y = 0; y < rect.height; ++y)
        for (int x = 0; x < rect.width; ++x)
        {
            const guchar* pixel = pixels + y * stride + x * channels;
            image.SetRGB(x, y, pixel[0], pixel[1], pixel[2]);
        }
    g_object_unref(shown);
    return image;
}

void DoubleClick(wxWindow* window, const wxPoint& point)
{
    const wxPoint at = ScreenPoint(window, point);
    MoveToScreen(at, true);
    Simulator().MouseDblClick();
    Clicked(at);
}

void Drag(wxWindow* window, const wxPoint& from, const wxPoint& to, int modifiers)
{
    MoveToScreen(ScreenPoint(window, from), true);
    Simulator().MouseDown();
    Settle();
    // Through a point between, as a hand moves: the window sees motion with the button held.
    MoveTo(window, (from + to) / 2);
    MoveTo(window, to);
    HoldModifiers(modifiers, true);
    Simulator().MouseUp();
    HoldModifiers(modifiers, false);
    Clicked(ScreenPoint(window, from));
}

KeysInNextMenu::KeysInNextMenu(std::vector<std::pair<int, int>> keys) : m_keys(std::move(keys))
{
    wxEvtHandler::AddFilter(this);
}

KeysInNextMenu::~KeysInNextMenu()
{
    wxEvtHandler::RemoveFilter(this);
}

int KeysInNextMenu::FilterEvent(wxEvent& event)
{
    if (event.GetEventType() != wxEVT_MENU_OPEN || menusShown++ > 0)
        return Event_Skip;
    // After the menu has taken the keyboard; nothing is pumped here, as the
    // menu's own loop runs.
    wxTheApp->CallAfter([keys = m_keys] {
        for (const auto& [code, modifiers] : keys)
            Simulator().Char(code, modifiers);
    });
    return Event_Skip;
}

bool ChooseMenuItem(wxFrame* frame, int id)
{
    wxMenuBar* bar = frame ? frame->GetMenuBar() : nullptr;
    wxMenu* menu = nullptr;
    wxMenuItem* item = bar ? bar->FindItem(id, &menu) : nullptr;
    if (!item || !item->IsEnabled() || !menu)
        return false;
    // From the item up: each menu opens from the item it is attached to (a
    // title of the bar, or a submenu's item).
    std::vector<GtkWidget*> way{item->GetMenuItem()};
    for (; menu; menu = menu->GetParent())
        way.push_back(gtk_menu_get_attach_widget(GTK_MENU(menu->m_menu)));
    std::reverse(way.begin(), way.end());
    // The title opens its menu with a click; a submenu opens while the
    // pointer rests on its item, as it does for a user (a click on that item
    // was seen to leave the submenu closed).
    wxPoint unused;
    for (size_t step = 0; step + 1 < way.size(); ++step)
        if (!PointAt(way[step], step == 0) || !PumpUntil([&] { return ScreenCentre(way[step + 1], unused); }))
            return false;
    return PointAt(way.back(), true);
}

MessageBoxKeys::MessageBoxKeys(int key, int modifiers)
    : m_key(key), m_modifiers(modifiers), m_previous(SetMessageBoxFunction({}))
{
    Register();
}

MessageBoxKeys::~MessageBoxKeys()
{
    Unregister();
    if (m_source)
        g_source_remove(m_source);
    SetMessageBoxFunction(m_previous);
}

int MessageBoxKeys::Enter(wxDialog* dialog)
{
    auto* box = dynamic_cast<wxMessageDialog*>(dialog);
    if (!box)
        return wxID_NONE;
    texts.push_back(box->GetMessage());
    MarkScripted(*box);
    // The box's window is made after this hook; the timer looks for it on
    // screen, gives it the keys, then presses the key once it has them.
    struct Waiting
    {
        MessageBoxKeys* keys;
        wxMessageDialog* box;
        bool presented = false;
    };
    m_source = g_timeout_add_full(
        G_PRIORITY_DEFAULT, 10,
        [](gpointer data) -> gboolean {
            auto* waiting = static_cast<Waiting*>(data);
            auto* window = reinterpret_cast<GtkWidget*>(waiting->box->GetHandle());
            if (!window || !gtk_widget_get_mapped(window))
                return G_SOURCE_CONTINUE;
            if (!gtk_window_is_active(GTK_WINDOW(window)))
            {
                if (!waiting->presented)
                    gtk_window_present(GTK_WINDOW(window));
                waiting->presented = true;
                return G_SOURCE_CONTINUE;
            }
            Simulator().Char(waiting->keys->m_key, waiting->keys->m_modifiers);
            gdk_display_sync(gdk_display_get_default());
            waiting->keys->m_source = 0;
            return G_SOURCE_REMOVE;
        },
        new Waiting{this, box}, [](gpointer data) { delete static_cast<Waiting*>(data); });
    return wxID_NONE;
}

void MessageBoxKeys::Exit(wxDialog* dialog)
{
    if (m_source && dynamic_cast<wxMessageDialog*>(dialog))
        g_source_remove(m_source);
    m_source = 0;
}

} // namespace RealInput
