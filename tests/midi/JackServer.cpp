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
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

std::string ReadFile(const std::string& path)
{
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// Whether folder has an entry that matches; those are removed when remove is set.
bool AnyEntry(const char* folder, const std::function<bool(const std::string&)>& match, bool remove)
{
    DIR* dir = opendir(folder);
    bool found = false;
    while (const dirent* entry = dir ? readdir(dir) : nullptr)
        if (match(entry->d_name))
        {
            found = true;
            if (remove)
                unlink((std::string(folder) + "/" + entry->d_name).c_str());
        }
    if (dir)
        closedir(dir);
    return found;
}

// What a server of this name left in /dev/shm: its clients' sockets and semaphores.
void RemoveLeftovers(const std::string& name)
{
    AnyEntry("/dev/shm", [&](const std::string& file) {
        return !name.empty() && (StartsWith(file, "jack_" + name + "_") ||
                                 (StartsWith(file, "jack_sem.") && file.find("_" + name + "_") != std::string::npos));
    }, true);
}
} // namespace

std::string JackServer::FindJackd()
{
    std::stringstream path(std::string("/usr/bin:/usr/local/bin:") + (getenv("PATH") ? getenv("PATH") : ""));
    for (std::string folder; std::getline(path, folder, ':');)
        if (!folder.empty() && access((folder + "/jackd").c_str(), X_OK) == 0)
            return folder + "/jackd";
    return std::string();
}

bool JackServer::Start(const std::string& jackd, int timeoutMs, bool synchronous)
{
    // Other test processes (another run of the suite, too) take their turn.
    const auto lockDeadline = Clock::now() + std::chrono::seconds(45);
    m_lock = open("/tmp/dorva-jack-tests.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    while (m_lock >= 0 && flock(m_lock, LOCK_EX | LOCK_NB) != 0)
        if (Clock::now() > lockDeadline)
        {
            m_error = "other tests' JACK servers kept the lock for 45 s";
            Stop();
            return false;
        }
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20)); // polling step
    // With no server on the machine at all, what JACK left in /dev/shm is
    // stale (servers killed outright never clean up) and only fills its tables.
    if (!AnyEntry("/proc", [](const std::string& pid) {
            return isdigit(static_cast<unsigned char>(pid[0])) && StartsWith(ReadFile("/proc/" + pid + "/comm"), "jackd");
        }, false))
        AnyEntry("/dev/shm", [](const std::string& file) {
            return StartsWith(file, "jack-") || StartsWith(file, "jack_sem.") || StartsWith(file, "jack_dorva-test-");
        }, true);
    jack_set_error_function([](const char*) {});
    jack_set_info_function([](const char*) {});
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
    // JACK keeps a table of 8 servers in /dev/shm and frees the entry of a
    // killed one only for a server of the same name: a few fixed names keep
    // killed runs from filling it. The next name serves when a leftover
    // server of a killed run still holds one.
    for (int attempt = 0; attempt < 4 && m_pid <= 0; ++attempt)
    {
        m_name = "dorva-test-" + std::to_string(attempt);
        const std::string logPath = "/tmp/" + m_name + ".log";
        RemoveLeftovers(m_name);
        setenv("JACK_DEFAULT_SERVER", m_name.c_str(), 1);
        // A long client time-out: on a loaded machine a late client must hold
        // a synchronous server's cycle up, not have its stale port buffer read
        // again (a message delivered twice, the next ones lost) or be dropped.
        std::vector<const char*> arguments = {"jackd", "-n", m_name.c_str(), "-r", "-t", "5000", "-d", "dummy",
                                              "-r", "48000", "-p", "256", nullptr};
        if (synchronous)
            arguments.insert(arguments.begin() + 4, "-S");
        if ((m_pid = fork()) == 0)
        {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(log, 1);
            dup2(log, 2);
            execv(jackd.c_str(), const_cast<char* const*>(arguments.data()));
            _exit(127);
        }
        int status = 0;
        for (const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs); Clock::now() < deadline;)
        {
            if (m_pid < 0 || waitpid(m_pid, &status, WNOHANG) == m_pid)
            {
                m_pid = -1;
                break;
            }
            jack_status_t jackStatus;
            const auto options = static_cast<jack_options_t>(JackNoStartServer | JackServerName);
            if (jack_client_t* probe = jack_client_open("dorva-probe", options, &jackStatus, m_name.c_str()))
            {
                jack_client_close(probe);
                unlink(logPath.c_str());
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20)); // polling step
        }
        m_error = (m_pid < 0 ? "jackd exited early: " : "jackd did not answer in time: ") + ReadFile(logPath);
        unlink(logPath.c_str());
    }
    Stop();
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
            if (Clock::now() > deadline)
            {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, &status, 0);
            }
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        m_pid = -1;
    }
    RemoveLeftovers(m_name);
    if (m_lock >= 0)
        close(m_lock); // gives back the lock
    m_lock = -1;
}
