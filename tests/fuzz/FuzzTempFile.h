#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// One scratch file per fuzzing process, unlinked at once and reached through
// /proc/self/fd, so no run ever leaves a file behind, not even a crashing one.
class FuzzTempFile
{
public:
    FuzzTempFile()
    {
        const char* base = std::getenv("TMPDIR");
        std::string name = std::string(base && *base ? base : "/tmp") + "/dorva-fuzz-XXXXXX";
        m_fd = ::mkstemp(&name[0]);
        if (m_fd < 0)
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
    int m_fd = -1;
    std::string m_path;
};

// A folder of this fuzzing process's own, removed when it ends; the path goes
// into the environment variable named (TMPDIR, XDG_CONFIG_HOME, ...).
inline void FuzzScratchFolder(const char* variable)
{
    static std::string folder;
    const char* base = std::getenv("TMPDIR");
    folder = std::string(base && *base ? base : "/tmp") + "/dorva-fuzz-XXXXXX";
    if (!::mkdtemp(&folder[0]))
        std::abort();
    ::setenv(variable, folder.c_str(), 1);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
}
