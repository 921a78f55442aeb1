// Start-up time of a program to its main window painted, as the X server
// sees it:
//   dorva_bench_painted <title part> <timeout ms> <program> [arguments...]
// Starts the program, polls the server every millisecond for a mapped
// top-level window whose title holds the title part, and stops the clock
// once the middle of that window shows a picture (several colours, not a
// blank background). Prints the milliseconds, then closes the window as a
// user would, so the program lets go of its MIDI ports (a killed JACK client
// holds up the server's next clients for seconds).
//   dorva_bench_painted --close <title part> <timeout ms> <pid>
// only closes the window and waits, up to the time limit, for the process to
// end (it is killed after that).
//   dorva_bench_painted --dismiss <title>
// closes the window whose title is exactly that (a message box), if one is up.
#include <X11/Xutil.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>

#include "tests/program/XWindows.h"

namespace
{
using Clock = std::chrono::steady_clock;

// A picture, not a cleared background: the middle of the front panel shows
// 8 colours, an unpainted window 1.
constexpr size_t kPaintedColours = 4;

Window FindTitled(Display* display, const std::string& part)
{
    return XWindows::FindMapped(display, [&](const std::string& title) { return title.find(part) != std::string::npos; });
}

size_t ColoursInMiddle(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.width < 8 || attributes.height < 8)
        return 0;
    const int width = attributes.width / 2;
    const int height = attributes.height / 2;
    XImage* image = XGetImage(display, window, width / 2, height / 2, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return 0;
    std::set<unsigned long> colours;
    for (int y = 0; y < height && colours.size() < kPaintedColours; y += 2)
        for (int x = 0; x < width && colours.size() < kPaintedColours; x += 2)
            colours.insert(XGetPixel(image, x, y));
    XDestroyImage(image);
    return colours.size();
}

// Reaps a child of ours on the way.
bool Ended(pid_t pid, bool child)
{
    if (child)
        return waitpid(pid, nullptr, WNOHANG) != 0;
    return kill(pid, 0) != 0;
}

// Closes the program's window and waits for it to end; kills it at the deadline.
void EndProgram(Display* display, const std::string& title, pid_t pid, bool child, Clock::time_point deadline)
{
    if (const Window window = FindTitled(display, title))
        XWindows::Close(display, window);
    bool ended = false;
    while (!(ended = Ended(pid, child)) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (ended)
        return;
    std::fprintf(stderr, "the program did not end when its window closed\n");
    kill(pid, SIGKILL);
    if (child)
        waitpid(pid, nullptr, 0);
}
} // namespace

int main(int argc, char** argv)
{
    const bool closeOnly = argc == 5 && std::string(argv[1]) == "--close";
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s <title part> <timeout ms> <program> [arguments...]\n"
                             "       %s --close <title part> <timeout ms> <pid>\n"
                             "       %s --dismiss <title>\n", argv[0], argv[0], argv[0]);
        return 2;
    }
    Display* display = XWindows::Open();
    if (!display)
    {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    if (argc == 3 && std::string(argv[1]) == "--dismiss")
    {
        const std::string exact = argv[2];
        if (const Window box = XWindows::FindMapped(display, [&](const std::string& title) { return title == exact; }))
            XWindows::Close(display, box);
        XCloseDisplay(display);
        return 0;
    }
    if (closeOnly)
    {
        EndProgram(display, argv[2], static_cast<pid_t>(std::atoi(argv[4])), false,
                   Clock::now() + std::chrono::milliseconds(std::atoi(argv[3])));
        XCloseDisplay(display);
        return 0;
    }
    if (argc < 4)
    {
        XCloseDisplay(display);
        return 2;
    }
    const std::string title = argv[1];
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::atoi(argv[2]));

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0)
    {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    int result = 1;
    while (Clock::now() < deadline)
    {
        const Window window = FindTitled(display, title);
        if (window && ColoursInMiddle(display, window) >= kPaintedColours)
        {
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("%.1f\n", ms);
            result = 0;
            break;
        }
        if (waitpid(child, nullptr, WNOHANG) != 0)
        {
            std::fprintf(stderr, "the program ended before its window was painted\n");
            XCloseDisplay(display);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (result != 0)
        std::fprintf(stderr, "no painted window within the time limit\n");
    EndProgram(display, title, child, true, Clock::now() + std::chrono::seconds(10));
    XCloseDisplay(display);
    return result;
}
