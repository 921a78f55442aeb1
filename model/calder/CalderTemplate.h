#pragma once

#include "model/SysExHeader.h"
#include "model/ZonedTemplate.h"
#include "model/calder/CalderKeyboardZone.h"
#include "model/calder/CalderLocals.h"
#include "model/calder/CalderSettings.h"

// The template of the Calder, a keyboard with a sound engine: 149 numbered
// controls and one state that only travels in the dump, four keyboard zones,
// the settings, and the audio and effect blocks. Its header type is 00, as
// the Tolvar's: the dump size tells them apart. Opened to be converted.
//
// Indices: continuous 0-92 (86-92 the single controls), buttons 93-148.
class CCalderTemplate : public CZonedTemplate<CCalderKeyboardZone>
{
public:
    static constexpr int kSysExSize = 8208;
    static constexpr int kLastControlIndex = 148;
    static constexpr int kIndexedControls = kLastControlIndex + 1;
    static constexpr int kFirstButton = 93;

    CCalderTemplate();

    int GetSysExSize() const override { return kSysExSize; }
    void ResetToDefaults() override;
    CSysExHeader& GetHeader() override { return m_header; }
    const CSysExHeader& GetHeader() const override { return m_header; }
    CTemplateLocals& GetLocals() override { return m_locals; }
    const CTemplateLocals& GetLocals() const override { return m_locals; }
    int GetLastControlIndex() const override { return kLastControlIndex; }
    bool IsContinuousPlace(int index) const override { return index >= 0 && index < kFirstButton; }
    bool IsButtonPlace(int index) const override { return index >= kFirstButton && index <= kLastControlIndex; }
    bool ParseSysEx(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer SerialiseSysEx() const override;

    CBaseControlState& GetUnindexedControl() { return m_controls.at(kIndexedControls); }

    CCalderAudioSettings& GetAudio() { return m_audio; }
    CCalderFXSettings& GetEffects(int block) { return block == 0 ? m_effects1 : m_effects2; }

private:
    CSysExHeader m_header;
    CCalderLocals m_locals;
    CCalderAudioSettings m_audio;
    CCalderFXSettings m_effects1;
    CCalderFXSettings m_effects2;
    uint8_t m_templateByte = 0;
};
