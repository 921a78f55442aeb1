#pragma once

#include <cstdio>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#include "tests/app/ModalWatchdog.h"

// main() of a test binary that needs the toolkit: makeApp() gives the
// application object and the toolkit starts once, without the program's
// start-up; a modal dialog nobody answers fails the test (ModalWatchdog.h).
template <typename MakeApp>
int RunDisplayTests(int argc, char** argv, MakeApp makeApp)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    wxApp::SetInstance(makeApp());
    if (!wxEntryStart(argc, argv))
        return std::fprintf(stderr, "The toolkit could not start (no display?)\n"), 1;
    InstallModalWatchdog();
    const int result = RUN_ALL_TESTS();
    RemoveModalWatchdog();
    wxEntryCleanup();
    return result;
}
