#include <wx/app.h>

#include "tests/ToolkitTestMain.h"
#include "tests/ui/UiTestSupport.h"

int main(int argc, char** argv)
{
    // Errors the toolkit logs (a resource it cannot read) are kept for the
    // tests to look at instead of waiting for a log window.
    return RunTestsWithToolkit(argc, argv, []() -> wxApp* { return new wxApp; }, &LogRecorder::Install);
}
