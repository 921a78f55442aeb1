#pragma once

#include <wx/valtext.h>

// Keystroke filter of the number fields: lets a key through only when the
// text it would make is still a whole number (so "-" only in front). Moves
// no data: the panels read and write their fields themselves.
class CNumberValidator : public wxTextValidator
{
public:
    CNumberValidator();
    CNumberValidator(const CNumberValidator& other);
    wxObject* Clone() const override { return new CNumberValidator(*this); }

    void OnNumberChar(wxKeyEvent& event);

private:
    wxDECLARE_DYNAMIC_CLASS(CNumberValidator);
    wxDECLARE_EVENT_TABLE();
};

// Control keys (below 32, Delete, the navigation codes above 300) always pass.
bool IsControlKeyCode(int keyCode);

// A paste into the number field (a text or spin control) that would leave no
// whole number there, text over a value, is refused with the beep of a
// refused key, as a typed letter is: the field keeps its value. GTK would
// otherwise drop what a spin field refuses and leave it empty.
void RefuseNonNumberPastes(wxWindow& field);

// The keystroke filter of the spin fields inside window: a key that can be
// no part of a whole number there (a letter; "-" where nothing below 0 is
// taken) is refused before it reaches the field. GTK would first replace a
// selection with nothing, and the emptied field falls to its minimum.
// Enter ends the entry there (NumberTextCtrl::EndEntry); a paste that
// leaves no number is refused.
void FilterSpinKeys(wxWindow* window);
