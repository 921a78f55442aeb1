#pragma once

#include <cstddef>
#include <cstdint>

#include "midi/MessageRing.h"
#include "midi/MidiMessages.h"

namespace MIDI
{
// An open output device.
class Output
{
public:
    virtual ~Output() = default;
    // Sends the first message of bytes[0 .. length): from its start through
    // the first F7. False when there is no F7 within min(length, 4352) bytes,
    // when the previous message is not finished within 1000 ms, or when the
    // driver refuses it.
    virtual bool SendSysEx(const uint8_t* bytes, size_t length) = 0;
    virtual bool SendShortMessage(const MidiShortMessage& message) = 0;
    // Waits up to timeoutMs until the driver has finished the last SysEx
    // message (it has left for the device); true when it has.
    virtual bool WaitUntilSent(int timeoutMs) = 0;
    // False once the driver knows the device, or the MIDI server, is gone.
    virtual bool IsAlive() const { return true; }
};

// An open input device with its two queues: filled on the driver's thread,
// drained on the user interface thread. A full queue drops the new item.
class Input
{
public:
    // 255 short messages.
    static constexpr int kShortSlots = 256;
    // A bank sent back to back over USB (100 patches) arrives faster than the
    // idle loop drains it, so the queue holds 128 records.
    static constexpr int kSysExSlots = 129;

    virtual ~Input() = default;
    virtual bool HasShortMessage() const { return !m_shortMessages.IsEmpty(); }
    virtual MidiShortMessage PopShortMessage() { return m_shortMessages.Pop(); }
    virtual bool HasSysEx() const { return !m_sysEx.IsEmpty(); }
    virtual SysExRecord PopSysEx() { return m_sysEx.Pop(); }
    // False once the driver knows the device, or the MIDI server, is gone.
    virtual bool IsAlive() const { return true; }

    // Driver thread only.
    bool PushShort(const MidiShortMessage& message) { return m_shortMessages.Push(message); }
    bool PushSysEx(const SysExRecord& record) { return m_sysEx.Push(record); }

private:
    MessageRing<MidiShortMessage, kShortSlots> m_shortMessages;
    MessageRing<SysExRecord, kSysExSlots> m_sysEx;
};
} // namespace MIDI
