#include "crashreport/CrashDump.h"

#include <fstream>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "tests/crashreport/CrashTestSupport.h"
#include "tests/model/TempFolder.h"

TEST(CrashDump, WrittenOutsideAHandlerWithoutContextOrReason)
{
    TempFolder folder;
    char path[256];
    const int fd = CreateCrashDumpFile(folder.Path().c_str(), "Dorva Editor", path, sizeof path);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(std::string(path), folder.File("Dorva Editor.dmp"));

    CrashDumpInfo info;
    info.title = "Dorva Editor";
    info.vendor = "Brennix";
    info.signal = SIGBUS;
    info.code = 2;
    info.address = reinterpret_cast<const void*>(0xdeadbeefUL);
    info.reason = "";
    EXPECT_TRUE(WriteCrashDump(fd, info));
    close(fd);

    const std::string dump = ReadText(path);
    const std::vector<std::string> lines = Lines(dump);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "DORVA-CRASH-DUMP 1");
    EXPECT_EQ(lines[1], "Program: Dorva Editor");
    EXPECT_EQ(lines[2], "Vendor: Brennix");
    EXPECT_EQ(lines[3], "Pid: " + std::to_string(getpid()));
    EXPECT_EQ(lines[6], "Signal: 7 SIGBUS");
    EXPECT_EQ(lines[7], "Code: 2");
    EXPECT_EQ(lines[8], "Address: 0x00000000deadbeef");
    EXPECT_EQ(lines[9], "Registers:") << "an empty reason gives no line";
    EXPECT_EQ(lines[10], "unavailable");
    EXPECT_EQ(lines[11], "Backtrace:");
    EXPECT_NE(dump.find("\nMaps:\n"), std::string::npos);

    CrashDumpHeader header;
    ASSERT_TRUE(ReadCrashDumpHeader(path, header));
    EXPECT_EQ(header.title, "Dorva Editor");
    EXPECT_EQ(header.vendor, "Brennix");
}

TEST(CrashDump, HeaderIsOnlyReadFromADump)
{
    TempFolder folder;
    CrashDumpHeader header;
    EXPECT_FALSE(ReadCrashDumpHeader(folder.File("missing.dmp"), header));
    std::ofstream(folder.File("other.txt")) << "Program: Impostor\nVendor: Nobody\n";
    EXPECT_FALSE(ReadCrashDumpHeader(folder.File("other.txt"), header));
    // Lines after the registers are not header lines, whatever they say.
    std::ofstream(folder.File("late.dmp")) << "DORVA-CRASH-DUMP 1\nProgram: Dorva Editor\nRegisters:\nVendor: Late\n";
    ASSERT_TRUE(ReadCrashDumpHeader(folder.File("late.dmp"), header));
    EXPECT_EQ(header.title, "Dorva Editor");
    EXPECT_EQ(header.vendor, "");
    // Control characters never reach the report's mail subject.
    std::ofstream(folder.File("ctl.dmp")) << "DORVA-CRASH-DUMP 1\nProgram: Dorva\r Editor\x01\nVendor: Bren\tnix\r\n";
    ASSERT_TRUE(ReadCrashDumpHeader(folder.File("ctl.dmp"), header));
    EXPECT_EQ(header.title + "|" + header.vendor, "Dorva Editor|Brennix");
}

TEST(CrashDump, PathThatDoesNotFitIsRefused)
{
    char path[16];
    EXPECT_EQ(CreateCrashDumpFile("/tmp", "a rather long program title", path, sizeof path), -1);
}
