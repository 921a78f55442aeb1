// The program's entry: the crash report program when started for one, else
// the editor.

#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/init.h>

#include "app/ToolkitGL.h"
#include "app/WxText.h"
#include "crashreport/dialog/CrashReportProgram.h"
#include "program/DorvaSynthEditorApp.h"

int main(int argc, char** argv)
{
    ToolkitGL::DisableBeforeStart();
    int exitCode = 0;
    if (HandleCrashReportOption(argc, argv, exitCode))
        return exitCode;
    // The toolkit would drop an argument that is no text in the locale, a
    // file named in Latin-1: file names are bytes, and each is kept.
    std::vector<std::wstring> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(ToWx(argv[i]).ToStdWstring());
    std::vector<wxChar*> wide;
    for (std::wstring& argument : arguments)
        wide.push_back(argument.data());
    wide.push_back(nullptr);
    // The application library defines wxGetApp, so the application is made
    // here rather than through the toolkit's application macros.
    wxApp::SetInstance(new CDorvaSynthEditorApp);
    return wxEntry(argc, wide.data());
}
