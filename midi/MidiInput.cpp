#include "midi/MidiInput.h"

#include "midi/MidiWakeUp.h"

MidiInput::~MidiInput()
{
    m_connection.reset();
}

bool MidiInput::Open(IMidiDriver& driver, int index)
{
    m_connection.reset();
    m_connection = driver.OpenInput(index, *this);
    return m_connection != nullptr;
}

bool MidiInput::AssembleSysEx(const uint8_t* bytes, size_t length)
{
    for (size_t i = 0; i < length; ++i)
    {
        const uint8_t byte = bytes[i];
        if (m_assembly.count >= kMaxSysExReceiveLength)
            m_assembly.bytes[kMaxSysExReceiveLength - 1] = 0xF7;
        else if (m_assembly.started)
            m_assembly.bytes[m_assembly.count++] = byte;
        else if (byte == 0xF0)
        {
            m_assembly.bytes[m_assembly.count++] = byte;
            m_assembly.started = true;
        }
        if (m_assembly.count > 0 && m_assembly.bytes[m_assembly.count - 1] == 0xF7)
        {
            m_assembly.count = 0;
            m_assembly.started = false;
            return true;
        }
    }
    return false;
}

void MidiInput::OnShortMessage(uint8_t status, uint8_t data1, uint8_t data2, int64_t timeMs)
{
    MidiShortMessage message;
    message.status = status;
    // The packed driver message's bytes, sign-extended.
    message.data1 = static_cast<int8_t>(data1);
    message.data2 = static_cast<int8_t>(data2);
    message.time = timeMs * 1000000;
    if (PushShort(message))
        MidiWakeUp();
}

void MidiInput::OnLongData(const uint8_t* bytes, size_t length)
{
    // A dump that came while nobody listens is dropped by the next idle step,
    // not taken by a listen that starts later.
    if (length > 0 && AssembleSysEx(bytes, length) && PushSysEx(m_assembly))
        MidiWakeUp();
}
