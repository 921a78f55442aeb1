#pragma once

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// The unit on the other end of the cable, for tests over a JACK server of
// their own (JackServer): a JACK client with one port each way, recording
// what it receives and when. Written on libjack directly, apart from the
// driver under test.
class JackUnit
{
public:
    using Clock = std::chrono::steady_clock;
    using Bytes = std::vector<uint8_t>;

    ~JackUnit() { Close(); }

    // The ports are name:editor-to-unit (the unit's input) and
    // name:unit-to-editor (its output).
    bool Open(const std::string& name = "Test Unit");
    void Close();
    // Queued for the unit's next cycle.
    void Send(const Bytes& bytes);

    // True once one of the unit's cycles ran with its output connected:
    // jack_connect returns before the graph that carries the connection is in
    // use, and what the unit writes earlier is lost. The editor's output
    // needs no such wait: the driver holds messages back itself.
    bool WaitUntilConnected(int timeoutMs = 10000) const;
    bool Connected() const { return m_connected; }

    size_t ReceivedCount() const;
    Bytes Received(size_t i) const;
    // When the unit's cycle that brought message i ran, on this process's
    // clock. (Not the server's frame time: a dummy server that falls behind
    // on a loaded machine runs late cycles back to back, and its frame clock
    // then strays from real time by many milliseconds.)
    Clock::time_point ReceivedAt(size_t i) const;
    // The time between the receipts of messages i - 1 and i, in ms.
    double GapMs(size_t i) const;
    // The server's cycle, in ms.
    double PeriodMs() const;
    // When the unit's cycle that sent its i-th message ran; the epoch while
    // that message waits.
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
