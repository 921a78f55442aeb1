#include "plugins/ExaminerHelpers.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{
using Clock = std::chrono::steady_clock;

const char* const kHelperName = "dorva-plugin-examiner";
const std::size_t kMaxHelperCount = 16;

struct Helper
{
    std::size_t job = 0;
    pid_t pid = -1;
    int answerEnd = -1;
    Clock::time_point deadline;
    std::string answer;
};

// Starts the helper for one path; false when it could not be started, and
// then, the first time in a scan, stderr says why.
bool Start(const std::string& program, const std::string& path, Helper& helper, bool& told)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // Not the editor's display connection, MIDI ports or files.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    // The editor's crash handler and ignored signals stay with the editor:
    // a helper that faults dies of it, quietly.
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    // A group of its own, so that whatever a plug-in starts is ended with it.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(path.c_str()), nullptr};
    const int error = posix_spawn(&helper.pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (error != 0)
    {
        close(ends[0]);
        if (!std::exchange(told, true))
            std::fprintf(stderr, "Dorva Editor: the plug-in examiner %s could not be started: %s\n", program.c_str(),
                         std::strerror(error));
        return false;
    }
    fcntl(ends[0], F_SETFL, O_NONBLOCK);
    helper.answerEnd = ends[0];
    return true;
}

// Kills the helper and what it started, and reaps it.
void End(Helper& helper)
{
    // Never 0 or -1 here, which would name the editor's own group or every process.
    if (helper.pid > 0)
    {
        // The group, and the helper itself should a plug-in have left the group.
        kill(-helper.pid, SIGKILL);
        kill(helper.pid, SIGKILL);
        while (waitpid(helper.pid, nullptr, 0) < 0 && errno == EINTR)
        {
        }
    }
    close(helper.answerEnd);
}

// Takes what the pipe holds; false once the helper has closed it.
bool ReadAvailable(Helper& helper)
{
    char chunk[65536];
    for (;;)
    {
        const ssize_t n = read(helper.answerEnd, chunk, sizeof chunk);
        if (n > 0)
            helper.answer.append(chunk, static_cast<std::size_t>(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return n < 0 && errno == EAGAIN;
        if (helper.answer.size() > kMaxPluginAnswerSize)
            return false;
    }
}

// The running helpers; whatever still runs when it goes is ended.
class RunningHelpers
{
public:
    RunningHelpers() = default;
    RunningHelpers(const RunningHelpers&) = delete;
    RunningHelpers& operator=(const RunningHelpers&) = delete;
    ~RunningHelpers()
    {
        for (Helper& helper : m_helpers)
            End(helper);
    }

    std::vector<Helper>& List() { return m_helpers; }
    // Ends the i-th helper and takes it out of the list.
    Helper Remove(std::size_t i)
    {
        Helper helper = std::move(m_helpers[i]);
        m_helpers.erase(m_helpers.begin() + static_cast<std::ptrdiff_t>(i));
        End(helper);
        return helper;
    }

private:
    std::vector<Helper> m_helpers;
};

// Waits until a running helper has written, closed its output or reached its
// deadline, or until the time given.
void WaitForAny(std::vector<Helper>& helpers, Clock::time_point until, std::vector<pollfd>& ready)
{
    ready.clear();
    Clock::time_point nearest = until;
    for (const Helper& helper : helpers)
    {
        ready.push_back({helper.answerEnd, POLLIN, 0});
        nearest = std::min(nearest, helper.deadline);
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(nearest - Clock::now());
    const int timeout = static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 60000));
    // Interrupted (a child of the toolkit's ended, say): the caller looks and waits again.
    if (poll(ready.data(), ready.size(), timeout) < 0)
        for (pollfd& entry : ready)
            entry.revents = 0;
}
} // namespace

std::string ExaminerHelperPath()
{
    std::string self(4096, '\0');
    for (;;)
    {
        const ssize_t n = readlink("/proc/self/exe", self.data(), self.size());
        if (n < 0)
            return kHelperName;
        if (static_cast<std::size_t>(n) < self.size())
        {
            self.resize(static_cast<std::size_t>(n));
            break;
        }
        self.resize(self.size() * 2);
    }
    const std::string::size_type separator = self.rfind('/');
    return separator == std::string::npos ? kHelperName : self.substr(0, separator + 1) + kHelperName;
}

std::size_t DefaultHelperCount()
{
    cpu_set_t usable;
    const int processors = sched_getaffinity(0, sizeof usable, &usable) == 0 ? CPU_COUNT(&usable) : 1;
    return std::clamp<std::size_t>(static_cast<std::size_t>(processors), 1, kMaxHelperCount);
}

void ExamineInHelpers(const std::vector<std::string>& paths, const HelperSettings& settings,
                      const std::function<bool(std::size_t)>& starting,
                      const std::function<void(std::size_t, const PluginNames*)>& ended,
                      const std::function<void(std::size_t)>& waiting)
{
    RunningHelpers running;
    std::vector<Helper>& helpers = running.List();
    std::vector<pollfd> ready;
    const std::size_t count = std::max<std::size_t>(settings.count, 1);
    Clock::time_point news = Clock::now();
    bool told = false;
    for (std::size_t next = 0; next < paths.size() || !helpers.empty();)
    {
        for (; next < paths.size() && helpers.size() < count; ++next)
        {
            Helper helper;
            helper.job = next;
            news = Clock::now();
            if (!starting(next) || !Start(settings.program, paths[next], helper, told))
            {
                ended(next, nullptr);
                continue;
            }
            helper.deadline = Clock::now() + settings.deadline;
            helpers.push_back(std::move(helper));
        }
        if (helpers.empty())
            continue;

        WaitForAny(helpers, news + settings.quiet, ready);
        const Clock::time_point now = Clock::now();
        for (std::size_t i = helpers.size(); i-- > 0;)
        {
            const bool open = ready[i].revents == 0 || ReadAvailable(helpers[i]);
            PluginNames names;
            const AnswerState state = DecodePluginAnswer(helpers[i].answer, names);
            if (state == AnswerState::Incomplete && open && now < helpers[i].deadline)
                continue;
            news = now;
            const std::size_t job = running.Remove(i).job;
            ended(job, state == AnswerState::Complete ? &names : nullptr);
        }
        // The helpers keep their order of start: the first is the earliest.
        if (!helpers.empty() && now - news >= settings.quiet)
        {
            news = now;
            if (waiting)
                waiting(helpers.front().job);
        }
    }
}
