#include "midi/JackMidiDriver.h"

#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "midi/DoneEvent.h"
#include "midi/JackClient.h"
#include "midi/MidiMessages.h"
#include "midi/MidiWakeUp.h"

namespace
{
// libjack reports a missing server on stderr at every attempt to connect.
void IgnoreJackMessage(const char*) {}

// One port of the program's client, connected to another client's port.
// Closing it waits until no cycle can reach it, then gives the port back.
class JackConnection : protected IJackPortUser
{
public:
    explicit JackConnection(std::shared_ptr<JackClient> client) : m_client(std::move(client)) {}
    ~JackConnection() override { Close(); }

protected:
    // The port is ours, connected from `from` to `to` (one of them is ours:
    // pass an empty name for it).
    bool OpenPort(const char* base, unsigned long flags, const std::string& from, const std::string& to)
    {
        m_port = m_client->RegisterPort(base, flags);
        if (!m_port || !m_client->Attach(*this))
            return false;
        m_attached = true;
        const std::string own = jack_port_name(m_port);
        return jack_connect(m_client->Handle(), from.empty() ? own.c_str() : from.c_str(),
                            to.empty() ? own.c_str() : to.c_str()) == 0;
    }

    // No cycle reaches this connection afterwards.
    void Close()
    {
        if (m_attached)
            m_client->Detach(*this);
        m_attached = false;
        m_client->UnregisterPort(m_port);
        m_port = nullptr;
    }

    bool ServerGone() const { return m_client->Gone(); }
    // The server went away, or so did the other client's port once the
    // connection had been made.
    bool ConnectionAlive() const { return !ServerGone() && !m_peerLost; }

    // JACK's process thread: whether the connection carries anything this
    // cycle. jack_connect returns before the graph carries the connection,
    // so a port not connected yet is only lost once it has been connected.
    bool NoteConnection()
    {
        const bool connected = jack_port_connected(m_port) > 0;
        if (connected)
            m_seenConnected = true;
        else if (m_seenConnected && !m_peerLost.exchange(true))
            MidiWakeUp(); // the idle step that drops the port
        return connected;
    }

    std::shared_ptr<JackClient> m_client;
    jack_port_t* m_port = nullptr;

private:
    bool m_attached = false;
    std::atomic<bool> m_seenConnected{false};
    std::atomic<bool> m_peerLost{false};
};

class JackInput : public IDriverInput, private JackConnection
{
public:
    JackInput(std::shared_ptr<JackClient> client, IDriverInputSink& sink)
        : JackConnection(std::move(client)), m_sink(sink)
    {
    }
    ~JackInput() override { Close(); }

    bool Open(const std::string& source) { return OpenPort("Input", JackPortIsInput, source, std::string()); }
    bool IsAlive() const override { return ConnectionAlive(); }

private:
    // JACK's process thread. Each event is one whole message.
    void Process(jack_nframes_t frames) override
    {
        NoteConnection();
        void* buffer = jack_port_get_buffer(m_port, frames);
        const uint32_t count = jack_midi_get_event_count(buffer);
        const int64_t timeMs = static_cast<int64_t>((jack_get_time() - m_opened) / 1000);
        for (uint32_t i = 0; i < count; ++i)
        {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, i) != 0 || event.size == 0)
                continue;
            const uint8_t* b = event.buffer;
            if (b[0] >= 0x80 && b[0] != 0xF0 && b[0] != 0xF7 && event.size <= 3)
                m_sink.OnShortMessage(b[0], event.size > 1 ? b[1] : 0, event.size > 2 ? b[2] : 0, timeMs);
            else
                m_sink.OnLongData(b, event.size);
        }
    }

    IDriverInputSink& m_sink;
    const jack_time_t m_opened = jack_get_time();
};

// Messages wait in a ring until the process thread moves them into a cycle's
// port buffer, as many in one cycle as fit. The driver is done with a SysEx
// message (the done event) as soon as it is in the ring while the ring has
// room for one more of the largest; it has been sent once it is in a port
// buffer.
class JackOutput : public IDriverOutput, private JackConnection
{
public:
    JackOutput(std::shared_ptr<JackClient> client, DoneEvent& done) : JackConnection(std::move(client)), m_done(done) {}
    ~JackOutput() override
    {
        Close();
        if (m_ring)
            jack_ringbuffer_free(m_ring);
    }

    bool Open(const std::string& destination)
    {
        m_ring = jack_ringbuffer_create(kRingBytes);
        return m_ring && OpenPort("Output", JackPortIsOutput, std::string(), destination);
    }

    bool SendLong(const uint8_t* bytes, size_t length) override
    {
        if (!Queue(bytes, length, true))
            return false;
        // The next send waits only when the ring cannot take the largest
        // message; the process thread signals once it can.
        m_roomWanted = true;
        SignalIfRoom();
        return true;
    }

    bool SendShort(const uint8_t* bytes, size_t length) override { return Queue(bytes, length, false); }
    bool IsAlive() const override { return ConnectionAlive(); }

