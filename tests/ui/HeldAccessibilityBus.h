#pragma once

#include <chrono>
#include <sys/types.h>

// The accessibility bus of this test's D-Bus session held still for a while,
// as on a busy desktop: what the program tells screen readers waits in the
// bus, while the readers' questions, which reach the program by a connection
// of their own, are still answered. Let go at the latest when it is destroyed.
class HeldAccessibilityBus
{
public:
    HeldAccessibilityBus() = default;
    ~HeldAccessibilityBus();
    HeldAccessibilityBus(const HeldAccessibilityBus&) = delete;
    HeldAccessibilityBus& operator=(const HeldAccessibilityBus&) = delete;

    // False when the bus cannot be found.
    bool Hold();
    // Lets it go once the toolkit's loop has run that long.
    void ReleaseAfter(std::chrono::milliseconds wait);

private:
    void Release();

    pid_t m_daemon = 0; // while held
    unsigned m_timer = 0;
};
