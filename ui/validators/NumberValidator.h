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
