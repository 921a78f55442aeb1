#include "ui/validators/NameValidator.h"

#include <algorithm>

#include <wx/textctrl.h>
#include <wx/textentry.h>

#include "ui/validators/NumberValidator.h"
#include "ui/validators/WholeNumber.h"

wxIMPLEMENT_DYNAMIC_CLASS(CNameValidator, wxTextValidator);

wxBEGIN_EVENT_TABLE(CNameValidator, wxTextValidator)
    EVT_CHAR(CNameValidator::OnNameChar)
    EVT_TEXT(wxID_ANY, CNameValidator::OnNameText)
wxEND_EVENT_TABLE()

CNameValidator::CNameValidator(int maxLength, wxString* value)
    : wxTextValidator(wxFILTER_INCLUDE_CHAR_LIST, value), m_maxLength(maxLength)
{
    SetCharIncludes("0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz !#$%&'()*+,-./:;<>?@\"=");
}

CNameValidator::CNameValidator(const CNameValidator& other) : wxTextValidator(), m_maxLength(other.m_maxLength)
{
    Copy(other);
}

void CNameValidator::OnNameChar(wxKeyEvent& event)
{
    wxTextEntry* entry = GetTextEntry();
    if (!entry || IsControlKeyCode(event.GetKeyCode()))
    {
        wxTextValidator::OnChar(event);
        return;
    }
    // Refused here rather than by the base class, so that it beeps the same way.
    if (event.GetUnicodeKey() != WXK_NONE && !IsCharIncluded(event.GetUnicodeKey()))
    {
        RefuseKey();
        return;
    }
    long from = 0, to = 0;
    entry->GetSelection(&from, &to);
    if (from == to && m_maxLength >= 0 && static_cast<int>(entry->GetValue().length()) >= m_maxLength)
    {
        RefuseKey();
        return;
    }
    wxTextValidator::OnChar(event);
}

wxString CNameValidator::Filtered(const wxString& text) const
{
    wxString kept;
    for (const wxUniChar c : text)
        if (IsCharIncluded(c) && (m_maxLength < 0 || static_cast<int>(kept.length()) < m_maxLength))
            kept += c;
    return kept;
}

void CNameValidator::OnNameText(wxCommandEvent& event)
{
    // Runs before the field's own handlers, which then read the cut text.
    event.Skip();
    wxTextEntry* entry = GetTextEntry();
    if (!entry)
        return;
    const wxString text = entry->GetValue();
    const wxString kept = Filtered(text);
    if (kept == text)
        return;
    // The caret stays after the same kept characters.
    const long caret = static_cast<long>(Filtered(text.Left(entry->GetInsertionPoint())).length());
    entry->ChangeValue(kept);
    entry->SetInsertionPoint(std::min(caret, static_cast<long>(kept.length())));
    event.SetString(kept);
    RefuseKey();
}
