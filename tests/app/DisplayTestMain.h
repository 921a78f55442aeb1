#pragma once

#include <cstdio>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/init.h>

// The body of main() for a test binary that needs the toolkit: makeApp()
// gives the application object, the toolkit starts without the program's
// start-up, and a failed toolkit check becomes a test failure instead of a
// box that would block the run.
template <typename MakeApp>
int RunDisplayTests(int argc, char** argv, MakeApp makeApp)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    wxApp::SetInstance(makeApp());
    if (!wxEntryStart(argc, argv))
        return std::fprintf(stderr, "The toolkit could not start (no display?)\n"), 1;
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit check failed in " << func << ": " << cond << " " << msg;
    });
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
