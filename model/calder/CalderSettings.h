#pragma once

#include <array>
#include <cstdint>

#include "model/SysExSerialise.h"

// The Calder's sound engine settings that travel in its template: one block
// of audio settings (A1-A13, a 16-byte record) and two blocks of effect
// settings (E1-E24, a 64-byte record each). Neither is edited here; both are
// carried from the dump to the dump.
class CCalderAudioSettings : public ISysExSerialise
{
public:
    static constexpr size_t kRecordSize = 16;

    CCalderAudioSettings() { Reset(); }
    void Reset();
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;

    std::array<uint8_t, 13> A{}; // A1 .. A13
};

class CCalderFXSettings : public ISysExSerialise
{
public:
    static constexpr size_t kRecordSize = 64;

    CCalderFXSettings() { Reset(); }
    void Reset();
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer Write() const override;

    std::array<uint8_t, 24> E{}; // E1 .. E24
};
