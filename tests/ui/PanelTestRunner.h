#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include <wx/app.h>
#include <wx/init.h>

// The main of a test program that needs the toolkit's GUI: the application
// object is made (not started), the toolkit runs, and a failed toolkit check
// fails the test instead of popping up a box that would block the run.
// beforeCleanup runs after the tests, while the toolkit still runs.
inline int RunGuiTests(int argc, char** argv, wxApp* app, const std::function<void()>& beforeCleanup = {})
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
    {
        delete app;
        return RUN_ALL_TESTS();
    }
    wxApp::SetInstance(app);
    if (!wxEntryStart(argc, argv))
        return std::fprintf(stderr, "The toolkit could not start (no display?)\n"), 1;
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit check failed in " << func << ": " << cond << " " << msg;
    });
    const int result = RUN_ALL_TESTS();
    if (beforeCleanup)
        beforeCleanup();
    wxEntryCleanup();
    return result;
}
