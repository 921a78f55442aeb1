#include "midi/MidiWakeUp.h"

#include <atomic>

namespace
{
std::atomic<void (*)()> g_wakeUp{nullptr};
} // namespace

void SetMidiWakeUp(void (*wakeUp)())
{
    g_wakeUp = wakeUp;
}

void MidiWakeUp()
{
    if (void (*wakeUp)() = g_wakeUp)
        wakeUp();
}
