#pragma once

// A window of another X client (a connection of its own to the test's X
// server). Giving it the keyboard focus makes the program inactive, as when
// the user switches to another program.
class OtherXWindow
{
public:
    OtherXWindow();
    ~OtherXWindow();
    OtherXWindow(const OtherXWindow&) = delete;
    OtherXWindow& operator=(const OtherXWindow&) = delete;

    // Maps the window and gives it the focus; false without an X server.
    bool Activate();
    // Whether the X server gives it the keys (the other program is active).
    bool HasFocus();
    // Waits until a key pressed in it arrives; false when none came by the deadline.
    bool KeyArrived();

private:
    // Waits for an event of that type on the window, against a deadline.
    bool Arrived(int type);

    struct _XDisplay* m_display = nullptr;
    unsigned long m_window = 0;
    bool m_mapped = false;
};
