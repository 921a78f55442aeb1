#include "crashreport/Smtp.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "tests/crashreport/MailTestSupport.h"

namespace
{
using Clock = std::chrono::steady_clock;

MailConfig ScriptedConfig(unsigned short port, int timeoutMs = 5000)
{
    MailConfig config;
    config.host = "127.0.0.1";
    config.port = port;
    config.sender = "crashreporter@example.com";
    config.timeoutMs = timeoutMs;
    return config;
}

// Greets, takes HELO and MAIL FROM as a server would.
void Greet(ScriptedSmtpServer& s)
{
    s.Send("220 mail.example.com\r\n");
    s.ReadLine();
    s.Send("250 OK\r\n");
    s.ReadLine();
    s.Send("250 OK\r\n");
}
} // namespace

TEST(SmtpDialogue, SplitGreetingMultiLineRepliesAndDataAfter354)
{
    bool dataArrivedAlone = false;
    ScriptedSmtpServer server([&](ScriptedSmtpServer& s) {
        s.Send("22");
        s.Hold();
        s.Send("0 mail.example.com ESMTP\r\n");
        s.ReadLine(); // HELO
        s.Send("250-mail.example.com\r\n250-PIPE");
        s.Send("LINING\r\n250 HELP\r\n");
        s.ReadLine(); // MAIL FROM
        s.Send("250 OK\r\n");
        s.ReadLine(); // RCPT TO
        s.Send("250 OK\r\n");
        const std::string data = s.ReadLine();
        dataArrivedAlone = data == "DATA\r\n" && s.NothingMoreWithin(200);
        s.Send("354 End data with <CR><LF>.<CR><LF>\r\n");
        while (s.ReadLine() != ".\r\n")
        {
        }
        s.Send("250 OK queued\r\n");
        s.ReadLine(); // QUIT
        s.Send("221 Bye\r\n");
    });
    std::thread release([&] {
        // Let the client read the first half of the greeting on its own.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        server.Release();
    });
    const bool sent = SmtpSendMail("user@example.com", "to@example.com", "Line one\n.dot line\n", "CrashReporter",
                                   ScriptedConfig(server.Port()));
    release.join();
    server.Join();
    EXPECT_TRUE(sent);
    EXPECT_TRUE(dataArrivedAlone);
    EXPECT_EQ("HELO CrashReporter\r\n"
              "MAIL FROM:<crashreporter@example.com>\r\n"
              "RCPT TO:<to@example.com>\r\n"
              "DATA\r\n"
              "Reply-To: <user@example.com>\r\n"
              "Line one\r\n"
              "..dot line\r\n"
              "\r\n"
              ".\r\n"
              "QUIT\r\n",
              server.Received());
}

TEST(SmtpDialogue, RefusedRecipientEndsWithoutQuitAndClosesTheConnection)
{
    bool closed = false;
    ScriptedSmtpServer server([&](ScriptedSmtpServer& s) {
        Greet(s);
        s.ReadLine();
        s.Send("550 5.1.1 No such user\r\n");
        closed = s.PeerClosed();
    });
    EXPECT_FALSE(SmtpSendMail("", "nobody@example.com", "text", "CrashReporter", ScriptedConfig(server.Port())));
    server.Join();
    EXPECT_TRUE(closed);
    EXPECT_EQ(std::string::npos, server.Received().find("QUIT"));
    EXPECT_EQ(std::string::npos, server.Received().find("DATA"));
}

TEST(SmtpDialogue, ServerThatStopsAnsweringGivesFalseWithinTheTimeOut)
{
    ScriptedSmtpServer server([](ScriptedSmtpServer& s) {
        Greet(s);
        s.ReadLine(); // RCPT TO, never answered
        s.Hold();
    });
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(SmtpSendMail("", "to@example.com", "text", "CrashReporter", ScriptedConfig(server.Port(), 300)));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    server.Release();
}

TEST(SmtpDialogue, SilentGreetingAndHalfLineReplyTimeOut)
{
    ScriptedSmtpServer server([](ScriptedSmtpServer& s) {
        s.Send("220 no line end");
        s.Hold();
    });
    const int fd = SmtpConnect(ScriptedConfig(server.Port()));
    ASSERT_GE(fd, 0);
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(SmtpExpectReply(fd, "220", 200));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    SmtpDisconnect(fd);
    server.Release();
}

TEST(SmtpDialogue, WrongCodeOrClosedConnectionIsFalse)
{
    ScriptedSmtpServer server([](ScriptedSmtpServer& s) {
        s.Send("421 Service not available\r\n");
    });
    EXPECT_FALSE(SmtpSendMail("", "to@example.com", "text", "CrashReporter", ScriptedConfig(server.Port())));
    server.Join();
    EXPECT_TRUE(server.Received().empty());
}

TEST(SmtpDialogue, WritingToAVanishedPeerFailsWithoutSigpipe)
{
    ScriptedSmtpServer server([](ScriptedSmtpServer& s) { s.Close(); });
    const int fd = SmtpConnect(ScriptedConfig(server.Port()));
    ASSERT_GE(fd, 0);
    server.Join();
    const std::string block(64 * 1024, 'x');
    bool failed = false;
    for (int i = 0; i < 200 && !failed; ++i)
        failed = !SmtpSendRaw(fd, block.data(), block.size(), 1000);
    EXPECT_TRUE(failed);
    SmtpDisconnect(fd);
}
