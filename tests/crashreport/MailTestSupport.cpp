#include "tests/crashreport/MailTestSupport.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
const char kRefusingHandler[] = R"(from aiosmtpd.handlers import Mailbox


class RefusingMailbox(Mailbox):
    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith('nobody@'):
            return '550 5.1.1 No such user here'
        envelope.rcpt_tos.append(address)
        return '250 OK'
)";

int ListenOnLoopback(unsigned short& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 4) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
    {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

bool CanConnect(unsigned short port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

bool Readable(int fd, int timeoutMs)
{
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, timeoutMs) > 0;
}
} // namespace

std::string DecodeBase64(const std::string& text)
{
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : text)
    {
        const std::size_t value = alphabet.find(c);
        if (value == std::string::npos)
            continue;
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8)
        {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

std::string WriteFile(const TempFolder& folder, const std::string& name, const std::string& bytes)
{
    const std::string path = folder.File(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

unsigned short FreeLoopbackPort()
{
    unsigned short port = 0;
    const int fd = ListenOnLoopback(port);
    if (fd >= 0)
        close(fd);
    return port;
}

SmtpTestServer::SmtpTestServer()
{
    WriteFile(m_dir, "refusing_mailbox.py", kRefusingHandler);
    const std::string maildir = m_dir.Path() + "/mail";
    for (int attempt = 0; attempt < 3 && !m_ready; ++attempt)
    {
        m_port = FreeLoopbackPort();
        const std::string listen = "127.0.0.1:" + std::to_string(m_port);
        m_pid = fork();
        if (m_pid == 0)
        {
            setenv("PYTHONPATH", m_dir.Path().c_str(), 1);
            execl("/usr/bin/python3", "python3", "-m", "aiosmtpd", "-n", "-l", listen.c_str(), "-c",
                  "refusing_mailbox.RefusingMailbox", maildir.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!m_ready && std::chrono::steady_clock::now() < deadline)
        {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid)
            {
                m_pid = -1;
                break;
            }
            m_ready = CanConnect(m_port);
            if (!m_ready)
                Readable(-1, 20);
        }
    }
}

SmtpTestServer::~SmtpTestServer()
{
    if (m_pid > 0)
    {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}

std::vector<std::string> SmtpTestServer::Messages() const
{
    std::vector<std::string> messages;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(m_dir.Path() + "/mail/new", error))
    {
        std::ifstream in(entry.path(), std::ios::binary);
        messages.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return messages;
}

ScriptedSmtpServer::ScriptedSmtpServer(Script script)
{
    m_listen = ListenOnLoopback(m_port);
    if (pipe(m_release) != 0)
        m_release[0] = m_release[1] = -1;
    m_thread = std::thread([this, script] {
        if (m_listen < 0 || !Readable(m_listen, 10000))
            return;
        m_peer = accept(m_listen, nullptr, nullptr);
        if (m_peer >= 0)
            script(*this);
    });
}

ScriptedSmtpServer::~ScriptedSmtpServer()
{
    Release();
    Join();
    for (int fd : {m_listen, m_peer, m_release[0], m_release[1]})
        if (fd >= 0)
            close(fd);
}

void ScriptedSmtpServer::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void ScriptedSmtpServer::Send(const std::string& bytes)
{
    if (send(m_peer, bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0)
        return;
}

std::string ScriptedSmtpServer::ReadLine()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;)
    {
        const std::size_t end = m_pending.find("\r\n");
        if (end != std::string::npos)
        {
            const std::string line = m_pending.substr(0, end + 2);
            m_pending.erase(0, end + 2);
            return line;
        }
        char chunk[4096];
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const ssize_t got = Readable(m_peer, static_cast<int>(std::max<long>(0, left.count())))
            ? recv(m_peer, chunk, sizeof chunk, 0)
            : 0;
        if (got <= 0)
        {
            std::string rest;
            rest.swap(m_pending);
            return rest;
        }
        m_received.append(chunk, static_cast<std::size_t>(got));
        m_pending.append(chunk, static_cast<std::size_t>(got));
    }
}

bool ScriptedSmtpServer::PeerClosed()
{
    char chunk[256];
    while (Readable(m_peer, 2000))
    {
        const ssize_t got = recv(m_peer, chunk, sizeof chunk, 0);
        if (got <= 0)
            return true;
        m_received.append(chunk, static_cast<std::size_t>(got));
    }
    return false;
}

bool ScriptedSmtpServer::NothingMoreWithin(int ms)
{
    return m_pending.empty() && !Readable(m_peer, ms);
}

void ScriptedSmtpServer::Close()
{
    close(m_peer);
    m_peer = -1;
}

void ScriptedSmtpServer::Hold()
{
    Readable(m_release[0], 10000);
}

void ScriptedSmtpServer::Release()
{
    if (m_release[1] >= 0)
    {
        const char go = 1;
        if (write(m_release[1], &go, 1) < 0)
            return;
    }
}
