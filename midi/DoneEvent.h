#pragma once

#include <condition_variable>
#include <mutex>

// An auto-reset event: a successful Wait consumes the signal. The output port
// waits on it before handing the driver a new message; the driver signals it
// from any thread once it has finished with the previous one.
class DoneEvent
{
public:
    explicit DoneEvent(bool signalled) : m_signalled(signalled) {}

    void Signal();
    // True when the event was or became signalled within timeoutMs.
    bool Wait(int timeoutMs);
    // The same, but the signal stays for the next Wait.
    bool WaitSignalled(int timeoutMs);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_signalled;
};
