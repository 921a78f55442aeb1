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
//   dorva_bench_painted --scan <timeout ms> <program> [arguments...]
// starts the program as above (closing the notices it shows without MIDI
// devices), then presses Ctrl+Shift+I (File > Import Names from Plug-in) in
// its main window and prints the milliseconds from the key press to the
// plug-in selector painted, and how many different pictures of the progress
// window the server showed meanwhile (sampled every 10 ms).
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>
#include <vector>

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

// A checksum of the window's picture; 0 when it cannot be read.
unsigned long Picture(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.width < 1 || attributes.height < 1)
        return 0;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return 0;
    unsigned long sum = 1;
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
            sum = sum * 31 + XGetPixel(image, x, y);
    XDestroyImage(image);
    return sum;
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

// Waits for the program's window with that title to show a picture, closing
// any box titled exactly dismissed on the way; the milliseconds from start,
// or a negative number when it did not in time.
double WaitPainted(Display* display, const std::string& title, pid_t child, Clock::time_point start,
                   Clock::time_point deadline, const std::string& dismissed)
{
    while (Clock::now() < deadline)
    {
        if (!dismissed.empty())
            if (const Window box = XWindows::FindMapped(display, [&](const std::string& name) { return name == dismissed; }))
                XWindows::Close(display, box);
        const Window window = FindTitled(display, title);
        if (window && ColoursInMiddle(display, window) >= kPaintedColours)
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (waitpid(child, nullptr, WNOHANG) != 0)
        {
            std::fprintf(stderr, "the program ended before its window was painted\n");
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fprintf(stderr, "no painted window within the time limit\n");
    return -1;
}

void Press(Display* display, const std::vector<KeySym>& keys)
{
    for (KeySym key : keys)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, *key), False, CurrentTime);
    XFlush(display);
}

// The plug-in command from the main window's keyboard, timed to the selector
// painted; the progress window's pictures are sampled meanwhile.
bool TimeScan(Display* display, Window main, Clock::time_point deadline)
{
    XSetInputFocus(display, main, RevertToPointerRoot, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the toolkit takes the focus
    const Clock::time_point start = Clock::now();
    Press(display, {XK_Control_L, XK_Shift_L, XK_I});
    std::set<unsigned long> progressPictures;
    auto sampled = Clock::now();
    while (Clock::now() < deadline)
    {
        const Window selector = FindTitled(display, "Select Plugin");
        if (selector && ColoursInMiddle(display, selector) >= 2)
        {
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("%.1f %zu\n", ms, progressPictures.size());
            XWindows::Close(display, selector);
            while (FindTitled(display, "Select Plugin") && Clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            return true;
        }
        // Every 10 ms at most, so the server stays free for the program.
        if (Clock::now() - sampled >= std::chrono::milliseconds(10))
        {
            sampled = Clock::now();
            if (const Window progress = FindTitled(display, "Examining plug-ins"))
                if (const unsigned long picture = Picture(display, progress))
                    progressPictures.insert(picture);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::fprintf(stderr, "no plug-in selector within the time limit\n");
    return false;
}
} // namespace

int main(int argc, char** argv)
{
    const bool closeOnly = argc == 5 && std::string(argv[1]) == "--close";
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s <title part> <timeout ms> <program> [arguments...]\n"
                             "       %s --close <title part> <timeout ms> <pid>\n"
                             "       %s --dismiss <title>\n"
                             "       %s --scan <timeout ms> <program> [arguments...]\n",
                     argv[0], argv[0], argv[0], argv[0]);
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
    const bool scan = std::string(argv[1]) == "--scan";
    const std::string title = scan ? "Dorva Editor -" : argv[1];
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::atoi(argv[2]));

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0)
    {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    const double painted = WaitPainted(display, title, child, start, deadline, scan ? "Dorva Editor" : "");
    if (painted < 0 && waitpid(child, nullptr, WNOHANG) != 0)
    {
        XCloseDisplay(display);
        return 1;
    }
    int result = painted < 0 ? 1 : 0;
    if (result == 0 && !scan)
        std::printf("%.1f\n", painted);
    else if (result == 0 && !TimeScan(display, FindTitled(display, title), deadline))
        result = 1;
    EndProgram(display, title, child, true, Clock::now() + std::chrono::seconds(10));
    XCloseDisplay(display);
    return result;
}
