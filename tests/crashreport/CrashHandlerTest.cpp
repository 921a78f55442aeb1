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

TEST_F(CrashHandlerTest, SegfaultReplacesAnEarlierDumpRunsTheReportProgramAndStillDiesOfTheSignal)
{
    std::ofstream(DumpPath()) << std::string(200000, 'x'); // an earlier dump of ours, replaced whole
    chmod(DumpPath().c_str(), 0644);
    const std::time_t before = std::time(nullptr);
    const Crash crash = Run("segv");
    const std::time_t after = std::time(nullptr);
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV)) << "status " << crash.status;
    EXPECT_EQ(crash.output.find("CrashReporter"), std::string::npos) << crash.output;

    const std::string dump = ReadText(DumpPath());
    EXPECT_EQ(dump.find("xxxx"), std::string::npos) << "nothing of the old file is left";
    EXPECT_EQ(Mode(DumpPath()), 0600u);
    EXPECT_EQ(Lines(dump)[0], kCrashDumpMagic);
    const std::string pid = std::to_string(crash.pid);
    EXPECT_EQ(DumpField(dump, "Program") + "|" + DumpField(dump, "Vendor") + "|" + DumpField(dump, "Pid") + "|" +
                  DumpField(dump, "Thread") + "|" + DumpField(dump, "Signal") + "|" + DumpField(dump, "Code") + "|" +
                  DumpField(dump, "Address") + "|" + DumpField(dump, "Reason"),
              "Dorva Test|Brennix|" + pid + "|" + pid + "|11 SIGSEGV|" + std::to_string(SEGV_MAPERR) +
                  "|0x0000000000000010|<missing>");
    EXPECT_NE(Register(dump, "rip"), "<missing>");
    EXPECT_NE(Register(dump, "rsp"), "<missing>");

    // The time of the crash in UTC, as text and as seconds.
    const std::string time = DumpField(dump, "Time");
    const std::size_t open = time.find(" UTC (");
    ASSERT_NE(open, std::string::npos) << time;
    const std::time_t seconds = std::stoll(time.substr(open + 6));
    EXPECT_TRUE(seconds >= before && seconds <= after);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char expected[32];
    std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S", &utc);
    EXPECT_EQ(time.substr(0, open), expected);

    // Backtrace, then the memory map with the program itself and the stack.
    const std::size_t backtrace = dump.find("\nBacktrace:\n");
    const std::size_t maps = dump.find("\nMaps:\n");
    ASSERT_TRUE(backtrace != std::string::npos && maps != std::string::npos);
    EXPECT_GT(maps, backtrace + 40u) << "the backtrace has frames";
    EXPECT_NE(dump.find(CRASHING_PROGRAM, maps), std::string::npos);
    EXPECT_NE(dump.find("[stack]", maps), std::string::npos);

    // The report program got the option and the dump, ran while the crashed
    // process waited for it (still its parent), with no signal blocked and
    // none of the crashed program's descriptors.
    EXPECT_EQ(Record(), (std::vector<std::string>{std::string("arg ") + REPORT_RECORDER, "arg --crash-report",
                                                  "arg " + DumpPath(), "ppid " + pid, "SigBlk:\t0000000000000000",
                                                  "fd100 closed"}));
}

TEST_F(CrashHandlerTest, EachWayOfFailingIsReportedAndEndsTheProcessWithItsSignal)
{
    const struct
    {
        const char* how;
        int signal;
        std::string field, code, reason;
    } cases[] = {
        {"abort", SIGABRT, "6 SIGABRT", std::to_string(SI_TKILL), "<missing>"},
        {"throw", SIGABRT, "6 SIGABRT", "", "Uncaught exception: std::runtime_error: boom in the test"},
        {"fpe", SIGFPE, "8 SIGFPE", std::to_string(FPE_INTDIV), "<missing>"},
        {"thread", SIGSEGV, "11 SIGSEGV", "", "<missing>"},
        {"overflow", SIGSEGV, "11 SIGSEGV", "", "<missing>"}, // from the alternate stack
    };
    for (const auto& c : cases)
    {
        std::filesystem::remove(RecordPath());
        const Crash crash = Run(c.how);
        EXPECT_TRUE(DiedOf(crash.status, c.signal)) << c.how << ": status " << crash.status;
        const std::string dump = ReadText(DumpPath());
        EXPECT_EQ(DumpField(dump, "Signal"), c.field) << c.how;
        EXPECT_EQ(DumpField(dump, "Reason"), c.reason) << c.how;
        EXPECT_TRUE(c.code.empty() || DumpField(dump, "Code") == c.code) << c.how;
        EXPECT_NE(dump.find("\nMaps:\n"), std::string::npos) << c.how;
        EXPECT_EQ(Record().size(), 6u) << c.how;
        // For an arithmetic fault the address is the instruction: the saved rip.
        EXPECT_TRUE(c.signal != SIGFPE || DumpField(dump, "Address") == Register(dump, "rip"));
        EXPECT_EQ(DumpField(dump, "Thread") == std::to_string(crash.pid), std::string(c.how) != "thread") << c.how;
        EXPECT_EQ(DumpField(dump, "Pid"), std::to_string(crash.pid)) << c.how;
    }
}

TEST_F(CrashHandlerTest, PlantedLinksAreNeverFollowed)
{
    // A symbolic link to a file of ours, a dangling one, a second hard link: no target is touched.
    const std::string victim = m_folder.File("victim");
    std::ofstream(victim) << "precious";
    std::filesystem::create_symlink(victim, DumpPath());
    Crash crash = Run("segv");
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV));
    EXPECT_TRUE(std::filesystem::is_symlink(DumpPath()));
    std::string ownName = m_folder.File("Dorva Test-" + std::to_string(crash.pid) + ".dmp");
    EXPECT_EQ(Lines(ReadText(ownName))[0], kCrashDumpMagic);
    EXPECT_EQ(Mode(ownName), 0600u);
    ASSERT_EQ(Record().size(), 6u);
    EXPECT_EQ(Record()[2], "arg " + ownName);

    std::filesystem::remove(DumpPath());
    const std::string nowhere = m_folder.File("created-through-link");
    std::filesystem::create_symlink(nowhere, DumpPath());
    Run("segv");
    EXPECT_FALSE(std::filesystem::exists(nowhere));

    std::filesystem::remove(DumpPath());
    std::filesystem::create_hard_link(victim, DumpPath());
    crash = Run("segv");
    ownName = m_folder.File("Dorva Test-" + std::to_string(crash.pid) + ".dmp");
    EXPECT_EQ(Lines(ReadText(ownName))[0], kCrashDumpMagic);
    EXPECT_EQ(ReadText(victim), "precious");
}

TEST_F(CrashHandlerTest, WithoutAWritableFolderOrAReportProgramTheProcessStillEnds)
{
    Crash crash = Run("segv", REPORT_RECORDER, m_folder.File("missing"));
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV));
    EXPECT_NE(crash.output.find("CrashReporter: Couldnt create output file"), std::string::npos) << crash.output;
    EXPECT_FALSE(std::filesystem::exists(RecordPath()));

    crash = Run("segv", m_folder.File("no-such-program"));
    EXPECT_TRUE(DiedOf(crash.status, SIGSEGV)) << "status " << crash.status;
    EXPECT_EQ(Lines(ReadText(DumpPath()))[0], kCrashDumpMagic);
}
