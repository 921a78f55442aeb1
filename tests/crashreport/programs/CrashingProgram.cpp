// Stands for the crashing program, the report program and a recorder in its place:
//   crashing_program <how> <report program>: installs the crash handler alone and fails
//     as how says (segv, abort, throw, fpe, thread, overflow); the dump goes to $TMPDIR.
//   crashing_program --crash-report <dump>, with $DORVA_REPORT_RECORD: records what it got.
//   crashing_program: the editor's road. Its start-up crashes (or, with DORVA_TEST_CRASH=throw,
//     an exception escapes an event handler); started again for the report, the user
//     answers the dialog as $DORVA_TEST_ANSWER says ("send" to $DORVA_TEST_SMTP_PORT).
#include <fstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include <wx/init.h>

#include "app/EditorApp.h"
#include "crashreport/CrashHandler.h"
#include "crashreport/dialog/CrashReportProgram.h"
#include "crashreport/dialog/CrashReporter.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/crashreport/ReportAnswer.h"

namespace
{
volatile int g_zero = 0;

int Recurse(int depth)
{
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    return depth == g_zero - 1 ? 0 : Recurse(depth + 1) + frame[0];
}

void WriteThroughBadPointer()
{
    volatile int* volatile bad = reinterpret_cast<volatile int*>(0x10);
    *bad = 1;
}

int Fail(const std::string& how, const char* reportProgram)
{
    CrashHandlerSettings settings{"Dorva Test", "Brennix", "", reportProgram};
    // A descriptor without close-on-exec that the report program must not get.
    if (!InstallCrashSignalHandlers(settings) || dup2(open("/dev/null", O_RDONLY), 100) != 100)
        return 3;
    if (how == "segv")
        WriteThroughBadPointer();
    else if (how == "abort")
        std::abort();
    else if (how == "throw")
        throw std::runtime_error("boom in the test");
    else if (how == "thread")
        std::thread(WriteThroughBadPointer).join();
    return how == "fpe" ? 7 / g_zero : how == "overflow" ? Recurse(0) : 0;
}

struct CrashingApp : CEditorApp
{
    CrashingApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}
    bool OnInit() override
    {
        SetAppName("Dorva Test");
        SetVendorName("Brennix");
        InstallCrashHandler(*this);
        if (std::string(std::getenv("DORVA_TEST_CRASH")) == "throw")
            return CallAfter([] { throw std::runtime_error("thrown from an event handler"); }), true;
        WriteThroughBadPointer();
        return false;
    }
};
} // namespace

int main(int argc, char** argv)
{
    const bool report = argc == 3 && argv[1] == std::string(kCrashReportOption);
    if (report && std::getenv("DORVA_REPORT_RECORD"))
    {
        std::ofstream record(std::getenv("DORVA_REPORT_RECORD"), std::ios::app);
        for (int i = 0; i < argc; ++i)
            record << "arg " << argv[i] << "\n";
        record << "ppid " << getppid() << "\n";
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigBlk:", 0) == 0)
                record << line << "\n";
        record << "fd100 " << (fcntl(100, F_GETFD) != -1 ? "open" : "closed") << "\n";
        return 0;
    }
    if (argc == 3 && !report)
        return Fail(argv[1], argv[2]);

    SetCrashReportMailConfig(LoopbackConfig(static_cast<unsigned short>(std::atoi(std::getenv("DORVA_TEST_SMTP_PORT")))));
    const bool send = std::string(std::getenv("DORVA_TEST_ANSWER")) == "send";
    DialogScript<MyDialog> user([send](MyDialog& dialog) {
        AnswerReport(dialog, "It crashed while I saved.", "tester@example.com", send ? wxID_OK : wxID_CANCEL);
    });
    int exitCode = 0;
    if (HandleCrashReportOption(argc, argv, exitCode))
        return exitCode;
    wxApp::SetInstance(new CrashingApp);
    return wxEntry(argc, argv);
}
