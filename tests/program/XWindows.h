#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

// Another program's top-level windows, as a window manager sees them through
// the X server. For tests and benchmarks that start the real program.
namespace XWindows
{
// The display of $DISPLAY with errors ignored (a window may go while it is
// looked at); null without one. Close it with XCloseDisplay.
Display* Open();
// The topmost mapped top-level window other than other whose title (its
// bytes, UTF-8 where the program gave them so) passes; 0 when none does.
Window FindMapped(Display* display, const std::function<bool(const std::string&)>& title, Window other = 0);
// What the close button of the title bar sends.
void Close(Display* display, Window window);
// Gives the window the keyboard focus and presses key (with the modifier
// keys held), as the X server's test extension types it.
void PressKey(Display* display, Window window, KeySym key, const std::vector<KeySym>& modifiers = {});
// What the screen shows of the window: one 0xRRGGBB value a pixel, row by
// row; empty when it cannot be read.
std::vector<unsigned long> Pixels(Display* display, Window window, int& width, int& height);
} // namespace XWindows
