#pragma once

#include <string>

// The fatal-signal handler. On SIGSEGV, SIGBUS, SIGILL, SIGFPE or SIGABRT
// (std::terminate included: it records the uncaught exception, then aborts)
// it writes a crash dump into the temporary folder, starts the report program
// (relaunchProgram with kCrashReportOption and the dump's path) and waits for
// it, then restores the default action and re-raises the signal, so the
// process still ends as the signal says. No window is ever shown from the
// handler itself. When the dump cannot be written the reason goes to stderr.
//
// The handler runs on an alternate stack (so a stack overflow is reported)
// on the thread that installed it; other threads report on their own stack.
// A second thread that fails while a report runs waits for the process to end.

extern const char* const kCrashReportOption; // "--crash-report"

struct CrashHandlerSettings
{
    std::string title;        // the program's title: in the dump and its file name
    std::string vendor;       // named by the report dialog
    std::string tempFolder;   // empty: $TMPDIR, or /tmp when that is unset
    std::string relaunchProgram = "/proc/self/exe";
};

// Installs (or re-installs with new settings) the handlers; false when a
// handler or the alternate stack could not be set up. Call from the main
// thread before other threads start.
bool InstallCrashSignalHandlers(const CrashHandlerSettings& settings);

// The folder dumps go to: $TMPDIR when set and not empty, else /tmp.
std::string CrashDumpFolder();
