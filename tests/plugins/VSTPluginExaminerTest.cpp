#include "plugins/VSTPluginExaminer.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "plugins/helper/PluginProbe.h"
#include "tests/plugins/PluginTestSupport.h"

namespace
{
const std::string kStandardLog = "entry:2300 58:0:0:0 0:0:0:0 10:0:0:44100 11:0:512:0 43:0:512:44100 32:0:1:0 "
                                 "32:1:1:0 12:0:1:0 47:0:0:0 45:0:0:0 8:0:0:0 8:1:0:0 8:2:0:0 8:3:0:0 12:0:0:0 1:0:0:0 ";
struct ExaminerTest : PluginTest
{
    CVSTPluginExaminer m_examiner{&m_prefs};
    RecordingPluginHost m_host;
};

// How many processes run with the text in their command line (arguments are separated by "\0").
int ProcessesWith(const std::string& text)
{
    int count = 0;
    for (const auto& process : std::filesystem::directory_iterator("/proc"))
    {
        std::ifstream file(process.path() / "cmdline");
        const std::string command((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        count += command.find(text) != std::string::npos ? 1 : 0;
    }
    return count;
}

bool WaitFor(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition() && std::chrono::steady_clock::now() < end)
        usleep(10000);
    return condition();
}

// The examination as the helper runs it, in this process: the plug-in's log can be read afterwards.
std::string ExamineHere(const std::string& path)
{
    std::string answered = "none";
    try
    {
        ExamineLibrary(path, [&answered](const PluginNames& names) { answered = names.effectName; });
    }
    catch (const std::exception& error)
    {
        answered = error.what();
    }
    return answered;
}
} // namespace

TEST_F(ExaminerTest, RecordsNameVendorAndNamedParametersInDispatchOrder)
{
    Install("entry-vstpluginmain", "synth.so");
    m_examiner.ExamineFolder(VstDir(), &m_host);
    ASSERT_EQ(m_examiner.GetPluginCount(), 1u);
    const VSTPluginInfo& info = m_examiner.GetPlugin(0);
    EXPECT_EQ(info.fileName + "|" + info.folder + "|" + info.effectName + "|" + info.vendor,
              "synth|" + VstDir() + "|Test Synth|Dorva Test Plug-ins");
    // 40 characters are recorded as 32; the empty name at 1 leaves a gap.
    std::string parameters;
    for (const ImportedParamRecord& p : info.parameters)
        parameters += p.fullName + "|" + p.shortName + "|" + std::to_string(p.index) + " ";
    EXPECT_EQ(parameters, "Filter Cutoff|Filter Cutoff|0 ABCDEFGHIJKLMNOPQRSTUVWXYZ012345|A012345|2 "
                          "Envelope Attack Time|EnvAttackTime|3 ");
    EXPECT_EQ(Log(Path("synth.so")), "(not loaded)") << "a helper loaded it, not this process";
    EXPECT_EQ(m_host.examined, std::vector<std::string>{Path("synth.so")});
    EXPECT_EQ(m_host.recorded, "synth ");
    m_examiner.ExamineFolder(VstDir(), nullptr);
    EXPECT_EQ(m_examiner.GetPluginCount(), 1u);

    // The helper's examination: every call in order. A second one calls the entry point again without unloading.
    EXPECT_EQ(ExamineHere(Path("synth.so")), "Test Synth");
    EXPECT_EQ(Log(Path("synth.so")), kStandardLog);
    EXPECT_EQ(ExamineHere(Path("synth.so")), "Test Synth");
    EXPECT_EQ(Log(Path("synth.so")), kStandardLog + kStandardLog);
}

// Libraries whose names hold ".so" are tried, files first in byte order, then folders;
// a plug-in that cannot be used is skipped and the scan goes on.
TEST_F(ExaminerTest, WhatIsTriedAndWhatIsRecorded)
{
    const struct
    {
        std::vector<std::vector<std::string>> installs; // variant, path, its log afterwards ("" for any)
        std::string scanned;                           // after VstDir()
        std::vector<std::string> examined;
        std::string recorded;
    } rows[] = {
        {{{"entry-main", "a.so", kStandardLog}, {"entry-upper-main", "b.so", kStandardLog},
          {"no-entry", "c.so", "(not loaded)"}, {"entry-vstpluginmain", "d.so", kStandardLog}, {"text", "e.so", ""},
          {"bad-magic", "f.so", "entry:2300 "}, {"old-version", "g.so", "entry:2300 58:0:0:0 1:0:0:0 "},
          {"throw-in-open", "h.so", ""}, {"empty-name", "Nameless.so", ""}},
         "", {"Nameless.so", "a.so", "b.so", "c.so", "d.so", "e.so", "f.so", "g.so", "h.so"}, "Nameless a b d "},
        {{{"entry-vstpluginmain", "z.so", ""}, {"entry-vstpluginmain", "Synth.SO", ""},
          {"entry-vstpluginmain", "plug.so.bak", ""}, {"entry-vstpluginmain", ".hidden/inner.so", ""},
          {"text", "bundle.so/x.txt", ""}, {"text", "readme.txt", ""}, {"entry-vstpluginmain", "sub/synth.so", ""},
          {"link up", "sub/loop", ""}, // entered once
          {"entry-vstpluginmain", "caf\xe9/latin.so", ""}}, // a folder name that is no UTF-8 reaches the helper as it is
         "//", {"plug.so.bak", "z.so", ".hidden/inner.so", "bundle.so", "caf\xe9/latin.so", "sub/synth.so"},
         "plug.so z inner latin synth "},
    };
    for (const auto& row : rows)
    {
        std::filesystem::remove_all(VstDir());
        for (const auto& install : row.installs)
            install[0] == "link up" ? std::filesystem::create_directory_symlink(VstDir(), Path(install[1]))
                                    : Install(install[0], install[1]);
        RecordingPluginHost host;
        m_examiner.ExamineFolder(VstDir() + row.scanned, &host);
        std::vector<std::string> examined;
        for (const std::string& path : host.examined)
            examined.push_back(path.substr(VstDir().size() + 1));
        EXPECT_EQ(examined, row.examined);
        EXPECT_EQ(host.recorded, row.recorded);
        // What the helper's examination calls of each (a library it gives up on is unloaded).
        for (const auto& install : row.installs)
            EXPECT_TRUE(install[2].empty() || (ExamineHere(Path(install[1])), Log(Path(install[1]))) == install[2])
                << install[1];
        EXPECT_EQ(m_examiner.GetPlugin(0).effectName, row.scanned.empty() ? "Nameless" : "Test Synth");
        EXPECT_EQ(m_examiner.GetPlugin(2).folder, row.scanned.empty() ? VstDir() : Path(".hidden"));
        EXPECT_EQ(Stored("PluginsEnumeratedOK"), "1");
    }
}

TEST_F(ExaminerTest, TheGuardIsOnDiskWhileEachPluginLoads)
{
    struct GuardWatcher : RecordingPluginHost
    {
        void OnExamining(const std::string&) override
        {
            guards += Stored("PluginsEnumeratedOK") + " " + Stored("LastPluginEnumerated") + "|";
        }
        std::string guards;
    } watcher;
    Install("entry-vstpluginmain", "a.so");
    Install("entry-main", "b.so");
    m_examiner.ExamineFolder(VstDir(), &watcher);
    EXPECT_EQ(watcher.guards, "0 " + Path("a.so") + "|0 " + Path("b.so") + "|");
    EXPECT_EQ(Stored("PluginsEnumeratedOK") + " " + Stored("LastPluginEnumerated"), "1 " + Path("b.so"));
    // A missing folder gives nothing but still sets and resets the guard.
    const std::string guards = watcher.guards;
    m_examiner.ExamineFolder(Path("no such folder"), &watcher);
    EXPECT_EQ(m_examiner.GetPluginCount(), 0u);
    EXPECT_EQ(watcher.guards, guards);
    EXPECT_EQ(Stored("PluginsEnumeratedOK"), "1");

    // A plug-in that crashes its helper is passed over; the guard is down at the end.
    Install("crash-in-open", "a-crash.so");
    m_examiner.ExamineFolder(VstDir(), &watcher);
    EXPECT_EQ(m_examiner.GetPluginCount(), 2u);
    EXPECT_EQ(Stored("PluginsEnumeratedOK") + " " + Stored("LastPluginEnumerated"), "1 " + Path("b.so"));

    // A scan cut short by the end of the program leaves the guard on disk naming the library examined last,
    // and its helper ends with it.
    Install("hang-on-load", "c-hang.so");
    const pid_t child = fork();
    if (child == 0)
    {
        m_examiner.ExamineFolder(VstDir(), nullptr);
        _exit(0);
    }
    const auto helpers = [this] { return ProcessesWith(Path("c-hang.so")); };
    EXPECT_TRUE(WaitFor([&] { return helpers() == 1; }));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    Preferences nextStart;
    ASSERT_TRUE(nextStart.Load("Dorva Editor"));
    EXPECT_EQ(std::to_string(nextStart.pluginsEnumeratedOK) + " " + nextStart.lastPluginEnumerated,
              "0 " + Path("c-hang.so"));
    EXPECT_TRUE(WaitFor([&] { return helpers() == 0; })) << "the helper outlived the program";
}

// Stand-ins for the helper program: only a whole answer counts (not one after other bytes), taken as soon as
// it is whole; whatever the helper started is ended with it.
TEST(ExamineInHelpers, AWholeAnswerIsTakenAtOnceAndNothingElseIs)
{
    TempFolder folder;
    PluginNames names;
    names.vendor = "Vendor";
    names.parameters = {{3, "Cutoff"}};
    std::ofstream(folder.File("answer"), std::ios::binary) << EncodePluginAnswer(names);
    const struct
    {
        std::string script; // run with the library's path; empty: no program there
        std::string said;
    } rows[] = {{"cat answer; sleep 37 & sleep 37", "the answer"}, {"printf x; cat answer", "none"},
                {"head -c 12 answer", "none"}, {"kill -SEGV $$", "none"}, {"", "none"}};
    for (const auto& row : rows)
    {
        HelperSettings settings;
        settings.program = folder.File("helper");
        std::filesystem::remove(settings.program);
        if (!row.script.empty())
        {
            std::ofstream(settings.program) << "#!/bin/sh\ncd " << folder.Path() << "\n" << row.script << "\n";
            std::filesystem::permissions(settings.program, std::filesystem::perms::owner_all);
        }
        std::string said = "nothing";
        const auto start = std::chrono::steady_clock::now();
        ExamineInHelpers({"x.so"}, settings, [](std::size_t) { return true; },
                         [&](std::size_t, const PluginNames* got) { said = !got ? "none" : *got == names ? "the answer" : "other"; },
                         nullptr);
        EXPECT_EQ(said, row.said) << row.script;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << row.script;
        EXPECT_TRUE(WaitFor([] { return ProcessesWith(std::string("sleep\0" "37", 8)) == 0; })) << row.script;
    }
}

TEST(VstHostCallback, AnswersVersionAndSetsRateAndBlockSizeOnTheAskingPlugin)
{
    static std::string calls;
    VstPluginRecord record{};
    record.magic = Vst::kMagic;
    record.dispatcher = [](VstPluginRecord*, int32_t opcode, int32_t, intptr_t value, void*, float opt) -> intptr_t {
        calls += std::to_string(opcode) + ":" + std::to_string(value) + ":" + std::to_string(static_cast<int>(opt)) + " ";
        return 7;
    };
    EXPECT_EQ(VstHostCallback(nullptr, Vst::kHostVersion, 0, 0, nullptr, 0.0f), 2300);
    for (VstPluginRecord* asking : {static_cast<VstPluginRecord*>(nullptr), &record})
        for (int32_t opcode : {Vst::kHostGetSampleRate, Vst::kHostGetBlockSize, 99})
            EXPECT_EQ(VstHostCallback(asking, opcode, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(calls, "10:0:44100 11:512:0 ");
}

TEST(ReadPluginNames, NamesKeepPrintableSevenBitCharactersForTheDump)
{
    VstPluginRecord record{};
    record.magic = Vst::kMagic;
    record.numParams = 1;
    record.dispatcher = [](VstPluginRecord*, int32_t opcode, int32_t, intptr_t, void* ptr, float) -> intptr_t {
        const char* name = opcode == Vst::kGetVendorString ? "Br\xc3\xa9nnix\t"
                           : opcode == Vst::kGetEffectName ? "Gain\xe2\x80\x93Pad\x80"
                           : opcode == Vst::kGetParamName  ? "Cut\x01off" : nullptr;
        if (name)
            std::strcpy(static_cast<char*>(ptr), name);
        return 0;
    };
    const PluginNames names = ReadPluginNames(record);
    ASSERT_EQ(names.parameters.size(), 1u);
    EXPECT_EQ(names.vendor + "|" + names.effectName + "|" + names.parameters[0].name, "Br?nnix|Gain?Pad?|Cutoff");
}
