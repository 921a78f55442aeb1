#pragma once

class wxStatusBar;

// The main window's five status fields: field 0 for the program's messages,
// fields 1 to 4 for the last incoming short message. Each message field is as
// wide as the longest text it can show in the status line's font, and never
// narrower than 74 (84 for the last) pixels; field 0 takes what the view's
// width leaves.
void SetStatusLineWidths(wxStatusBar& bar, int viewWidth);
