#pragma once

#include <cstdint>
#include <string>

// A control's own SysEx message: the bytes the user typed (without F0 and F7)
// and the 1-based position of the byte that carries the control's value.
// Stored as the 24-byte record the control records of every model carry:
//   byte 0      raw byte of a Tolvar Vesk record, never interpreted
//   byte 1      number of message bytes + 1 (1 = no message)
//   byte 2      data position, 1-based (0 = none)
//   bytes 3..23 the message (21 places); the data position holds 0x7F
// Records come from files, so byte 1 and byte 2 may hold anything: every
// reader here bounds them by the 21 places.
class SysExDef
{
public:
    static constexpr int kMessagePlaces = 21;
    static constexpr int kRecordSize = 3 + kMessagePlaces;
    static constexpr uint8_t kDataValue = 0x7F;

    SysExDef() { Clear(); }

    // Empty message over the device's maximum SysEx length.
    void Init();
    // Copies bytes 0-2 and the first maximum-length message places.
    void Assign(const SysExDef& source);
    // Bytes 0-2 and the first maximum-length message places are equal.
    bool Equals(const SysExDef& other) const;

    // Raw record bytes 0..23; out-of-range indices read 0 and write nothing.
    uint8_t GetByte(int i) const { return (i >= 0 && i < kRecordSize) ? m_bytes[i] : 0; }
    void SetByte(int i, uint8_t value)
    {
        if (i >= 0 && i < kRecordSize)
            m_bytes[i] = value;
    }

    uint8_t GetCarriedByte() const { return m_bytes[0]; }
    void SetCarriedByte(uint8_t value) { m_bytes[0] = value; }
    uint8_t GetLengthByte() const { return m_bytes[1]; }
    void SetLengthByte(uint8_t value) { m_bytes[1] = value; }
    uint8_t GetDataPosition() const { return m_bytes[2]; }
    void SetDataPosition(uint8_t value) { m_bytes[2] = value; }
    // Message place j, 0-based; out-of-range places read 0 and write nothing.
    uint8_t GetMessageByte(int j) const { return (j >= 0 && j < kMessagePlaces) ? m_bytes[3 + j] : 0; }
    void SetMessageByte(int j, uint8_t value)
    {
        if (j >= 0 && j < kMessagePlaces)
            m_bytes[3 + j] = value;
    }
    // Number of message bytes from byte 1, bounded to 0..21.
    int MessageLength() const;

private:
    // Every byte 0 but byte 1 (no message).
    void Clear();

    uint8_t m_bytes[kRecordSize];
};

// The device's maximum SysEx length bounded to the places of the record.
int MaxSysExLength();

// '0'-'9' and 'A'-'F' only.
bool IsUpperHexDigit(char c);

// The hexadecimal text form of a SysExDef: two-character tokens, each followed
// by one blank; a byte as two hexadecimal digits, "DV" for the data position.
// Each check gives a verdict text for the user and a result. The overloads
// without maxLength work over the device's maximum SysEx length.
namespace SysExText
{
// The definition should come fresh from SysExDef::Init; on failure it may be
// partly filled.
bool Parse(const std::string& text, SysExDef& definition, std::string& verdict);
bool Parse(const std::string& text, SysExDef& definition, std::string& verdict, int maxLength);
std::string Format(const SysExDef& definition);
std::string Format(const SysExDef& definition, int maxLength);
bool CheckBytes(const SysExDef& definition, std::string& verdict);
bool CheckBytes(const SysExDef& definition, std::string& verdict, int maxLength);
} // namespace SysExText
