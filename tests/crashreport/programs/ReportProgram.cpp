// The whole crash road in one program, as the editor's entry runs it: started
// plainly it sets up the toolkit, installs the crash handler and crashes;
// started again by the handler with the report option, it shows the report
// dialog, which a dialog hook answers from the environment:
//   DORVA_TEST_CRASH       "throw": an exception escapes an event handler;
//                          else a fault in start-up
//   DORVA_TEST_SMTP_PORT   the loopback mail server
//   DORVA_TEST_ANSWER      "send" (with DORVA_TEST_DESCRIPTION and
//                          DORVA_TEST_EMAIL typed in) or "dontsend"
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <wx/app.h>
#include <wx/init.h>

#include "app/EditorApp.h"
#include "crashreport/MailConfig.h"
#include "crashreport/dialog/CrashReportProgram.h"
#include "crashreport/dialog/CrashReporter.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/crashreport/ReportDialogScript.h"

namespace
{
const char* Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

class CrashingApp : public CEditorApp
{
public:
    CrashingApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}

    bool OnInit() override
    {
        SetAppName("Dorva Test");
        SetVendorName("Brennix");
        if (!InstallCrashHandler(*this))
            return false;
        if (!std::strcmp(Env("DORVA_TEST_CRASH"), "throw"))
        {
            CallAfter([] { throw std::runtime_error("thrown from an event handler"); });
            return true;
        }
        volatile int* volatile bad = nullptr;
        *bad = 1;
        return false;
    }
};
} // namespace

int main(int argc, char** argv)
{
    MailConfig mail;
    mail.host = "127.0.0.1";
    mail.port = static_cast<unsigned short>(std::atoi(Env("DORVA_TEST_SMTP_PORT")));
    mail.sender = "crashreporter@example.com";
    mail.reportAddress = "reports@example.com";
    mail.timeoutMs = 5000;
    SetCrashReportMailConfig(mail);

    ReportDialogScript script;
    if (!std::strcmp(Env("DORVA_TEST_ANSWER"), "send"))
    {
        script.whileShown = [](MyDialog& dialog) {
            ReportDialogScript::Type(dialog, wxString::FromUTF8(Env("DORVA_TEST_DESCRIPTION")),
                                     wxString::FromUTF8(Env("DORVA_TEST_EMAIL")));
            ReportDialogScript::Click(dialog, wxID_OK);
        };
    }

    int exitCode = 0;
    if (HandleCrashReportOption(argc, argv, exitCode))
        return exitCode;

    wxApp::SetInstance(new CrashingApp);
    return wxEntry(argc, argv);
}
