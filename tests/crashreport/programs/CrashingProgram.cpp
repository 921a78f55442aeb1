// A program that installs the crash handler and then fails in the way its
// first argument names: segv, abort, throw, fpe, thread, overflow.
// Usage: crashing_program <how> <report program> [title]
// The dump goes to $TMPDIR (the handler's default).
#include <csignal>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "crashreport/CrashHandler.h"

namespace
{
volatile int g_zero = 0;
volatile int g_never = -1;

int Recurse(int depth)
{
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    if (depth == g_never)
        return 0;
    return Recurse(depth + 1) + frame[0];
}

void WriteThroughBadPointer()
{
    volatile int* volatile bad = reinterpret_cast<volatile int*>(0x10);
    *bad = 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    CrashHandlerSettings settings;
    settings.title = argc > 3 ? argv[3] : "Dorva Test";
    settings.vendor = "Brennix";
    settings.relaunchProgram = argv[2];
    if (!InstallCrashSignalHandlers(settings))
        return 3;

    // A descriptor without close-on-exec that the report program must not get.
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull < 0 || dup2(devNull, 100) != 100)
        return 4;

    const char* how = argv[1];
    if (!std::strcmp(how, "segv"))
        WriteThroughBadPointer();
    else if (!std::strcmp(how, "abort"))
        std::abort();
    else if (!std::strcmp(how, "throw"))
        throw std::runtime_error("boom in the test");
    else if (!std::strcmp(how, "fpe"))
        std::printf("%d\n", 7 / g_zero);
    else if (!std::strcmp(how, "thread"))
        std::thread(WriteThroughBadPointer).join();
    else if (!std::strcmp(how, "overflow"))
        std::printf("%d\n", Recurse(0));
    return 0;
}
