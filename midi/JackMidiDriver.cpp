#include "midi/JackMidiDriver.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "midi/DoneEvent.h"
#include "midi/PortNames.h"

namespace
{
// libjack reports a missing server on stderr at every attempt to connect.
void IgnoreJackMessage(const char*) {}

jack_client_t* OpenClient(const std::string& name)
{
    jack_status_t status;
    return jack_client_open(name.c_str(), JackNoStartServer, &status);
}

// MIDI ports of other clients with these flags, in the server's order.
std::vector<std::string> ListPorts(jack_client_t* client, unsigned long flags, const std::string& clientName)
{
    std::vector<std::string> names;
    const char** ports = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    if (!ports)
        return names;
    for (const char** port = ports; *port; ++port)
        if (!PortNames::IsOwnPort(*port, clientName))
            names.emplace_back(*port);
    jack_free(ports);
    return names;
}

// One client with one port, closed only after deactivation.
class JackConnection
{
public:
    virtual ~JackConnection() { Close(); }

protected:
    bool OpenPort(const std::string& clientName, const char* portName, unsigned long flags)
    {
        m_client = OpenClient(clientName);
        if (!m_client)
            return false;
        jack_on_shutdown(m_client, &JackConnection::OnShutdown, this);
        m_port = jack_port_register(m_client, portName, JACK_DEFAULT_MIDI_TYPE, flags, 0);
        return m_port != nullptr;
    }

    // arg is what process is given: the derived object, not this base.
    bool Activate(int (*process)(jack_nframes_t, void*), void* arg, const std::string& from, const std::string& to)
    {
        jack_set_process_callback(m_client, process, arg);
        return jack_activate(m_client) == 0 && jack_connect(m_client, from.c_str(), to.c_str()) == 0;
    }

    // The process thread runs our code only inside one of these. Deactivation
    // cancels that thread at once, wherever it is (even in the middle of a
    // callback), and a thread cancelled inside a lock or a noexcept call
    // takes the program down. So Close bars new callbacks and waits for a
    // running one before it deactivates.
    class CallbackScope
    {
    public:
        explicit CallbackScope(JackConnection& connection) : m_running(connection.m_running)
        {
            m_running.fetch_add(1);
            m_entered = !connection.m_closing.load();
        }
        ~CallbackScope() { m_running.fetch_sub(1); }
        bool Entered() const { return m_entered; }

    private:
        std::atomic<int>& m_running;
        bool m_entered;
    };

    // No callback runs afterwards.
    void Close()
    {
        if (!m_client)
            return;
        m_closing = true;
        while (m_running.load() != 0)
            std::this_thread::yield();
        jack_deactivate(m_client);
        jack_client_close(m_client);
        m_client = nullptr;
        m_port = nullptr;
    }

    const char* PortName() const { return jack_port_name(m_port); }

    jack_client_t* m_client = nullptr;
    jack_port_t* m_port = nullptr;
    std::atomic<bool> m_serverGone{false};

private:
    std::atomic<bool> m_closing{false};
    std::atomic<int> m_running{0};

    static void OnShutdown(void* self) { static_cast<JackConnection*>(self)->m_serverGone = true; }
};

class JackInput : public IDriverInput, private JackConnection
{
public:
    explicit JackInput(IDriverInputSink& sink) : m_sink(sink) {}
    ~JackInput() override { Close(); }

    bool Open(const std::string& clientName, const std::string& source)
    {
        return OpenPort(clientName, "Input", JackPortIsInput) && Activate(&JackInput::Process, this, source, PortName());
    }

private:
    // JACK's process thread. Each event is one whole message.
    static int Process(jack_nframes_t frames, void* arg)
    {
        auto* self = static_cast<JackInput*>(arg);
        const CallbackScope scope(*self);
        if (!scope.Entered())
            return 0;
        void* buffer = jack_port_get_buffer(self->m_port, frames);
        const uint32_t count = jack_midi_get_event_count(buffer);
        const int64_t timeMs = static_cast<int64_t>((jack_get_time() - self->m_opened) / 1000);
        for (uint32_t i = 0; i < count; ++i)
        {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, i) != 0 || event.size == 0)
                continue;
            const uint8_t* b = event.buffer;
            if (b[0] >= 0x80 && b[0] != 0xF0 && b[0] != 0xF7 && event.size <= 3)
                self->m_sink.OnShortMessage(b[0], event.size > 1 ? b[1] : 0, event.size > 2 ? b[2] : 0, timeMs);
            else
                self->m_sink.OnLongData(b, event.size);
        }
        return 0;
    }

    IDriverInputSink& m_sink;
    const jack_time_t m_opened = jack_get_time();
};

