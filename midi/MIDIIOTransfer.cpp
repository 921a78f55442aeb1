#include <algorithm>
#include <cstdio>

#include "midi/MIDIIO.h"
#include "midi/MIDIIOState.h"
#include "midi/MidiWakeUp.h"

namespace MIDIIO
{
namespace
{
// The input liveness check runs on every 201st poll, about every 4 seconds.
constexpr int kPollsBetweenChecks = 200;

void SendStep()
{
    ManagerState& m = Manager();
    if (m.progressListener)
        m.progressListener->OnTransferStart();
    // The bytes are copied: a listener may begin the next send from its callback.
    const SysExBuffer bytes = m.sendBuffer;
    const bool sent = m.output && m.output->IsAlive() && m.output->SendSysEx(bytes.data(), bytes.size());
    m.state = kIdle;
    if (m.progressListener)
    {
        if (sent)
            m.progressListener->OnTransferComplete();
        else
            m.progressListener->OnTransferFailed();
    }
}

void ReceiveStep()
{
    ManagerState& m = Manager();
    if (m.input && !m.input->IsAlive())
    {
        SyncPorts();
        // The receive's listeners say it: no device-lost notice besides.
        m.failedSides &= ~kInputSide;
    }
    if (!m.input)
    {
        // The receive ends before the listeners hear of it: their message
        // boxes run nested idle passes, which must find nothing to fail.
        ISysExListener* sysEx = m.sysExListener;
        IProgressListener* progress = m.progressListener;
        m.receiveBuffer.Clear();
        m.sysExListener = nullptr;
        m.state = kIdle;
        const unsigned aborts = m.aborts;
        if (progress)
            progress->OnTransferFailed();
        if (sysEx && m.aborts == aborts)
            sysEx->OnSysExInterrupted();
        return;
    }
    if (m.input->HasSysEx())
    {
        const SysExRecord record = m.input->PopSysEx();
        const size_t length = static_cast<size_t>(record.MessageLength());
        const size_t start = m.receiveBuffer.size();
        m.receiveBuffer.resize(start + length);
        std::copy(record.bytes, record.bytes + length, m.receiveBuffer.data() + start);

        SysExBuffer received;
        std::swap(received, m.receiveBuffer);
        ISysExListener* sysEx = m.sysExListener;
        IProgressListener* progress = m.progressListener;
        m.sysExListener = nullptr;
        m.state = kIdle;
        const unsigned aborts = m.aborts;
        if (progress)
            progress->OnTransferComplete();
        // Aborted from the progress call: the listener is forgotten and may be gone.
        if (sysEx && m.aborts == aborts)
            sysEx->OnSysExReceived(received);
        return;
    }
    if (m.progressListener)
        m.progressListener->OnTransferWaiting();
}

// A listener may remove itself or others, add listeners or start a
// transfer from its call: each is called only while still registered, and
// delivery stops once a transfer runs.
void DeliverShortMessages()
{
    ManagerState& m = Manager();
    while (m.state == kIdle && m.input && m.input->HasShortMessage())
    {
        const MidiShortMessage message = m.input->PopShortMessage();
        const std::vector<IMessageListener*> listeners = m.messageListeners;
        for (IMessageListener* listener : listeners)
            if (std::find(m.messageListeners.begin(), m.messageListeners.end(), listener) !=
                m.messageListeners.end())
                listener->OnMidiMessage(message.status, message.data1, message.data2);
    }
}

bool IdleStep()
{
    ManagerState& m = Manager();
    if (TakeRequests())
        return true;
    SyncPorts();
    if (m.selectedInput == -1)
        return true;
    if (++m.pollCounter > kPollsBetweenChecks)
    {
        m.pollCounter = 0;
        if (!m.input)
            return false;
    }
    if (!m.input)
        return true;
    DeliverShortMessages();
    // SysEx arriving while no receive runs is dropped.
    while (m.state == kIdle && m.input && m.input->HasSysEx())
        m.input->PopSysEx();
    return true;
}
} // namespace

bool BeginSend(const uint8_t* bytes, size_t length, IProgressListener* progress)
{
    ManagerState& m = Manager();
    if (!m.output || !m.output->IsAlive())
        return false;
    m.sendBuffer.resize(length);
    std::copy(bytes, bytes + length, m.sendBuffer.data());
    m.progressListener = progress;
    m.state = kSending;
    MidiWakeUp();
    return true;
}

bool BeginSend(const SysExBuffer& bytes, IProgressListener* progress)
{
    return BeginSend(bytes.data(), bytes.size(), progress);
}

bool BeginReceive(ISysExListener* sysEx, IProgressListener* progress)
{
    ManagerState& m = Manager();
    if (!m.input || !m.input->IsAlive() || !sysEx)
        return false;
    m.sysExListener = sysEx;
    m.progressListener = progress;
    m.state = kReceiving;
    MidiWakeUp();
    return true;
}

void AbortTransfer()
{
    ManagerState& m = Manager();
    m.sysExListener = nullptr;
    m.progressListener = nullptr;
    m.receiveBuffer.Clear();
    ++m.aborts;
    // From state 1 the ports stay released, so a pending reopen still runs.
    if (m.state == kSending || m.state == kReceiving)
        m.state = kIdle;
}

void ReleaseListeners(ISysExListener* sysEx, IProgressListener* progress)
{
    ManagerState& m = Manager();
    const bool named = (sysEx && m.sysExListener == sysEx) || (progress && m.progressListener == progress);
    if (named)
        AbortTransfer();
}

bool IsReceiving()
{
    return Manager().state == kReceiving;
}

void SendPendingNow()
{
    if (Manager().state == kSending)
        OnIdle();
}

bool WaitUntilSent(int timeoutMs)
{
    ManagerState& m = Manager();
    return m.output && m.output->WaitUntilSent(timeoutMs);
}

bool AddMessageListener(IMessageListener* listener)
{
    Manager().messageListeners.push_back(listener);
    return true;
}

bool RemoveMessageListener(IMessageListener* listener)
{
    std::vector<IMessageListener*>& listeners = Manager().messageListeners;
    const auto found = std::find(listeners.begin(), listeners.end(), listener);
    if (found == listeners.end())
        return false;
    listeners.erase(found);
    return true;
}

int GetListenerCount()
{
    return static_cast<int>(Manager().messageListeners.size());
}

bool HasIdleWork()
{
    const ManagerState& m = Manager();
    switch (m.state)
    {
    case kSending:
    case kReceiving:
        return true;
    case kClosed:
        return m.openRequest || m.closeRequest;
    case kIdle:
        // Requests wait for the end of a paced transfer, which wakes them.
        return ((m.openRequest || m.closeRequest) && m.holds == 0) || PortsNeedSync() ||
               (m.input && (m.input->HasShortMessage() || m.input->HasSysEx()));
    default:
        return false;
    }
}

bool OnIdle()
{
    ManagerState& m = Manager();
    if (m.inIdle)
        return true;
    // Listeners' message boxes run nested idle passes; those must not step again.
    struct Guard
    {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(m.inIdle);
    bool result = true;
    switch (m.state)
    {
    case kClosed:
        TakeRequests();
        break;
    case kSending:
        SendStep();
        break;
    case kReceiving:
        ReceiveStep();
        break;
    case kIdle:
        result = IdleStep();
        break;
    default:
        break;
    }
    return result;
}

std::array<std::string, 4> FormatMessage(uint8_t status, int data1, int data2)
{
    auto text = [](const char* format, int value) {
        char line[48];
        std::snprintf(line, sizeof line, format, value);
        return std::string(line);
    };
    auto hex = [](const char* format, int value) {
        char line[48];
        std::snprintf(line, sizeof line, format, static_cast<unsigned>(value));
        return std::string(line);
    };
    const int kind = status & 0xF0;
    const std::string channel = text("Channel: %d", (status & 0x0F) + 1);
    switch (kind)
    {
    case 0x80:
        return {"Note off", channel, text("Note: %d", data1), text("Velocity: %d", data2)};
    case 0x90:
        return {"Note on", channel, text("Note: %d", data1), text("Velocity: %d", data2)};
    case 0xB0:
        return {"CC", channel, text("CC#: %d", data1), text("Value: %d", data2)};
    case 0xC0:
        return {"Prog. Change", channel, hex("Data 1: %X", data1), ""};
    case 0xD0:
        return {"Aftertouch", channel, text("Value: %d", data1), ""};
    case 0xE0:
        // Only the most significant seven bits.
        return {"Pitchbend", channel, text("Value: %d", data2), ""};
    case 0xF0:
        return {"SysEx", "", hex("Data 1: %X", data1), hex("Data 2: %X", data2)};
    default:
        return {hex("Type: %X", kind), channel, text("Data 1: %d", data1), text("Data 2: %d", data2)};
    }
}
} // namespace MIDIIO
