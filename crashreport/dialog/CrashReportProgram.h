#pragma once

#include <string>

// The report program: the crash handler starts the program again as
// "<program> --crash-report <dump path>" and waits for it. The program's
// entry calls this first, before the toolkit's entry: when the arguments are
// the report option it shows the report dialog for the dump (titled with the
// program and vendor the dump names), sets exitCode and returns true; the
// crashed program then ends. Any other arguments: false, nothing done.
bool HandleCrashReportOption(int argc, char** argv, int& exitCode);

// The dump path when the arguments are exactly the report option and a path.
bool ParseCrashReportOption(int argc, const char* const* argv, std::string& dumpPath);

// Inside a running toolkit: shows the crash report dialog for the dump, named
// after the program the dump names. False when the file is not a crash dump.
bool ShowCrashReportForDump(const std::string& dumpPath);
