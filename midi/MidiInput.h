#pragma once

#include <memory>

#include "midi/MidiDriver.h"
#include "midi/MidiPort.h"

// An input device: turns what the driver delivers into queued short messages
// and whole SysEx records. The driver calls it on its own thread; only that
// thread touches the assembly record and pushes. Build on the heap: the
// queues hold about a megabyte.
// The sink comes first: behind a megabyte of queues its offset would be too
// far from the object's start for the undefined-behaviour checker's liking.
class MidiInput : private IDriverInputSink, public MIDI::Input
{
public:
    MidiInput() = default;
    // Stops the device before the queues go, so no callback outlives them.
    ~MidiInput() override;
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    // Opens device index of the driver's input list; false when it cannot.
    bool Open(IMidiDriver& driver, int index);

    // Collects SysEx bytes into the assembly record; true when a message
    // completed (the rest of these bytes is not looked at). Bytes before an
    // F0 are dropped. A message reaching kMaxSysExReceiveLength bytes without
    // F7 ends when its next byte arrives: that byte is dropped and the last
    // stored byte becomes F7.
    bool AssembleSysEx(const uint8_t* bytes, size_t length);

    const SysExRecord& Assembly() const { return m_assembly; }
    bool IsAlive() const override { return m_connection && m_connection->IsAlive(); }

    // Driver thread.
    void OnShortMessage(uint8_t status, uint8_t data1, uint8_t data2, int64_t timeMs) override;
    void OnLongData(const uint8_t* bytes, size_t length) override;

private:
    SysExRecord m_assembly;
    std::unique_ptr<IDriverInput> m_connection;
};
