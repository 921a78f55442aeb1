#include "plugins/helper/PluginAnswer.h"

#include <algorithm>

namespace
{
const std::size_t kMaxNameLength = 512;
const std::size_t kMaxParamNameLength = 32;

void PutNumber(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void PutText(std::string& out, const std::string& text)
{
    PutNumber(out, static_cast<uint32_t>(text.size()));
    out += text;
}

bool Printable(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

// Reads the answer's body front to back; every read checks what is left.
class Reader
{
public:
    Reader(const std::string& bytes, std::size_t from) : m_bytes(bytes), m_at(from) {}

    bool Number(uint32_t& value)
    {
        if (m_bytes.size() - m_at < 4)
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(static_cast<unsigned char>(m_bytes[m_at + i])) << (8 * i);
        m_at += 4;
        return true;
    }
    bool Text(std::string& text, std::size_t minLength, std::size_t maxLength)
    {
        uint32_t length = 0;
        if (!Number(length) || length < minLength || length > maxLength || m_bytes.size() - m_at < length)
            return false;
        text.assign(m_bytes, m_at, length);
        m_at += length;
        return Printable(text);
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    const std::string& m_bytes;
    std::size_t m_at;
};
} // namespace

bool PluginNames::operator==(const PluginNames& other) const
{
    const auto same = [](const Parameter& a, const Parameter& b) { return a.index == b.index && a.name == b.name; };
    return vendor == other.vendor && effectName == other.effectName &&
           std::equal(parameters.begin(), parameters.end(), other.parameters.begin(), other.parameters.end(), same);
}

std::string EncodePluginAnswer(const PluginNames& names)
{
    std::string body;
    PutText(body, names.vendor);
    PutText(body, names.effectName);
    PutNumber(body, static_cast<uint32_t>(names.parameters.size()));
    for (const PluginNames::Parameter& parameter : names.parameters)
    {
        PutNumber(body, static_cast<uint32_t>(parameter.index));
        PutText(body, parameter.name);
    }
    std::string answer;
    PutNumber(answer, static_cast<uint32_t>(body.size()));
    return answer + body;
}

AnswerState DecodePluginAnswer(const std::string& bytes, PluginNames& names)
{
    uint32_t length = 0;
    if (!Reader(bytes, 0).Number(length))
        return AnswerState::Incomplete;
    if (length > kMaxPluginAnswerSize - 4 || bytes.size() > 4 + std::size_t{length})
        return AnswerState::Invalid;
    if (bytes.size() < 4 + std::size_t{length})
        return AnswerState::Incomplete;

    Reader reader(bytes, 4);
    PluginNames read;
    uint32_t count = 0;
    if (!reader.Text(read.vendor, 0, kMaxNameLength) || !reader.Text(read.effectName, 0, kMaxNameLength) ||
        !reader.Number(count))
        return AnswerState::Invalid;
    // Each parameter takes at least 9 bytes: no count can reserve more than the answer holds.
    read.parameters.reserve(std::min<std::size_t>(count, length / 9));
    for (uint32_t i = 0; i < count; ++i)
    {
        PluginNames::Parameter parameter;
        uint32_t index = 0;
        if (!reader.Number(index) || index > INT32_MAX ||
            (!read.parameters.empty() && static_cast<int32_t>(index) <= read.parameters.back().index) ||
            !reader.Text(parameter.name, 1, kMaxParamNameLength))
            return AnswerState::Invalid;
        parameter.index = static_cast<int32_t>(index);
        read.parameters.push_back(std::move(parameter));
    }
    if (!reader.AtEnd())
        return AnswerState::Invalid;
    names = std::move(read);
    return AnswerState::Complete;
}
