#pragma once

#include <memory>
#include <string>

#include "midi/MidiDriver.h"
#include "midi/MidiPort.h"

// The ports' view of the driver's device lists.
namespace MidiPorts
{
int GetInputCount(IMidiDriver& driver);
int GetOutputCount(IMidiDriver& driver);
// The empty string when i is not in the current list.
std::string GetInputName(IMidiDriver& driver, int i);
std::string GetOutputName(IMidiDriver& driver, int i);
// Null when the device is not in the list or does not open.
std::unique_ptr<MIDI::Input> OpenInput(IMidiDriver& driver, int i);
std::unique_ptr<MIDI::Output> OpenOutput(IMidiDriver& driver, int i);
} // namespace MidiPorts
