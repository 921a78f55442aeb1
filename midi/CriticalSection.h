#pragma once

#include <memory>

// A lock shared by the driver's thread and the user interface thread.
class ICriticalSection
{
public:
    virtual ~ICriticalSection() = default;
    virtual bool TryEnter() = 0;
    // Waits at most timeoutMs; false when the lock was not taken.
    virtual bool Enter(int timeoutMs) = 0;
    virtual void Leave() = 0;
};

// A new lock; null only when it cannot be allocated.
std::unique_ptr<ICriticalSection> CreateCriticalSection();
