#pragma once

#include <atomic>
#include <functional>

// Calls a function at a fixed interval from the toolkit's main loop (nested
// loops of modal dialogs and message boxes too), and lets the program sleep
// in between. It is a plain source of that loop rather than a toolkit timer:
// a timer makes every tick an event and sends idle events to every window
// after it, which doubles what an idle program costs. The regular calls can
// rest while nothing needs them; a wake-up starts them again. A call is
// never started while the previous one runs. GUI thread only, but for
// TickSoon.
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
    bool IsRunning() const { return m_started; }

    // The regular calls stop until Resume or Wake; TickSoon still calls.
    void Rest();
    bool IsResting() const { return m_started && m_source == 0; }
    // The regular calls again (nothing while they run), the next one an
    // interval from now.
    void Resume();
    // While resting: one call as soon as the loop is free, and the regular
    // calls again.
    void Wake();

    // Any thread, a real-time one too (one write to a descriptor, no lock):
    // one extra call as soon as the loop is free, between the regular ones,
    // also while they rest. Calls asked for before it came are one. Nothing
    // while stopped.
    void TickSoon();

private:
    // The sources' functions (gboolean results).
    static int OnTimeout(void* self);
    static int OnWake(void* self);
    static int OnSoon(int fd, void* self);

    std::function<void()> m_tick;
    std::function<void()> m_soon;
    int m_intervalMs = 0;
    bool m_started = false;
    unsigned m_source = 0;
    unsigned m_wakeSource = 0;
    unsigned m_soonSource = 0;
    // Set before the first TickSoon can come (the driver starts later).
    int m_soonFd = -1;
    std::atomic<bool> m_soonAsked{false};
};
