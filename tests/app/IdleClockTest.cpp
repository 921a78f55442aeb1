// The idle clock on the default main loop, without a display.
#include <chrono>
#include <functional>
#include <thread>

#include <glib.h>
#include <gtest/gtest.h>

#include "app/IdleClock.h"

namespace
{
// Runs what the loop has ready now.
void Drain()
{
    while (g_main_context_iteration(nullptr, FALSE))
    {
    }
}

// Runs the loop until done (false at the deadline), then whatever else is ready.
bool Pump(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    Drain();
    return done();
}
} // namespace

// A short message's wake-up from the driver's thread: one extra call as soon as the loop is free, however many
// wake-ups came meanwhile, none while stopped; without a function of its own it is a tick. Ticks come by themselves.
TEST(IdleClock, WakeUpsFromAnotherThreadMakeOneCallAtOnce)
{
    IdleClock clock;
    int ticks = 0, soon = 0;
    clock.Start(60000, [&ticks] { ++ticks; }, [&soon] { ++soon; });
    std::thread([&clock] {
        for (int i = 0; i < 50; ++i)
            clock.TickSoon();
    }).join();
    EXPECT_TRUE(Pump([&soon] { return soon > 0; }));
    clock.TickSoon();
    EXPECT_TRUE(Pump([&soon] { return soon > 1; }));
    clock.Stop();
    clock.TickSoon();
    Drain(); // a wake-up's descriptor is ready at once: it would be handled here
    EXPECT_EQ(std::to_string(soon) + " " + std::to_string(ticks), "2 0");

    clock.Start(20, [&ticks] { ++ticks; });
    EXPECT_TRUE(Pump([&ticks] { return ticks >= 3; })) << "the ticks came by themselves";
    const int before = ticks;
    clock.TickSoon();
    EXPECT_TRUE(Pump([&] { return ticks > before; }));
    EXPECT_EQ(soon, 2);
}

// Resting: no regular calls, but a wake-up from another thread still calls; Wake calls once at once and
// brings the regular calls back, as Resume does.
TEST(IdleClock, ARestingClockCallsOnlyWhenWoken)
{
    IdleClock clock;
    int ticks = 0, soon = 0;
    const auto ticksWithin = [&](int ms) {
        const int before = ticks;
        Pump([end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)] {
            return std::chrono::steady_clock::now() >= end;
        });
        return ticks - before;
    };
    clock.Start(10, [&ticks] { ++ticks; });
    EXPECT_GT(ticksWithin(100), 2);
    clock.Rest();
    EXPECT_TRUE(clock.IsResting());
    EXPECT_EQ(ticksWithin(100), 0);
    clock.Resume();
    EXPECT_GT(ticksWithin(100), 2);

    clock.Start(60000, [&ticks] { ++ticks; }, [&soon] { ++soon; });
    clock.Rest();
    std::thread([&clock] { clock.TickSoon(); }).join();
    EXPECT_TRUE(Pump([&soon] { return soon == 1; }));
    EXPECT_TRUE(clock.IsResting()) << "a wake-up from another thread leaves the rest to the call";
    const int before = ticks;
    clock.Wake();
    clock.Wake();
    EXPECT_FALSE(clock.IsResting());
    Drain();
    EXPECT_EQ(ticks, before + 1) << "one call at once, however often woken";
    clock.Wake(); // not resting: nothing
    Drain();
    clock.Stop();
    clock.Wake();
    Drain();
    EXPECT_EQ(ticks, before + 1);
    EXPECT_FALSE(clock.IsResting());
}
