// dorva-plugin-examiner <library>
// Examines one VST 2 plug-in library in a process of its own and writes its
// names on the standard output as one answer (plugins/helper/PluginAnswer.h);
// nothing at all for a library that is not a plug-in. The editor starts one
// per library, so a library that crashes, hangs or ends the process that
// loads it takes only this one with it.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "plugins/helper/PluginProbe.h"

namespace
{
bool WriteAll(int fd, const std::string& bytes)
{
    for (std::size_t written = 0; written < bytes.size();)
    {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <plug-in library>\n", argv[0]);
        return 2;
    }
    // A helper left behind by an editor that ended mid-scan ends too.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The answer has the standard output to itself: what a plug-in prints
    // goes to the standard error instead.
    const int answer = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (answer < 0)
        return 3;
    if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
    {
        const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere < 0 || dup2(nowhere, STDOUT_FILENO) < 0)
            return 3;
    }

    bool answered = false;
    try
    {
        ExamineLibrary(argv[1], [&answered, answer](const PluginNames& names) {
            answered = WriteAll(answer, EncodePluginAnswer(names));
            close(answer);
        });
    }
    catch (...)
    {
        // A plug-in that throws is passed over, as one that does not load.
    }
    // No exit-time code of a plug-in runs: the answer is all that counts.
    _exit(answered ? 0 : 1);
}
