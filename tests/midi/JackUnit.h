#pragma once

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// The unit on the other end of the cable, over a test's JACK server: a JACK
// client with one port each way (name:editor-to-unit, name:unit-to-editor)
// that records what it receives and when. Written on libjack directly, apart
// from the driver under test.
class JackUnit
{
public:
    using Clock = std::chrono::steady_clock;
    using Bytes = std::vector<uint8_t>;

    ~JackUnit() { Close(); }
    bool Open(const std::string& name = "Test Unit");
    void Close();
    // Queued for the unit's next cycle.
    void Send(const Bytes& bytes) { Locked([&] { m_outgoing.push_back(bytes); }); }
    // True once a cycle of the unit ran with its output connected: what it
    // writes before the graph carries the connection is lost.
    bool WaitUntilConnected(int timeoutMs = 10000) const;
    bool Connected() const { return m_connected; }

    size_t ReceivedCount() const { return Locked([&] { return m_received.size(); }); }
    Bytes Received(size_t i) const { return Locked([&] { return m_received.at(i); }); }
    // When the cycle that brought message i ran, on this process's clock (a
    // dummy server that falls behind runs late cycles back to back, and its
    // frame clock strays from real time).
    Clock::time_point ReceivedAt(size_t i) const { return Locked([&] { return m_times.at(i); }); }
    double GapMs(size_t i) const
    {
        return std::chrono::duration<double, std::milli>(ReceivedAt(i) - ReceivedAt(i - 1)).count();
    }
    double PeriodMs() const
    {
        return m_client ? 1000.0 * jack_get_buffer_size(m_client) / jack_get_sample_rate(m_client) : 0.0;
    }
    // When the cycle that sent the unit's message i ran; the epoch while it waits.
    Clock::time_point SentAt(size_t i) const
    {
        return Locked([&] { return i < m_sentTimes.size() ? m_sentTimes[i] : Clock::time_point(); });
    }

private:
    template <typename F>
    auto Locked(F f) const -> decltype(f())
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return f();
    }
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
