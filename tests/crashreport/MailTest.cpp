#include <chrono>
#include <fstream>

#include <gtest/gtest.h>

#include "crashreport/Base64.h"
#include "crashreport/MailReport.h"
#include "crashreport/Smtp.h"
#include "tests/crashreport/CrashTestSupport.h"

TEST(Base64Encode, GroupsPaddingAndLinesOf54Bytes)
{
    const auto encode = [](const std::string& text, std::string out = "") {
        Base64Encode(reinterpret_cast<const unsigned char*>(text.data()), text.size(), out);
        return out;
    };
    EXPECT_EQ(encode("abc") + encode("Ma") + encode("M") + encode(""), "YWJj\nTWE=\nTQ==\n");
    std::string line;
    for (int i = 0; i < 18; ++i)
        line += "eHh4";
    EXPECT_EQ(encode(std::string(55, 'x')), line + "\neA==\n");
    EXPECT_EQ(encode("x", "kept"), "kepteA==\n") << "appends";
}

TEST(Smtp, WireTextEndsLinesWithCrlfAndDoublesLeadingDots)
{
    EXPECT_EQ(SmtpWireText("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(SmtpWireText(".\n.x\ny.z\n..\n"), "..\r\n..x\r\ny.z\r\n...\r\n");
    EXPECT_EQ(SmtpWireText(""), "");
}

TEST(Smtp, AddressesWithLineBreaksOrOver254CharactersAreRefused)
{
    for (const std::string& safe : {std::string(), std::string("user@example.com"), std::string(254, 'a')})
        EXPECT_TRUE(IsSafeMailAddress(safe)) << safe;
    for (const std::string& unsafe : {std::string(255, 'a'), std::string("u@example.com\r\nRCPT TO:<o@example.com>"),
                                      std::string("u@example.com\nDATA"), std::string("u@example.com\rDATA")})
        EXPECT_FALSE(IsSafeMailAddress(unsafe)) << unsafe;
}

namespace
{
const std::string kMailed = // what the client sends of a report, to the final "."
    "HELO CrashReporter\r\nMAIL FROM:<crashreporter@example.com>\r\nRCPT TO:<to@example.com>\r\nDATA\r\n"
    "Reply-To: <user@example.com>\r\nMIME-Version: 1.0\r\nTo: to@example.com\r\nSubject: Dorva Crash Report\r\n"
    "Content-Type: multipart/mixed; boundary=Crash-Reporter-040006060503080100010509\r\n"
    "This is a multi-part message in MIME format.\r\n--Crash-Reporter-040006060503080100010509\r\n"
    "Content-Type: text/plain; charset=ISO-8859-1; format=flowed\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
    "Line one\r\n..dot line\r\n\r\n--Crash-Reporter-040006060503080100010509\r\n"
    "Content-Type: application/octet-stream\r\n name=\"dump.txt\"\r\nContent-Transfer-Encoding: base64\r\n"
    "Content-Disposition: attachment;\r\n filename=\"dump.txt\"\r\n\r\nYWJj\r\n\r\n\r\n"
    "--Crash-Reporter-040006060503080100010509--\r\n\r\n\r\n\r\n.\r\n";
const std::string kUpToRecipient = kMailed.substr(0, kMailed.find("DATA"));
} // namespace

// A report mailed to servers that answer as the rows say, with a 300 ms time-out.
TEST(SmtpDialogue, ScriptedServers)
{
    TempFolder files;
    std::ofstream(files.File("dump.txt")) << "abc";
    const std::vector<std::string> greeted = {">220 mail\r\n", "<", ">250 OK\r\n", "<", ">250 OK\r\n", "<"};
    const auto after = [&greeted](std::vector<std::string> more) {
        more.insert(more.begin(), greeted.begin(), greeted.end());
        return more;
    };
    const struct
    {
        const char* name;
        std::vector<std::string> steps;
        bool sent;
        std::string received, notes;
    } rows[] = {
        {"replies split and multi-line; the data waits for 354",
         {">22", "~", ">0 mail.example.com ESMTP\r\n", "<", ">250-mail.example.com\r\n250-PIPE", "~",
          ">LINING\r\n250 HELP\r\n", "<", ">250 OK\r\n", "<", ">250 OK\r\n", "<", "?", ">354 go on\r\n", "<.",
          ">250 OK queued\r\n", "<", ">221 Bye\r\n", "="},
         true, kMailed + "QUIT\r\n", "quiet closed "},
        {"refused recipient: no data, no QUIT", after({">550 5.1.1 No such user\r\n", "="}), false, kUpToRecipient,
         "closed "},
        {"server that stops answering", after({"="}), false, kUpToRecipient, "closed "},
        {"greeting without a line end", {">220 no line end", "="}, false, "", "closed "},
        {"service not available", {">421 Service not available\r\n", "="}, false, "", "closed "},
    };
    for (const auto& row : rows)
    {
        ScriptedServer server(row.steps);
        MailConfig config = LoopbackConfig(server.Port());
        config.timeoutMs = 300;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(MailReport("user@example.com", "to@example.com", "Dorva Crash Report", "Line one\n.dot line",
                             files.File("dump.txt"), config),
                  row.sent)
            << row.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << row.name;
        EXPECT_EQ(server.Received(), row.received) << row.name;
        EXPECT_EQ(server.notes, row.notes) << row.name;
    }
}

TEST(SmtpDialogue, WritingToAVanishedPeerFailsWithoutSigpipe)
{
    ScriptedServer server({});
    const int fd = SmtpConnect(LoopbackConfig(server.Port()));
    ASSERT_GE(fd, 0);
    server.Received();
    const std::string block(64 * 1024, 'x');
    bool failed = false;
    for (int i = 0; i < 200 && !failed; ++i)
        failed = !SmtpSendRaw(fd, block.data(), block.size(), 1000);
    EXPECT_TRUE(failed);
    SmtpDisconnect(fd);
}

// Line breaks in an address or the subject are refused before a byte is sent; the rest gets through as written.
TEST(MailReport, ARealServerGetsTheReportAsWrittenOrNothing)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.Ready()) << "aiosmtpd did not start";
    const MailConfig config = LoopbackConfig(server.Port());
    TempFolder files;
    const std::string dump = files.File("Dorva-crash.dmp");
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += static_cast<char>((i * 7 + i / 256) & 0xFF);
    std::ofstream(dump, std::ios::binary) << bytes;
    EXPECT_FALSE(MailReport("u@example.com\r\nRCPT TO:<x@example.com>", "reports@example.com", "S", "B", dump, config));
    EXPECT_FALSE(MailReport("u@example.com", "reports@example.com>\r\nDATA", "S", "B", dump, config));
    EXPECT_FALSE(MailReport("u@example.com", "reports@example.com", "S\nBcc: x@example.com", "B", dump, config));
    EXPECT_FALSE(MailReport("", "reports@example.com", "S", "B", files.File("missing.dmp"), config));
    EXPECT_FALSE(MailReport("", "reports@example.com", "S", "B", dump, LoopbackConfig(FreeLoopbackPort())));
    EXPECT_TRUE(server.Messages().empty());
    ASSERT_TRUE(MailReport("user@example.com", "reports@example.com", "Dorva Editor Crash Report", "", dump, config));
    ASSERT_EQ(server.Messages().size(), 1u);
    const std::string message = server.Messages()[0];
    EXPECT_NE(message.find("X-MailFrom: crashreporter@example.com\nX-RcptTo: reports@example.com\n"), std::string::npos)
        << message;
    EXPECT_EQ(Attachment(message), bytes);
}
