#pragma once

#include <jack/jack.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

// What one port of the program's JACK client does in each cycle. Runs on
// JACK's process thread.
class IJackPortUser
{
public:
    virtual ~IJackPortUser() = default;
    virtual void Process(jack_nframes_t frames) = 0;
};

// The program's one JACK client: it lists the server's ports, and every port
// the program opens is one of its ports, served by one process callback, so
// a single thread wakes each period however many ports are open. It is
// active only while a port is. Shared by the driver and its connections; a
// client whose server went away stays with its connections until they close
// (the driver makes a new one). GUI thread only, apart from the callback.
class JackClient
{
public:
    // Null when no server answers.
    static std::shared_ptr<JackClient> Open(const std::string& name);
    ~JackClient();
    JackClient(const JackClient&) = delete;
    JackClient& operator=(const JackClient&) = delete;

    jack_client_t* Handle() const { return m_client; }
    // The server shut down or dropped this client.
    bool Gone() const { return m_gone; }

    // MIDI ports of the server with these flags, in its order, without this
    // program's own.
    std::vector<std::string> ListPorts(unsigned long flags, const std::string& programName) const;
    // A new port named after base (with a number when base is taken).
    jack_port_t* RegisterPort(const char* base, unsigned long flags);
    void UnregisterPort(jack_port_t* port);

    // user's Process runs in every cycle from here on; the first user
    // activates the client. False when no slot is free or it cannot start.
    bool Attach(IJackPortUser& user);
    // Returns once no cycle can reach user any more; the last user
    // deactivates the client.
    void Detach(IJackPortUser& user);

private:
    explicit JackClient(jack_client_t* client) : m_client(client) {}

    static constexpr size_t kUsers = 8;
    // What one activation's callback reads. Deactivation may cut its thread
    // short anywhere, even between the two counts of `running`, so each
    // activation gets fresh ones.
    struct Cycle
    {
        std::array<std::atomic<IJackPortUser*>, kUsers> users{};
        std::atomic<int> running{0};
    };

    static int Process(jack_nframes_t frames, void* arg);
    void Deactivate();

    jack_client_t* m_client;
    std::atomic<bool> m_gone{false};
    std::unique_ptr<Cycle> m_cycle;
    int m_userCount = 0;
};
