#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

// The user nobody of Debian: what a test acts as where root would be let through.
constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

// Runs body in a child process as nobody when the tests run as root (as CI
// does), else as the user running them, who is unprivileged already. Gives
// what body gave: empty for success, else what went wrong.
inline std::string AsUnprivilegedUser(const std::function<std::string()>& body)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child < 0)
        return "no fork";
    if (child == 0)
    {
        ::close(pipeEnds[0]);
        std::string said;
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0))
            said = "cannot become nobody";
        else
            said = body();
        if (::write(pipeEnds[1], said.data(), said.size()) < 0)
            ::_exit(2);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string said;
    char chunk[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, static_cast<size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child failed: " + said;
    return said;
}
