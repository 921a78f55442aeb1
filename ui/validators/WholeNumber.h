#pragma once

#include <wx/string.h>

// True when the whole text is a decimal integer that fits an int: an optional
// "+" or "-", then at least one digit, nothing else (no blanks).
bool ParseWholeNumber(const wxString& text, int& value);

// A refused keystroke: the system beep. Counted, so tests can see it.
void RefuseKey();
int RefusedKeyCount();
