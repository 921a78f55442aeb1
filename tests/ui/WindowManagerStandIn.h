#pragma once

#include <atomic>
#include <thread>

// A window manager of the test's own on the test's X server, for the one
// request the program makes of a desktop's: to activate a window
// (_NET_ACTIVE_WINDOW), granted at once as a desktop grants it. While it
// runs the toolkit asks it instead of taking the X focus itself, so a
// window that asks for the keys gets them, even from another program.
// When a window goes with the keys, they go to the window it belongs to, or
// else to the topmost one left.
// Make it before the program's first window, so the toolkit finds it.
class WindowManagerStandIn
{
public:
    WindowManagerStandIn();
    ~WindowManagerStandIn();
    WindowManagerStandIn(const WindowManagerStandIn&) = delete;
    WindowManagerStandIn& operator=(const WindowManagerStandIn&) = delete;

    // The activations it has granted.
    int Activations() const { return m_activations; }

private:
    void Serve();
    void FocusNextAfter(unsigned long window);

    struct _XDisplay* m_display = nullptr;
    unsigned long m_check = 0; // the window that tells the desktop it is there
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_activations{0};
    std::thread m_thread;
};
