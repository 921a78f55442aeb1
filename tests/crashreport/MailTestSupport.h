#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>

#include "tests/model/TempFolder.h"

// Decodes MIME base64, skipping line breaks.
std::string DecodeBase64(const std::string& text);

// Writes the bytes to folder/name; returns the path.
std::string WriteFile(const TempFolder& folder, const std::string& name, const std::string& bytes);

// A free TCP port on 127.0.0.1 at the time of asking.
unsigned short FreeLoopbackPort();

// A real SMTP server (aiosmtpd) on 127.0.0.1 that stores every message it
// accepts in a maildir and refuses any recipient starting with "nobody@".
class SmtpTestServer
{
public:
    SmtpTestServer();
    ~SmtpTestServer();
    bool Ready() const { return m_ready; }
    unsigned short Port() const { return m_port; }
    // The messages delivered so far, as stored.
    std::vector<std::string> Messages() const;

private:
    TempFolder m_dir;
    unsigned short m_port = 0;
    pid_t m_pid = -1;
    bool m_ready = false;
};

// One connection scripted by hand: the test says what to send and what it
// expects to read; everything read is kept for checks after Join.
class ScriptedSmtpServer
{
public:
    using Script = std::function<void(ScriptedSmtpServer&)>;
    explicit ScriptedSmtpServer(Script script);
    ~ScriptedSmtpServer();
    unsigned short Port() const { return m_port; }
    void Join();

    // Inside the script:
    void Send(const std::string& bytes);
    // Reads one line up to and including "\r\n" (or what came before the peer closed).
    std::string ReadLine();
    // True when the peer closed the connection within two seconds.
    bool PeerClosed();
    // True when nothing more has come or comes within the time.
    bool NothingMoreWithin(int ms);
    // Drops the connection.
    void Close();
    // Waits until the test says the script may finish (or ten seconds pass).
    void Hold();
    void Release();

    const std::string& Received() const { return m_received; }

private:
    int m_listen = -1;
    int m_peer = -1;
    unsigned short m_port = 0;
    std::string m_received;
    std::string m_pending;
    int m_release[2] = {-1, -1};
    std::thread m_thread;
};
