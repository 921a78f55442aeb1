#include "crashreport/CrashHandler.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <exception>
#include <typeinfo>

#include <execinfo.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "crashreport/CrashDump.h"

extern char** environ;

const char* const kCrashReportOption = "--crash-report";

namespace
{
const int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

// Everything the handler reads is prepared here at install time: the handler
// itself may not allocate or format through the library.
char g_title[256];
char g_fileTitle[256];
char g_vendor[128];
char g_folder[PATH_MAX];
char g_program[PATH_MAX];
char g_option[32];
char g_dumpPath[PATH_MAX];
char* g_argv[4];
// The uncaught exception, written by the terminate handler before it aborts.
char g_reason[512];

// The thread that is writing a report; 0 while none is.
std::atomic<pid_t> g_reportingThread{0};
static_assert(std::atomic<pid_t>::is_always_lock_free, "used from a signal handler");

void CopyText(char* target, std::size_t size, const std::string& text)
{
    std::snprintf(target, size, "%s", text.c_str());
}

void SayOnStderr(const char* text)
{
    ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

// Starts the report program and waits until the user is done with it.
void RunReportProgram()
{
    const pid_t child = _Fork();
    if (child == 0)
    {
        // The report program must not inherit the blocked fatal signal.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        // Nor the crashed program's devices, sockets and files.
        if (syscall(SYS_close_range, 3U, ~0U, 0U) != 0)
            for (int fd = 3; fd < 1024; ++fd)
                close(fd);
        execve(g_program, g_argv, environ);
        _exit(127);
    }
    if (child < 0)
        return;
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
}

void RestoreDefaultAndRaise(int signal)
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    // Blocked while the handler runs: delivered, with the default action, as
    // soon as the handler returns. A fault re-executes and ends the same way.
    raise(signal);
}

void OnFatalSignal(int signal, siginfo_t* info, void* context)
{
    const int savedErrno = errno;
    const pid_t self = static_cast<pid_t>(syscall(SYS_gettid));
    pid_t expected = 0;
    if (!g_reportingThread.compare_exchange_strong(expected, self))
    {
        if (expected == self)
        {
            // A fault inside the report itself: give up on it.
            RestoreDefaultAndRaise(signal);
            return;
        }
        for (;;)
            pause();
    }

    CrashDumpInfo dump;
    dump.title = g_title;
    dump.vendor = g_vendor;
    dump.signal = signal;
    dump.code = info ? info->si_code : 0;
    dump.address = info ? info->si_addr : nullptr;
    dump.context = context;
    dump.reason = g_reason;

    const int fd = CreateCrashDumpFile(g_folder, g_fileTitle, g_dumpPath, sizeof g_dumpPath);
    if (fd < 0)
    {
        SayOnStderr("CrashReporter: Couldnt create output file\n");
    }
    else
    {
        const bool written = WriteCrashDump(fd, dump);
        close(fd);
        if (written)
            RunReportProgram();
        else
            SayOnStderr("CrashReporter: Couldnt write to output file\n");
    }
    errno = savedErrno;
    RestoreDefaultAndRaise(signal);
}

// Not a signal handler: it may look at the exception before it aborts.
[[noreturn]] void OnTerminate()
{
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (!type)
    {
        std::snprintf(g_reason, sizeof g_reason, "terminate called without an active exception");
        std::abort();
    }
    int status = -1;
    char* demangled = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
    const char* typeName = status == 0 && demangled ? demangled : type->name();
    try
    {
        throw;
    }
    catch (const std::exception& error)
    {
        std::snprintf(g_reason, sizeof g_reason, "Uncaught exception: %s: %s", typeName, error.what());
    }
    catch (...)
    {
        std::snprintf(g_reason, sizeof g_reason, "Uncaught exception: %s", typeName);
    }
    std::free(demangled);
    std::abort();
}

bool InstallAlternateStack()
{
    // Kept for the life of the process: the handler may run on it at any time.
    static void* stack = nullptr;
    const std::size_t size = 64 * 1024 > SIGSTKSZ ? 64 * 1024 : SIGSTKSZ;
    if (!stack)
        stack = std::malloc(size);
    if (!stack)
        return false;
    stack_t alternate{};
    alternate.ss_sp = stack;
    alternate.ss_size = size;
    alternate.ss_flags = 0;
    return sigaltstack(&alternate, nullptr) == 0;
}
} // namespace

std::string CrashDumpFolder()
{
    const char* folder = std::getenv("TMPDIR");
    std::string result = folder && *folder ? folder : "/tmp";
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

bool InstallCrashSignalHandlers(const CrashHandlerSettings& settings)
{
    std::string fileTitle = settings.title.empty() ? std::string("crash") : settings.title;
    for (char& c : fileTitle)
        if (c == '/')
            c = '_';
    CopyText(g_title, sizeof g_title, settings.title);
    CopyText(g_fileTitle, sizeof g_fileTitle, fileTitle);
    CopyText(g_vendor, sizeof g_vendor, settings.vendor);
    CopyText(g_folder, sizeof g_folder, settings.tempFolder.empty() ? CrashDumpFolder() : settings.tempFolder);
    CopyText(g_program, sizeof g_program, settings.relaunchProgram);
    CopyText(g_option, sizeof g_option, kCrashReportOption);
    g_argv[0] = g_program;
    g_argv[1] = g_option;
    g_argv[2] = g_dumpPath;
    g_argv[3] = nullptr;

    // The first backtrace() loads the unwinder; do it now, not in the handler.
    void* frame[1];
    backtrace(frame, 1);

    bool ok = InstallAlternateStack();
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    // Hold the other fatal signals while a report is written.
    for (int signal : kFatalSignals)
        sigaddset(&action.sa_mask, signal);
    for (int signal : kFatalSignals)
        ok = sigaction(signal, &action, nullptr) == 0 && ok;
    std::set_terminate(OnTerminate);
    return ok;
}
