#include "plugins/VSTPluginExaminer.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <wx/init.h>

#include "app/Preferences.h"
#include "tests/model/TempFolder.h"
#include "tests/plugins/PluginTestSupport.h"

namespace
{
const char* const kApp = "Dorva Editor";

const std::string kStandardLog = "entry:2300 58:0:0:0 0:0:0:0 10:0:0:44100 11:0:512:0 43:0:512:44100 32:0:1:0 "
                                 "32:1:1:0 12:0:1:0 47:0:0:0 45:0:0:0 8:0:0:0 8:1:0:0 8:2:0:0 8:3:0:0 "
                                 "12:0:0:0 1:0:0:0 ";

std::string Stored(const std::string& key)
{
    return StoredPreference(kApp, key);
}

class ExaminerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The preferences go to this test's own folder.
        setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
        unsetenv("VST_PATH");
        ASSERT_TRUE(m_prefs.Load(kApp));
    }

    std::string Scan() const { return m_config.Path() + "/vst"; }
    std::string ScanPath(const std::string& name) const { return Scan() + "/" + name; }

    wxInitializer m_wx; // the base library, for the preferences' file store
    TempFolder m_config;
    Preferences m_prefs;
    CVSTPluginExaminer m_examiner{&m_prefs};
    RecordingPluginHost m_host;
};
} // namespace

TEST_F(ExaminerTest, RecordsNameVendorAndNamedParametersInDispatchOrder)
{
    InstallTestPlugin("entry-vstpluginmain", Scan(), "synth.so");
    m_examiner.ExamineFolder(Scan(), &m_host);

    ASSERT_EQ(1u, m_examiner.GetPluginCount());
    const VSTPluginInfo& info = m_examiner.GetPlugin(0);
    EXPECT_EQ("synth", info.fileName);
    EXPECT_EQ(Scan(), info.folder);
    EXPECT_EQ("Test Synth", info.effectName);
    EXPECT_EQ("Dorva Test Plug-ins", info.vendor);
    // 40 characters are recorded as 32; the empty name at 1 leaves a gap.
    std::string parameters;
    for (const ImportedParamRecord& p : info.parameters)
        parameters += p.fullName + "|" + p.shortName + "|" + std::to_string(p.index) + " ";
    EXPECT_EQ(parameters, "Filter Cutoff|Filter Cutoff|0 ABCDEFGHIJKLMNOPQRSTUVWXYZ012345|A012345|2 "
                          "Envelope Attack Time|EnvAttackTime|3 ");
    EXPECT_EQ(kStandardLog, TestPluginLog(ScanPath("synth.so")));
    EXPECT_EQ(std::vector<std::string>{ScanPath("synth.so")}, m_host.examined);
    EXPECT_EQ(std::vector<std::string>{"synth"}, m_host.recorded);
    EXPECT_THROW(m_examiner.GetPlugin(1), std::out_of_range);
}

TEST_F(ExaminerTest, EveryEntryPointNameIsFoundAndALibraryWithoutOneIsSkipped)
{
    InstallTestPlugin("entry-main", Scan(), "a.so");
    InstallTestPlugin("entry-upper-main", Scan(), "b.so");
    InstallTestPlugin("no-entry", Scan(), "c.so");
    InstallTestPlugin("entry-vstpluginmain", Scan(), "d.so");
    WriteTextFile(ScanPath("e.so"), "not a library");
    m_examiner.ExamineFolder(Scan(), &m_host);

    EXPECT_EQ((std::vector<std::string>{"a", "b", "d"}), m_host.recorded);
    EXPECT_EQ(5u, m_host.examined.size());
    EXPECT_EQ(kStandardLog, TestPluginLog(ScanPath("a.so")));
    EXPECT_EQ("(not loaded)", TestPluginLog(ScanPath("c.so")));
}

