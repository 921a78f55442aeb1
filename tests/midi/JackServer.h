#pragma once

#include <sys/types.h>

#include <string>

#include <gtest/gtest.h>

// A JACK server of the test process's own (dummy driver, a name no other
// process uses); JACK clients made after Start talk to it. Only one runs at
// a time on the machine (a stopping server can pull the shared metadata in
// /dev/shm from under another's client): Start takes a lock file that Stop,
// or the end of the process, gives back. The server dies with the process.
class JackServer
{
public:
    // The jackd program, or empty when it is not installed.
    static std::string FindJackd();

    JackServer() = default;
    ~JackServer() { Stop(); }
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    // Waits, against a deadline, until a client can connect; on failure
    // error() says why. Users' servers mostly run asynchronously; tests of
    // delivery want a synchronous one.
    bool Start(const std::string& jackd, int timeoutMs = 10000, bool synchronous = true);
    void Stop();
    const std::string& error() const { return m_error; }

private:
    pid_t m_pid = -1;
    std::string m_name;
    std::string m_error;
    int m_lock = -1;
};

// For a test's SetUp: starts the test's own server, or skips the test where
// jackd is not installed.
#define DORVA_START_JACK_SERVER(server, ...)                                                                   \
    do                                                                                                         \
    {                                                                                                          \
        const std::string jackd = JackServer::FindJackd();                                                     \
        if (jackd.empty())                                                                                     \
            GTEST_SKIP() << "jackd is not installed (Debian package jackd2): no MIDI server to test against"; \
        ASSERT_TRUE((server).Start(jackd, ##__VA_ARGS__)) << (server).error();                                 \
    } while (false)
