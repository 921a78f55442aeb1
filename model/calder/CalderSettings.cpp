#include "model/calder/CalderSettings.h"

#include "model/records/RecordBytes.h"

namespace
{
constexpr std::array<uint8_t, 13> kAudioDefaults = {0x00, 0x40, 0x00, 0x00, 0x00, 0x40, 0x7F,
                                                    0x00, 0x00, 0x40, 0x7F, 0x00, 0x00};
constexpr std::array<uint8_t, 24> kFXDefaults = {0x00, 0x40, 0x40, 0x7F, 0x00, 0x03, 0x00, 0x5A,
                                                 0x00, 0x00, 0x14, 0x40, 0x40, 0x00, 0x40, 0x7F,
                                                 0x00, 0x40, 0x00, 0x40, 0x64, 0x40, 0x40, 0x40};

// Record offset of A1 .. A13; bytes 1, 14 and 15 are zero.
constexpr std::array<uint8_t, 13> kAudioOffsets = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
// Record offset of E1 .. E24; every other byte is zero.
constexpr std::array<uint8_t, 24> kFXOffsets = {0,  1,  2,  3,  4,  11, 10, 12, 21, 20, 22, 23,
                                                24, 30, 31, 36, 32, 33, 42, 44, 43, 48, 50, 49};

template <size_t N>
void ReadAt(std::array<uint8_t, N>& fields, const std::array<uint8_t, N>& offsets, const uint8_t* record)
{
    for (size_t i = 0; i < N; ++i)
        fields[i] = record[offsets[i]];
}

template <size_t N>
SysExBuffer WriteAt(const std::array<uint8_t, N>& fields, const std::array<uint8_t, N>& offsets, size_t size)
{
    SysExBuffer out;
    out.AppendZeros(size);
    for (size_t i = 0; i < N; ++i)
        out[offsets[i]] = fields[i] & 0x7F;
    return out;
}
} // namespace

void CCalderAudioSettings::Reset()
{
    A = kAudioDefaults;
}

bool CCalderAudioSettings::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!RecordBytes::Fits(bytes, position, kRecordSize))
        return false;
    ReadAt(A, kAudioOffsets, bytes.data() + position);
    position += kRecordSize;
    return true;
}

SysExBuffer CCalderAudioSettings::Write() const
{
    return WriteAt(A, kAudioOffsets, kRecordSize);
}

void CCalderFXSettings::Reset()
{
    E = kFXDefaults;
}

bool CCalderFXSettings::Read(const SysExBuffer& bytes, size_t& position)
{
    if (!RecordBytes::Fits(bytes, position, kRecordSize))
        return false;
    ReadAt(E, kFXOffsets, bytes.data() + position);
    position += kRecordSize;
    return true;
}

SysExBuffer CCalderFXSettings::Write() const
{
    return WriteAt(E, kFXOffsets, kRecordSize);
}
