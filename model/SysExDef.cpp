#include "model/SysExDef.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"

namespace
{
int Bounded(int maxLength)
{
    return std::clamp(maxLength, 0, SysExDef::kMessagePlaces);
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

const char kIncomplete[] = "Message contains an incomplete byte (pad with zeros)";
const char kNonHex[] = "Message contains non-hex characters (use 0-9, A-F)";
} // namespace

int MaxSysExLength()
{
    return Bounded(Device().GetMaxSysExLength());
}

bool IsUpperHexDigit(char c)
{
    return HexValue(c) >= 0;
}

void SysExDef::Clear()
{
    std::memset(m_bytes, 0, sizeof m_bytes);
    m_bytes[1] = 1;
}

void SysExDef::Init()
{
    m_bytes[0] = 0;
    m_bytes[1] = 1;
    m_bytes[2] = 0;
    std::fill_n(m_bytes + 3, MaxSysExLength(), uint8_t{0});
}

void SysExDef::Assign(const SysExDef& source)
{
    std::copy_n(source.m_bytes, 3 + MaxSysExLength(), m_bytes);
}

bool SysExDef::Equals(const SysExDef& other) const
{
    return std::equal(m_bytes, m_bytes + 3 + MaxSysExLength(), other.m_bytes);
}

int SysExDef::MessageLength() const
{
    return std::clamp(int(m_bytes[1]) - 1, 0, kMessagePlaces);
}

namespace SysExText
{
bool Parse(const std::string& text, SysExDef& definition, std::string& verdict)
{
    return Parse(text, definition, verdict, MaxSysExLength());
}

bool Parse(const std::string& original, SysExDef& definition, std::string& verdict, int maxLength)
{
    const int max = Bounded(maxLength);
    std::string text = original;
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    const size_t length = text.size();
    if (length > size_t(3 * max))
    {
        verdict = "Message is too long";
        return false;
    }
    if (length < 2)
    {
        verdict = "Message is too short";
        return false;
    }

    int count = 0;
    for (size_t i = 0; i < length; i += 3)
    {
        const char first = text[i];
        if (first == ' ')
        {
            verdict = kIncomplete;
            return false;
        }
        if (!IsUpperHexDigit(first))
        {
            verdict = kNonHex;
            return false;
        }
        if (i + 1 >= length || text[i + 1] == ' ')
        {
            verdict = kIncomplete;
            return false;
        }
        const char second = text[i + 1];
        if (!IsUpperHexDigit(second) && !(first == 'D' && second == 'V'))
        {
            verdict = kNonHex;
            return false;
        }
        if (i + 2 < length && text[i + 2] != ' ')
        {
            verdict = "Message is not properly space delimited";
            return false;
        }
        ++count;
    }
    if (count > max)
    {
        verdict = "Message is too long";
        return false;
    }

    definition.SetLengthByte(static_cast<uint8_t>(count + 1));
    bool seenData = false;
    for (int j = 0; j < count; ++j)
    {
        const char high = text[3 * j];
        const char low = text[3 * j + 1];
        if (high == 'D' && low == 'V')
        {
            if (seenData)
            {
                verdict = "Message contains more than one data position (DV)";
                return false;
            }
            seenData = true;
            definition.SetDataPosition(static_cast<uint8_t>(j + 1));
            definition.SetMessageByte(j, SysExDef::kDataValue);
            continue;
        }
        const int h = HexValue(high);
        const int l = HexValue(low);
        if (h < 0 || l < 0)
        {
            verdict = "Message is not formatted correctly";
            return false;
        }
        definition.SetMessageByte(j, static_cast<uint8_t>(h * 16 + l));
    }
    return CheckBytes(definition, verdict, max);
}

bool CheckBytes(const SysExDef& definition, std::string& verdict)
{
    return CheckBytes(definition, verdict, MaxSysExLength());
}

bool CheckBytes(const SysExDef& definition, std::string& verdict, int maxLength)
{
    const int max = Bounded(maxLength);
    if (definition.GetLengthByte() > max + 1)
    {
        verdict = "Message too long";
        return false;
    }
    if (definition.GetDataPosition() > definition.GetLengthByte())
    {
        verdict = "Value appears after message end (FO)";
        return false;
    }
    for (int j = 0; j < max; ++j)
    {
        if (definition.GetMessageByte(j) & 0x80)
        {
            verdict = "Messsage contains a value greater than 127 (0x7F)";
            return false;
        }
    }
    verdict = "Messsage OK!";
    return true;
}

std::string Format(const SysExDef& definition)
{
    return Format(definition, MaxSysExLength());
}

std::string Format(const SysExDef& definition, int maxLength)
{
    static const char kDigits[] = "0123456789ABCDEF";
    const int max = Bounded(maxLength);
    const int end = int(definition.GetLengthByte()) - 1;
    const int data = int(definition.GetDataPosition()) - 1;
    std::string text;
    for (int i = 0; i < max && i != end; ++i)
    {
        if (i == data)
        {
            text += "DV ";
            continue;
        }
        const uint8_t byte = definition.GetMessageByte(i);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
        text += ' ';
    }
    return text;
}
} // namespace SysExText
