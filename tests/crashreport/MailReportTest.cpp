#include "crashreport/MailReport.h"

#include <chrono>

#include <gtest/gtest.h>

#include "crashreport/Base64.h"
#include "crashreport/Smtp.h"
#include "tests/crashreport/MailTestSupport.h"

namespace
{
MailConfig LoopbackConfig(unsigned short port)
{
    MailConfig config;
    config.host = "127.0.0.1";
    config.port = port;
    config.sender = "crashreporter@example.com";
    config.reportAddress = "reports@example.com";
    config.timeoutMs = 5000;
    return config;
}

std::string AllByteValues(std::size_t size)
{
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i)
        bytes += static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

std::string WithoutCR(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// The base64 block after the attachment's headers, up to the blank line.
std::string AttachmentText(const std::string& message)
{
    const std::size_t disposition = message.find("filename=\"");
    const std::size_t start = message.find("\n\n", disposition);
    const std::size_t end = message.find("\n\n", start + 2);
    if (disposition == std::string::npos || start == std::string::npos || end == std::string::npos)
        return "";
    return message.substr(start + 2, end - start - 2);
}
} // namespace

TEST(BuildReportMessage, ExactMimeText)
{
    const std::string text = BuildReportMessage("to@example.com", "Dorva Editor Crash Report", "It froze.",
                                                "dump.txt", "YWJj\n");
    const std::string expected =
        "MIME-Version: 1.0\n"
        "To: to@example.com\n"
        "Subject: Dorva Editor Crash Report\n"
        "Content-Type: multipart/mixed; boundary=Crash-Reporter-040006060503080100010509\n"
        "This is a multi-part message in MIME format.\n"
        "--Crash-Reporter-040006060503080100010509\n"
        "Content-Type: text/plain; charset=ISO-8859-1; format=flowed\n"
        "Content-Transfer-Encoding: 7bit\n"
        "\n"
        "It froze.\n"
        "\n"
        "--Crash-Reporter-040006060503080100010509\n"
        "Content-Type: application/octet-stream\n"
        " name=\"dump.txt\"\n"
        "Content-Transfer-Encoding: base64\n"
        "Content-Disposition: attachment;\n"
        " filename=\"dump.txt\"\n"
        "\n"
        "YWJj\n"
        "\n"
        "\n"
        "--Crash-Reporter-040006060503080100010509--\n"
        "\n"
        "\n";
    EXPECT_EQ(expected, text);
}

TEST(SmtpWireText, LineEndsBecomeCrlfAndLeadingDotsAreDoubled)
{
    EXPECT_EQ("a\r\nb\r\n", SmtpWireText("a\nb\n"));
    EXPECT_EQ("a\r\nb\r\nc", SmtpWireText("a\r\nb\rc"));
    EXPECT_EQ("..\r\n..x\r\ny.z\r\n...\r\n", SmtpWireText(".\n.x\ny.z\n..\n"));
    EXPECT_EQ("", SmtpWireText(""));
}

TEST(SmtpAddresses, LineBreaksAndOverlongAddressesAreRefused)
{
    EXPECT_TRUE(IsSafeMailAddress(""));
    EXPECT_TRUE(IsSafeMailAddress("user@example.com"));
    EXPECT_TRUE(IsSafeMailAddress(std::string(254, 'a')));
    EXPECT_FALSE(IsSafeMailAddress(std::string(255, 'a')));
    EXPECT_FALSE(IsSafeMailAddress("user@example.com\r\nRCPT TO:<other@example.com>"));
    EXPECT_FALSE(IsSafeMailAddress("user@example.com\nDATA"));
}

class RealServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Ready()) << "aiosmtpd did not start"; }
    MailConfig Config() const { return LoopbackConfig(m_server.Port()); }

    SmtpTestServer m_server;
    TempFolder m_files;
};

TEST_F(RealServerTest, DeliversSubjectReplyToBodyAndAttachment)
{
    const std::string bytes = AllByteValues(1000);
    const std::string path = WriteFile(m_files, "DorvaEditor-crash.dmp", bytes);
    const std::string body = "Loading a template.\n.\n.hidden line\nLast line.";

    ASSERT_TRUE(MailReport("user@example.com", "reports@example.com", "Dorva Editor Crash Report", body, path,
                           Config()));

    const std::vector<std::string> messages = m_server.Messages();
    ASSERT_EQ(1u, messages.size());
    const std::string message = WithoutCR(messages[0]);
    EXPECT_NE(std::string::npos, message.find("Subject: Dorva Editor Crash Report\n"));
    EXPECT_NE(std::string::npos, message.find("Reply-To: <user@example.com>\n"));
    EXPECT_NE(std::string::npos, message.find("To: reports@example.com\n"));
    EXPECT_NE(std::string::npos, message.find("X-MailFrom: crashreporter@example.com\n"));
    // Dot-stuffing is undone by the server: the lines arrive as typed.
    EXPECT_NE(std::string::npos, message.find("\n\nLoading a template.\n.\n.hidden line\nLast line.\n\n--"));
    EXPECT_NE(std::string::npos, message.find("filename=\"DorvaEditor-crash.dmp\""));
    EXPECT_EQ(bytes, DecodeBase64(AttachmentText(message)));
}

TEST_F(RealServerTest, EmptyReplyToAndEmptyFileStillSend)
{
    const std::string path = WriteFile(m_files, "report.txt", "");
    ASSERT_TRUE(MailReport("", "reports@example.com", "Dorva Editor Data Error Report", "", path, Config()));
    ASSERT_EQ(1u, m_server.Messages().size());
    EXPECT_NE(std::string::npos, WithoutCR(m_server.Messages()[0]).find("Reply-To: <>\n"));
}

TEST_F(RealServerTest, RefusedRecipientGivesFalse)
{
    const std::string path = WriteFile(m_files, "report.txt", "data");
    EXPECT_FALSE(MailReport("user@example.com", "nobody@example.com", "Subject", "Body", path, Config()));
    EXPECT_TRUE(m_server.Messages().empty());
}

TEST_F(RealServerTest, AddressesOrSubjectWithLineBreaksAreRefusedBeforeSending)
{
    const std::string path = WriteFile(m_files, "report.txt", "data");
    EXPECT_FALSE(MailReport("user@example.com\r\nRCPT TO:<other@example.com>", "reports@example.com", "Subject",
                            "Body", path, Config()));
    EXPECT_FALSE(MailReport("user@example.com", "reports@example.com>\r\nDATA", "Subject", "Body", path, Config()));
    EXPECT_FALSE(MailReport("user@example.com", "reports@example.com", "Subject\nBcc: x@example.com", "Body", path,
                            Config()));
    EXPECT_TRUE(m_server.Messages().empty());
}

TEST(MailReport, UnreadableFileOrUnreachableHostGivesFalse)
{
    TempFolder files;
    const MailConfig closedPort = LoopbackConfig(FreeLoopbackPort());
    EXPECT_FALSE(MailReport("", "reports@example.com", "S", "B", files.Path() + "/missing.dmp", closedPort));
    EXPECT_FALSE(MailReport("", "reports@example.com", "S", "B", WriteFile(files, "r.txt", "x"), closedPort));
    EXPECT_EQ(-1, SmtpConnect(closedPort));
}
