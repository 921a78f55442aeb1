#include "tests/ui/OtherXWindow.h"

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

OtherXWindow::OtherXWindow() : m_display(XOpenDisplay(nullptr))
{
    if (!m_display)
        return;
    m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 120, 80, 0, 0, 0);
    XSelectInput(m_display, m_window, StructureNotifyMask | KeyPressMask);
}

OtherXWindow::~OtherXWindow()
{
    if (!m_display)
        return;
    XDestroyWindow(m_display, m_window);
    XCloseDisplay(m_display);
}

bool OtherXWindow::Activate()
{
    if (!m_display)
        return false;
    XMapRaised(m_display, m_window);
    // The focus may go only to a window that is mapped (else BadMatch).
    if (!m_mapped && !Arrived(MapNotify))
        return false;
    m_mapped = true;
    XSetInputFocus(m_display, m_window, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
    return true;
}

bool OtherXWindow::HasFocus()
{
    if (!m_display)
        return false;
    unsigned long focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    return focus == m_window;
}

bool OtherXWindow::KeyArrived()
{
    return m_display && Arrived(KeyPress);
}

bool OtherXWindow::Arrived(int type)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    XEvent event;
    while (!XCheckTypedWindowEvent(m_display, m_window, type, &event))
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        XSync(m_display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
