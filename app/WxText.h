#pragma once

#include <string>

#include <wx/string.h>

// The data layer keeps text as std::string bytes (UTF-8; names inside dumps are
// 7-bit); the toolkit's strings are Unicode. These convert at the boundary.

// Bytes that are not valid UTF-8 (an old file name in Latin-1) are taken as
// Latin-1 rather than dropped, so a path never converts to an empty string.
inline wxString ToWx(const std::string& text)
{
    if (text.empty())
        return wxString();
    wxString converted = wxString::FromUTF8(text.data(), text.size());
    if (converted.empty())
        converted = wxString(text.data(), wxConvISO8859_1, text.size());
    return converted;
}

inline std::string FromWx(const wxString& text)
{
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

// The system's words for a file failure, to follow the path in a message:
// " (Permission denied)"; nothing when there are none.
inline wxString Because(const std::string& reason)
{
    return reason.empty() ? wxString() : " (" + ToWx(reason) + ")";
}
