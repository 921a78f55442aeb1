#pragma once

#include <array>

#include "model/ZonedTemplate.h"
#include "model/tolvarvesk/TolvarVeskKeyboardZone.h"
#include "model/tolvarvesk/TolvarVeskLocals.h"
#include "model/tolvarvesk/TolvarVeskSysExHeader.h"

// The template of the Tolvar Vesk: 86 numbered controls, four more states
// that only travel in the dump, four keyboard zones, and settings with port
// groups. Opened to be converted into the application's own template; the
// dump is written back for the kept-bits comparison.
//
// Indices: continuous 0-23, 63-69, 78-85; buttons 24-62 and 70-77 (70-77 the
// drum buttons). Above 85, GetControl answers the imported controls.
class CTolvarVeskTemplate : public CZonedTemplate<CTolvarVeskKeyboardZone>
{
public:
    static constexpr int kSysExSize = 4112;
    static constexpr int kLastControlIndex = 85;
    static constexpr int kIndexedControls = kLastControlIndex + 1;
    static constexpr int kUnindexedControls = 4;
    static constexpr uint8_t kTemplateValue = 7;

    CTolvarVeskTemplate();

    int GetSysExSize() const override { return kSysExSize; }
    void ResetToDefaults() override;
    CSysExHeader& GetHeader() override { return m_header; }
    const CSysExHeader& GetHeader() const override { return m_header; }
    CTemplateLocals& GetLocals() override { return m_locals; }
    const CTemplateLocals& GetLocals() const override { return m_locals; }
    CTemplateGroups* GetGroups() override { return &m_locals.Groups; }
    int GetLastControlIndex() const override { return kLastControlIndex; }
    bool IsIndexValid(int index) const override { return index >= 0 && index < kIndexedControls; }
    // The shared check, then the repairs of broken settings, each with its
    // notice. The repairs do not mark the template modified.
    void ValidateAfterLoad() override;
    // Above the last index: the imported controls.
    using CEditorTemplate::GetControl;
    CBaseControlState* GetControl(int index) override;
    bool IsContinuousPlace(int index) const override;
    bool IsButtonPlace(int index) const override;
    bool ParseSysEx(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer SerialiseSysEx() const override;

    CTolvarVeskLocals& GetVeskLocals() { return m_locals; }
    // The state without an index, 0-3.
    CBaseControlState& GetUnindexedControl(int i) { return m_controls.at(kIndexedControls + i); }

    int GetTemplateValue() const { return m_templateValue; }
    bool GetSecondFlag() const { return m_secondFlag; }

private:
    CTolvarVeskSysExHeader m_header;
    CTolvarVeskLocals m_locals;
    bool m_secondFlag = false;
    int m_templateValue = kTemplateValue;
    std::array<uint8_t, 2> m_templateBytes{};
    std::array<uint8_t, 8> m_moreTemplateBytes{};
};
