#pragma once

#include <array>
#include <cstdint>

#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/dorvasynth/DorvaSynthLocals.h"
#include "model/dorvasynth/DorvaSynthSysExHeader.h"

// The DorvaSynth's template: 51 panel controls (pots 0-21, buttons 22-43,
// wheels 44-45, pad axes 46-49, pedal 50), three more controls that only
// travel in the dump, the settings, and the 1808-byte dump.
class CDorvaSynthTemplate : public CEditorTemplate
{
public:
    static constexpr int kSysExSize = 1808;
    static constexpr int kLastControlIndex = 50;
    static constexpr int kPotCount = 22;
    static constexpr int kButtonCount = 22;
    static constexpr int kFirstSingle = 44; // wheels, pad axes, pedal
    static constexpr int kSingleCount = 7;
    static constexpr int kUnindexedCount = 3;

    CDorvaSynthTemplate();
    // Builds the parts, takes other's header, then copies the rest through
    // its dump (Assign). The bulk dump copies its entries this way.
    CDorvaSynthTemplate(const CDorvaSynthTemplate& other);
    CDorvaSynthTemplate& operator=(const CDorvaSynthTemplate& other);

    std::string GetDisplayName() const override { return m_locals.GetName(); }
    void SetName(const std::string& name) override { m_locals.SetName(name); }
    int GetSysExSize() const override { return kSysExSize; }
    void ResetToDefaults() override;
    CSysExHeader& GetHeader() override { return m_header; }
    const CSysExHeader& GetHeader() const override { return m_header; }
    CTemplateLocals& GetLocals() override { return m_locals; }
    const CTemplateLocals& GetLocals() const override { return m_locals; }
    int GetLastControlIndex() const override { return kLastControlIndex; }
    // The base clamp, then the repair of values the unit does not accept.
    void ValidateAfterLoad() override;
    CBaseControlState* GetControl(int index) override;
    bool ParseSysEx(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer SerialiseSysEx() const override;

    // Null unless the index is a continuous place, or a button place.
    virtual CBaseControlState* GetContinuousControl(int index);
    virtual CBaseControlState* GetButtonControl(int index);

    CDorvaSynthLocals& GetDorvaSynthLocals() { return m_locals; }
    const CDorvaSynthLocals& GetDorvaSynthLocals() const { return m_locals; }
    // The three controls without a place on the panel.
    CBaseControlState& GetUnindexedControl(int i) { return m_unindexed.at(i); }
    // The two bytes before the closing F7, carried as read.
    uint8_t GetTrailingByte(int i) const { return m_trailing.at(i); }

private:
    void CopyCtor(const CDorvaSynthTemplate& other);
    // The controls in dump order, each with whether it has a button record.
    template <typename Self, typename Visit> static void ForEachRecord(Self& self, Visit visit);
    // Clears what the unit does not accept; returns whether anything changed.
    bool RepairAfterLoad();

    CDorvaSynthSysExHeader m_header;
    CDorvaSynthLocals m_locals;
    std::array<CBaseControlState, kPotCount> m_pots;
    std::array<CBaseControlState, kButtonCount> m_buttons;
    std::array<CBaseControlState, kSingleCount> m_singles;
    std::array<CBaseControlState, kUnindexedCount> m_unindexed;
    std::array<uint8_t, 2> m_trailing{{0x12, 0x34}};
};
