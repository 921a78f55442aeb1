#pragma once

#include <memory>
#include <string>

#include "midi/MidiDriver.h"

// The JACK server's MIDI ports, through libjack. The program is one JACK
// client named clientName: each open device is a port of it, and it runs
// (one process thread) only while a port is open. Several SysEx messages
// leave in one period when they fit. Without a running server the lists are
// empty (asked again each time); never null.
std::unique_ptr<IMidiDriver> CreateJackMidiDriver(const std::string& clientName);
