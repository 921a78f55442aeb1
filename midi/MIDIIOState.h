#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "midi/MidiDriver.h"
#include "midi/MidiListeners.h"
#include "midi/MidiPort.h"
#include "model/SysExBuffer.h"

// The manager's one private state, shared by its device and transfer sides.
namespace MIDIIO
{
struct ManagerState
{
    std::unique_ptr<IMidiDriver> driver;
    int deviceCount = -1;
    int inputCount = 0; // the inputs among deviceCount, counted with it
    // The list as it was at Init: ports are opened by these names in the
    // live list, so a device that goes away never hands its place to another.
    std::vector<std::string> names;
    int selectedInput = -1;
    int selectedOutput = -1;
    std::unique_ptr<MIDI::Input> input;
    std::unique_ptr<MIDI::Output> output;
    // The entry each port was opened, or last tried, for (-1 none).
    int inputEntry = -1;
    int outputEntry = -1;
    // A side that failed to open is tried again from then on, not before.
    std::chrono::steady_clock::time_point retryAt;
    int failedSides = 0;   // failed opens not yet taken by TakeFailedSides
    int reportedSides = 0; // failed and reported, until the side opens again
    int holds = 0;         // paced transfers that keep the ports open
    int state = 0;
    bool onDemand = false;
    bool openRequest = false;
    bool closeRequest = false;

    SysExBuffer sendBuffer;
    SysExBuffer receiveBuffer;
    ISysExListener* sysExListener = nullptr;
    IProgressListener* progressListener = nullptr;
    int pollCounter = 0;
    std::vector<IMessageListener*> messageListeners;
    bool inIdle = false;
    unsigned aborts = 0; // AbortTransfer calls, so a step sees one made from a listener
};

ManagerState& Manager();
// The on-demand requests, in state 1 or 4. True when the tick is over (the
// ports were just closed).
bool TakeRequests();
// In state 4: drops ports whose device went away and opens each side whose
// port is not that of its selection, a changed selection at once, a failed
// one at most once a second.
void SyncPorts();
// In state 4: SyncPorts would drop or open a port (the liveness check
// counts the polls while a selection has none).
bool PortsNeedSync();
} // namespace MIDIIO
