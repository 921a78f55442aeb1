#include "midi/MIDIIO.h"

#include <algorithm>
#include <utility>

#include "midi/MIDIIOState.h"
#include "midi/MidiPorts.h"
#include "midi/MidiWakeUp.h"
#include "midi/SystemMidiDriver.h"

namespace MIDIIO
{
ManagerState& Manager()
{
    static ManagerState state;
    return state;
}

namespace
{
// The lowest entry of a kind whose name contains text; -1 when none.
template <typename IsKind>
int FindEntry(const std::string& text, IsKind isKind)
{
    for (int i = 0; i < GetDeviceCount(); ++i)
        if (isKind(i) && GetDeviceName(i).find(text) != std::string::npos)
            return i;
    return -1;
}

// The live index of entry's device: the same name, the same occurrence of
// it when several devices share the name; -1 when it is not there.
int LiveIndex(const std::vector<std::string>& listed, int entry, const std::vector<std::string>& live)
{
    if (entry < 0 || static_cast<size_t>(entry) >= listed.size())
        return -1;
    const std::string& name = listed[static_cast<size_t>(entry)];
    auto rank = std::count(listed.begin(), listed.begin() + entry, name);
    for (size_t i = 0; i < live.size(); ++i)
        if (live[i] == name && rank-- == 0)
            return static_cast<int>(i);
    return -1;
}

constexpr std::chrono::seconds kRetryInterval{1};

void NoteOpen(int side, bool opened)
{
    ManagerState& m = Manager();
    if (opened)
    {
        m.reportedSides &= ~side;
        m.failedSides &= ~side;
        return;
    }
    m.retryAt = std::chrono::steady_clock::now() + kRetryInterval;
    if (!(m.reportedSides & side))
        m.failedSides |= side;
    m.reportedSides |= side;
}

// The port exists for the selection, or nothing is selected and none exists.
template <typename Port>
bool IsCurrent(const Port& port, int entry, int selected)
{
    return selected == -1 ? !port : port && entry == selected;
}
} // namespace

bool Init(bool releaseDriver, std::unique_ptr<IMidiDriver> driver)
{
    Shutdown();
    ManagerState& m = Manager();
    m.driver = driver ? std::move(driver) : CreateSystemMidiDriver();
    m.onDemand = releaseDriver;
    m.state = m.onDemand ? kClosed : kIdle;
    if (m.driver)
    {
        m.names = m.driver->InputNames();
        m.inputCount = static_cast<int>(m.names.size());
        const std::vector<std::string> outputs = m.driver->OutputNames();
        m.names.insert(m.names.end(), outputs.begin(), outputs.end());
    }
    m.deviceCount = static_cast<int>(m.names.size());
    return true;
}

void Shutdown()
{
    ManagerState& m = Manager();
    m.input.reset();
    m.output.reset();
    m = ManagerState();
}

int GetState()
{
    return Manager().state;
}

int GetDeviceCount()
{
    return Manager().deviceCount;
}

std::string GetDeviceName(int i)
{
    const ManagerState& m = Manager();
    if (i < 0 || i >= m.deviceCount)
        return std::string();
    return m.names[static_cast<size_t>(i)];
}

bool IsInputDevice(int i)
{
    return i >= 0 && i < Manager().inputCount;
}

bool IsOutputDevice(int i)
{
    return i >= Manager().inputCount;
}

bool SelectInputDevice(int i)
{
    if (!IsInputDevice(i))
        return false;
    Manager().selectedInput = i;
    return Manager().onDemand ? true : OpenInputPort();
}

bool SelectOutputDevice(int i)
{
    if (!IsOutputDevice(i))
        return false;
    Manager().selectedOutput = i;
    return Manager().onDemand ? true : OpenOutputPort();
}

bool SelectFirstInputDevice()
{
    const int entry = FindEntry(std::string(), IsInputDevice);
    if (entry < 0)
        return false;
    SelectInputDevice(entry);
    return true;
}

bool SelectFirstOutputDevice()
{
    const int entry = FindEntry(std::string(), IsOutputDevice);
    if (entry < 0)
        return false;
    SelectOutputDevice(entry);
    return true;
}

bool SelectInputDeviceByName(const std::string& text)
{
    const int entry = FindEntry(text, IsInputDevice);
    return entry >= 0 && SelectInputDevice(entry);
}

bool SelectOutputDeviceByName(const std::string& text)
{
    const int entry = FindEntry(text, IsOutputDevice);
    return entry >= 0 && SelectOutputDevice(entry);
}

bool DeviceExists(const std::string& text)
{
    return FindEntry(text, [](int) { return true; }) >= 0;
}

int GetSelectedInputDevice()
{
    return Manager().selectedInput;
}

int GetSelectedOutputDevice()
{
    return Manager().selectedOutput;
}

bool OpenInputPort()
{
    ManagerState& m = Manager();
    m.input.reset();
    m.inputEntry = m.selectedInput;
    if (m.selectedInput == -1)
        return true;
    const std::vector<std::string> inputs(m.names.begin(), m.names.begin() + m.inputCount);
    if (m.driver)
        m.input = MidiPorts::OpenInput(*m.driver, LiveIndex(inputs, m.selectedInput, m.driver->InputNames()));
    NoteOpen(kInputSide, m.input != nullptr);
    return m.input != nullptr;
}

bool OpenOutputPort()
{
    ManagerState& m = Manager();
    m.output.reset();
    m.outputEntry = m.selectedOutput;
    if (m.selectedOutput == -1)
        return true;
    const std::vector<std::string> outputs(m.names.begin() + m.inputCount, m.names.end());
    if (m.driver)
        m.output = MidiPorts::OpenOutput(
            *m.driver, LiveIndex(outputs, m.selectedOutput - m.inputCount, m.driver->OutputNames()));
    NoteOpen(kOutputSide, m.output != nullptr);
    return m.output != nullptr;
}

bool OpenPorts()
{
    ManagerState& m = Manager();
    bool open = true;
    if (!IsCurrent(m.input, m.inputEntry, m.selectedInput))
        open = OpenInputPort() && open;
    if (!IsCurrent(m.output, m.outputEntry, m.selectedOutput))
        open = OpenOutputPort() && open;
    m.state = kIdle;
    return open;
}

void SyncPorts()
{
    ManagerState& m = Manager();
    if (m.input && !m.input->IsAlive())
    {
        m.input.reset();
        NoteOpen(kInputSide, false);
    }
    if (m.output && !m.output->IsAlive())
    {
        m.output.reset();
        NoteOpen(kOutputSide, false);
    }
    const bool retryDue = std::chrono::steady_clock::now() >= m.retryAt;
    if (!IsCurrent(m.input, m.inputEntry, m.selectedInput) && (m.inputEntry != m.selectedInput || retryDue))
        OpenInputPort();
    if (!IsCurrent(m.output, m.outputEntry, m.selectedOutput) && (m.outputEntry != m.selectedOutput || retryDue))
        OpenOutputPort();
}

bool PortsNeedSync()
{
    const ManagerState& m = Manager();
    return (m.input && !m.input->IsAlive()) || (m.output && !m.output->IsAlive()) ||
           !IsCurrent(m.input, m.inputEntry, m.selectedInput) || !IsCurrent(m.output, m.outputEntry, m.selectedOutput);
}

void ClosePorts()
{
    ManagerState& m = Manager();
    m.input.reset();
    m.output.reset();
    m.state = kClosed;
}

// The later request wins: losing the focus ends the retries of a failing
// open and drops an open not yet taken, while a reopen asked for after a
// close still runs (close on one pass, open on the next).
void RequestOpen()
{
    ManagerState& m = Manager();
    if (!m.onDemand)
        return;
    m.openRequest = true;
    if (m.state == kClosed)
        m.closeRequest = false;
    MidiWakeUp();
}

void RequestClose()
{
    ManagerState& m = Manager();
    if (!m.onDemand)
        return;
    m.closeRequest = true;
    m.openRequest = false;
    MidiWakeUp();
}

void ApplyRequestsNow()
{
    ManagerState& m = Manager();
    if (!m.onDemand || (m.state != kIdle && m.state != kClosed))
        return;
    // In state 4 a close is taken alone; the open then follows from state 1.
    if (TakeRequests())
        TakeRequests();
}

bool HasInputPort()
{
    return Manager().input != nullptr;
}

bool HasOutputPort()
{
    return Manager().output != nullptr;
}

void HoldPorts()
{
    ++Manager().holds;
}

void ReleasePorts()
{
    ManagerState& m = Manager();
    if (m.holds > 0)
        --m.holds;
    // Requests that waited for the transfer's end can be taken now.
    if (m.holds == 0 && (m.closeRequest || m.openRequest))
        MidiWakeUp();
}

int TakeFailedSides()
{
    return std::exchange(Manager().failedSides, 0);
}

bool TakeRequests()
{
    ManagerState& m = Manager();
    if (m.state == kClosed)
    {
        // A failed open may have left one port open: release it too.
        if (m.closeRequest)
            ClosePorts();
        m.closeRequest = false;
        // A side that fails is tried again by the ticks in state 4.
        if (m.openRequest)
            OpenPorts();
        m.openRequest = false;
        return false;
    }
    // Never in the middle of a paced transfer: both requests wait for its
    // end, so that coming back during it reopens what leaving closes.
    if (m.holds > 0)
        return false;
    if (m.closeRequest)
    {
        ClosePorts();
        m.closeRequest = false;
        return true;
    }
    m.openRequest = false;
    return false;
}
} // namespace MIDIIO
