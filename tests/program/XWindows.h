#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <string>

// Looking at another program's windows through the X server, as a window
// manager would: its mapped top-level windows by title, and their close
// button. For tests and benchmarks that start the real program.
namespace XWindows
{
// The display of $DISPLAY with errors ignored (a window may go while it is
// looked at); null without one. Close it with XCloseDisplay.
Display* Open();
// The title of a window as its bytes (an ASCII title reads the same in
// every encoding the toolkit may declare).
std::string Title(Display* display, Window window);
// The topmost mapped top-level window other than other whose title passes;
// 0 when none does.
Window FindMapped(Display* display, const std::function<bool(const std::string&)>& title, Window other = 0);
// Waits for a mapped top-level window whose title passes and that is not
// other; 0 at the deadline.
Window WaitForMapped(Display* display, const std::function<bool(const std::string&)>& title, Window other,
                     std::chrono::milliseconds deadline = std::chrono::seconds(20));
// What the close button of the title bar sends.
void Close(Display* display, Window window);
} // namespace XWindows
