#pragma once

#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

// Starts program with the arguments and the extra environment, stdout and
// stderr into stderrPath; gives its process id.
pid_t StartProgram(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
                   const std::string& stderrPath);
// Waits (at most timeoutMs) for a program StartProgram started and returns
// the wait status, or -1 when it did not end in time (it is killed).
int WaitForProgram(pid_t pid, int timeoutMs = 30000);
// Both.
int RunProgram(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
               const std::string& stderrPath, pid_t* pid = nullptr, int timeoutMs = 30000);

std::string ReadText(const std::string& path);
std::vector<std::string> Lines(const std::string& text);

// The value of the first "Name: value" line of a dump before its registers.
std::string DumpField(const std::string& dump, const std::string& name);
