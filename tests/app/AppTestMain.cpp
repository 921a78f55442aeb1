#include <gtest/gtest.h>

#include <memory>

#include <wx/init.h>

#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/app/AppTestSupport.h"

TestEditorApp::TestEditorApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}

TestEditorApp& TestApp()
{
    return static_cast<TestEditorApp&>(wxGetApp());
}

namespace
{
// The toolkit's failed checks would pop up a box and block the run.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line) << "toolkit check failed in " << func << ": " << cond << " "
                                          << msg;
}
} // namespace

// The GUI tests run with a real application object and toolkit, but without
// its start-up: each test sets up what it needs.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    wxApp::SetInstance(new TestEditorApp);
    if (!wxEntryStart(argc, argv))
    {
        fprintf(stderr, "The toolkit could not start (no display?)\n");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    const int result = RUN_ALL_TESTS();
    wxEntryCleanup();
    return result;
}
