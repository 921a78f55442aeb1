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

private:
    struct _XDisplay* m_display = nullptr;
    unsigned long m_window = 0;
    bool m_mapped = false;
};
