#pragma once

#include <cstdint>
#include <fstream>
#include <string>

// The bytes this process has read so far through read calls, of files,
// pipes and sockets alike (the kernel's count); 0 when it cannot be read.
inline std::uint64_t BytesRead()
{
    std::ifstream io("/proc/self/io");
    for (std::string key; io >> key;)
    {
        std::uint64_t value = 0;
        io >> value;
        if (key == "rchar:")
            return value;
    }
    return 0;
}