TEST_F(ExaminerTest, WrongMagicOldAndThrowingPluginsAreSkippedAndANamelessOneTakesItsFileName)
{
    InstallTestPlugin("bad-magic", Scan(), "magic.so");
    InstallTestPlugin("old-version", Scan(), "old.so");
    InstallTestPlugin("throw-in-open", Scan(), "a-throws.so");
    InstallTestPlugin("empty-name", Scan(), "Nameless.so");
    m_examiner.ExamineFolder(Scan(), &m_host);
    EXPECT_EQ(std::vector<std::string>{"Nameless"}, m_host.recorded);
    EXPECT_EQ("Nameless", m_examiner.GetPlugin(0).effectName);
    EXPECT_EQ("1", Stored("PluginsEnumeratedOK"));
    EXPECT_EQ("entry:2300 ", TestPluginLog(ScanPath("magic.so")));
    // An old plug-in is closed without being opened; it stays loaded.
    EXPECT_EQ("entry:2300 58:0:0:0 1:0:0:0 ", TestPluginLog(ScanPath("old.so")));
}

TEST_F(ExaminerTest, NamesHoldingTheLibrarySuffixAreTriedFilesFirstInNameOrder)
{
    InstallTestPlugin("entry-vstpluginmain", Scan(), "z.so");
    InstallTestPlugin("entry-vstpluginmain", Scan(), "Synth.SO");
    InstallTestPlugin("entry-vstpluginmain", Scan(), "plug.so.bak");
    InstallTestPlugin("entry-vstpluginmain", Scan() + "/.hidden", "inner.so");
    InstallTestPlugin("entry-vstpluginmain", Scan() + "/bundle.so", "x.txt");
    WriteTextFile(ScanPath("readme.txt"), "text");
    m_examiner.ExamineFolder(Scan() + "//", &m_host);

    EXPECT_EQ((std::vector<std::string>{ScanPath("plug.so.bak"), ScanPath("z.so"), ScanPath(".hidden/inner.so"),
                                        ScanPath("bundle.so")}),
              m_host.examined);
    EXPECT_EQ((std::vector<std::string>{"plug.so", "z", "inner"}), m_host.recorded);
    EXPECT_EQ(Scan() + "/.hidden", m_examiner.GetPlugin(2).folder);
}

TEST_F(ExaminerTest, ALinkBackUpTheTreeIsEnteredOnce)
{
    InstallTestPlugin("entry-vstpluginmain", Scan() + "/sub", "synth.so");
    std::filesystem::create_directory_symlink(Scan(), Scan() + "/sub/loop");
    m_examiner.ExamineFolder(Scan(), &m_host);
    EXPECT_EQ(std::vector<std::string>{ScanPath("sub/synth.so")}, m_host.examined);
}

TEST_F(ExaminerTest, EachScanCallsTheEntryPointAgainWithoutUnloading)
{
    InstallTestPlugin("entry-vstpluginmain", Scan(), "synth.so");
    m_examiner.ExamineFolder(Scan(), nullptr);
    m_examiner.ExamineFolder(Scan(), nullptr);
    EXPECT_EQ(1u, m_examiner.GetPluginCount());
    // The counter lives in the library: an unload would have reset it.
    EXPECT_EQ(2, TestPluginEntries(ScanPath("synth.so")));
    EXPECT_EQ(kStandardLog + kStandardLog, TestPluginLog(ScanPath("synth.so")));
}

TEST_F(ExaminerTest, TheGuardIsOnDiskWhileEachPluginLoads)
{
    class GuardWatcher : public RecordingPluginHost
    {
    public:
        void OnExamining(const std::string& path) override
        {
            RecordingPluginHost::OnExamining(path);
            guards.push_back(Stored("PluginsEnumeratedOK") + " " + Stored("LastPluginEnumerated"));
        }
        std::vector<std::string> guards;
    } watcher;

    InstallTestPlugin("entry-vstpluginmain", Scan(), "a.so");
    InstallTestPlugin("entry-main", Scan(), "b.so");
    EXPECT_EQ("1", Stored("PluginsEnumeratedOK"));
    m_examiner.ExamineFolder(Scan(), &watcher);
    EXPECT_EQ((std::vector<std::string>{"0 " + ScanPath("a.so"), "0 " + ScanPath("b.so")}), watcher.guards);
    EXPECT_EQ("1", Stored("PluginsEnumeratedOK"));
    EXPECT_EQ(ScanPath("b.so"), Stored("LastPluginEnumerated"));
}

