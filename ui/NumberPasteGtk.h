#pragma once

class wxWindow;

// A paste into the number field (a text or spin control) that would leave
// no whole number there, text over a value, is refused with the beep of a
// refused key, as a typed letter is: the field keeps its value. GTK would
// otherwise drop what a spin field refuses and leave it empty.
void RefuseNonNumberPastes(wxWindow& field);
