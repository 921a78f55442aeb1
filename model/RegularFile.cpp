#include "model/RegularFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenRegularForReading(const std::string& path, std::string& reason)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
    {
        reason = std::strerror(errno);
        return -1;
    }
    struct stat st;
    // A directory opens fine and a FIFO or device may never end: neither is a file.
    const bool stated = ::fstat(fd, &st) == 0;
    if (!stated || !S_ISREG(st.st_mode))
    {
        reason = !stated ? std::strerror(errno) : S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        ::close(fd);
        return -1;
    }
    // No effect on a regular file's reads, but reads are meant to block.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
    {
        reason = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

bool FileHandle::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd < 0 || ::close(fd) == 0;
}
