#include "tests/program/EditorProcess.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
using Clock = std::chrono::steady_clock;

EditorProcess::Ending EndingOf(int status)
{
    EditorProcess::Ending ending;
    if (WIFEXITED(status))
        ending.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        ending.signal = WTERMSIG(status);
    return ending;
}
} // namespace

EditorProcess::EditorProcess()
{
    // The program finds its resources beside its own file, so it is linked
    // into the folder rather than started from the build.
    const fs::path built(DORVA_PROGRAM);
    const fs::path folder(m_folder.Path());
    std::error_code linked;
    fs::create_hard_link(built, folder / built.filename(), linked);
    if (linked)
        fs::copy_file(built, folder / built.filename());
    for (const char* shipped : {"Common.xrc", "DorvaSynthEditor.xrc", "images", "FactorySettings.blk"})
        if (fs::exists(built.parent_path() / shipped))
            fs::copy(built.parent_path() / shipped, folder / shipped, fs::copy_options::recursive);
}

EditorProcess::~EditorProcess()
{
    Stop();
}

std::string EditorProcess::File(const std::string& relative) const
{
    return m_folder.File(relative);
}

void EditorProcess::Remove(const std::string& relative)
{
    fs::remove_all(File(relative));
}

void EditorProcess::Write(const std::string& relative, const std::string& content)
{
    std::ofstream(File(relative), std::ios::binary | std::ios::trunc) << content;
}

void EditorProcess::WritePreferences(const std::string& text)
{
    fs::create_directories(m_config.File("Brennix"));
    std::ofstream(m_config.File("Brennix/Dorva Editor.conf"), std::ios::trunc) << text;
}

void EditorProcess::Start(const std::vector<std::string>& arguments, bool display)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return;
    const std::string program = File(fs::path(DORVA_PROGRAM).filename().string());
    std::vector<std::string> argumentText = {program};
    argumentText.insert(argumentText.end(), arguments.begin(), arguments.end());
    m_pid = ::fork();
    if (m_pid == 0)
    {
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
        // Its own copy of the single-instance lock and no screen reader bus.
        ::setenv("HOME", m_config.Path().c_str(), 1);
        ::setenv("NO_AT_BRIDGE", "1", 1);
        if (!display)
            ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        std::vector<char*> argv;
        for (std::string& argument : argumentText)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    m_errorPipe = pipeEnds[0];
    m_exited = false;
}

bool EditorProcess::ReadErrors(std::chrono::milliseconds wait)
{
    if (m_errorPipe < 0)
    {
        std::this_thread::sleep_for(wait);
        return false;
    }
    pollfd ready{m_errorPipe, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(wait.count())) <= 0)
        return true;
    char buffer[4096];
    const ssize_t got = ::read(m_errorPipe, buffer, sizeof buffer);
    if (got <= 0)
    {
        ::close(m_errorPipe);
        m_errorPipe = -1;
        return false;
    }
    m_errors.append(buffer, static_cast<size_t>(got));
    return true;
}

bool EditorProcess::IsRunning()
{
    if (m_pid <= 0 || m_exited)
        return false;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) != m_pid)
        return true;
    m_exited = true;
    m_ending = EndingOf(status);
    return false;
}

bool EditorProcess::WaitForExit(Ending& ending, std::chrono::milliseconds deadline)
{
    const auto end = Clock::now() + deadline;
    while (IsRunning())
    {
        if (Clock::now() >= end)
            return false;
        ReadErrors(std::chrono::milliseconds(20));
    }
    while (ReadErrors(std::chrono::milliseconds(0)))
    {
    }
    ending = m_ending;
    return m_exited;
}

bool EditorProcess::WaitForError(const std::string& text, std::chrono::milliseconds deadline)
{
    const auto end = Clock::now() + deadline;
    while (m_errors.find(text) == std::string::npos)
    {
        if (Clock::now() >= end || (!ReadErrors(std::chrono::milliseconds(20)) && !IsRunning()))
            return m_errors.find(text) != std::string::npos;
    }
    return true;
}

void EditorProcess::Stop()
{
    if (IsRunning())
    {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_exited = true;
    }
    if (m_errorPipe >= 0)
        ::close(m_errorPipe);
    m_errorPipe = -1;
}
