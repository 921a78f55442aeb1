#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "crashreport/CrashDump.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/model/TempFolder.h"

namespace
{
// A crashing program run with $TMPDIR at a fresh folder and the recorder as
// its report program.
class CrashHandlerTest : public testing::Test
{
protected:
    struct Crash
    {
        int status = 0;
        pid_t pid = -1;
        std::string output;
    };

    Crash Run(const std::string& how, const std::string& reportProgram = REPORT_RECORDER,
              const std::string& tempFolder = "")
    {
        Crash crash;
        crash.status = RunProgram({CRASHING_PROGRAM, how, reportProgram},
                                  {{"TMPDIR", tempFolder.empty() ? m_folder.Path() : tempFolder},
                                   {"DORVA_REPORT_RECORD", RecordPath()}},
                                  m_folder.File("output"), &crash.pid);
        crash.output = ReadText(m_folder.File("output"));
        return crash;
    }

    std::string DumpPath() const { return m_folder.File("Dorva Test.dmp"); }
    std::string RecordPath() const { return m_folder.File("record"); }
    std::vector<std::string> Record() const { return Lines(ReadText(RecordPath())); }

    static bool DiedOf(int status, int signal) { return WIFSIGNALED(status) && WTERMSIG(status) == signal; }

    static unsigned Mode(const std::string& path)
    {
        struct stat info;
        return lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0xFFFF;
    }

    // The value of a register line ("rip 0x...").
    static std::string Register(const std::string& dump, const std::string& name)
    {
        for (const std::string& line : Lines(dump))
            if (line.rfind(name + " ", 0) == 0)
                return line.substr(name.size() + 1);
        return "<missing>";
    }

    TempFolder m_folder;
};
} // namespace

TEST_F(CrashHandlerTest, SegfaultWritesTheDumpRunsTheReportProgramAndStillDiesOfTheSignal)
{
    const Crash crash = Run("segv");
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV)) << "status " << crash.status;
    EXPECT_EQ(crash.output.find("CrashReporter"), std::string::npos) << crash.output;

    const std::string dump = ReadText(DumpPath());
    ASSERT_FALSE(dump.empty());
    EXPECT_EQ(Mode(DumpPath()), 0600u);
    EXPECT_EQ(Lines(dump)[0], kCrashDumpMagic);
    EXPECT_EQ(DumpField(dump, "Program"), "Dorva Test");
    EXPECT_EQ(DumpField(dump, "Vendor"), "Brennix");
    EXPECT_EQ(DumpField(dump, "Pid"), std::to_string(crash.pid));
    EXPECT_EQ(DumpField(dump, "Thread"), std::to_string(crash.pid)) << "the main thread failed";
    EXPECT_EQ(DumpField(dump, "Signal"), "11 SIGSEGV");
    EXPECT_EQ(DumpField(dump, "Code"), std::to_string(SEGV_MAPERR));
    EXPECT_EQ(DumpField(dump, "Address"), "0x0000000000000010");
    EXPECT_EQ(DumpField(dump, "Reason"), "<missing>");
    EXPECT_NE(Register(dump, "rip"), "<missing>");
    EXPECT_NE(Register(dump, "rsp"), "<missing>");

    // Backtrace, then the memory map with the program itself and the stack.
    const std::size_t backtrace = dump.find("\nBacktrace:\n");
    const std::size_t maps = dump.find("\nMaps:\n");
    ASSERT_NE(backtrace, std::string::npos);
    ASSERT_NE(maps, std::string::npos);
    EXPECT_LT(backtrace, maps);
    EXPECT_GT(maps - backtrace, 40u) << "the backtrace has frames";
    EXPECT_NE(dump.find(CRASHING_PROGRAM, maps), std::string::npos);
    EXPECT_NE(dump.find("[stack]", maps), std::string::npos);

    // The report program got the option and the dump, ran while the crashed
    // process waited for it (still its parent), with no signal blocked and
    // none of the crashed program's descriptors.
    const std::vector<std::string> record = Record();
    ASSERT_EQ(record.size(), 6u) << ReadText(RecordPath());
    EXPECT_EQ(record[0], std::string("arg ") + REPORT_RECORDER);
    EXPECT_EQ(record[1], "arg --crash-report");
    EXPECT_EQ(record[2], "arg " + DumpPath());
    EXPECT_EQ(record[3], "ppid " + std::to_string(crash.pid));
    EXPECT_EQ(record[4], "SigBlk:\t0000000000000000");
    EXPECT_EQ(record[5], "fd100 closed");
}

TEST_F(CrashHandlerTest, DumpTimeIsTheUtcTimeOfTheCrash)
{
    const std::time_t before = std::time(nullptr);
    Run("segv");
    const std::time_t after = std::time(nullptr);
    const std::string time = DumpField(ReadText(DumpPath()), "Time");
    const std::size_t open = time.find(" UTC (");
    ASSERT_NE(open, std::string::npos) << time;
    const std::time_t seconds = std::stoll(time.substr(open + 6));
    EXPECT_GE(seconds, before);
    EXPECT_LE(seconds, after);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char expected[32];
    std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S", &utc);
    EXPECT_EQ(time.substr(0, open), expected);
}

TEST_F(CrashHandlerTest, AbortIsReportedWithoutAReason)
{
    const Crash crash = Run("abort");
    EXPECT_TRUE(DiedOf(crash.status, SIGABRT)) << "status " << crash.status;
    const std::string dump = ReadText(DumpPath());
    EXPECT_EQ(Lines(dump)[0], kCrashDumpMagic);
    EXPECT_EQ(DumpField(dump, "Signal"), "6 SIGABRT");
    EXPECT_EQ(DumpField(dump, "Code"), std::to_string(SI_TKILL));
    EXPECT_EQ(DumpField(dump, "Reason"), "<missing>");
    EXPECT_EQ(Record().size(), 6u);
}

