#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "crashreport/CrashDump.h"
#include "tests/crashreport/CrashTestSupport.h"
#include "tests/model/TempFolder.h"

namespace fs = std::filesystem;

TEST(CrashDump, OnlyADumpsHeaderLinesAreReadWithoutControlCharacters)
{
    TempFolder folder;
    char path[16];
    EXPECT_EQ(CreateCrashDumpFile("/tmp", "a rather long program title", path, sizeof path), -1) << "does not fit";
    const auto read = [&folder](const std::string& text) {
        std::ofstream(folder.File("h.dmp")) << text;
        CrashDumpHeader header{"<none>", "<none>"};
        return ReadCrashDumpHeader(folder.File("h.dmp"), header) ? header.title + "|" + header.vendor : "refused";
    };
    EXPECT_EQ(read("Program: Impostor\nVendor: Nobody\n"), "refused");
    EXPECT_EQ(read("DORVA-CRASH-DUMP 1\nProgram: Dorva Editor\nRegisters:\nVendor: Late\n"), "Dorva Editor|");
    EXPECT_EQ(read("DORVA-CRASH-DUMP 1\nProgram: Dorva\r Editor\x01\nVendor: Bren\tnix\r\n"), "Dorva Editor|Brennix");
}

namespace
{
unsigned Mode(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0xFFFF;
}
std::string Register(const std::string& dump, const std::string& name)
{
    for (const std::string& line : Lines(dump))
        if (line.rfind(name + " 0x", 0) == 0)
            return line.substr(name.size() + 1);
    return "<missing>";
}
} // namespace

