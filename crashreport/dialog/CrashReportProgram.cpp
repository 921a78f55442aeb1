#include "crashreport/dialog/CrashReportProgram.h"

#include <cstring>

#include <wx/app.h>
#include <wx/init.h>

#include "app/WxText.h"
#include "crashreport/CrashDump.h"
#include "crashreport/CrashHandler.h"
#include "crashreport/dialog/CrashReporter.h"

namespace
{
// The application of the report program: shows the dialog from OnInit and
// ends without a main loop. It installs no crash handler of its own, so a
// failure in the report program cannot start another one.
class CCrashReportApp : public wxApp
{
public:
    explicit CCrashReportApp(std::string dumpPath) : m_dumpPath(std::move(dumpPath)) {}

    bool OnInit() override
    {
        SetCrashReporterApp(this);
        ShowCrashReportForDump(m_dumpPath);
        SetCrashReporterApp(nullptr);
        return false;
    }

private:
    std::string m_dumpPath;
};
} // namespace

bool ParseCrashReportOption(int argc, const char* const* argv, std::string& dumpPath)
{
    if (argc != 3 || !argv[1] || !argv[2] || std::strcmp(argv[1], kCrashReportOption) != 0 || !*argv[2])
        return false;
    dumpPath = argv[2];
    return true;
}

bool ShowCrashReportForDump(const std::string& dumpPath)
{
    wxAppConsole* app = GetCrashReporterApp();
    CrashDumpHeader header;
    if (!app || !ReadCrashDumpHeader(dumpPath, header))
        return false;
    if (!header.title.empty())
        app->SetAppName(ToWx(header.title));
    if (!header.vendor.empty())
        app->SetVendorName(ToWx(header.vendor));
    ShowCrashReportDialog(ToWx(dumpPath), wxString(), "Crash", true, nullptr);
    return true;
}

bool HandleCrashReportOption(int argc, char** argv, int& exitCode)
{
    std::string dumpPath;
    if (!ParseCrashReportOption(argc, argv, dumpPath))
        return false;
    // The toolkit sees only the program name: the option is ours.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    wxApp::SetInstance(new CCrashReportApp(dumpPath));
    wxEntry(toolkitArgc, toolkitArgv);
    exitCode = 0;
    return true;
}
