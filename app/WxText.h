#pragma once

#include <string>

#include <wx/strconv.h>
#include <wx/string.h>

// The data layer keeps text as std::string bytes (UTF-8; names inside dumps are
// 7-bit); the toolkit's strings are Unicode. These convert at the boundary.

// UTF-8 that keeps every byte: a byte that is not UTF-8 (a file name in
// Latin-1) becomes a character of its own in the private use area, as the
// toolkit holds file names, and turns back into the same byte. File names
// are bytes: a path goes to the toolkit and back unchanged.
inline const wxMBConv& ByteKeepingUTF8()
{
    static const wxMBConvUTF8 conversion(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
    return conversion;
}

inline wxString ToWx(const std::string& text)
{
    return text.empty() ? wxString() : wxString(text.data(), ByteKeepingUTF8(), text.size());
}

inline std::string FromWx(const wxString& text)
{
    const wxScopedCharBuffer bytes = text.mb_str(ByteKeepingUTF8());
    return std::string(bytes.data(), bytes.length());
}

// What a user can read of text that may hold kept bytes: each becomes the
// replacement character, as does anything else that is no character (GTK
// shows no text that UTF-8 cannot carry). For every text shown, a path in a
// message above all.
inline wxString Readable(const wxString& text)
{
    wxString shown;
    for (const wxUniChar c : text)
    {
        const auto code = c.GetValue();
        const bool kept = code >= 0x100000 && code <= 0x1000FF;
        shown += kept || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? wxUniChar(0xFFFD) : c;
    }
    return shown;
}

// The system's words for a file failure, to follow the path in a message:
// " (Permission denied)"; nothing when there are none.
inline wxString Because(const std::string& reason)
{
    return reason.empty() ? wxString() : " (" + ToWx(reason) + ")";
}
