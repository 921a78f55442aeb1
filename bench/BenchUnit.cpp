// The unit on the other end of the cable for the program benchmarks: the
// tests' JACK unit with its ports "editor-to-unit" and "unit-to-editor",
// silent, until SIGTERM or SIGINT. Prints "ready" once it is active.
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "tests/midi/JackUnit.h"

namespace
{
volatile std::sig_atomic_t g_stop = 0;

void Stop(int)
{
    g_stop = 1;
}
} // namespace

int main()
{
    JackUnit unit;
    if (!unit.Open())
    {
        std::fprintf(stderr, "no JACK server\n");
        return 1;
    }
    std::signal(SIGTERM, &Stop);
    std::signal(SIGINT, &Stop);
    std::printf("ready\n");
    std::fflush(stdout);
    while (!g_stop)
        usleep(50000);
    return 0;
}