class JackOutput : public IDriverOutput, private JackConnection
{
public:
    explicit JackOutput(DoneEvent& done) : m_done(done) {}
    ~JackOutput() override
    {
        Close();
        if (m_ring)
            jack_ringbuffer_free(m_ring);
    }

    bool Open(const std::string& clientName, const std::string& destination)
    {
        m_ring = jack_ringbuffer_create(kRingBytes);
        return m_ring && OpenPort(clientName, "Output", JackPortIsOutput) &&
               Activate(&JackOutput::Process, this, PortName(), destination);
    }

    bool SendLong(const uint8_t* bytes, size_t length) override { return Queue(bytes, length, true); }
    bool SendShort(const uint8_t* bytes, size_t length) override { return Queue(bytes, length, false); }

private:
    // Room for several of the largest messages; the process thread empties it
    // every cycle.
    static constexpr size_t kRingBytes = 64 * 1024;

    struct Header
    {
        uint32_t length;
        uint32_t isLong;
    };

    bool Queue(const uint8_t* bytes, size_t length, bool isLong)
    {
        if (m_serverGone || length == 0 || jack_ringbuffer_write_space(m_ring) < sizeof(Header) + length)
            return false;
        // The process thread takes a message only once all of it is there.
        const Header header{static_cast<uint32_t>(length), isLong ? 1u : 0u};
        jack_ringbuffer_write(m_ring, reinterpret_cast<const char*>(&header), sizeof header);
        jack_ringbuffer_write(m_ring, reinterpret_cast<const char*>(bytes), length);
        return true;
    }

    // JACK's process thread: moves whole messages from the ring into this
    // cycle's port buffer while they fit; the rest waits for the next cycle.
    // A SysEx message is finished, and the done event signalled, once it is
    // in the port buffer.
    static int Process(jack_nframes_t frames, void* arg)
    {
        auto* self = static_cast<JackOutput*>(arg);
        void* buffer = jack_port_get_buffer(self->m_port, frames);
        jack_midi_clear_buffer(buffer);
        const CallbackScope scope(*self);
        // jack_connect returns before the graph that carries the connection
        // is in use: what this cycle wrote would reach no one yet still count
        // as sent. Until then the messages wait in the ring.
        if (!scope.Entered() || jack_port_connected(self->m_port) == 0)
            return 0;
        bool wroteAny = false;
        Header header;
        while (jack_ringbuffer_peek(self->m_ring, reinterpret_cast<char*>(&header), sizeof header) == sizeof header &&
               jack_ringbuffer_read_space(self->m_ring) >= sizeof header + header.length)
        {
            jack_midi_data_t* slot = jack_midi_event_reserve(buffer, 0, header.length);
            if (!slot && wroteAny)
                break;
            jack_ringbuffer_read_advance(self->m_ring, sizeof header);
            if (slot)
                jack_ringbuffer_read(self->m_ring, reinterpret_cast<char*>(slot), header.length);
            else // larger than an empty port buffer: it can never go out
                jack_ringbuffer_read_advance(self->m_ring, header.length);
            wroteAny = wroteAny || slot;
            if (header.isLong)
                self->m_done.Signal();
        }
        return 0;
    }

    DoneEvent& m_done;
    jack_ringbuffer_t* m_ring = nullptr;
};

class JackMidiDriver : public IMidiDriver
{
public:
    explicit JackMidiDriver(std::string clientName) : m_clientName(std::move(clientName))
    {
        jack_set_error_function(&IgnoreJackMessage);
        jack_set_info_function(&IgnoreJackMessage);
    }
    ~JackMidiDriver() override
    {
        if (m_probe)
            jack_client_close(m_probe);
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
        auto connection = std::make_unique<Connection>(target);
        if (!connection->Open(m_clientName, names[static_cast<size_t>(index)]))
            return nullptr;
        return connection;
    }

    std::vector<std::string> List(unsigned long flags)
    {
        if (m_probe && m_probeGone)
        {
            jack_client_close(m_probe);
            m_probe = nullptr;
        }
        if (!m_probe)
        {
            m_probeGone = false;
            m_probe = OpenClient(m_clientName);
            if (!m_probe)
                return {};
            jack_on_shutdown(m_probe, [](void* gone) { *static_cast<std::atomic<bool>*>(gone) = true; }, &m_probeGone);
        }
        return ListPorts(m_probe, flags, m_clientName);
    }

    std::string m_clientName;
    jack_client_t* m_probe = nullptr;
    std::atomic<bool> m_probeGone{false};
};
} // namespace

std::unique_ptr<IMidiDriver> CreateJackMidiDriver(const std::string& clientName)
{
    return std::make_unique<JackMidiDriver>(clientName);
}
