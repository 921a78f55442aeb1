// The preferences file as anything may have left it: every value read from
// it, written back and read again, must come back the same (stored paths
// with "$", "\" and the like included), and nothing in it trips the toolkit.
#include <fstream>
#include <tuple>

#include <wx/init.h>
#include <wx/log.h>

#include "app/Preferences.h"
#include "tests/fuzz/FuzzTempFile.h"

namespace
{
bool Same(const PreferenceValues& a, const PreferenceValues& b)
{
    const auto fields = [](const PreferenceValues& p) {
        return std::tie(p.startupAction, p.viewType, p.releaseDriver, p.useExpandPanes, p.showOldOSDialog,
                        p.sendErrorsHome, p.showCtrlToolTips, p.abbreviateNames, p.inputDevice, p.outputDevice,
                        p.vstDir, p.lastPluginEnumerated, p.pluginsEnumeratedOK, p.shouldUseAutoComplete);
    };
    for (int i = 0; i < RecentFiles::kSize; ++i)
        if (a.recentFiles.Get(i) != b.recentFiles.Get(i))
            return false;
    return fields(a) == fields(b);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    wxInitialize();
    wxLog::EnableLogging(false);
    // No file, however damaged, may reach one of the toolkit's own checks:
    // in the program that would be a box whose Stop ends it.
    wxSetAssertHandler([](const wxString&, int, const wxString&, const wxString&, const wxString&) { __builtin_trap(); });
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
