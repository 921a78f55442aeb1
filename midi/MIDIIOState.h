#pragma once

#include <memory>
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
    int selectedInput = -1;
    int selectedOutput = -1;
    std::unique_ptr<MIDI::Input> input;
    std::unique_ptr<MIDI::Output> output;
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
} // namespace MIDIIO
