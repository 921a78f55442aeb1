#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "model/SysExBuffer.h"

inline std::string FuzzTempBase(const char* base = std::getenv("TMPDIR"))
{
    return std::string(base && *base ? base : "/tmp") + "/dorva-fuzz-XXXXXX";
}

// One scratch file per fuzzing process, unlinked at once and reached through
// /proc/self/fd, so no run ever leaves a file behind, not even a crashing one.
class FuzzTempFile
{
public:
    FuzzTempFile()
    {
        std::string name = FuzzTempBase();
        if ((m_fd = ::mkstemp(&name[0])) < 0)
            std::abort();
        ::unlink(name.c_str());
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }
    // Makes the file hold exactly these bytes; returns its path.
    const std::string& Hold(const uint8_t* data, size_t size)
    {
        if (::ftruncate(m_fd, 0) != 0 || (size > 0 && ::pwrite(m_fd, data, size, 0) != static_cast<ssize_t>(size)))
            std::abort();
        return m_path;
    }

private:
    int m_fd;
    std::string m_path;
};

// The messages a file of these bytes holds, each read from just past the
// previous F7, up to the first that is not a whole message.
inline std::vector<SysExBuffer> MessagesIn(const uint8_t* data, size_t size)
{
    std::vector<SysExBuffer> messages;
    for (const uint8_t *p = data, *end = data + size;;)
    {
        const uint8_t* start = std::find(p, end, SysExBuffer::kStart);
        SysExBuffer message = SysExBuffer::FromBytes(start, static_cast<size_t>(end - start));
        if (!message.IsValid())
            return messages;
        p = start + message.size();
        messages.push_back(message);
    }
}

// A folder of this fuzzing process's own, removed when it ends; its path goes
// into the environment variable named (TMPDIR, XDG_CONFIG_HOME, ...).
inline void FuzzScratchFolder(const char* variable)
{
    static std::string folder = FuzzTempBase();
    if (!::mkdtemp(&folder[0]))
        std::abort();
    ::setenv(variable, folder.c_str(), 1);
    std::atexit([] { std::error_code ignored; std::filesystem::remove_all(folder, ignored); });
}
