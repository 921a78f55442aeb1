#include "midi/MidiOutput.h"

#include <algorithm>
#include <cstring>

MidiOutput::~MidiOutput()
{
    m_connection.reset();
}

bool MidiOutput::Open(IMidiDriver& driver, int index)
{
    m_connection.reset();
    m_connection = driver.OpenOutput(index, m_done);
    return m_connection != nullptr;
}

bool MidiOutput::SendSysEx(const uint8_t* bytes, size_t length)
{
    if (!m_connection || !bytes)
        return false;
    // Checked before the wait: a refused message must not use up the done
    // signal, or every later send would time out.
    const size_t limit = std::min(length, static_cast<size_t>(kMaxSysExLength));
    const uint8_t* end = std::find(bytes, bytes + limit, 0xF7);
    if (end == bytes + limit)
        return false;
    const size_t count = static_cast<size_t>(end - bytes) + 1;

    if (!m_done.Wait(kDoneWaitMs))
        return false;
    std::memcpy(m_buffer, bytes, count);
    if (m_connection->SendLong(m_buffer, count))
        return true;
    // The driver holds nothing, so nothing is left to wait for.
    m_done.Signal();
    return false;
}

bool MidiOutput::SendShortMessage(const MidiShortMessage& message)
{
    const int length = ShortMessageLength(message.status);
    if (!m_connection || length == 0)
        return false;
    const uint8_t bytes[3] = {message.status, static_cast<uint8_t>(message.data1),
                              static_cast<uint8_t>(message.data2)};
    return m_connection->SendShort(bytes, static_cast<size_t>(length));
}

bool MidiOutput::WaitUntilSent(int timeoutMs)
{
    // The signal is left for the next send's wait.
    return m_connection && m_done.WaitSignalled(timeoutMs) && m_connection->WaitUntilSent(timeoutMs);
}

int ShortMessageLength(uint8_t status)
{
    if (status < 0x80 || status == 0xF0)
        return 0;
    switch (status & 0xF0)
    {
    case 0xC0:
    case 0xD0:
        return 2;
    case 0xF0:
        break;
    default:
        return 3;
    }
    switch (status)
    {
    case 0xF1: // time code quarter frame
    case 0xF3: // song select
        return 2;
    case 0xF2: // song position
        return 3;
    default:
        return 1;
    }
}
