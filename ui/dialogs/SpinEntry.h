#pragma once

#include <wx/string.h>

class wxSpinCtrl;

// The check run on every text update of a spin control in a modal dialog:
// an entry that is not a whole number in range puts the last good value
// (restore) back into the field. text and value are the update's text and
// the spin's value; limit -1 stands for the spin's own maximum. True when the
// entry is an acceptable value other than restore. Never sends events.
bool ApplySpinEntry(wxSpinCtrl* spin, int restore, int limit, const wxString& text, int value);

// The spin's value, kept within its minimum and maximum.
int GetClampedSpinValue(const wxSpinCtrl* spin);

// The spin's text becomes the number, without a text event.
void SetSpinText(wxSpinCtrl* spin, int value);
