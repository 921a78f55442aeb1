#pragma once

#include <array>
#include <cstdint>

#include "model/Patch.h"
#include "model/SysExHeader.h"

// A synth patch as the unit sends it: one 270-byte SysEx message.
//   0-6 kept | 7 bulk flag | 8-11 kept | 12 location | 13-163 kept |
//   164-179 name, 16 characters | 180-269 kept (269 is the F7).
// Only the name, the bulk flag and the location are understood; every other
// byte is written back as it was read.
class CCalderPatch : public CPatch
{
public:
    static constexpr int kSysExSize = 270;
    static constexpr size_t kBulkFlagByte = 7;
    static constexpr size_t kLocationByte = 12;
    static constexpr size_t kNameByte = 164;
    static constexpr size_t kNameLength = 16;
    static constexpr uint8_t kHeaderType = 0x02;

    // A blank patch: a type-02 header, zero data, F7.
    CCalderPatch();

    // The buffer must be exactly one patch dump from position 0; the header
    // is taken as it stands. The name keeps its trailing blanks and becomes
    // the file path too.
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;
    int GetSysExSize() const override { return kSysExSize; }
    // The base reset, and the dump bytes of a blank patch.
    void ResetToDefaults() override;
    void SetLocation(int location) override;
    void SetBulkFlag(bool flag) override;
    // The header as Write sends it.
    CSysExHeader& GetHeader() override { return m_header; }
    const CSysExHeader& GetHeader() const override { return m_header; }

    void Assign(const CCalderPatch& other) { *this = other; }

private:
    void ResetBytes();

    std::array<uint8_t, kSysExSize> m_bytes{};
    CSysExHeader m_header{kHeaderType};
};
