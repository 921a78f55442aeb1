#include "tests/ui/RealInput.h"

#include <gdk/gdk.h>
#include <gtk/gtk.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
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

bool Present(wxTopLevelWindow* window)
{
    GtkWindow* gtk = GTK_WINDOW(window->GetHandle());
    gtk_window_present(gtk);
    return PumpUntil([gtk] { return gtk_window_is_active(gtk); });
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

namespace
{
// Another program started with its standard output read line by line while
// the event loop runs; stopped when this goes.
class OtherProgram
{
public:
    explicit OtherProgram(std::vector<std::string> arguments)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), ::environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        m_output = ends[0];
        ::fcntl(m_output, F_SETFL, O_NONBLOCK);
    }
    ~OtherProgram()
    {
        if (m_pid > 0)
        {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_output >= 0)
            ::close(m_output);
    }
    // The next line it writes, waited for with the loop running; "" when
    // none comes by the deadline.
    std::string NextLine(Milliseconds deadline = std::chrono::seconds(10))
    {
        PumpUntil([this] {
            char chunk[256];
            ssize_t n;
            while ((n = ::read(m_output, chunk, sizeof chunk)) > 0)
                m_said.append(chunk, static_cast<std::size_t>(n));
            return m_said.find('\n') != std::string::npos;
        }, deadline);
        const std::size_t end = m_said.find('\n');
        if (end == std::string::npos)
            return std::string();
        const std::string line = m_said.substr(0, end);
        m_said.erase(0, end + 1);
        return line;
    }

private:
    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_said;
};

gboolean CountMotion(GtkWidget*, GdkDragContext*, gint, gint, guint, gpointer count)
{
    ++*static_cast<int*>(count);
    return FALSE;
}
} // namespace

bool DropFromOtherProgram(wxWindow* field, const wxPoint& point, const wxString& text)
{
    OtherProgram source({"/usr/bin/python3", DORVA_REAL_INPUT_SCRIPTS "/drag_source.py", text.utf8_string()});
    wxPoint from;
    if (std::sscanf(source.NextLine().c_str(), "ready %d %d", &from.x, &from.y) != 2)
        return false;
    // Every place the drag passes over the field is one the field answered.
    int motions = 0;
    GtkWidget* widget = static_cast<GtkWidget*>(field->GetHandle());
    const gulong watch = g_signal_connect(widget, "drag-motion", G_CALLBACK(CountMotion), &motions);
    MoveToScreen(from, true);
    Simulator().MouseDown();
    Settle();
    // Past GTK's drag threshold, then onto the field in steps, as a hand moves.
    const wxPoint to = ScreenPoint(field, point);
    for (int step = 0; step <= 4; ++step)
        MoveToScreen(from + wxPoint(0, -20) + (to - from - wxPoint(0, -20)) * step / 4, false);
    const bool over = PumpUntil([&motions] { return motions > 0; });
    Simulator().MouseUp();
    const bool ended = source.NextLine() == "ended";
    g_signal_handler_disconnect(widget, watch);
    Clicked(to);
    return over && ended;
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
    if (shown)
        shown(texts.back());
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

KeyInNextGtkQuestion::KeyInNextGtkQuestion(int key) : m_key(key)
{
    m_source = g_timeout_add(10, [](gpointer data) -> gboolean {
        auto* self = static_cast<KeyInNextGtkQuestion*>(data);
        GtkWindow* question = nullptr;
        GList* windows = gtk_window_list_toplevels();
        for (GList* window = windows; window; window = window->next)
            if (GTK_IS_MESSAGE_DIALOG(window->data) && gtk_widget_get_mapped(GTK_WIDGET(window->data)))
                question = GTK_WINDOW(window->data);
        g_list_free(windows);
        if (!question)
            return G_SOURCE_CONTINUE;
        if (!gtk_window_is_active(question))
        {
            if (!self->m_presented)
                gtk_window_present(question);
            self->m_presented = true;
            return G_SOURCE_CONTINUE;
        }
        Simulator().Char(self->m_key);
        gdk_display_sync(gdk_display_get_default());
        self->m_pressed = true;
        self->m_source = 0;
        return G_SOURCE_REMOVE;
    }, this);
}

KeyInNextGtkQuestion::~KeyInNextGtkQuestion()
{
    if (m_source)
        g_source_remove(m_source);
}

void MessageBoxKeys::Exit(wxDialog* dialog)
{
    if (m_source && dynamic_cast<wxMessageDialog*>(dialog))
        g_source_remove(m_source);
    m_source = 0;
}

} // namespace RealInput
