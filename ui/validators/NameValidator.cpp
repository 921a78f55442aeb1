#include "ui/validators/NameValidator.h"

#include <wx/textentry.h>

#include "ui/validators/NumberValidator.h"
#include "ui/validators/WholeNumber.h"

wxIMPLEMENT_DYNAMIC_CLASS(CNameValidator, wxTextValidator);

wxBEGIN_EVENT_TABLE(CNameValidator, wxTextValidator)
    EVT_CHAR(CNameValidator::OnNameChar)
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
    long from = 0, to = 0;
    entry->GetSelection(&from, &to);
    if (from == to && m_maxLength >= 0 && static_cast<int>(entry->GetValue().length()) >= m_maxLength)
    {
        RefuseKey();
        return;
    }
    wxTextValidator::OnChar(event);
}
