#include "midi/RtMidiDriver.h"

#include <RtMidi.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <utility>

#include "midi/DoneEvent.h"
#include "midi/PortNames.h"

namespace
{
// Set on every RtMidi object right after it is made: without it driver
// errors throw and warnings go to stderr. A report while a call runs makes
// that call fail.
struct ErrorFlag
{
    std::atomic<bool> raised{false};

    static void Callback(RtMidiError::Type, const std::string&, void* user)
    {
        static_cast<ErrorFlag*>(user)->raised = true;
    }
    template <typename Port>
    void Watch(Port& port)
    {
        port.setErrorCallback(&ErrorFlag::Callback, this);
    }
};

// Our list index -> the driver's port number, with the names we show.
std::vector<std::pair<unsigned, std::string>> ListPorts(RtMidi& probe, const std::string& clientName)
{
    std::vector<std::pair<unsigned, std::string>> ports;
    const unsigned count = probe.getPortCount();
    for (unsigned i = 0; i < count; ++i)
    {
        const std::string name = probe.getPortName(i);
        if (name.empty() || PortNames::IsOwnPort(name, clientName))
            continue;
        ports.emplace_back(i, PortNames::StripAddress(name));
    }
    return ports;
}

std::vector<std::string> NamesOf(const std::vector<std::pair<unsigned, std::string>>& ports)
{
    std::vector<std::string> names;
    for (const auto& port : ports)
        names.push_back(port.second);
    return names;
}

class RtInputConnection : public IDriverInput
{
public:
    explicit RtInputConnection(IDriverInputSink& sink) : m_sink(sink) {}
    // Destroying the RtMidi object closes the port and joins its thread (or
    // closes the JACK client), so no callback runs afterwards.
    ~RtInputConnection() override { m_in.reset(); }

    bool Open(RtMidi::Api api, const std::string& clientName, unsigned port)
    {
        try
        {
            m_in = std::make_unique<RtMidiIn>(api, clientName);
        }
        catch (const RtMidiError&)
        {
            return false;
        }
        m_errors.Watch(*m_in);
        // RtMidi drops SysEx, clock and active sensing unless told otherwise.
        m_in->ignoreTypes(false, false, false);
        m_in->setCallback(&RtInputConnection::OnMessage, this);
        m_in->openPort(port, clientName + " Input");
        return m_in->isPortOpen() && !m_errors.raised;
    }

private:
    // RtMidi's thread: the ALSA input thread or the JACK process thread.
    // One whole message per call.
    static void OnMessage(double, std::vector<unsigned char>* message, void* user)
    {
        auto* self = static_cast<RtInputConnection*>(user);
        if (!message || message->empty())
            return;
        const std::vector<unsigned char>& m = *message;
        const bool isShort = m[0] >= 0x80 && m[0] != 0xF0 && m[0] != 0xF7 && m.size() <= 3;
        if (!isShort)
        {
            self->m_sink.OnLongData(m.data(), m.size());
            return;
        }
        const auto elapsed = std::chrono::steady_clock::now() - self->m_opened;
        self->m_sink.OnShortMessage(m[0], m.size() > 1 ? m[1] : 0, m.size() > 2 ? m[2] : 0,
                                 std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }

    IDriverInputSink& m_sink;
    const std::chrono::steady_clock::time_point m_opened = std::chrono::steady_clock::now();
    ErrorFlag m_errors;
    std::unique_ptr<RtMidiIn> m_in;
};

class RtOutputConnection : public IDriverOutput
{
public:
    explicit RtOutputConnection(DoneEvent& done) : m_done(done) {}

    bool Open(RtMidi::Api api, const std::string& clientName, unsigned port)
    {
        try
        {
            m_out = std::make_unique<RtMidiOut>(api, clientName);
        }
        catch (const RtMidiError&)
        {
            return false;
        }
        m_errors.Watch(*m_out);
        m_out->openPort(port, clientName + " Output");
        return m_out->isPortOpen() && !m_errors.raised;
    }

    // RtMidi copies the bytes before sendMessage returns, so the buffer is
    // free again at once.
    bool SendLong(const uint8_t* bytes, size_t length) override
    {
        if (!Send(bytes, length))
            return false;
        m_done.Signal();
        return true;
    }

    bool SendShort(const uint8_t* bytes, size_t length) override { return Send(bytes, length); }

private:
    bool Send(const uint8_t* bytes, size_t length)
    {
        m_errors.raised = false;
        m_out->sendMessage(bytes, length);
        return !m_errors.raised;
    }

    DoneEvent& m_done;
    ErrorFlag m_errors;
    std::unique_ptr<RtMidiOut> m_out;
};

class RtMidiDriver : public IMidiDriver
{
public:
    RtMidiDriver(RtMidi::Api api, std::string clientName) : m_api(api), m_clientName(std::move(clientName))
    {
        // Both throw when the backend cannot start; the caller catches.
        m_probeIn = std::make_unique<RtMidiIn>(api, m_clientName);
        m_probeInErrors.Watch(*m_probeIn);
        m_probeOut = std::make_unique<RtMidiOut>(api, m_clientName);
        m_probeOutErrors.Watch(*m_probeOut);
    }

    std::vector<std::string> InputNames() override { return NamesOf(ListPorts(*m_probeIn, m_clientName)); }
    std::vector<std::string> OutputNames() override { return NamesOf(ListPorts(*m_probeOut, m_clientName)); }

    std::unique_ptr<IDriverInput> OpenInput(int index, IDriverInputSink& sink) override
    {
        const auto ports = ListPorts(*m_probeIn, m_clientName);
        if (index < 0 || static_cast<size_t>(index) >= ports.size())
            return nullptr;
        auto connection = std::make_unique<RtInputConnection>(sink);
        if (!connection->Open(m_api, m_clientName, ports[static_cast<size_t>(index)].first))
            return nullptr;
        return connection;
    }

    std::unique_ptr<IDriverOutput> OpenOutput(int index, DoneEvent& done) override
    {
        const auto ports = ListPorts(*m_probeOut, m_clientName);
        if (index < 0 || static_cast<size_t>(index) >= ports.size())
            return nullptr;
        auto connection = std::make_unique<RtOutputConnection>(done);
        if (!connection->Open(m_api, m_clientName, ports[static_cast<size_t>(index)].first))
            return nullptr;
        return connection;
    }

private:
    RtMidi::Api m_api;
    std::string m_clientName;
    ErrorFlag m_probeInErrors;
    ErrorFlag m_probeOutErrors;
    std::unique_ptr<RtMidiIn> m_probeIn;
    std::unique_ptr<RtMidiOut> m_probeOut;
};

} // namespace

std::unique_ptr<IMidiDriver> CreateRtMidiDriver(const std::string& clientName)
{
    // Without the sequencer device ALSA fails anyway, after printing its own
    // complaint to stderr; skip it quietly.
    if (access("/dev/snd/seq", R_OK | W_OK) != 0)
        return nullptr;
    try
    {
        return std::make_unique<RtMidiDriver>(RtMidi::LINUX_ALSA, clientName);
    }
    catch (const RtMidiError&)
    {
        return nullptr;
    }
}
