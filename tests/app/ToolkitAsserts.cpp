#include "tests/app/ToolkitAsserts.h"

#include <gtest/gtest.h>
#include <wx/string.h>

namespace
{
wxAssertHandler_t g_toolkits = nullptr;

// A failed toolkit check fails the running test: without this it would show
// a box that blocks the run (or, with no toolkit running, only print).
const bool g_installed = [] {
    g_toolkits = wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                                       const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit check failed in " << func << ": " << cond << " " << msg;
    });
    return true;
}();
} // namespace

wxAssertHandler_t ToolkitAssertHandler()
{
    return g_toolkits;
}
