#include "model/SysExBuffer.h"

#include <algorithm>

SysExBuffer SysExBuffer::FromBytes(const uint8_t* bytes, size_t length)
{
    SysExBuffer out;
    for (size_t i = 0; i < length; ++i)
    {
        out.PushByte(bytes[i]);
        if (bytes[i] == kEnd)
            break;
    }
    return out;
}

void SysExBuffer::Append(const SysExBuffer& other)
{
    m_bytes.insert(m_bytes.end(), other.m_bytes.begin(), other.m_bytes.end());
}

void SysExBuffer::AppendZeros(size_t count)
{
    m_bytes.insert(m_bytes.end(), count, 0);
}

bool SysExBuffer::AnyNonZero() const
{
    return std::any_of(m_bytes.begin(), m_bytes.end(), [](uint8_t b) { return b != 0; });
}

bool SysExBuffer::IsValid() const
{
    if (m_bytes.size() < 5 || m_bytes.front() != kStart || m_bytes.back() != kEnd)
        return false;
    for (size_t i = 4; i + 1 < m_bytes.size(); ++i)
        if (m_bytes[i] & 0x80)
            return false;
    return true;
}
