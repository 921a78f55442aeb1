#pragma once

#include <sys/types.h>

#include <string>

// A JACK server of its own for one test process: the dummy driver, no audio
// hardware, a name no other process uses. JACK clients made after Start in
// this process talk to it (JACK_DEFAULT_SERVER).
class JackServer
{
public:
    // The jackd program, or empty when it is not installed.
    static std::string FindJackd();

    JackServer() = default;
    ~JackServer() { Stop(); }
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    // Starts the server and waits, against a deadline, until a client can
    // connect. On failure, error() says why.
    bool Start(const std::string& jackd, int timeoutMs = 10000);
    void Stop();
    const std::string& error() const { return m_error; }
    const std::string& name() const { return m_name; }

private:
    pid_t m_pid = -1;
    std::string m_name;
    std::string m_error;
    std::string m_logPath;
};
