#include "tests/crashreport/CrashTestSupport.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

pid_t StartProgram(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
                   const std::string& stderrPath)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0)
    {
        for (const auto& [name, value] : environment)
            setenv(name.c_str(), value.c_str(), 1);
        const int out = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0)
        {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int WaitForProgram(pid_t pid, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;)
    {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return status;
        if (done < 0 || std::chrono::steady_clock::now() > deadline)
        {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int RunProgram(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
               const std::string& stderrPath, pid_t* pidOut, int timeoutMs)
{
    const pid_t pid = StartProgram(arguments, environment, stderrPath);
    if (pidOut)
        *pidOut = pid;
    return WaitForProgram(pid, timeoutMs);
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string DumpField(const std::string& dump, const std::string& name)
{
    for (const std::string& line : Lines(dump))
    {
        if (line == "Registers:")
            break;
        if (line.rfind(name + ": ", 0) == 0)
            return line.substr(name.size() + 2);
    }
    return "<missing>";
}
