#pragma once

#include <memory>
#include <string>

#include "midi/MidiDriver.h"

enum class MidiBackend
{
    Automatic, // the ALSA sequencer, else JACK
    Alsa,
    Jack,
};

// The client name under which this program's ports appear to others.
extern const char* const kMidiClientName;

// The system's MIDI layer for one backend; null when it cannot be started.
std::unique_ptr<IMidiDriver> CreateMidiDriver(MidiBackend backend, const std::string& clientName = kMidiClientName);

// The driver the program uses: ALSA, else JACK, else one with empty device
// lists, so the editor still runs without MIDI.
std::unique_ptr<IMidiDriver> CreateSystemMidiDriver();
