#include "app/IdleClock.h"

#include <glib-unix.h>
#include <glib.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace
{
void RemoveSource(unsigned& source)
{
    if (source != 0)
        g_source_remove(source);
    source = 0;
}
} // namespace

void IdleClock::Start(int intervalMs, std::function<void()> tick, std::function<void()> soon)
{
    Stop();
    m_tick = std::move(tick);
    m_soon = soon ? std::move(soon) : m_tick;
    m_intervalMs = intervalMs;
    m_started = true;
    Resume();
    // The descriptor lives as long as the clock: a driver thread may still
    // write to it after a stop.
    if (m_soonFd < 0)
        m_soonFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_soonFd >= 0)
    {
        m_soonAsked = false;
        const GUnixFDSourceFunc ready = [](gint fd, GIOCondition, gpointer self) -> gboolean {
            return OnSoon(fd, self);
        };
        m_soonSource = g_unix_fd_add(m_soonFd, G_IO_IN, ready, this);
    }
}

IdleClock::~IdleClock()
{
    Stop();
    if (m_soonFd >= 0)
        close(m_soonFd);
}

void IdleClock::Stop()
{
    m_started = false;
    RemoveSource(m_source);
    RemoveSource(m_wakeSource);
    RemoveSource(m_soonSource);
}

void IdleClock::Rest()
{
    RemoveSource(m_source);
}

void IdleClock::Resume()
{
    if (m_started && m_source == 0)
        m_source = g_timeout_add(static_cast<guint>(m_intervalMs), &IdleClock::OnTimeout, this);
}

void IdleClock::Wake()
{
    if (!IsResting() || m_wakeSource != 0)
        return;
    Resume();
    // As soon as the loop is free: at the priority of its events, not after
    // the toolkit's idle work.
    m_wakeSource = g_idle_add_full(G_PRIORITY_DEFAULT, &IdleClock::OnWake, this, nullptr);
}

void IdleClock::TickSoon()
{
    // One write per call that comes: a burst of messages wakes the loop once.
    if (m_soonAsked.exchange(true))
        return;
    if (m_soonFd >= 0 && eventfd_write(m_soonFd, 1) != 0)
        m_soonAsked = false;
}

int IdleClock::OnTimeout(void* self)
{
    // The call may rest the clock, which removes this source; its result
    // then counts for nothing.
    static_cast<IdleClock*>(self)->m_tick();
    return G_SOURCE_CONTINUE;
}

int IdleClock::OnWake(void* self)
{
    auto* clock = static_cast<IdleClock*>(self);
    clock->m_wakeSource = 0;
    clock->m_tick();
    return G_SOURCE_REMOVE;
}

int IdleClock::OnSoon(int fd, void* self)
{
    auto* clock = static_cast<IdleClock*>(self);
    eventfd_t count = 0;
    eventfd_read(fd, &count);
    clock->m_soonAsked = false;
    clock->m_soon();
    return G_SOURCE_CONTINUE;
}
