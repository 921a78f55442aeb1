#include "model/SysExFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Longer than any dump or OS image of these units; a file that would give a
// longer message is not one of ours and is refused before it eats the memory.
constexpr size_t kMaxMessageBytes = size_t(64) << 20;

class FileHandle
{
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return m_fd; }
    // Closes now and reports what close said; a failed close can lose data.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

int OpenRegularForReading(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st;
    // A directory opens fine and a FIFO or device may never end: neither is a file of messages.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const uint8_t* bytes, size_t length)
{
    while (length > 0)
    {
        const ssize_t n = ::write(fd, bytes, length);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        bytes += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new, hidden file beside target; the umask applies to its 0666.
int CreateTemporaryBeside(const std::string& target, std::string& tempPath)
{
    const std::string stem = FolderOf(target) + "/." + NameOf(target) + ".";
    static std::atomic<unsigned> counter{0};
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, "%ld-%llx-%u.tmp", static_cast<long>(::getpid()),
                      ticks, counter.fetch_add(1) + 1);
        tempPath = stem + suffix;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void SyncFolderOf(const std::string& path)
{
    FileHandle folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
}

bool ReplaceFile(const std::string& path, const SysExBuffer& buffer, const struct stat* existing)
{
    // Rename over the file a symbolic link points to, not over the link.
    std::string target = path;
    if (existing)
    {
        struct stat link;
        if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        {
            char resolved[PATH_MAX];
            if (!::realpath(path.c_str(), resolved))
                return false;
            target = resolved;
        }
    }

    std::string tempPath;
    FileHandle temp(CreateTemporaryBeside(target, tempPath));
    if (temp.get() < 0)
        return false;
    bool ok = true;
    if (existing)
    {
        // The replacement keeps the owner and mode of the file it replaces;
        // only root may give a file away, so EPERM just leaves it ours.
        ok = (::fchown(temp.get(), existing->st_uid, existing->st_gid) == 0 || errno == EPERM) &&
             ::fchmod(temp.get(), existing->st_mode & 07777) == 0;
    }
    ok = ok && WriteAll(temp.get(), buffer.data(), buffer.size());
    ok = ok && ::fsync(temp.get()) == 0;
    ok = temp.Close() && ok;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok)
    {
        ::unlink(tempPath.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}

bool AppendToFile(const std::string& path, const SysExBuffer& buffer)
{
    FileHandle file(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (file.get() < 0)
        return false;
    struct stat st;
    if (::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (!WriteAll(file.get(), buffer.data(), buffer.size()) || ::fsync(file.get()) != 0)
    {
        // Leave the file as it was rather than with half a message at its end.
        if (::ftruncate(file.get(), st.st_size) != 0)
        {
            // Nothing more can be done; the caller hears of the failure either way.
        }
        return false;
    }
    return file.Close();
}
} // namespace

bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, size_t offset, size_t& next)
{
    FileHandle file(OpenRegularForReading(path));
    if (file.get() < 0)
        return false;

    out.Clear();
    uint8_t chunk[8 * 1024];
    size_t position = offset;
    bool started = false;
    for (;;)
    {
        if (position > static_cast<size_t>(std::numeric_limits<off_t>::max()))
            break;
        const ssize_t n = ::pread(file.get(), chunk, sizeof chunk, static_cast<off_t>(position));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i)
        {
            const uint8_t byte = chunk[i];
            if (!started)
            {
                if (byte != SysExBuffer::kStart)
                    continue;
                started = true;
            }
            out.PushByte(byte);
            if (byte == SysExBuffer::kEnd)
            {
                next = position + static_cast<size_t>(i) + 1;
                return out.IsValid();
            }
            if (out.size() >= kMaxMessageBytes)
                return false;
        }
        position += static_cast<size_t>(n);
    }
    return out.IsValid();
}

bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, size_t offset)
{
    size_t next = 0;
    return ReadSysExFromFile(path, out, offset, next);
}

bool WriteSysExToFile(const std::string& path, const SysExBuffer& buffer, bool append)
{
    struct stat st;
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists)
    {
        if (!S_ISREG(st.st_mode))
            return false;
        // Read-only means no write permission bit at all, which holds for root
        // too, or no write access for this user.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)
            return false;
    }
    return append ? AppendToFile(path, buffer) : ReplaceFile(path, buffer, exists ? &st : nullptr);
}
