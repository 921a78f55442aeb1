#include "midi/CriticalSection.h"

#include <chrono>
#include <mutex>
#include <new>

namespace
{
class MutexCriticalSection : public ICriticalSection
{
public:
    bool TryEnter() override { return m_mutex.try_lock(); }
    bool Enter(int timeoutMs) override
    {
        return m_mutex.try_lock_for(std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs));
    }
    void Leave() override { m_mutex.unlock(); }

private:
    std::timed_mutex m_mutex;
};
} // namespace

std::unique_ptr<ICriticalSection> CreateCriticalSection()
{
    return std::unique_ptr<ICriticalSection>(new (std::nothrow) MutexCriticalSection);
}
