#pragma once

#include "model/ModelTemplate.h"
#include "model/tolvardrel/TolvarDrelLocals.h"
#include "model/tolvardrel/TolvarDrelSysExHeader.h"

// The template of the Tolvar Drel: 49 numbered controls and a few settings,
// no keyboard zones and no port groups. Its dump opens with the 6-byte header
// and is accepted when it is at least 1305 bytes long. Opened to be
// converted.
//
// Indices: continuous 0-17 and 42-47; buttons 18-41 and 48.
class CTolvarDrelTemplate : public CModelTemplate
{
public:
    static constexpr int kSysExSize = 1305;
    static constexpr int kLastControlIndex = 48;
    // A bank entry read without its header (bulk reading): settings and records.
    static constexpr size_t kHeaderlessSize = 24 + 49 * 26;

    CTolvarDrelTemplate();

    // Keeps the whole message, however long; a header-less bank entry
    // keeps only its own bytes, so it writes back what the model does not hold.
    bool Read(const SysExBuffer& bytes, size_t& position) override;
    // The 1305-byte dump; after a longer message its bytes but the last keep
    // what was read where the model does not hold them, and it ends with F7.
    SysExBuffer Write() const override;

    // The template name alone.
    std::string GetDisplayName() const override { return m_locals.GetName(); }
    int GetSysExSize() const override { return kSysExSize; }
    void ResetToDefaults() override;
    CSysExHeader& GetHeader() override { return m_header; }
    const CSysExHeader& GetHeader() const override { return m_header; }
    CTemplateLocals& GetLocals() override { return m_locals; }
    const CTemplateLocals& GetLocals() const override { return m_locals; }
    int GetLastControlIndex() const override { return kLastControlIndex; }
    bool IsContinuousPlace(int index) const override;
    bool IsButtonPlace(int index) const override;
    // With the bulk reading flag set, no header is read or written.
    bool ParseSysEx(const SysExBuffer& bytes, size_t& position) override;
    SysExBuffer SerialiseSysEx() const override;

    CTolvarDrelLocals& GetDrelLocals() { return m_locals; }

private:
    CTolvarDrelSysExHeader m_header;
    CTolvarDrelLocals m_locals;
};
