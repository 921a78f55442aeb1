// The plug-ins Debian installs in /usr/lib/vst (lsp-plugins-vst, dpf-plugins-vst).
#include <chrono>
#include <fstream>
#include <iostream>

#include <gtest/gtest.h>

#include "plugins/VSTPluginExaminer.h"
#include "tests/plugins/PluginTestSupport.h"

namespace
{
const char* const kSystemFolder = "/usr/lib/vst";

// Peak resident memory of this process so far, in KiB.
long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}
} // namespace

TEST(RealPlugins, EveryInstalledPluginIsListedWithVendorNameAndParameters)
{
    CVSTPluginExaminer examiner(nullptr);
    RecordingPluginHost host;
    const long peakBefore = PeakResidentKiB();
    const auto start = std::chrono::steady_clock::now();
    examiner.ExamineFolder(kSystemFolder, &host);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    const long peakAfter = PeakResidentKiB();
    std::cout << "Scanned " << host.examined.size() << " files, " << examiner.GetPluginCount() << " plug-ins in "
              << elapsed.count() << " ms; peak resident memory " << peakBefore << " KiB before, " << peakAfter
              << " KiB after\n";
    testing::Test::RecordProperty("scan_ms", static_cast<int>(elapsed.count()));
    testing::Test::RecordProperty("peak_kib", static_cast<int>(peakAfter));

    std::size_t fromLsp = 0;
    std::size_t fromDpf = 0;
    std::size_t withParameters = 0;
    bool coreLibraryTried = false;
    for (const std::string& path : host.examined)
        coreLibraryTried = coreLibraryTried || path.find("/lsp-plugins-vst2-") != std::string::npos;
    EXPECT_TRUE(coreLibraryTried);

    for (std::size_t i = 0; i < examiner.GetPluginCount(); ++i)
    {
        const VSTPluginInfo& info = examiner.GetPlugin(i);
        SCOPED_TRACE(info.folder + "/" + info.fileName);
        EXPECT_EQ(std::string::npos, info.fileName.find("lsp-plugins-vst2-")) << "the core library has no entry point";
        EXPECT_FALSE(info.vendor.empty());
        EXPECT_FALSE(info.effectName.empty());
        withParameters += info.parameters.empty() ? 0 : 1;
        int previous = -1;
        for (const ImportedParamRecord& parameter : info.parameters)
        {
            EXPECT_FALSE(parameter.fullName.empty());
            EXPECT_LE(parameter.fullName.size(), 32u);
            EXPECT_FALSE(parameter.shortName.empty());
            EXPECT_LE(parameter.shortName.size(), 16u);
            EXPECT_GT(parameter.index, previous);
            previous = parameter.index;
        }
        if (info.folder == std::string(kSystemFolder) + "/lsp-plugins")
            ++fromLsp;
        else
            ++fromDpf;
    }
    // 134 plug-ins beside the core library in lsp-plugins, 15 from the other
    // package (one in a bundle folder of its own); only an analyser has no parameters.
    EXPECT_EQ(134u, fromLsp);
    EXPECT_EQ(15u, fromDpf);
    EXPECT_EQ(148u, withParameters);
}
