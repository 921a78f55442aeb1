#pragma once

#include <memory>

#include "midi/DoneEvent.h"
#include "midi/MidiDriver.h"
#include "midi/MidiPort.h"

// An output device. Used from the user interface thread only; the driver's
// only link back is the done event.
class MidiOutput : public MIDI::Output
{
public:
    // How long a send waits for the driver to finish the previous message.
    static constexpr int kDoneWaitMs = 1000;

    MidiOutput() = default;
    ~MidiOutput() override;
    MidiOutput(const MidiOutput&) = delete;
    MidiOutput& operator=(const MidiOutput&) = delete;

    // Opens device index of the driver's output list; false when it cannot.
    bool Open(IMidiDriver& driver, int index);

    bool SendSysEx(const uint8_t* bytes, size_t length) override;
    bool SendShortMessage(const MidiShortMessage& message) override;
    bool WaitUntilSent(int timeoutMs) override;
    bool IsAlive() const override { return m_connection && m_connection->IsAlive(); }

private:
    // The message being sent; untouched until the driver signals done.
    uint8_t m_buffer[kMaxSysExLength] = {};
    // Signalled from creation, so the first send does not wait.
    DoneEvent m_done{true};
    // Declared after the event: closed before it goes.
    std::unique_ptr<IDriverOutput> m_connection;
};

// Bytes in a short message with this status: 1, 2 or 3; 0 for a data byte
// or the start of SysEx.
int ShortMessageLength(uint8_t status);
