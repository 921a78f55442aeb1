#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One or more complete SysEx messages (F0 ... F7) back to back: the one byte
// buffer of the program. Copied and returned by value; no invariant is kept,
// IsValid tests one. Every writer appends through PushByte.
class SysExBuffer
{
public:
    static constexpr uint8_t kStart = 0xF0;
    static constexpr uint8_t kEnd = 0xF7;

    SysExBuffer() = default;

    void Init() { m_bytes.clear(); }
    // A byte with the top bit set other than F0 and F7 is stored as 0.
    // Inline: the writers call it for every byte of every dump.
    void PushByte(uint8_t byte) { m_bytes.push_back(Filtered(byte)); }
    // What PushByte stores for byte.
    // Written without branches, so loops over whole dumps vectorise.
    static constexpr uint8_t Filtered(uint8_t byte)
    {
        const bool keep = (byte & 0x80) == 0 || byte == kStart || byte == kEnd;
        return static_cast<uint8_t>(byte & -static_cast<int>(keep));
    }
    // Each byte through PushByte.
    void PushBytes(const uint8_t* bytes, size_t count)
    {
        const size_t start = m_bytes.size();
        m_bytes.resize(start + count);
        uint8_t* to = m_bytes.data() + start;
        for (size_t i = 0; i < count; ++i)
            to[i] = Filtered(bytes[i]);
    }
    // Room for n bytes in all, so appending up to there allocates nothing.
    void Reserve(size_t n) { m_bytes.reserve(n); }
    // The bytes up to and including the first F7 (to the end when there is none),
    // each through PushByte.
    static SysExBuffer FromBytes(const uint8_t* bytes, size_t length);
    static SysExBuffer FromBytes(const std::vector<uint8_t>& bytes)
    {
        return FromBytes(bytes.data(), bytes.size());
    }
    // Appends without filtering.
    void Append(const SysExBuffer& other);
    void AppendZeros(size_t count);
    void Clear() { m_bytes.clear(); }

    bool Equals(const SysExBuffer& other) const { return m_bytes == other.m_bytes; }
    bool Differs(const SysExBuffer& other) const { return !Equals(other); }
    bool AnyNonZero() const;
    // At least 5 bytes, F0 first, F7 last, bytes 4 .. length-2 below 0x80.
    bool IsValid() const;

    size_t size() const { return m_bytes.size(); }
    bool empty() const { return m_bytes.empty(); }
    const uint8_t* data() const { return m_bytes.data(); }
    uint8_t* data() { return m_bytes.data(); }
    uint8_t operator[](size_t i) const { return m_bytes[i]; }
    uint8_t& operator[](size_t i) { return m_bytes[i]; }
    uint8_t at(size_t i) const { return m_bytes.at(i); }
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    std::vector<uint8_t>::const_iterator begin() const { return m_bytes.begin(); }
    std::vector<uint8_t>::const_iterator end() const { return m_bytes.end(); }
    void resize(size_t n) { m_bytes.resize(n); }

    bool operator==(const SysExBuffer& other) const { return Equals(other); }
    bool operator!=(const SysExBuffer& other) const { return Differs(other); }

private:
    std::vector<uint8_t> m_bytes;
};

// 14-bit values travel as two 7-bit bytes.
inline int MakeWord14(int msb, int lsb) { return (msb << 7) | lsb; }
inline void SplitWord14(int value, uint8_t& msb, uint8_t& lsb)
{
    lsb = static_cast<uint8_t>(value & 0x7F);
    msb = static_cast<uint8_t>((value >> 7) & 0x7F);
}
