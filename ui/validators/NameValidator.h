#pragma once

#include <wx/valtext.h>

// Keystroke filter of the control name fields: the characters the unit's
// display can show, and no more than the maximum length (a key that replaces
// a selection always may). Text that arrives by other ways (pasted, dropped,
// written by a program) is cut to the same: refused characters are dropped and
// the rest is cut at the maximum length. A paste keeps what fits of its own
// characters beside the text that stays; one with nothing left is refused,
// as a refused key is. Transfers into the given string when one is given.
class CNameValidator : public wxTextValidator
{
public:
    CNameValidator(int maxLength = -1, wxString* value = nullptr);
    CNameValidator(const CNameValidator& other);
    wxObject* Clone() const override { return new CNameValidator(*this); }
    void SetWindow(wxWindow* window) override;

    int GetMaxLength() const { return m_maxLength; }
    void OnNameChar(wxKeyEvent& event);
    // The text as the field may hold it.
    wxString Filtered(const wxString& text) const { return Filtered(text, m_maxLength); }

private:
    wxString Filtered(const wxString& text, int maxLength) const;
    void OnNameText(wxCommandEvent& event);

    int m_maxLength;

    wxDECLARE_DYNAMIC_CLASS(CNameValidator);
    wxDECLARE_EVENT_TABLE();
};
