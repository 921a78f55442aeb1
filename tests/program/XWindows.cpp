#include "tests/program/XWindows.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace XWindows
{
Display* Open()
{
    Display* display = XOpenDisplay(nullptr);
    if (display)
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    return display;
}

namespace
{
// The title as the window's own program set it: _NET_WM_NAME (UTF-8), else
// WM_NAME, which GTK leaves out for a title it cannot put in Latin-1 or
// compound text. False when it has none.
bool TitleOf(Display* display, Window window, std::string& title)
{
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* value = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False, utf8,
                           &type, &format, &count, &after, &value) == Success && value && type == utf8)
    {
        title.assign(reinterpret_cast<const char*>(value), count);
        XFree(value);
        return true;
    }
    if (value)
        XFree(value);
    XTextProperty name{};
    if (!XGetWMName(display, window, &name) || !name.value)
        return false;
    title.assign(reinterpret_cast<const char*>(name.value), name.nitems);
    XFree(name.value);
    return true;
}
} // namespace

Window FindMapped(Display* display, const std::function<bool(const std::string&)>& title, Window other)
{
    Window root, parent, *children = nullptr, found = 0;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    // Top of the stack first: a box shown over another box is the one that takes input.
    for (unsigned i = count; i-- > 0 && !found;)
    {
        XWindowAttributes attributes;
        std::string name;
        if (children[i] == other || !XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable || !TitleOf(display, children[i], name))
            continue;
        if (title(name))
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
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

void PressKey(Display* display, Window window, KeySym key, const std::vector<KeySym>& modifiers)
{
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    for (KeySym modifier : modifiers)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, modifier), True, CurrentTime);
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), False, CurrentTime);
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, *modifier), False, CurrentTime);
    XSync(display, False);
}

std::vector<unsigned long> Pixels(Display* display, Window window, int& width, int& height)
{
    XWindowAttributes attributes;
    std::vector<unsigned long> pixels;
    if (!XGetWindowAttributes(display, window, &attributes))
        return pixels;
    width = attributes.width, height = attributes.height;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
    XDestroyImage(image);
    return pixels;
}
} // namespace XWindows
