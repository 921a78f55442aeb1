#pragma once

#include <functional>

#include <wx/string.h>

// Hands an address to the desktop's default browser through xdg-open (found
// on PATH), without a shell, so the address is never read as a command; the
// toolkit's own launcher when there is no xdg-open. False when nothing could
// be started. Does not wait for the browser: failed, when given, runs later
// from the event loop when xdg-open ends with a failure (it found no browser).
bool LaunchBrowser(const wxString& url, std::function<void()> failed = {});

// The path made absolute, every "\" turned into "/", prefixed "file://".
wxString LocalFileUrl(const wxString& path);
