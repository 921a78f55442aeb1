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

bool ReadFully(int fd, void* buffer, std::size_t length, std::uint64_t offset)
{
    auto* bytes = static_cast<char*>(buffer);
    while (length > 0)
    {
        const ssize_t n = ::pread(fd, bytes, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadRegularFile(const std::string& path, std::string& bytes, std::string& reason)
{
    const FileHandle file(OpenRegularForReading(path, reason));
    struct stat st;
    if (file.get() < 0)
        return false;
    if (::fstat(file.get(), &st) != 0)
    {
        reason = std::strerror(errno);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(st.st_size));
    errno = 0;
    if (ReadFully(file.get(), bytes.data(), bytes.size(), 0))
        return true;
    reason = errno ? std::strerror(errno) : "the file ended early";
    return false;
}

bool FileHandle::Close()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd < 0 || ::close(fd) == 0;
}
