#include "ui/validators/NameValidator.h"

#include <algorithm>

#include <wx/textctrl.h>
#include <wx/textentry.h>

#include "ui/PasteFilterGtk.h"
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

void CNameValidator::SetWindow(wxWindow* window)
{
    wxTextValidator::SetWindow(window);
    if (!window)
        return;
    // GTK refuses the whole of a paste longer than the field's maximum length,
    // after it has taken the selection out.
    FilterPastes(*window, [filter = CNameValidator(m_maxLength)](const wxString& text, long from, long to,
                                                                  const wxString& pasted) {
        const int kept = static_cast<int>(text.length() - (to - from));
        return filter.Filtered(pasted, filter.m_maxLength < 0 ? -1 : std::max(filter.m_maxLength - kept, 0));
    });
}

wxString CNameValidator::Filtered(const wxString& text, int maxLength) const
{
    wxString kept;
    for (const wxUniChar c : text)
        if (IsCharIncluded(c) && (maxLength < 0 || static_cast<int>(kept.length()) < maxLength))
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
