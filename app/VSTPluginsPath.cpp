#include "app/VSTPluginsPath.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace
{
bool IsFolder(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}
} // namespace

std::string GetVSTPluginsPath()
{
    if (const char* vstPath = std::getenv("VST_PATH"))
    {
        // Colon-separated like PATH; an empty entry ("::") names nothing.
        const std::string list = vstPath;
        size_t start = 0;
        while (start <= list.size())
        {
            size_t end = list.find(':', start);
            if (end == std::string::npos)
                end = list.size();
            if (end > start)
                return list.substr(start, end - start);
            start = end + 1;
        }
    }

    std::string candidates[] = {"", "/usr/local/lib/vst", "/usr/lib/vst"};
    if (const char* home = std::getenv("HOME"); home && *home)
        candidates[0] = std::string(home) + "/.vst";
    for (const std::string& folder : candidates)
        if (IsFolder(folder))
            return folder;
    return std::string();
}
