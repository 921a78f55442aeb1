#include "ui/validators/NumberValidator.h"

#include <wx/spinctrl.h>
#include <wx/textentry.h>

#include "ui/PasteFilterGtk.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/WholeNumber.h"

wxIMPLEMENT_DYNAMIC_CLASS(CNumberValidator, wxTextValidator);

wxBEGIN_EVENT_TABLE(CNumberValidator, wxTextValidator)
    EVT_CHAR(CNumberValidator::OnNumberChar)
wxEND_EVENT_TABLE()

bool IsControlKeyCode(int keyCode)
{
    return keyCode < 32 || keyCode == 127 || keyCode > 300;
}

CNumberValidator::CNumberValidator() : wxTextValidator(wxFILTER_INCLUDE_CHAR_LIST, nullptr)
{
    SetCharIncludes("0123456789:;<=>?-");
}

CNumberValidator::CNumberValidator(const CNumberValidator& other) : wxTextValidator()
{
    Copy(other);
}

void CNumberValidator::OnNumberChar(wxKeyEvent& event)
{
    wxTextEntry* entry = GetTextEntry();
    const int key = event.GetKeyCode();
    if (!entry || IsControlKeyCode(key))
    {
        wxTextValidator::OnChar(event);
        return;
    }
    const wxString text = entry->GetValue();
    if (key == '-' && text.Find('-') != wxNOT_FOUND)
    {
        RefuseKey();
        return;
    }
    long from = 0, to = 0;
    entry->GetSelection(&from, &to);
    const wxString result = text.Mid(0, from) + wxUniChar(key) + text.Mid(to);
    int value = 0;
    if (!ParseWholeNumber(result, value))
    {
        RefuseKey();
        return;
    }
    wxTextValidator::OnChar(event);
}

void RefuseNonNumberPastes(wxWindow& field)
{
    FilterPastes(field, [](const wxString& text, long from, long to, const wxString& pasted) {
        int value = 0;
        return ParseWholeNumber(text.Left(from) + pasted + text.Mid(to), value) ? pasted : wxString();
    });
}

void FilterSpinKeys(wxWindow* window)
{
    if (auto* spin = dynamic_cast<wxSpinCtrl*>(window))
    {
        RefuseNonNumberPastes(*spin);
        spin->Bind(wxEVT_CHAR, [spin](wxKeyEvent& event) {
            const int key = event.GetKeyCode();
            if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER)
                NumberTextCtrl::EndEntry(spin);
            if (IsControlKeyCode(key) || event.AltDown() || event.ControlDown() || (key >= '0' && key <= '9') ||
                (key == '-' && spin->GetMin() < 0))
                event.Skip();
            else
                RefuseKey();
        });
    }
    for (wxWindow* child : window->GetChildren())
        FilterSpinKeys(child);
}