TEST_F(ExaminerTest, AMissingFolderGivesNothingButStillSetsAndResetsTheGuard)
{
    InstallTestPlugin("entry-vstpluginmain", Scan(), "synth.so");
    m_examiner.ExamineFolder(Scan(), nullptr);
    ASSERT_EQ(1u, m_examiner.GetPluginCount());
    m_examiner.ExamineFolder(m_config.Path() + "/no such folder", &m_host);
    EXPECT_EQ(0u, m_examiner.GetPluginCount());
    EXPECT_TRUE(m_host.examined.empty());
    EXPECT_EQ("1", Stored("PluginsEnumeratedOK"));
}

TEST_F(ExaminerTest, APluginThatCrashesTheScanLeavesTheGuardOnDisk)
{
    InstallTestPlugin("entry-vstpluginmain", Scan(), "a-good.so");
    InstallTestPlugin("crash-in-open", Scan(), "b-crash.so");
    InstallTestPlugin("entry-vstpluginmain", Scan(), "c-never.so");

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        Preferences prefs;
        prefs.Load(kApp);
        CVSTPluginExaminer examiner(&prefs);
        examiner.ExamineFolder(Scan(), nullptr);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(SIGSEGV, WTERMSIG(status));

    EXPECT_EQ("0", Stored("PluginsEnumeratedOK"));
    EXPECT_EQ(ScanPath("b-crash.so"), Stored("LastPluginEnumerated"));
    Preferences nextStart;
    ASSERT_TRUE(nextStart.Load(kApp));
    EXPECT_EQ(0, nextStart.pluginsEnumeratedOK);
    EXPECT_EQ(ScanPath("b-crash.so"), nextStart.lastPluginEnumerated);
}

TEST(VstHostCallback, AnswersVersionAndSetsRateAndBlockSizeOnTheAskingPlugin)
{
    static std::string calls;
    VstPluginRecord record{};
    record.magic = Vst::kMagic;
    record.dispatcher = [](VstPluginRecord*, int32_t opcode, int32_t, intptr_t value, void*, float opt) -> intptr_t {
        calls += std::to_string(opcode) + ":" + std::to_string(value) + ":" + std::to_string(static_cast<int>(opt))
            + " ";
        return 7;
    };
    EXPECT_EQ(2300, VstHostCallback(nullptr, Vst::kHostVersion, 0, 0, nullptr, 0.0f));
    EXPECT_EQ(0, VstHostCallback(nullptr, Vst::kHostGetSampleRate, 0, 0, nullptr, 0.0f));
    EXPECT_EQ(0, VstHostCallback(nullptr, Vst::kHostGetBlockSize, 0, 0, nullptr, 0.0f));
    EXPECT_EQ("", calls);
    EXPECT_EQ(0, VstHostCallback(&record, Vst::kHostGetSampleRate, 0, 0, nullptr, 0.0f));
    EXPECT_EQ(0, VstHostCallback(&record, Vst::kHostGetBlockSize, 0, 0, nullptr, 0.0f));
    EXPECT_EQ(0, VstHostCallback(&record, 99, 0, 0, nullptr, 0.0f));
    EXPECT_EQ("10:0:44100 11:512:0 ", calls);
}

TEST(ReadVSTPluginInfo, NamesKeepPrintableSevenBitCharactersForTheDump)
{
    VstPluginRecord record{};
    record.magic = Vst::kMagic;
    record.numParams = 1;
    record.dispatcher = [](VstPluginRecord*, int32_t opcode, int32_t, intptr_t, void* ptr, float) -> intptr_t {
        const char* name = opcode == Vst::kGetVendorString ? "Br\xc3\xa9nnix\t"
                           : opcode == Vst::kGetEffectName ? "Gain\xe2\x80\x93Pad\x80"
                           : opcode == Vst::kGetParamName  ? "Cut\x01off"
                                                           : nullptr;
        if (name)
            std::strcpy(static_cast<char*>(ptr), name);
        return 0;
    };
    const VSTPluginInfo info = ReadVSTPluginInfo(record, "/vst/x.so");
    EXPECT_EQ(info.vendor, "Br?nnix");
    EXPECT_EQ(info.effectName, "Gain?Pad?");
    ASSERT_EQ(info.parameters.size(), 1u);
    EXPECT_EQ(info.parameters[0].fullName, "Cutoff");
}
