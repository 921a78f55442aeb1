#pragma once

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>

#include "crashreport/MailConfig.h"
#include "tests/model/TempFolder.h"

// Starts a program with extra environment, its stdout and stderr into outputPath.
pid_t StartProgram(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
                   const std::string& outputPath);
// Its wait status, or -1 when it did not end within timeoutMs (it is killed).
int WaitForProgram(pid_t pid, int timeoutMs = 30000);
std::string ReadText(const std::string& path);
std::vector<std::string> Lines(const std::string& text);
// The value of the first "Name: value" line of a dump before its registers.
std::string DumpField(const std::string& dump, const std::string& name);

// Mail to 127.0.0.1:port from crashreporter@example.com to reports@example.com, five-second time-outs.
MailConfig LoopbackConfig(unsigned short port);
// A TCP port on 127.0.0.1 that is free at the time of asking.
unsigned short FreeLoopbackPort();

// The attachment of a stored message (lines end without CR), decoded.
std::string Attachment(const std::string& message);

// A real SMTP server (aiosmtpd) on 127.0.0.1 that keeps every message.
class SmtpTestServer
{
public:
    SmtpTestServer();
    ~SmtpTestServer();
    bool Ready() const { return m_ready; }
    unsigned short Port() const { return m_port; }
    std::vector<std::string> Messages() const; // as stored, without CR

private:
    TempFolder m_dir;
    unsigned short m_port = 0;
    pid_t m_pid = -1;
    bool m_ready = false;
};

// One connection on 127.0.0.1 served by a script, one step a string:
//   ">text" sends text; "<" reads a line; "<." reads lines up to a lone ".";
//   "~" pauses 50 ms, so that what was sent arrives on its own;
//   "?" notes "quiet" when nothing more comes within 200 ms, else "busy";
//   "=" notes "closed" once the client has closed (within 5 s), else "open".
// The connection is dropped after the last step.
class ScriptedServer
{
public:
    explicit ScriptedServer(std::vector<std::string> steps);
    ~ScriptedServer();
    unsigned short Port() const { return m_port; }
    // Once the script has ended: all the client sent, and the notes.
    const std::string& Received();
    std::string notes;

private:
    int m_listen = -1;
    unsigned short m_port = 0;
    std::string m_received;
    std::thread m_thread;
};

// A mail server that takes every connection on 127.0.0.1 and never says a word.
class SilentServer
{
public:
    SilentServer();
    ~SilentServer();
    unsigned short Port() const { return m_port; }
    int Connections() const { return m_connections; }

private:
    int m_listen = -1;
    unsigned short m_port = 0;
    std::atomic<int> m_connections{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
