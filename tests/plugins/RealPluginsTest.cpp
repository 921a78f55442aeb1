// The plug-ins Debian installs in /usr/lib/vst (lsp-plugins-vst, dpf-plugins-vst).
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>

#include "crashreport/CrashHandler.h"
#include "plugins/VSTPluginExaminer.h"
#include "plugins/helper/PluginProbe.h"
#include "tests/plugins/PluginTestSupport.h"

namespace
{
std::string Describe(const VSTPluginInfo& info)
{
    std::string text = info.folder + "/" + info.fileName + "|" + info.vendor + "|" + info.effectName;
    for (const ImportedParamRecord& parameter : info.parameters)
        text += "|" + std::to_string(parameter.index) + ":" + parameter.fullName + ":" + parameter.shortName;
    return text;
}
} // namespace

TEST(RealPlugins, EveryInstalledPluginIsListedWithVendorNameAndParameters)
{
    CVSTPluginExaminer examiner(nullptr);
    RecordingPluginHost host;
    examiner.ExamineFolder("/usr/lib/vst", &host);
    bool coreLibraryTried = false;
    for (const std::string& path : host.examined)
        coreLibraryTried = coreLibraryTried || path.find("/lsp-plugins-vst2-") != std::string::npos;
    EXPECT_TRUE(coreLibraryTried);
    std::size_t fromLsp = 0, withParameters = 0;
    for (std::size_t i = 0; i < examiner.GetPluginCount(); ++i)
    {
        const VSTPluginInfo& info = examiner.GetPlugin(i);
        SCOPED_TRACE(info.folder + "/" + info.fileName);
        EXPECT_EQ(info.fileName.find("lsp-plugins-vst2-"), std::string::npos) << "the core library has no entry point";
        EXPECT_FALSE(info.vendor.empty() || info.effectName.empty());
        withParameters += info.parameters.empty() ? 0 : 1;
        fromLsp += info.folder == "/usr/lib/vst/lsp-plugins" ? 1 : 0;
        int previous = -1;
        for (const ImportedParamRecord& parameter : info.parameters)
        {
            EXPECT_TRUE(!parameter.fullName.empty() && parameter.fullName.size() <= 32u) << parameter.fullName;
            EXPECT_TRUE(!parameter.shortName.empty() && parameter.shortName.size() <= 16u) << parameter.shortName;
            EXPECT_GT(parameter.index, previous);
            previous = parameter.index;
        }
    }
    // 134 plug-ins beside the core library in lsp-plugins, 15 from the other
    // package (one in a bundle folder of its own); only an analyser has no parameters.
    EXPECT_EQ(fromLsp, 134u);
    EXPECT_EQ(examiner.GetPluginCount() - fromLsp, 15u);
    EXPECT_EQ(withParameters, 148u);

    // The records and their order are those of every library examined in turn in one process.
    std::vector<std::string> here, scanned;
    for (const std::string& path : host.examined)
        ExamineLibrary(path, [&](const PluginNames& names) { here.push_back(Describe(MakeVSTPluginInfo(path, names))); });
    for (std::size_t i = 0; i < examiner.GetPluginCount(); ++i)
        scanned.push_back(Describe(examiner.GetPlugin(i)));
    EXPECT_EQ(scanned, here);
}

// A folder as a user may leave it: a real plug-in, another cut to 40 % of its size (a copy still under way), a
// FIFO named like a plug-in, and every library of the broken table, each twice. The scan lists the whole plug-in,
// passes over the others, and ends once the helper that never returns has had its 10 s; the program's crash
// handler is never started, and no helper is left running or unreaped.
TEST(RealPlugins, APluginCutShortAFifoAndBrokenLibrariesArePassedOver)
{
    namespace fs = std::filesystem;
    TempFolder folder, dumps;
    InstallGoodPlugin(folder.Path(), "a-whole.so");
    fs::copy_file("/usr/lib/vst/MaBitcrush-vst.so", folder.File("b-cut.so"));
    fs::resize_file(folder.File("b-cut.so"), fs::file_size(folder.File("b-cut.so")) * 40 / 100);
    ASSERT_EQ(mkfifo(folder.File("c-fifo.so").c_str(), 0600), 0);
    for (const BrokenLibrary& broken : BrokenLibraries())
        for (const char* copy : {"d-", "e-"})
            broken.make(folder.File(copy + broken.kind + ".so"));
    const std::string scan = InAChild([&folder, &dumps] {
        CrashHandlerSettings settings;
        settings.title = "Dorva Editor";
        settings.tempFolder = dumps.Path();
        settings.relaunchProgram = "/bin/true";
        InstallCrashSignalHandlers(settings);
        CVSTPluginExaminer examiner(nullptr);
        RecordingPluginHost host;
        const auto start = std::chrono::steady_clock::now();
        examiner.ExamineFolder(folder.Path(), &host);
        const auto took = std::chrono::steady_clock::now() - start;
        const bool reaped = waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
        return std::to_string(host.examined.size()) + " announced, listed: " + host.recorded +
               (took < std::chrono::seconds(9) ? "too soon " : "") + (reaped ? "" : "a helper left ");
    }, std::chrono::seconds(40));
    EXPECT_EQ(scan, "15 announced, listed: a-whole ");
    EXPECT_EQ(dumps.Names(), std::vector<std::string>{});
}
