#pragma once

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

// The unit on the other end of the cable: a JACK client of its own with one
// port each way ("editor-to-unit", "unit-to-editor"), recording what it
// receives and when, and when each message it sends went out. Written on
// libjack directly, apart from the driver under test.
class JackUnit
{
public:
    using Clock = std::chrono::steady_clock;
    using Bytes = std::vector<uint8_t>;

    ~JackUnit() { Close(); }

    bool Open();
    void Close();
    // Queued for the next cycle (several may go in one).
    void Send(const Bytes& bytes);

    // True once one of the unit's cycles ran with its output connected:
    // jack_connect returns before the graph that carries the connection is in
    // use, and what the unit writes earlier is lost. The editor's output
    // needs no such wait: the driver holds messages back itself.
    bool WaitUntilConnected(int timeoutMs = 10000) const;
    bool Connected() const { return m_connected; }

    size_t ReceivedCount() const;
    Bytes Received(size_t i) const;
    Clock::time_point ReceivedAt(size_t i) const;
    // When the cycle that carried the i-th message sent ran; the epoch while
    // it has not gone yet.
    Clock::time_point SentAt(size_t i) const;

private:
    // JACK's process thread.
    static int Process(jack_nframes_t frames, void* arg);

    mutable std::mutex m_mutex;
    std::vector<Bytes> m_received;
    std::vector<Clock::time_point> m_times;
    std::deque<Bytes> m_outgoing;
    std::vector<Clock::time_point> m_sentTimes;
    std::atomic<bool> m_connected{false};
    jack_client_t* m_client = nullptr;
    jack_port_t* m_in = nullptr;
    jack_port_t* m_out = nullptr;
};
