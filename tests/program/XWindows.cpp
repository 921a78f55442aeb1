#include "tests/program/XWindows.h"

#include <X11/Xutil.h>

#include <thread>

namespace XWindows
{
namespace
{
int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

Display* Open()
{
    Display* display = XOpenDisplay(nullptr);
    if (display)
        XSetErrorHandler(&IgnoreErrors);
    return display;
}

std::string Title(Display* display, Window window)
{
    XTextProperty name;
    if (!XGetWMName(display, window, &name) || !name.value)
        return std::string();
    std::string text(reinterpret_cast<const char*>(name.value), name.nitems);
    XFree(name.value);
    return text;
}

Window FindMapped(Display* display, const std::function<bool(const std::string&)>& title, Window other)
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    // Top of the stack first: a box shown over another box is the one that
    // takes input.
    Window found = 0;
    for (unsigned i = count; i-- > 0 && !found;)
    {
        XWindowAttributes attributes;
        if (children[i] != other && XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && title(Title(display, children[i])))
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

Window WaitForMapped(Display* display, const std::function<bool(const std::string&)>& title, Window other,
                     std::chrono::milliseconds deadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < end)
    {
        if (const Window found = FindMapped(display, title, other))
            return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return 0;
}

void Close(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}
} // namespace XWindows
