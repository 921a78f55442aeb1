#include "crashreport/dialog/CrashReporter.h"

#include <wx/app.h>

#include "app/DialogHooks.h"
#include "app/WxText.h"
#include "crashreport/CrashHandler.h"
#include "crashreport/Smtp.h"
#include "crashreport/dialog/CrashReportDialog.h"

namespace
{
wxAppConsole* g_app = nullptr;

MailConfig& MailConfigSlot()
{
    static MailConfig config = DefaultMailConfig();
    return config;
}

bool MailHostAnswers()
{
    const int socket = SmtpConnect(CrashReportMailConfig());
    if (socket < 0)
        return false;
    SmtpDisconnect(socket);
    return true;
}
} // namespace

bool InstallCrashHandler(wxAppConsole& app)
{
    InstallReportDialog(app);
    CrashHandlerSettings settings;
    settings.title = FromWx(app.GetAppName());
    settings.vendor = FromWx(app.GetVendorName());
    return InstallCrashSignalHandlers(settings);
}

void InstallReportDialog(wxAppConsole& app)
{
    SetCrashReporterApp(&app);
    SetErrorReportFunction([](wxWindow* parent, const wxString& message, const wxString& reportFile,
                              const wxString& reportType) {
        ShowCrashReporter(message, reportFile, reportType, parent);
    });
}

void SetCrashReporterApp(wxAppConsole* app)
{
    g_app = app;
}

wxAppConsole* GetCrashReporterApp()
{
    return g_app;
}

MailConfig SetCrashReportMailConfig(const MailConfig& config)
{
    MailConfig previous = MailConfigSlot();
    MailConfigSlot() = config;
    return previous;
}

const MailConfig& CrashReportMailConfig()
{
    return MailConfigSlot();
}

int ShowCrashReporter(const wxString& message, const wxString& reportFile, const wxString& reportType,
                      wxWindow* parent)
{
    return ShowCrashReportDialog(reportFile, message, reportType, false, parent);
}

int ShowCrashReportDialog(const wxString& reportFile, const wxString& message, const wxString& reportType,
                          bool exitAfterwards, wxWindow* parent)
{
    if (!g_app)
        return wxID_NONE;
    int result = wxID_NONE;
    // Without a reachable mail host the dialog would only offer a failure.
    if (MailHostAnswers())
    {
        auto* dialog = new MyDialog;
        if (dialog->Create(parent, g_app, reportFile, message, reportType))
            result = dialog->ShowModal();
        dialog->Destroy();
    }
    if (exitAfterwards)
        g_app->OnFatalException();
    return result;
}
