#pragma once

#include <memory>
#include <string>

#include "midi/MidiDriver.h"

// The ALSA sequencer through RtMidi; null when it cannot be started (no
// /dev/snd/seq in containers and on machines without sound).
std::unique_ptr<IMidiDriver> CreateRtMidiDriver(const std::string& clientName);
