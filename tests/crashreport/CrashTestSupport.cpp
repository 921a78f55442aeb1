#include "tests/crashreport/CrashTestSupport.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
using Clock = std::chrono::steady_clock;

sockaddr_in Loopback(unsigned short port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

int Listen(unsigned short& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(fd, 4);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return fd;
}

bool Readable(int fd, int timeoutMs)
{
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, timeoutMs) > 0;
}
} // namespace

pid_t StartProgram(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
                   const std::string& outputPath)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    for (const auto& [name, value] : environment)
        setenv(name.c_str(), value.c_str(), 1);
    const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
}

int WaitForProgram(pid_t pid, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    pid_t done = 0;
    while ((done = waitpid(pid, &status, WNOHANG)) == 0 && Clock::now() < deadline)
        Readable(-1, 5);
    if (done == pid)
        return status;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string DumpField(const std::string& dump, const std::string& name)
{
    for (const std::string& line : Lines(dump))
    {
        if (line == "Registers:")
            break;
        if (line.rfind(name + ": ", 0) == 0)
            return line.substr(name.size() + 2);
    }
    return "<missing>";
}

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

unsigned short FreeLoopbackPort()
{
    unsigned short port = 0;
    close(Listen(port));
    return port;
}

std::string Attachment(const std::string& message)
{
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const std::size_t start = message.find("\n\n", message.find("filename=\""));
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (std::size_t i = start + 2; start != std::string::npos && i < message.find("\n\n", start + 2); ++i)
        if (const std::size_t value = alphabet.find(message[i]); value != std::string::npos)
        {
            bits = (bits << 6) | static_cast<unsigned>(value);
            if ((count += 6) >= 8)
                out += static_cast<char>((bits >> (count -= 8)) & 0xFF);
        }
    return out;
}

SmtpTestServer::SmtpTestServer()
{
    // Another process may take the port between asking and listening: try again.
    for (int attempt = 0; attempt < 3 && !m_ready; ++attempt)
    {
        const std::string listen = "127.0.0.1:" + std::to_string(m_port = FreeLoopbackPort()), mail = m_dir.File("mail");
        if ((m_pid = fork()) == 0)
            execl("/usr/bin/python3", "python3", "-m", "aiosmtpd", "-n", "-l", listen.c_str(), "-c",
                  "aiosmtpd.handlers.Mailbox", mail.c_str(), static_cast<char*>(nullptr)), _exit(127);
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (!m_ready && waitpid(m_pid, nullptr, WNOHANG) == 0 && Clock::now() < deadline)
        {
            const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            const sockaddr_in address = Loopback(m_port);
            m_ready = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
            close(fd);
            Readable(-1, m_ready ? 0 : 20);
        }
    }
}

SmtpTestServer::~SmtpTestServer()
{
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
}

std::vector<std::string> SmtpTestServer::Messages() const
{
    std::vector<std::string> messages;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.File("mail/new"), error))
    {
        std::string text = ReadText(entry.path());
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        messages.push_back(text);
    }
    return messages;
}

ScriptedServer::ScriptedServer(std::vector<std::string> steps)
{
    m_listen = Listen(m_port);
    m_thread = std::thread([this, steps] {
        const int peer = Readable(m_listen, 10000) ? accept(m_listen, nullptr, nullptr) : -1;
        std::string pending;
        // Takes what comes within the time; false once the client has closed.
        const auto receive = [&](int timeoutMs) {
            char chunk[4096];
            if (!Readable(peer, timeoutMs))
                return true;
            const ssize_t got = recv(peer, chunk, sizeof chunk, 0);
            if (got > 0)
                m_received.append(chunk, static_cast<size_t>(got)), pending.append(chunk, static_cast<size_t>(got));
            return got > 0;
        };
        const auto readLine = [&] {
            for (const auto end = Clock::now() + std::chrono::seconds(5);
                 pending.find("\r\n") == std::string::npos && Clock::now() < end && receive(100);)
            {
            }
            const std::string line = pending.substr(0, std::min(pending.size(), pending.find("\r\n") + 2));
            pending.erase(0, line.size());
            return line;
        };
        for (const std::string& step : steps)
        {
            if (step[0] == '>')
                send(peer, step.data() + 1, step.size() - 1, MSG_NOSIGNAL);
            else if (step == "<")
                readLine();
            else if (step == "<.")
                for (std::string line = "-"; !line.empty() && line != ".\r\n";)
                    line = readLine();
            else if (step == "~")
                Readable(-1, 50);
            else if (step == "?")
                notes += pending.empty() && !Readable(peer, 200) ? "quiet " : "busy ";
            else if (step == "=")
            {
                bool open = true;
                for (const auto end = Clock::now() + std::chrono::seconds(5); open && Clock::now() < end;)
                    open = receive(100);
                notes += open ? "open " : "closed ";
            }
        }
        close(peer);
    });
}

ScriptedServer::~ScriptedServer()
{
    Received();
    close(m_listen);
}

const std::string& ScriptedServer::Received()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_received;
}

SilentServer::SilentServer()
{
    m_listen = Listen(m_port);
    m_thread = std::thread([this] {
        std::vector<int> peers; // kept open, unanswered, to the end
        while (!m_stop)
            if (Readable(m_listen, 20))
            {
                peers.push_back(accept(m_listen, nullptr, nullptr));
                ++m_connections;
            }
        for (const int peer : peers)
            close(peer);
    });
}

SilentServer::~SilentServer()
{
    m_stop = true;
    m_thread.join();
    close(m_listen);
}
