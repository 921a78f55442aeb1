#pragma once

#include <cstddef>
#include <string>

// The crash dump: a text file written by the fatal-signal handler. Everything
// declared here that a handler calls is async-signal-safe: no allocation, no
// locks, no stdio, only system calls on fixed buffers.

// The first line of every dump; the report option refuses a file without it.
extern const char* const kCrashDumpMagic;

struct CrashDumpInfo
{
    const char* title = "";       // the program's title
    const char* vendor = "";      // the vendor name shown in the report dialog
    int signal = 0;
    int code = 0;                 // si_code
    const void* address = nullptr; // si_addr: the faulting address for SEGV, BUS, ILL and FPE
    const void* context = nullptr; // the handler's ucontext_t, for the registers; may be null
    const char* reason = nullptr;  // an extra line ("Uncaught exception: ..."); may be null
};

// Creates the dump file in folder and writes its path (NUL-terminated) into
// path: "<folder>/<fileTitle>.dmp", or "<folder>/<fileTitle>-<pid>.dmp" when
// the first name is held by something that is not a plain file of ours (the
// dump of another user, a planted link). Never follows a symbolic link, never
// writes into a file another user owns or that has a second hard link; the
// file has mode 0600 and is empty. Returns the descriptor or -1.
int CreateCrashDumpFile(const char* folder, const char* fileTitle, char* path, std::size_t pathSize);

// Writes the whole dump to fd: the magic line, program, vendor, pid, thread,
// time, signal, si_code, fault address, reason, registers, backtrace and a
// copy of /proc/self/maps. False when a write failed.
bool WriteCrashDump(int fd, const CrashDumpInfo& info);

// The name of a fatal signal ("SIGSEGV"), or "signal" for any other.
const char* CrashSignalName(int signal);

// What the report program needs from a dump's header lines. Not for signal
// handlers: ordinary file reading.
struct CrashDumpHeader
{
    std::string title;
    std::string vendor;
};
// False when the file cannot be read or does not begin with the magic line.
bool ReadCrashDumpHeader(const std::string& path, CrashDumpHeader& header);
