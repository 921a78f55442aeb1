#include "app/IdleClock.h"

#include <glib.h>

void IdleClock::Start(int intervalMs, std::function<void()> tick)
{
    Stop();
    m_tick = std::move(tick);
    m_source = g_timeout_add(static_cast<guint>(intervalMs), &IdleClock::OnTimeout, this);
}

void IdleClock::Stop()
{
    if (m_source != 0)
        g_source_remove(m_source);
    m_source = 0;
}

int IdleClock::OnTimeout(void* self)
{
    static_cast<IdleClock*>(self)->m_tick();
    return G_SOURCE_CONTINUE;
}
