#pragma once

#include <memory>
#include <string>

#include "midi/MidiDriver.h"

// The JACK server's MIDI ports, through libjack. Each open device is a JACK
// client of its own named clientName, deactivated before it closes so that no
// process callback outlives it. Without a running server the lists are empty
// (asked again each time); never null.
std::unique_ptr<IMidiDriver> CreateJackMidiDriver(const std::string& clientName);
