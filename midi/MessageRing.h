#pragma once

#include <atomic>
#include <memory>

#include "midi/CriticalSection.h"

// A fixed ring of N slots holding at most N - 1 items, filled on the driver's
// thread and drained on the user interface thread. Pushes are serialised by
// the lock; Pop takes none: the write index is published after the slot is
// written and the read index after the slot is copied. Nothing is allocated
// after construction, so Push is safe on a real-time thread.
template <typename T, int N>
class MessageRing
{
    static_assert(N >= 2, "a ring needs two slots to hold one item");

public:
    MessageRing() : m_lock(CreateCriticalSection()) {}
    MessageRing(const MessageRing&) = delete;
    MessageRing& operator=(const MessageRing&) = delete;

    // Producer side. A full ring, or a lock not taken within 1000 ms, drops
    // the item and gives false.
    bool Push(const T& item)
    {
        if (!m_lock || !m_lock->Enter(1000))
            return false;
        const int write = m_write.load(std::memory_order_relaxed);
        const int next = write + 1 == N ? 0 : write + 1;
        bool pushed = false;
        if (next != m_read.load(std::memory_order_acquire))
        {
            m_slots[write] = item;
            m_write.store(next, std::memory_order_release);
            pushed = true;
        }
        m_lock->Leave();
        return pushed;
    }

    bool IsEmpty() const
    {
        return m_read.load(std::memory_order_relaxed) == m_write.load(std::memory_order_acquire);
    }

    // Consumer side; the ring must not be empty.
    T Pop()
    {
        const int read = m_read.load(std::memory_order_relaxed);
        T item = m_slots[read];
        m_read.store(read + 1 == N ? 0 : read + 1, std::memory_order_release);
        return item;
    }

private:
    std::atomic<int> m_read{0};
    std::atomic<int> m_write{0};
    T m_slots[N];
    std::unique_ptr<ICriticalSection> m_lock;
};
