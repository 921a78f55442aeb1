#pragma once

#include <wx/valtext.h>

// Keystroke filter of the control name fields: the characters the unit's
// display can show, and no more than the maximum length (a key that replaces
// a selection always may). Transfers into the given string when one is given.
class CNameValidator : public wxTextValidator
{
public:
    CNameValidator(int maxLength = -1, wxString* value = nullptr);
    CNameValidator(const CNameValidator& other);
    wxObject* Clone() const override { return new CNameValidator(*this); }

    int GetMaxLength() const { return m_maxLength; }
    void OnNameChar(wxKeyEvent& event);

private:
    int m_maxLength;

    wxDECLARE_DYNAMIC_CLASS(CNameValidator);
    wxDECLARE_EVENT_TABLE();
};
