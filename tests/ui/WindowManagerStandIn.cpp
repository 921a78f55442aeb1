#include "tests/ui/WindowManagerStandIn.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <initializer_list>

namespace
{
Atom Intern(Display* display, const char* name)
{
    return XInternAtom(display, name, False);
}
} // namespace

WindowManagerStandIn::WindowManagerStandIn() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        return;
    const Window root = DefaultRootWindow(m_display);
    m_check = XCreateSimpleWindow(m_display, root, -10, -10, 1, 1, 0, 0, 0);
    const Atom check = Intern(m_display, "_NET_SUPPORTING_WM_CHECK");
    const Atom active = Intern(m_display, "_NET_ACTIVE_WINDOW");
    for (Window window : {m_check, root})
        XChangeProperty(m_display, window, check, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&m_check), 1);
    XChangeProperty(m_display, root, Intern(m_display, "_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&active), 1);
    // The toolkit sends its requests to the root window with this mask.
    XSelectInput(m_display, root, SubstructureNotifyMask);
    XSync(m_display, False);
    m_thread = std::thread([this] { Serve(); });
}

WindowManagerStandIn::~WindowManagerStandIn()
{
    if (!m_display)
        return;
    m_stop = true;
    m_thread.join();
    const Window root = DefaultRootWindow(m_display);
    XDeleteProperty(m_display, root, Intern(m_display, "_NET_SUPPORTED"));
    XDeleteProperty(m_display, root, Intern(m_display, "_NET_SUPPORTING_WM_CHECK"));
    XDestroyWindow(m_display, m_check);
    XCloseDisplay(m_display);
}

void WindowManagerStandIn::Serve()
{
    const Atom active = Intern(m_display, "_NET_ACTIVE_WINDOW");
    pollfd connection{ConnectionNumber(m_display), POLLIN, 0};
    while (!m_stop)
    {
        if (!XPending(m_display))
        {
            poll(&connection, 1, 20);
            continue;
        }
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != ClientMessage || event.xclient.message_type != active)
            continue;
        XRaiseWindow(m_display, event.xclient.window);
        XSetInputFocus(m_display, event.xclient.window, RevertToPointerRoot, CurrentTime);
        XSync(m_display, False);
        ++m_activations;
    }
}