TEST_F(CrashHandlerTest, UncaughtExceptionIsReportedWithItsTypeAndText)
{
    const Crash crash = Run("throw");
    EXPECT_TRUE(DiedOf(crash.status, SIGABRT)) << "status " << crash.status;
    const std::string dump = ReadText(DumpPath());
    EXPECT_EQ(DumpField(dump, "Signal"), "6 SIGABRT");
    EXPECT_EQ(DumpField(dump, "Reason"), "Uncaught exception: std::runtime_error: boom in the test");
    EXPECT_EQ(Record().size(), 6u);
}

TEST_F(CrashHandlerTest, DivisionByZeroNamesTheFaultingInstruction)
{
    const Crash crash = Run("fpe");
    EXPECT_TRUE(DiedOf(crash.status, SIGFPE)) << "status " << crash.status;
    const std::string dump = ReadText(DumpPath());
    EXPECT_EQ(DumpField(dump, "Signal"), "8 SIGFPE");
    EXPECT_EQ(DumpField(dump, "Code"), std::to_string(FPE_INTDIV));
    // For an arithmetic fault the address is the instruction: the saved rip.
    EXPECT_EQ(DumpField(dump, "Address"), Register(dump, "rip"));
}

TEST_F(CrashHandlerTest, FailureOnAnotherThreadNamesThatThread)
{
    const Crash crash = Run("thread");
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV)) << "status " << crash.status;
    const std::string dump = ReadText(DumpPath());
    EXPECT_EQ(DumpField(dump, "Pid"), std::to_string(crash.pid));
    EXPECT_NE(DumpField(dump, "Thread"), std::to_string(crash.pid));
    EXPECT_NE(DumpField(dump, "Thread"), "<missing>");
    EXPECT_EQ(Record().size(), 6u);
}

TEST_F(CrashHandlerTest, StackOverflowIsReportedFromTheAlternateStack)
{
    const Crash crash = Run("overflow");
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV)) << "status " << crash.status;
    const std::string dump = ReadText(DumpPath());
    EXPECT_EQ(DumpField(dump, "Signal"), "11 SIGSEGV");
    EXPECT_NE(dump.find("\nMaps:\n"), std::string::npos);
    EXPECT_EQ(Record().size(), 6u);
}

TEST_F(CrashHandlerTest, PlantedLinksAreNeverFollowed)
{
    // A link to a file of ours and a dangling one: neither target is touched.
    const std::string victim = m_folder.File("victim");
    std::ofstream(victim) << "precious";
    std::filesystem::create_symlink(victim, DumpPath());

    const Crash crash = Run("segv");
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV));
    EXPECT_EQ(ReadText(victim), "precious");
    EXPECT_TRUE(std::filesystem::is_symlink(DumpPath()));

    const std::string ownName = m_folder.File("Dorva Test-" + std::to_string(crash.pid) + ".dmp");
    EXPECT_EQ(Lines(ReadText(ownName))[0], kCrashDumpMagic);
    EXPECT_EQ(Mode(ownName), 0600u);
    const std::vector<std::string> record = Record();
    ASSERT_EQ(record.size(), 6u);
    EXPECT_EQ(record[2], "arg " + ownName);

    std::filesystem::remove(DumpPath());
    std::filesystem::remove(RecordPath());
    const std::string nowhere = m_folder.File("created-through-link");
    std::filesystem::create_symlink(nowhere, DumpPath());
    Run("segv");
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_EQ(Record().size(), 6u);
}

TEST_F(CrashHandlerTest, NameWithASecondHardLinkIsNotWrittenInto)
{
    const std::string victim = m_folder.File("victim");
    std::ofstream(victim) << "precious";
    std::filesystem::create_hard_link(victim, DumpPath());
    const Crash crash = Run("segv");
    EXPECT_EQ(ReadText(victim), "precious");
    const std::string ownName = m_folder.File("Dorva Test-" + std::to_string(crash.pid) + ".dmp");
    EXPECT_EQ(Lines(ReadText(ownName))[0], kCrashDumpMagic);
}

TEST_F(CrashHandlerTest, EarlierDumpOfOursIsReplacedWhole)
{
    std::ofstream(DumpPath()) << std::string(200000, 'x');
    chmod(DumpPath().c_str(), 0644);
    Run("segv");
    const std::string dump = ReadText(DumpPath());
    EXPECT_EQ(Lines(dump)[0], kCrashDumpMagic);
    EXPECT_EQ(dump.find("xxxx"), std::string::npos) << "nothing of the old file is left";
    EXPECT_EQ(Mode(DumpPath()), 0600u);
}

TEST_F(CrashHandlerTest, WithoutAWritableFolderTheReasonGoesToStderrAndNoReportRuns)
{
    const Crash crash = Run("segv", REPORT_RECORDER, m_folder.File("missing"));
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV));
    EXPECT_NE(crash.output.find("CrashReporter: Couldnt create output file"), std::string::npos) << crash.output;
    EXPECT_FALSE(std::filesystem::exists(RecordPath()));
}

TEST_F(CrashHandlerTest, MissingReportProgramStillEndsTheProcessAndKeepsTheDump)
{
    const Crash crash = Run("segv", m_folder.File("no-such-program"));
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV)) << "status " << crash.status;
    EXPECT_EQ(Lines(ReadText(DumpPath()))[0], kCrashDumpMagic);
}
