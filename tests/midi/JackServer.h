#pragma once

#include <sys/types.h>

#include <string>

// A JACK server of its own for one test process: the dummy driver, no audio
// hardware, a name no other process uses. JACK clients made after Start in
// this process talk to it (JACK_DEFAULT_SERVER).
//
// Servers of one user share a metadata store in /dev/shm, and one that stops
// can pull it from under a client of another (a crash), so only one runs at
// a time on the machine: Start takes a lock file that Stop, or the end of
// the process, gives back. The server dies with the test process.
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
    // connect. On failure, error() says why. Servers of users mostly run
    // asynchronously; tests of delivery want the synchronous one (below).
    bool Start(const std::string& jackd, int timeoutMs = 10000, bool synchronous = true);
    void Stop();
    const std::string& error() const { return m_error; }
    const std::string& name() const { return m_name; }

private:
    bool Launch(const std::string& jackd, int timeoutMs, bool synchronous);
    void RemoveLeftovers();
    void ClearStaleJackState();

    pid_t m_pid = -1;
    std::string m_name;
    std::string m_error;
    std::string m_logPath;
    int m_lock = -1;
};
