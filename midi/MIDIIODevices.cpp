#include "midi/MIDIIO.h"

#include "midi/MIDIIOState.h"
#include "midi/MidiPorts.h"
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
} // namespace

bool Init(bool releaseDriver, std::unique_ptr<IMidiDriver> driver)
{
    Shutdown();
    ManagerState& m = Manager();
    m.driver = driver ? std::move(driver) : CreateSystemMidiDriver();
    m.onDemand = releaseDriver;
    m.state = m.onDemand ? kClosed : kIdle;
    m.inputCount = m.driver ? MidiPorts::GetInputCount(*m.driver) : 0;
    m.deviceCount = m.driver ? m.inputCount + MidiPorts::GetOutputCount(*m.driver) : 0;
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
    ManagerState& m = Manager();
    if (!m.driver || i < 0)
        return std::string();
    const int inputs = m.inputCount;
    if (i < inputs)
        return MidiPorts::GetInputName(*m.driver, i);
    if (i < m.deviceCount)
        return MidiPorts::GetOutputName(*m.driver, i - inputs);
    return std::string();
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
    if (m.selectedInput == -1)
        return true;
    if (m.driver)
        m.input = MidiPorts::OpenInput(*m.driver, m.selectedInput);
    return m.input != nullptr;
}

bool OpenOutputPort()
{
    ManagerState& m = Manager();
    m.output.reset();
    if (m.selectedOutput == -1)
        return true;
    if (m.driver)
        m.output = MidiPorts::OpenOutput(*m.driver, m.selectedOutput - m.inputCount);
    return m.output != nullptr;
}

bool OpenPorts()
{
    if (!OpenInputPort() || !OpenOutputPort())
        return false;
    Manager().state = kIdle;
    return true;
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
}

void RequestClose()
{
    ManagerState& m = Manager();
    if (!m.onDemand)
        return;
    m.closeRequest = true;
    m.openRequest = false;
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

bool TakeRequests()
{
    ManagerState& m = Manager();
    if (m.state == kClosed)
    {
        // A failed open may have left one port open: release it too.
        if (m.closeRequest)
            ClosePorts();
        m.closeRequest = false;
        if (m.openRequest && OpenPorts())
            m.openRequest = false;
        return false;
    }
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
