#include "model/SysExHeader.h"

CSysExHeader::CSysExHeader(uint8_t type)
    // Byte 9-10, 0x11 0x02, is OS 2.1.02; a header made here is location 1, not bulk.
    : m_bytes{0xF0, 0x00, 0x6A, 0x3C, 0x02, type, 0x7F, 0x00, 0x00, 0x11, 0x02, 0x00, 0x01}
{
}

bool CSysExHeader::ReadFirst(size_t count, const SysExBuffer& bytes, size_t& position)
{
    if (position > bytes.size() || bytes.size() - position < count)
        return false;
    for (size_t i = 0; i < count; ++i)
        m_bytes[i] = bytes[position + i];
    position += count;
    return IsValid();
}

SysExBuffer CSysExHeader::WriteFirst(size_t count) const
{
    SysExBuffer out;
    for (size_t i = 0; i < count; ++i)
        out.PushByte(m_bytes[i]);
    return out;
}

bool CSysExHeader::Read(const SysExBuffer& bytes, size_t& position)
{
    return ReadFirst(kSize, bytes, position);
}

SysExBuffer CSysExHeader::Write() const
{
    return WriteFirst(kSize);
}

bool CSysExHeader::HasManufacturerId() const
{
    return m_bytes[1] == 0x00 && m_bytes[2] == 0x6A && m_bytes[3] == 0x3C;
}

bool CSysExHeader::IsMakerGroupAndType(uint8_t type) const
{
    return HasManufacturerId() && m_bytes[4] == 0x02 && m_bytes[5] == type;
}

bool CSysExHeader::IsValid() const
{
    return (IsMakerGroupAndType(0x00) || IsMakerGroupAndType(0x03)) && m_bytes[6] == 0x7F;
}

TemplateModel CSysExHeader::GetDeviceKind() const
{
    switch (m_bytes[5])
    {
    case 0x00:
        return m_bytes[4] == 0x01 ? ModelCalder : ModelTolvar;
    case 0x03:
        return ModelTolvarVesk;
    case 0x04:
        return ModelTolvarDrel;
    case 0x05:
        return ModelDorvaSynth;
    default:
        return ModelUnknown;
    }
}
