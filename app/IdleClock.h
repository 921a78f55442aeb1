#pragma once

#include <functional>

// Calls a function at a fixed interval from the toolkit's main loop (nested
// loops of modal dialogs and message boxes too), and lets the program sleep
// in between. It is a plain source of that loop rather than a toolkit timer:
// a timer makes every tick an event and sends idle events to every window
// after it, which doubles what an idle program costs. A call is never
// started while the previous one runs. GUI thread only.
class IdleClock
{
public:
    IdleClock() = default;
    ~IdleClock() { Stop(); }
    IdleClock(const IdleClock&) = delete;
    IdleClock& operator=(const IdleClock&) = delete;

    // (Re)starts; the first call comes one interval from now.
    void Start(int intervalMs, std::function<void()> tick);
    void Stop();
    bool IsRunning() const { return m_source != 0; }

private:
    // The source's function (gboolean, gpointer).
    static int OnTimeout(void* self);

    std::function<void()> m_tick;
    unsigned m_source = 0;
};