    bool WaitUntilSent(int timeoutMs) override
    {
        std::unique_lock<std::mutex> lock(m_sentMutex);
        return m_sentChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                      [this] { return jack_ringbuffer_read_space(m_ring) == 0; });
    }

private:
    // Room for several of the largest messages; the process thread empties it
    // every cycle.
    static constexpr size_t kRingBytes = 64 * 1024;

    struct Header
    {
        uint32_t length;
        uint32_t isLong;
    };
    static constexpr size_t kRoomForAnother = sizeof(Header) + kMaxSysExLength;

    bool Queue(const uint8_t* bytes, size_t length, bool isLong)
    {
        if (ServerGone() || length == 0 || jack_ringbuffer_write_space(m_ring) < sizeof(Header) + length)
            return false;
        // The process thread takes a message only once all of it is there.
        const Header header{static_cast<uint32_t>(length), isLong ? 1u : 0u};
        jack_ringbuffer_write(m_ring, reinterpret_cast<const char*>(&header), sizeof header);
        jack_ringbuffer_write(m_ring, reinterpret_cast<const char*>(bytes), length);
        return true;
    }

    // From either thread; the exchange lets exactly one of them signal.
    void SignalIfRoom()
    {
        if (jack_ringbuffer_write_space(m_ring) >= kRoomForAnother && m_roomWanted.exchange(false))
            m_done.Signal();
    }

    // JACK's process thread.
    void Process(jack_nframes_t frames) override
    {
        void* buffer = jack_port_get_buffer(m_port, frames);
        jack_midi_clear_buffer(buffer);
        // jack_connect returns before the graph that carries the connection
        // is in use: what this cycle wrote would reach no one yet still count
        // as sent. Until then the messages wait in the ring.
        if (!NoteConnection())
            return;
        bool movedAny = false;
        bool wroteAny = false;
        Header header;
        while (jack_ringbuffer_peek(m_ring, reinterpret_cast<char*>(&header), sizeof header) == sizeof header &&
               jack_ringbuffer_read_space(m_ring) >= sizeof header + header.length)
        {
            jack_midi_data_t* slot = jack_midi_event_reserve(buffer, 0, header.length);
            if (!slot && wroteAny)
                break;
            jack_ringbuffer_read_advance(m_ring, sizeof header);
            if (slot)
                jack_ringbuffer_read(m_ring, reinterpret_cast<char*>(slot), header.length);
            else // larger than an empty port buffer: it can never go out
                jack_ringbuffer_read_advance(m_ring, header.length);
            wroteAny = wroteAny || slot;
            movedAny = true;
        }
        if (!movedAny)
            return;
        SignalIfRoom();
        if (jack_ringbuffer_read_space(m_ring) == 0)
        {
            const std::lock_guard<std::mutex> lock(m_sentMutex);
            m_sentChanged.notify_all();
        }
    }

    DoneEvent& m_done;
    jack_ringbuffer_t* m_ring = nullptr;
    std::atomic<bool> m_roomWanted{false};
    std::mutex m_sentMutex;
    std::condition_variable m_sentChanged;
};

class JackMidiDriver : public IMidiDriver
{
public:
    explicit JackMidiDriver(std::string clientName) : m_clientName(std::move(clientName))
    {
        jack_set_error_function(&IgnoreJackMessage);
        jack_set_info_function(&IgnoreJackMessage);
    }

    // Devices that send are the others' output ports, and the reverse.
    std::vector<std::string> InputNames() override { return List(JackPortIsOutput); }
    std::vector<std::string> OutputNames() override { return List(JackPortIsInput); }

    std::unique_ptr<IDriverInput> OpenInput(int index, IDriverInputSink& sink) override
    {
        return Open<JackInput>(InputNames(), index, sink);
    }

    std::unique_ptr<IDriverOutput> OpenOutput(int index, DoneEvent& done) override
    {
        return Open<JackOutput>(OutputNames(), index, done);
    }

private:
    // A connection to the other client's port at index of names.
    template <typename Connection, typename Target>
    std::unique_ptr<Connection> Open(const std::vector<std::string>& names, int index, Target& target)
    {
        if (index < 0 || static_cast<size_t>(index) >= names.size())
            return nullptr;
        auto connection = std::make_unique<Connection>(m_client, target);
        if (!connection->Open(names[static_cast<size_t>(index)]))
            return nullptr;
        return connection;
    }

    // The server's ports, through the live client (a new one once the
    // server of the old one went away).
    std::vector<std::string> List(unsigned long flags)
    {
        if (m_client && m_client->Gone())
            m_client.reset();
        if (!m_client)
            m_client = JackClient::Open(m_clientName);
        if (!m_client)
            return {};
        return m_client->ListPorts(flags, m_clientName);
    }

    std::string m_clientName;
    std::shared_ptr<JackClient> m_client;
};
} // namespace

std::unique_ptr<IMidiDriver> CreateJackMidiDriver(const std::string& clientName)
{
    return std::make_unique<JackMidiDriver>(clientName);
}
