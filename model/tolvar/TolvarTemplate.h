#pragma once

#include "model/SysExHeader.h"
#include "model/ZonedTemplate.h"
#include "model/tolvar/TolvarKeyboardZone.h"
#include "model/tolvar/TolvarLocals.h"

// The template of the plain Tolvar: 61 numbered controls, four keyboard
// zones and the settings. The step sizes of the buttons travel in a table
// ahead of the zones. An older layout of the same size, with the fields from
// offset 55 to 125 three bytes earlier, is converted while reading; the
// template then keeps the converted dump as the one it was read from, so
// only real differences count as lost bits. Opened to be converted.
//
// Indices: continuous 0-30 (24-30 the single controls), buttons 31-60.
class CTolvarTemplate : public CZonedTemplate<CTolvarKeyboardZone>
{
public:
    static constexpr int kSysExSize = 2832;
    static constexpr int kLastControlIndex = 60;
    static constexpr int kFirstButton = 31;
    static constexpr size_t kLayoutMarkerOffset = 126;

    CTolvarTemplate();

    bool Read(const SysExBuffer& bytes, size_t& position) override;

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

    // Converts a dump of the older layout (layout marker bit 0 clear) at
    // position into the current one in place; false when it already was.
    // The size of the dump must have been checked.
    static bool ConvertOlderLayout(SysExBuffer& dump, size_t position);

private:
    CSysExHeader m_header;
    CTolvarLocals m_locals;
    uint8_t m_templateByte = 0;
    // Set by Read while it parses a dump it converted itself.
    bool m_convertedByRead = false;
};
