#include "tests/ui/WindowManagerStandIn.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
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
        if (event.type == UnmapNotify)
            FocusNextAfter(event.xunmap.window);
        if (event.type != ClientMessage || event.xclient.message_type != active)
            continue;
        XRaiseWindow(m_display, event.xclient.window);
        XSetInputFocus(m_display, event.xclient.window, RevertToPointerRoot, CurrentTime);
        XSync(m_display, False);
        ++m_activations;
    }
}

void WindowManagerStandIn::FocusNextAfter(unsigned long window)
{
    // Only when the keys went with it, to nobody.
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    if (focus != PointerRoot && focus != None)
        return;
    // To the window it belongs to, else to the topmost one left.
    Window next = 0;
    XWindowAttributes attributes;
    if (!XGetTransientForHint(m_display, window, &next) || !XGetWindowAttributes(m_display, next, &attributes) ||
        attributes.map_state != IsViewable)
    {
        next = 0;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        {
            for (unsigned i = count; i-- > 0 && !next;)
                if (children[i] != window && XGetWindowAttributes(m_display, children[i], &attributes) &&
                    attributes.map_state == IsViewable && !attributes.override_redirect)
                    next = children[i];
            XFree(children);
        }
    }
    if (!next)
        return;
    XSetInputFocus(m_display, next, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
}
