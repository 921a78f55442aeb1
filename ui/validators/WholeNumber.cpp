#include "ui/validators/WholeNumber.h"

#include <climits>

#include <wx/utils.h>

bool ParseWholeNumber(const wxString& text, int& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.length() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.length())
        return false;
    long long n = 0;
    for (; i < text.length(); ++i)
    {
        const wxUniChar c = text[i];
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
        if (n > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        n = -n;
    if (n > INT_MAX || n < INT_MIN)
        return false;
    value = static_cast<int>(n);
    return true;
}

namespace
{
int g_refusedKeys = 0;
}

void RefuseKey()
{
    ++g_refusedKeys;
    wxBell();
}

int RefusedKeyCount()
{
    return g_refusedKeys;
}
