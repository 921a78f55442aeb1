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
