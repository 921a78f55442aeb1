#pragma once

#include <atomic>
#include <functional>

// Calls a function at a fixed interval from the toolkit's main loop (nested
// loops of modal dialogs and message boxes too), and lets the program sleep
// in between. It is a plain source of that loop rather than a toolkit timer:
// a timer makes every tick an event and sends idle events to every window
// after it, which doubles what an idle program costs. A call is never
// started while the previous one runs. GUI thread only, but for TickSoon.
class IdleClock
{
public:
    IdleClock() = default;
    ~IdleClock();
    IdleClock(const IdleClock&) = delete;
    IdleClock& operator=(const IdleClock&) = delete;

    // (Re)starts; the first call comes one interval from now. soon, when
    // given, is what TickSoon calls (else tick).
    void Start(int intervalMs, std::function<void()> tick, std::function<void()> soon = {});
    void Stop();
    bool IsRunning() const { return m_source != 0; }

    // Any thread, a real-time one too (one write to a descriptor, no lock):
    // one extra call as soon as the loop is free, between the regular ones.
    // Calls asked for before it came are one. Nothing while stopped.
    void TickSoon();

private:
    // The sources' functions (gboolean results).
    static int OnTimeout(void* self);
    static int OnSoon(int fd, void* self);

    std::function<void()> m_tick;
    std::function<void()> m_soon;
    unsigned m_source = 0;
    unsigned m_soonSource = 0;
    // Set before the first TickSoon can come (the driver starts later).
    int m_soonFd = -1;
    std::atomic<bool> m_soonAsked{false};
};
