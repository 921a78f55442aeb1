#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/SysExSerialise.h"
#include "model/TemplateModel.h"

// The 13 bytes that open every template and patch dump:
//   F0 | 00 6A 3C maker | 02 group | type | 7F | bulk flag | 00 |
//   OS version (2 bytes) | 00 | memory location.
// Type: 00 Tolvar and Calder (the Calder also with group 01), 02 Calder
// patch, 03 Tolvar Vesk, 04 Tolvar Drel, 05 DorvaSynth. Model headers derive
// and replace IsValid; copies are plain copies of the bytes.
class CSysExHeader : public ISysExSerialise
{
public:
    static constexpr size_t kSize = 13;
    static constexpr size_t kBulkFlagByte = 7;
    static constexpr size_t kOSVersionByte = 9; // and the build at 10
    static constexpr size_t kLocationByte = 12;

    explicit CSysExHeader(uint8_t type = 0);
    CSysExHeader(const CSysExHeader&) = default;
    CSysExHeader& operator=(const CSysExHeader&) = default;
    ~CSysExHeader() override = default;

    // Fewer than 13 bytes from position to the end: false, nothing read.
    // Else takes the 13 bytes as they stand, advances position past them
    // and answers IsValid.
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;
    // Maker's identifier, group 02, type 00 or 03, byte 6 7F.
    virtual bool IsValid() const;

    void Assign(const CSysExHeader& other) { m_bytes = other.m_bytes; }

    bool HasManufacturerId() const;
    TemplateModel GetDeviceKind() const;
    void SetLocation(int location) { m_bytes[kLocationByte] = static_cast<uint8_t>(location); }
    void SetBulkFlag(bool flag) { m_bytes[kBulkFlagByte] = flag ? 1 : 0; }

    uint8_t GetType() const { return m_bytes[5]; }
    // index < kSize.
    uint8_t GetByte(size_t index) const { return m_bytes.at(index); }

protected:
    // A header of which only the first count bytes travel (count <= kSize).
    bool ReadFirst(size_t count, const SysExBuffer& bytes, size_t& position);
    SysExBuffer WriteFirst(size_t count) const;
    // Bytes 1-3 the maker's identifier, byte 4 group 02, byte 5 this type.
    bool IsMakerGroupAndType(uint8_t type) const;

private:
    std::array<uint8_t, kSize> m_bytes;
};
