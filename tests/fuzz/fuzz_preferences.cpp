// The preferences file as anything may have left it: every value read from
// it, written back and read again, must come back the same (stored paths
// with "$", "\" and the like included).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <wx/init.h>
#include <wx/log.h>

#include "app/Preferences.h"
#include "tests/fuzz/FuzzTempFile.h"

namespace
{
bool Same(const PreferenceValues& a, const PreferenceValues& b)
{
    for (int i = 0; i < RecentFiles::kSize; ++i)
        if (a.recentFiles.Get(i) != b.recentFiles.Get(i))
            return false;
    return a.startupAction == b.startupAction && a.viewType == b.viewType && a.releaseDriver == b.releaseDriver &&
           a.useExpandPanes == b.useExpandPanes && a.showOldOSDialog == b.showOldOSDialog &&
           a.sendErrorsHome == b.sendErrorsHome && a.showCtrlToolTips == b.showCtrlToolTips &&
           a.abbreviateNames == b.abbreviateNames && a.inputDevice == b.inputDevice &&
           a.outputDevice == b.outputDevice && a.vstDir == b.vstDir &&
           a.lastPluginEnumerated == b.lastPluginEnumerated && a.pluginsEnumeratedOK == b.pluginsEnumeratedOK &&
           a.shouldUseAutoComplete == b.shouldUseAutoComplete;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    wxInitialize();
    wxLog::EnableLogging(false);
    FuzzScratchFolder("XDG_CONFIG_HOME");
    ::setenv("HOME", "/home/fuzz", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = Preferences::StoreFilePath("Fuzz");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);

    PreferenceValues first;
    {
        Preferences read;
        read.Load("Fuzz");
        first = read;
        read.SaveOnExit();
    }
    Preferences again;
    again.Load("Fuzz");
    if (!Same(first, again))
        __builtin_trap();
    return 0;
}
