#pragma once

#include <gtest/gtest.h>

#include <cstdio>

#include <wx/app.h>
#include <wx/init.h>

// The body of main() for tests that open windows: starts the toolkit with the
// application object that makeApp returns (made only when tests run, owned by
// the toolkit), runs every test and shuts the toolkit down. Listing the tests
// needs no display.
inline int RunTestsWithToolkit(int argc, char** argv, wxApp* (*makeApp)(), void (*beforeRun)() = nullptr)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    wxApp::SetInstance(makeApp());
    if (!wxEntryStart(argc, argv))
        return std::fprintf(stderr, "The toolkit could not start (no display?)\n"), 1;
    // A failed toolkit check would pop up a box and block the run.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit check failed in " << func << ": " << cond << " " << msg;
    });
    if (beforeRun != nullptr)
        beforeRun();
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
