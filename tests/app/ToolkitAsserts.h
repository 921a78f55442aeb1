#pragma once

#include <wx/debug.h>

// The toolkit's own handler of failed checks, which hands them to the
// application object (wxApp::OnAssertFailure). The tests' handler, which
// fails the running test, stands in its place from the start.
wxAssertHandler_t ToolkitAssertHandler();
