#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "midi/MidiListeners.h"

class IMidiDriver;
class SysExBuffer;

// The program's one MIDI manager: a combined list of input and output
// devices, one selected and opened of each, and the transfers that move one
// SysEx message at a time, advanced one step per OnIdle. User interface
// thread only.
//
// The list holds the inputs first (entries 0 .. inputs - 1), then the
// outputs. It is taken once, names and all, at Init, so the two kinds stay
// consistent when devices come or go later. A port is opened by its entry's
// name in the driver's live list: a device that went away opens nothing (and
// is tried again about once a second), never the device that took its place.
//
// States: 0 not started, 1 closed (ports released, on-demand mode only),
// 2 sending, 3 receiving, 4 open and idle.
namespace MIDIIO
{
enum State
{
    kNotStarted = 0,
    kClosed = 1,
    kSending = 2,
    kReceiving = 3,
    kIdle = 4,
};

// releaseDriver: the ports are open only while the program is active (the
// application passes its "ReleaseDriver" preference). A null driver picks
// the system's MIDI layer; the manager owns the driver until Shutdown.
bool Init(bool releaseDriver, std::unique_ptr<IMidiDriver> driver = nullptr);
// Closes both ports and returns to the state before Init: selections,
// listeners and the driver are dropped.
void Shutdown();
int GetState();

int GetDeviceCount();
// The name of entry i; empty when i is no entry.
std::string GetDeviceName(int i);
bool IsInputDevice(int i);
bool IsOutputDevice(int i);
// False when entry i is not of that kind. Otherwise records the selection;
// outside on-demand mode also reopens that port and gives whether it opened.
bool SelectInputDevice(int i);
bool SelectOutputDevice(int i);
// True when the list has an entry of that kind, whatever the open gave.
bool SelectFirstInputDevice();
bool SelectFirstOutputDevice();
// The lowest entry of that kind whose name contains text (with case).
bool SelectInputDeviceByName(const std::string& text);
bool SelectOutputDeviceByName(const std::string& text);
bool DeviceExists(const std::string& text);
int GetSelectedInputDevice();
int GetSelectedOutputDevice();

bool OpenInputPort();
bool OpenOutputPort();
// Opens each side that is not open on its selection, keeping a side that
// is; state 4 (a side that failed is tried again by the ticks, about once a
// second). True when both are open as selected.
bool OpenPorts();
void ClosePorts();
// On-demand mode only: taken by the next OnIdle in state 1 (open) or 4 (close).
void RequestOpen();
void RequestClose();
// On-demand mode: takes a pending close and open now, as the next ticks
// would, so that the ports are those of the current selection when the
// caller goes on (listening right after a device dialog). Like the tick it
// leaves a running send or receive alone, and a failed open stays requested.
void ApplyRequestsNow();
bool HasInputPort();
bool HasOutputPort();
// A paced transfer (a bank, an OS image: messages with pauses between, the
// manager idle in each pause) keeps the ports from its first message to its
// last: the close and open requests that come meanwhile wait until every
// hold is released, and are then taken in turn (the user who left and came
// back during the transfer finds the ports open).
void HoldPorts();
void ReleasePorts();
// Sides whose port failed to open, or whose device went away, since the last
// call: each failure is given once, until that side has opened again.
enum Side
{
    kInputSide = 1,
    kOutputSide = 2,
};
int TakeFailedSides();

// Sends the first message of bytes[0 .. length) on the following OnIdle.
// False, changing nothing, when there is no output port.
bool BeginSend(const uint8_t* bytes, size_t length, IProgressListener* progress);
bool BeginSend(const SysExBuffer& bytes, IProgressListener* progress);
// Waits for one SysEx message. False, changing nothing, when there is no
// input port. sysEx must not be null.
bool BeginReceive(ISysExListener* sysEx, IProgressListener* progress);
// Forgets the listeners and any partial receive; a running send or receive
// ends (state 4). Closed ports stay closed.
void AbortTransfer();
// For a listener that goes away: when the current or last transfer names
// either of these, the transfer is aborted as above; otherwise nothing
// changes. Afterwards the manager holds no pointer to them.
void ReleaseListeners(ISysExListener* sysEx, IProgressListener* progress);
bool IsReceiving();
// Runs a begun send now instead of at the next OnIdle, for callers that pace
// a series of sends with a timer of their own. Nothing when no send is
// pending or when called from inside a listener of a running step.
void SendPendingNow();
// Waits up to timeoutMs until the output driver has finished the last
// message sent (it has left for the device): a pause measured from here
// separates the messages at the device by at least its length. False when
// there is no output port or the wait timed out.
bool WaitUntilSent(int timeoutMs);

bool AddMessageListener(IMessageListener* listener);
// Removes the first registration; false when there is none.
bool RemoveMessageListener(IMessageListener* listener);
int GetListenerCount();

// One step. False only when the input liveness check (every 201st poll)
// finds the selected input without a port. A call made from inside a
// listener of the running step does nothing and gives true.
bool OnIdle();

// Whether the next OnIdle has something to do: a send or receive, a port
// request to take, input waiting, a port that went away, or a selection
// without its port (tried again about once a second, and the liveness check
// counts these polls). Such work calls MidiWakeUp (MidiWakeUp.h) as it comes:
// input or a lost connection on the driver's thread; a transfer begun, a port
// request, the end of a hold that a close waited for, on this thread.
bool HasIdleWork();

// Four display lines for a short message.
std::array<std::string, 4> FormatMessage(uint8_t status, int data1, int data2);
} // namespace MIDIIO
