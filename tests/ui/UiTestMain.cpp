#include <gtest/gtest.h>

#include <cstdio>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/xrc/xmlres.h>

#include "tests/ui/UiTestSupport.h"

namespace
{
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit check failed in " << func << ": " << cond << " " << msg;
}
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv))
        return fprintf(stderr, "The toolkit could not start (no display?)\n"), 1;
    // A failed toolkit check would open a dialog and block; here it fails the test.
    wxSetAssertHandler(FailOnAssert);
    // Errors the toolkit logs (a resource it cannot read) are kept for the
    // tests to look at instead of waiting for a log window.
    LogRecorder::Install();
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
