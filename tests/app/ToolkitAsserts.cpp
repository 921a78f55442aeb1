#include <gtest/gtest.h>
#include <wx/debug.h>
#include <wx/string.h>

// A failed toolkit check fails the running test: without this it would show
// a box that blocks the run (or, with no toolkit running, only print).
static const bool g_installed = [] {
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit check failed in " << func << ": " << cond << " " << msg;
    });
    return true;
}();
