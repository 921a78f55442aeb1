// The program's entry: the crash report program when started for one, else
// the editor.

#include <wx/app.h>
#include <wx/init.h>

#include "app/ToolkitGL.h"
#include "crashreport/dialog/CrashReportProgram.h"
#include "program/DorvaSynthEditorApp.h"

int main(int argc, char** argv)
{
    ToolkitGL::DisableBeforeStart();
    int exitCode = 0;
    if (HandleCrashReportOption(argc, argv, exitCode))
        return exitCode;
    // The application library defines wxGetApp, so the application is made
    // here rather than through the toolkit's application macros.
    wxApp::SetInstance(new CDorvaSynthEditorApp);
    return wxEntry(argc, argv);
}
