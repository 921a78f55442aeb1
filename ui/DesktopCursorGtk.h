#pragma once

class wxWindow;

// Shows the desktop theme's cursor called name (e.g. "not-allowed") over the
// window until the window's cursor is set again; false, and nothing changed,
// when the theme has no such cursor. The toolkit's stock cursors map some
// shapes to the old X cursor font (its no-entry cursor is the "pirate").
bool ShowDesktopCursor(wxWindow& window, const char* name);