// Each way of failing, run by the crashing program with $TMPDIR at a fresh
// folder and the recorder as its report program. Some rows first plant
// something at the dump's usual name, which must never be followed or written.
TEST(CrashHandler, EachWayOfFailingIsReportedAndEndsTheProcessWithItsSignal)
{
    TempFolder folder;
    const std::string usual = folder.File("Dorva Test.dmp"), victim = folder.File("victim"), record = folder.File("record");
    const auto planted = [&](const std::string& kind) {
        fs::remove(usual);
        std::ofstream(victim) << "precious";
        if (kind == "old")
        {
            std::ofstream(usual) << std::string(200000, 'x');
            chmod(usual.c_str(), 0644);
        }
        else if (kind == "link")
            fs::create_symlink(victim, usual);
        else if (kind == "dangling")
            fs::create_symlink(folder.File("made-through-link"), usual);
        else if (kind == "hard link")
            fs::create_hard_link(victim, usual);
    };
    const struct
    {
        const char *how, *plant;
        int signal;
        std::string field, code, reason;
    } rows[] = {
        {"segv", "old", SIGSEGV, "11 SIGSEGV", std::to_string(SEGV_MAPERR), "<missing>"},
        {"abort", "link", SIGABRT, "6 SIGABRT", std::to_string(SI_TKILL), "<missing>"},
        {"throw", "dangling", SIGABRT, "6 SIGABRT", "", "Uncaught exception: std::runtime_error: boom in the test"},
        {"fpe", "hard link", SIGFPE, "8 SIGFPE", std::to_string(FPE_INTDIV), "<missing>"},
        {"thread", "", SIGSEGV, "11 SIGSEGV", "", "<missing>"},
        {"overflow", "", SIGSEGV, "11 SIGSEGV", "", "<missing>"}, // reported from the alternate stack
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.how);
        planted(row.plant);
        fs::remove(record);
        const std::time_t before = std::time(nullptr);
        const pid_t pid = StartProgram({CRASHING_PROGRAM, row.how, CRASHING_PROGRAM},
                                       {{"TMPDIR", folder.Path()}, {"DORVA_REPORT_RECORD", record}}, folder.File("out"));
        const int status = WaitForProgram(pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == row.signal) << "status " << status;
        EXPECT_EQ(ReadText(folder.File("out")), "");
        const std::string path = *row.plant && std::string(row.plant) != "old"
            ? folder.File("Dorva Test-" + std::to_string(pid) + ".dmp") : usual;
        const std::string dump = ReadText(path);
        EXPECT_EQ(dump.rfind(std::string(kCrashDumpMagic) + "\nProgram: Dorva Test\nVendor: Brennix\n", 0), 0u);
        EXPECT_EQ(Mode(path), 0600u);
        EXPECT_EQ(DumpField(dump, "Signal") + "|" + DumpField(dump, "Reason"), row.field + "|" + row.reason);
        EXPECT_TRUE(row.code.empty() || DumpField(dump, "Code") == row.code) << DumpField(dump, "Code");
        EXPECT_EQ(DumpField(dump, "Pid"), std::to_string(pid));
        EXPECT_EQ(DumpField(dump, "Thread") == std::to_string(pid), std::string(row.how) != "thread");
        // For an arithmetic fault the address is the instruction: the saved rip.
        EXPECT_TRUE(row.signal != SIGFPE || DumpField(dump, "Address") == Register(dump, "rip"));
        EXPECT_NE(Register(dump, "rsp"), "<missing>");
        EXPECT_EQ(ReadText(victim), "precious");
        EXPECT_FALSE(fs::exists(folder.File("made-through-link")));
        // The report program got the option and the dump, ran while the crashed process waited for it
        // (still its parent), with no signal blocked and none of the crashed program's descriptors.
        EXPECT_EQ(Lines(ReadText(record)),
                  std::vector<std::string>({std::string("arg ") + CRASHING_PROGRAM, "arg --crash-report", "arg " + path,
                                            "ppid " + std::to_string(pid), "SigBlk:\t0000000000000000", "fd100 closed"}));
        if (row.how != std::string("segv"))
            continue;
        EXPECT_EQ(dump.find("xxxx"), std::string::npos) << "nothing of the old file is left";
        EXPECT_EQ(DumpField(dump, "Address"), "0x0000000000000010");
        // The time of the crash in UTC, as text and as seconds.
        const std::string time = DumpField(dump, "Time");
        const std::time_t seconds = std::atoll(time.c_str() + std::min(time.size(), time.find(" UTC (") + 6));
        EXPECT_TRUE(seconds >= before && seconds <= std::time(nullptr)) << time;
        char expected[40];
        std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S UTC (", std::gmtime(&seconds));
        EXPECT_EQ(time, expected + std::to_string(seconds) + ")");
        // Backtrace with frames, then the memory map with the program itself and the stack.
        const std::size_t maps = dump.find("\nMaps:\n");
        EXPECT_GT(maps, dump.find("\nBacktrace:\n") + 40u);
        EXPECT_NE(dump.find(CRASHING_PROGRAM, maps), std::string::npos);
        EXPECT_NE(dump.find("[stack]", maps), std::string::npos);
    }
}

TEST(CrashHandler, WithoutAWritableFolderOrAReportProgramTheProcessStillEnds)
{
    TempFolder folder;
    const std::map<std::string, std::string> missing = {{"TMPDIR", folder.File("missing")},
                                                        {"DORVA_REPORT_RECORD", folder.File("record")}};
    int status = WaitForProgram(StartProgram({CRASHING_PROGRAM, "segv", CRASHING_PROGRAM}, missing, folder.File("out")));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSEGV) << status;
    EXPECT_EQ(ReadText(folder.File("out")), "CrashReporter: Couldnt create output file\n");
    EXPECT_FALSE(fs::exists(folder.File("record")));

    status = WaitForProgram(StartProgram({CRASHING_PROGRAM, "segv", folder.File("no-such-program")},
                                         {{"TMPDIR", folder.Path()}}, folder.File("out")));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSEGV) << status;
    EXPECT_EQ(Lines(ReadText(folder.File("Dorva Test.dmp")))[0], kCrashDumpMagic);
}
