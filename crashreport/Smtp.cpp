#include "crashreport/Smtp.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace
{
using Clock = std::chrono::steady_clock;

// A reply longer than this is not an SMTP reply; stop reading it.
const std::size_t kMaxReplyLength = 64 * 1024;
const std::size_t kMaxAddressLength = 254;

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for the event until the deadline; false on a time-out or an error.
bool WaitFor(int socket, short event, Clock::time_point deadline)
{
    for (;;)
    {
        pollfd entry{socket, event, 0};
        const int ready = poll(&entry, 1, MillisecondsLeft(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

int ConnectTo(const addrinfo& address, Clock::time_point deadline)
{
    const int fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          address.ai_protocol);
    if (fd < 0)
        return -1;
    if (connect(fd, address.ai_addr, address.ai_addrlen) == 0)
        return fd;
    if (errno == EINPROGRESS && WaitFor(fd, POLLOUT, deadline))
    {
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
            return fd;
    }
    close(fd);
    return -1;
}

// The final line of the reply in buffer, when it holds a complete reply.
bool FindFinalLine(const std::string& buffer, std::string& finalLine)
{
    std::size_t start = 0;
    for (std::size_t end; (end = buffer.find('\n', start)) != std::string::npos; start = end + 1)
    {
        std::string line = buffer.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 4 && line[3] == '-')
            continue;
        finalLine = line;
        return true;
    }
    return false;
}

bool SendLine(int socket, const std::string& line, int timeoutMs)
{
    return SmtpSendRaw(socket, line.data(), line.size(), timeoutMs);
}

bool Command(int socket, const std::string& line, const char* code, int timeoutMs)
{
    return SendLine(socket, line, timeoutMs) && SmtpExpectReply(socket, code, timeoutMs);
}

bool Dialogue(int fd, const std::string& replyTo, const std::string& recipient, const std::string& message,
              const std::string& heloName, const MailConfig& config)
{
    const int t = config.timeoutMs;
    if (!SmtpExpectReply(fd, "220", t) || !Command(fd, "HELO " + heloName + "\r\n", "250", t)
        || !Command(fd, "MAIL FROM:<" + config.sender + ">\r\n", "250", t)
        || !Command(fd, "RCPT TO:<" + recipient + ">\r\n", "250", t) || !Command(fd, "DATA\r\n", "354", t))
        return false;
    // Reply-To opens the data; the message's own MIME headers follow it.
    const std::string data = "Reply-To: <" + replyTo + ">\r\n" + SmtpWireText(message) + "\r\n.\r\n";
    return Command(fd, data, "250", t) && Command(fd, "QUIT\r\n", "221", t);
}
} // namespace

int SmtpConnect(const MailConfig& config)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(config.timeoutMs);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(config.host.c_str(), std::to_string(config.port).c_str(), &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (const addrinfo* a = found; a && fd < 0 && MillisecondsLeft(deadline) > 0; a = a->ai_next)
        fd = ConnectTo(*a, deadline);
    freeaddrinfo(found);
    return fd;
}

void SmtpDisconnect(int socket)
{
    if (socket >= 0)
        close(socket);
}

bool SmtpExpectReply(int socket, const char* code, int timeoutMs)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string buffer;
    std::string finalLine;
    char chunk[1024];
    while (!FindFinalLine(buffer, finalLine))
    {
        if (buffer.size() > kMaxReplyLength || !WaitFor(socket, POLLIN, deadline))
            return false;
        const ssize_t got = recv(socket, chunk, sizeof chunk, 0);
        if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (got <= 0)
            return false;
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
    return finalLine.size() >= 3 && finalLine.compare(0, 3, code, 3) == 0;
}

bool SmtpSendRaw(int socket, const char* bytes, std::size_t length, int timeoutMs)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t sent = 0;
    while (sent < length)
    {
        const ssize_t n = send(socket, bytes + sent, length - sent, MSG_NOSIGNAL);
        if (n > 0)
        {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(socket, POLLOUT, deadline))
            continue;
        return false;
    }
    return true;
}

std::string SmtpWireText(const std::string& message)
{
    std::string wire;
    wire.reserve(message.size() + message.size() / 16 + 2);
    bool lineStart = true;
    for (std::size_t i = 0; i < message.size(); ++i)
    {
        const char c = message[i];
        if (c == '\r' || c == '\n')
        {
            if (c == '\r' && i + 1 < message.size() && message[i + 1] == '\n')
                ++i;
            wire += "\r\n";
            lineStart = true;
            continue;
        }
        if (lineStart && c == '.')
            wire += '.';
        wire += c;
        lineStart = false;
    }
    return wire;
}

bool IsSafeMailAddress(const std::string& address)
{
    return address.size() <= kMaxAddressLength && address.find_first_of("\r\n") == std::string::npos;
}

bool SmtpSendMail(const std::string& replyTo, const std::string& recipient, const std::string& message,
                  const std::string& heloName, const MailConfig& config)
{
    if (recipient.empty() || !IsSafeMailAddress(recipient) || !IsSafeMailAddress(replyTo)
        || !IsSafeMailAddress(config.sender) || heloName.find_first_of("\r\n") != std::string::npos)
        return false;
    const int fd = SmtpConnect(config);
    if (fd < 0)
        return false;
    const bool sent = Dialogue(fd, replyTo, recipient, message, heloName, config);
    SmtpDisconnect(fd);
    return sent;
}
