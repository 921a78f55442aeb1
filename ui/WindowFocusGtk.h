#pragma once

class wxWindow;

// The window inside the top-level window topLevel that holds its keyboard
// focus, as the toolkit keeps it for that window whether or not the window
// is active; null when none does. Unlike wxWindow::FindFocus this also knows
// the composite controls (a choice) whose focus goes to an inner widget.
wxWindow* FocusedDescendant(const wxWindow& topLevel);

// Puts the shown top-level window above the others without giving it the
// keys.
void RaiseWithoutFocus(wxWindow& topLevel);

// Gives window the keys inside its top-level window. While that window is
// active this is SetFocus; otherwise the toolkit keeps window as the one to
// get the keys when the user comes back, and nothing is raised or activated
// (SetFocus there has the toolkit ask the window manager to activate it).
void FocusInsideWindow(wxWindow& window);
