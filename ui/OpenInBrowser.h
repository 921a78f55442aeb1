#pragma once

#include <wx/string.h>

// Shows a web address in the desktop's browser. When no browser can be
// started, now or when the opener reports later that it found none, the user
// sees one message that names what was to be shown, and no other box first.
void OpenInBrowser(const wxString& address);
// The same for a page of ours on disk; the message names its path.
void OpenPageInBrowser(const wxString& path);
