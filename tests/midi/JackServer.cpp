#include "JackServer.h"

#include <dirent.h>
#include <fcntl.h>
#include <jack/jack.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

// libjack reports a missing server on stderr while we poll; keep it quiet.
void QuietJack(const char*) {}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
} // namespace

std::string JackServer::FindJackd()
{
    std::vector<std::string> folders = {"/usr/bin", "/usr/local/bin"};
    if (const char* path = std::getenv("PATH"))
    {
        std::stringstream list(path);
        std::string folder;
        while (std::getline(list, folder, ':'))
            if (!folder.empty())
                folders.push_back(folder);
    }
    for (const std::string& folder : folders)
    {
        const std::string candidate = folder + "/jackd";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::string();
}

bool JackServer::Start(const std::string& jackd, int timeoutMs, bool synchronous)
{
    // Other test processes (another run of the suite, too) take their turn.
    const auto lockDeadline = Clock::now() + std::chrono::seconds(45);
    m_lock = open("/tmp/dorva-jack-tests.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    while (m_lock >= 0 && flock(m_lock, LOCK_EX | LOCK_NB) != 0)
    {
        if (Clock::now() > lockDeadline)
        {
            m_error = "other tests' JACK servers kept the lock for 45 s";
            Stop();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // polling step
    }

    // JACK keeps a table of 8 servers in /dev/shm and frees the entry of a
    // killed one only for a server of the same name: a few fixed names keep
    // killed runs from filling it. The next name serves when a leftover
    // server of a killed run still holds one.
    ClearStaleJackState();
    jack_set_error_function(QuietJack);
    jack_set_info_function(QuietJack);
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        m_name = "dorva-test-" + std::to_string(attempt);
        if (Launch(jackd, timeoutMs, synchronous))
            return true;
        if (m_pid > 0) // started but never answered: no other name will do better
            break;
    }
    Stop();
    return false;
}

bool JackServer::Launch(const std::string& jackd, int timeoutMs, bool synchronous)
{
    m_logPath = "/tmp/" + m_name + ".log";
    RemoveLeftovers();
    setenv("JACK_DEFAULT_SERVER", m_name.c_str(), 1);

    // Synchronous, with a long client time-out: on a loaded machine a late
    // client must hold the cycle up, not have its stale port buffer read
    // again (a message delivered twice, the next ones lost) or be dropped.
    std::vector<const char*> arguments = {"jackd", "-n", m_name.c_str(), "-r"};
    if (synchronous)
        arguments.push_back("-S");
    for (const char* argument : {"-t", "5000", "-d", "dummy", "-r", "48000", "-p", "256"})
        arguments.push_back(argument);
    arguments.push_back(nullptr);
    // Set before the fork: the child of a threaded process may make only
    // async-signal-safe calls.
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);

    const pid_t pid = fork();
    if (pid < 0)
    {
        m_error = "fork failed";
        return false;
    }
    if (pid == 0)
    {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int log = open(m_logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (log >= 0)
        {
            dup2(log, 1);
            dup2(log, 2);
        }
        execv(jackd.c_str(), const_cast<char* const*>(arguments.data()));
        _exit(127);
    }
    m_pid = pid;

    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline)
    {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid)
        {
            m_pid = -1;
            m_error = "jackd exited early: " + ReadFile(m_logPath);
            return false;
        }
        jack_status_t jackStatus;
        jack_client_t* probe =
            jack_client_open("dorva-probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName),
                             &jackStatus, m_name.c_str());
        if (probe)
        {
            jack_client_close(probe);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // polling step, not a wait for an outcome
    }
    m_error = "jackd did not answer within " + std::to_string(timeoutMs) + " ms: " + ReadFile(m_logPath);
    return false;
}

void JackServer::Stop()
{
    if (m_pid > 0)
    {
        kill(m_pid, SIGTERM);
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        int status = 0;
        while (waitpid(m_pid, &status, WNOHANG) == 0)
        {
            if (Clock::now() > deadline)
            {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_pid = -1;
    }
    if (!m_logPath.empty())
        unlink(m_logPath.c_str());
    RemoveLeftovers();
    if (m_lock >= 0)
    {
        close(m_lock); // gives back the lock
        m_lock = -1;
    }
}

namespace
{
bool AnyJackdRunning()
{
    DIR* processes = opendir("/proc");
    if (!processes)
        return true;
    bool found = false;
    while (const dirent* entry = readdir(processes))
    {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        std::string name = ReadFile(std::string("/proc/") + entry->d_name + "/comm");
        if (name.rfind("jackd", 0) == 0)
        {
            found = true;
            break;
        }
    }
    closedir(processes);
    return found;
}
} // namespace

// With no JACK server on the machine at all, what JACK left in /dev/shm is
// stale (servers killed outright never clean up) and only fills its tables.
void JackServer::ClearStaleJackState()
{
    if (AnyJackdRunning())
        return;
    DIR* folder = opendir("/dev/shm");
    if (!folder)
        return;
    while (const dirent* entry = readdir(folder))
    {
        const std::string file = entry->d_name;
        if (file == "jack-shm-registry" || file.rfind("jack-", 0) == 0 || file.rfind("jack_sem.", 0) == 0 ||
            file.rfind("jack_dorva-test-", 0) == 0)
            unlink(("/dev/shm/" + file).c_str());
    }
    closedir(folder);
}

// The server leaves its clients' semaphores in /dev/shm; its name is ours alone.
void JackServer::RemoveLeftovers()
{
    if (m_name.empty())
        return;
    DIR* folder = opendir("/dev/shm");
    if (!folder)
        return;
    const std::string socket = "jack_" + m_name + "_";
    const std::string semaphore = "_" + m_name + "_";
    while (const dirent* entry = readdir(folder))
    {
        const std::string file = entry->d_name;
        if (file.rfind(socket, 0) == 0 || (file.rfind("jack_sem.", 0) == 0 && file.find(semaphore) != std::string::npos))
            unlink(("/dev/shm/" + file).c_str());
    }
    closedir(folder);
}
