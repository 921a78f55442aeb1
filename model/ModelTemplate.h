#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/TemplateLocals.h"

// What the templates of the other models share: their control states in one
// list (the indexed controls first, then the states that only travel in the
// dump), the answer to which place an index is, the two values before the
// closing F7, and names shown with the manufacturer's.
class CModelTemplate : public CEditorTemplate
{
public:
    // Name + " - " + manufacturer name.
    std::string GetDisplayName() const override;
    void SetName(const std::string& name) override { GetLocals().SetName(name); }

    using CEditorTemplate::GetControl;
    CBaseControlState* GetControl(int index) override;
    // Null unless the index is a continuous place, or a button place.
    CBaseControlState* GetContinuousControl(int index);
    CBaseControlState* GetButtonControl(int index);
    virtual bool IsContinuousPlace(int index) const = 0;
    virtual bool IsButtonPlace(int index) const = 0;

    // The two values before the closing F7, carried as read.
    uint8_t GetTrailingValue(int i) const { return m_trailing[i & 1]; }

protected:
    explicit CModelTemplate(int states) : m_controls(states) {}

    // The settings, every control state, the trailing values and the file
    // path back to their defaults; the template counts as initialised.
    void ResetCommonParts();
    void ResetTrailingValues();
    void ReadTrailingValues(const SysExBuffer& bytes, size_t& position);
    void WriteTrailingValues(SysExBuffer& out) const;

    std::vector<CBaseControlState> m_controls;

private:
    uint8_t m_trailing[2] = {0x12, 0x34};
};
