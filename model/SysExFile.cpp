#include "model/SysExFile.h"

#include "model/RegularFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Longer than any dump or OS image of these units; a file that would give a
// longer message is not one of ours and is refused before it eats the memory.
constexpr size_t kMaxMessageBytes = size_t(64) << 20;
// Far larger than any template, bank or OS image file of these units (a
// bank of 16 templates is under 30 KB, and an OS image goes to the unit
// message by message at 100 ms each). A larger file is no dump of theirs and
// is refused unread: reading gigabytes for an F0 would hold the window.
constexpr off_t kMaxFileBytes = off_t(64) << 20;

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

// The system's words for the last failed call, once: the first failure is the one that counts.
bool Fail(std::string& reason)
{
    if (reason.empty())
        reason = std::strerror(errno);
    return false;
}

// Writes the file through a temporary beside it that is renamed over it once
// complete. created: the temporary could be made (false leaves the file alone).
bool ReplaceFile(const std::string& path, const SysExBuffer& buffer, const struct stat* existing,
                 bool& created, std::string& reason)
{
    std::string tempPath;
    FileHandle temp(CreateTemporaryBeside(path, tempPath));
    created = temp.get() >= 0;
    if (!created)
        return Fail(reason);
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
    ok = (temp.Close() || Fail(reason)) && ok;
    ok = ok && ::rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok)
    {
        Fail(reason);
        ::unlink(tempPath.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

// The old bytes, when this user may read them, so a failed write can put them back.
bool ReadWhole(int fd, std::vector<uint8_t>& bytes)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return false;
    bytes.resize(static_cast<size_t>(st.st_size));
    return ReadFully(fd, bytes.data(), bytes.size(), 0);
}

// The file's bytes become these, from its start.
bool WriteWhole(int fd, const uint8_t* bytes, size_t length)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes, length) &&
           ::ftruncate(fd, static_cast<off_t>(length)) == 0 && ::fsync(fd) == 0;
}

// Stats an open file; false, with the reason, unless it is a regular file.
bool StatRegular(int fd, struct stat& st, std::string& reason)
{
    if (::fstat(fd, &st) != 0)
        return Fail(reason);
    if (S_ISREG(st.st_mode))
        return true;
    reason = "not a regular file";
    return false;
}

// Writes over the file itself, through any symbolic link and for every hard
// link to it: the only way to save where the folder takes no new file, and
// the way to keep links shared. Not atomic, so the old bytes are written back
// when the new ones cannot be.
bool OverwriteFile(const std::string& path, const SysExBuffer& buffer, std::string& reason)
{
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    const bool readable = fd >= 0;
    if (!readable)
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    FileHandle file(fd);
    if (file.get() < 0)
        return Fail(reason);
    struct stat st;
    if (!StatRegular(file.get(), st, reason))
        return false;
    std::vector<uint8_t> old;
    const bool kept = readable && ReadWhole(file.get(), old);
    if (WriteWhole(file.get(), buffer.data(), buffer.size()))
        return file.Close() || Fail(reason);
    Fail(reason);
    if (kept)
        WriteWhole(file.get(), old.data(), old.size());
    return false;
}

bool AppendToFile(const std::string& path, const SysExBuffer& buffer, std::string& reason)
{
    FileHandle file(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (file.get() < 0)
        return Fail(reason);
    struct stat st;
    if (!StatRegular(file.get(), st, reason))
        return false;
    if (!WriteAll(file.get(), buffer.data(), buffer.size()) || ::fsync(file.get()) != 0)
    {
        Fail(reason);
        // Leave the file as it was rather than with half a message at its end.
        if (::ftruncate(file.get(), st.st_size) != 0)
        {
            // Nothing more can be done; the caller hears of the failure either way.
        }
        return false;
    }
    return file.Close() || Fail(reason);
}

bool ReadMessage(const std::string& path, SysExBuffer& out, size_t offset, size_t& next, std::string& reason)
{
    FileHandle file(OpenRegularForReading(path, reason));
    if (file.get() < 0)
        return false;
    struct stat st;
    if (::fstat(file.get(), &st) != 0)
        return Fail(reason);
    if (st.st_size > kMaxFileBytes)
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
        if (n < 0)
            reason = std::strerror(errno);
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

} // namespace

bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, size_t offset, size_t& next)
{
    std::string reason;
    return ReadMessage(path, out, offset, next, reason);
}

bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, size_t offset)
{
    size_t next = 0;
    return ReadSysExFromFile(path, out, offset, next);
}

bool ReadSysExFromFile(const std::string& path, SysExBuffer& out, std::string& reason)
{
    reason.clear();
    size_t next = 0;
    return ReadMessage(path, out, 0, next, reason);
}

bool WriteSysExToFile(const std::string& path, const SysExBuffer& buffer, bool append, std::string& reason)
{
    reason.clear();
    struct stat st;
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists)
    {
        if (S_ISDIR(st.st_mode))
        {
            errno = EISDIR;
            return Fail(reason);
        }
        if (!S_ISREG(st.st_mode))
        {
            reason = "not a regular file";
            return false;
        }
        // Read-only means no write permission bit at all, which holds for root
        // too, or no write access for this user.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        {
            errno = EACCES;
            return Fail(reason);
        }
        if (::access(path.c_str(), W_OK) != 0)
            return Fail(reason);
    }
    if (append)
        return AppendToFile(path, buffer, reason);

    // A linked file is written in place so that every name of it sees the new bytes.
    struct stat name;
    const bool linked = exists && (st.st_nlink > 1 || (::lstat(path.c_str(), &name) == 0 && S_ISLNK(name.st_mode)));
    if (linked)
        return OverwriteFile(path, buffer, reason);
    bool created = false;
    if (ReplaceFile(path, buffer, exists ? &st : nullptr, created, reason))
        return true;
    if (created || !exists)
        return false;
    // The folder takes no temporary file, but the file itself may be written.
    reason.clear();
    return OverwriteFile(path, buffer, reason);
}

bool WriteSysExToFile(const std::string& path, const SysExBuffer& buffer, bool append)
{
    std::string reason;
    return WriteSysExToFile(path, buffer, append, reason);
}

bool WritePrivateFile(const std::string& path, const SysExBuffer& buffer, std::string& written)
{
    written.clear();
    // Our own earlier file goes; anything else under the name stays untouched.
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && st.st_uid == ::geteuid() &&
        ((S_ISREG(st.st_mode) && st.st_nlink == 1) || S_ISLNK(st.st_mode)))
        ::unlink(path.c_str());

    std::string chosen = path;
    int fd = ::open(chosen.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST)
    {
        // Someone else holds the name: a name of our own beside it instead.
        const size_t dot = path.rfind('.');
        const bool suffixed = dot != std::string::npos && dot > path.rfind('/');
        const std::string suffix = suffixed ? path.substr(dot) : "";
        chosen = (suffixed ? path.substr(0, dot) : path) + "-XXXXXX" + suffix;
        fd = ::mkostemps(&chosen[0], static_cast<int>(suffix.size()), O_CLOEXEC);
    }
    FileHandle file(fd);
    if (file.get() < 0)
        return false;
    if (::fchmod(file.get(), 0600) != 0 || !WriteAll(file.get(), buffer.data(), buffer.size()) || !file.Close())
    {
        ::unlink(chosen.c_str());
        return false;
    }
    written = chosen;
    return true;
}
