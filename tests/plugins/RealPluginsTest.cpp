// The plug-ins Debian installs in /usr/lib/vst (lsp-plugins-vst, dpf-plugins-vst).
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "plugins/VSTPluginExaminer.h"
#include "tests/plugins/PluginTestSupport.h"

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
}

// A folder as a user may leave it: a real plug-in, another cut to 40 % of its size (a copy still under way) and
// a FIFO named like a plug-in. The scan lists the whole one, passes over the others without loading them, and ends.
TEST(RealPlugins, APluginCutShortAndAFifoArePassedOver)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    fs::copy_file("/usr/lib/vst/Kars-vst.so", folder.File("a-whole.so"));
    fs::copy_file("/usr/lib/vst/MaBitcrush-vst.so", folder.File("b-cut.so"));
    fs::resize_file(folder.File("b-cut.so"), fs::file_size(folder.File("b-cut.so")) * 40 / 100);
    ASSERT_EQ(mkfifo(folder.File("c-fifo.so").c_str(), 0600), 0);
    const std::string scan = InAChild([&folder] {
        CVSTPluginExaminer examiner(nullptr);
        RecordingPluginHost host;
        examiner.ExamineFolder(folder.Path(), &host);
        return std::to_string(host.examined.size()) + " announced, listed: " + host.recorded;
    }, std::chrono::seconds(20));
    EXPECT_EQ(scan, "3 announced, listed: a-whole ");
}
