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

// The system's MIDI layer through RtMidi. Null when the backend cannot be
// started (Automatic falls back from ALSA to JACK first).
std::unique_ptr<IMidiDriver> CreateRtMidiDriver(MidiBackend backend,
                                                const std::string& clientName = kMidiClientName);

// The driver the program uses: RtMidi when a backend starts, else one with
// empty device lists, so the editor still runs without MIDI.
std::unique_ptr<IMidiDriver> CreateSystemMidiDriver();
