#include "ui/dialogs/SpinEntry.h"

#include <algorithm>

#include <wx/spinctrl.h>

namespace
{
// An optional sign followed by at least one decimal digit, nothing else.
bool IsWholeNumber(const wxString& text)
{
    size_t i = (text.StartsWith("-") || text.StartsWith("+")) ? 1 : 0;
    if (i >= text.length())
        return false;
    for (; i < text.length(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}
} // namespace

void SetSpinText(wxSpinCtrl* spin, int value)
{
    // SetValue with text sends no event on GTK, so the check cannot re-enter.
    spin->SetValue(wxString::Format("%d", value));
}

int GetClampedSpinValue(const wxSpinCtrl* spin)
{
    return std::clamp(spin->GetValue(), spin->GetMin(), spin->GetMax());
}

bool ApplySpinEntry(wxSpinCtrl* spin, int restore, int limit, const wxString& text, int value)
{
    if (spin == nullptr)
        return false;
    if (limit == -1)
        limit = spin->GetMax();
    if (text.empty() && value == 0)
    {
        const int shown = std::max(spin->GetMin(), 0);
        SetSpinText(spin, shown);
        return shown != restore;
    }
    if (text == "-")
    {
        if (spin->GetMin() < 0)
            return restore != -1;
        SetSpinText(spin, restore);
        return false;
    }
    if (!IsWholeNumber(text) || value > limit || value < spin->GetMin())
    {
        SetSpinText(spin, restore);
        return false;
    }
    long typed = 0;
    if (text.ToLong(&typed) && typed != value)
        SetSpinText(spin, value);
    return value != restore;
}
