#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/SysExSerialise.h"

// The template-wide settings that every model shares. The field names are the
// ones the models' dump codecs and the template settings dialog use. Copying
// (copy constructor, Assign) copies these fields only, never a derived class's
// own bytes, so the settings of one model's template can be edited through a
// plain copy and put back.
class CTemplateLocalData
{
public:
    static constexpr size_t kMaxNameLength = 35;
    static constexpr size_t kMaxManufacturerNameLength = 13;

    CTemplateLocalData() { CTemplateLocalData::Reset(); }
    virtual ~CTemplateLocalData() = default;
    CTemplateLocalData(const CTemplateLocalData&) = default;
    CTemplateLocalData& operator=(const CTemplateLocalData&) = default;

    // Name "Untitled", manufacturer "Unknown", velocity curve 2, octave 4,
    // ports and aftertouch on, group pages 1 and 1, everything else 0.
    virtual void Reset();
    void Assign(const CTemplateLocalData& other) { CTemplateLocalData::operator=(other); }
    bool DataEquals(const CTemplateLocalData& other) const;

    // Stored as given, cut to 35 and 13 characters; read back without
    // trailing white space.
    void SetName(const std::string& name);
    std::string GetName() const;
    void SetManufacturerName(const std::string& name);
    std::string GetManufacturerName() const;
    // The names as stored, padding included (dump writers use these).
    const std::string& GetRawName() const { return m_name; }
    const std::string& GetRawManufacturerName() const { return m_manufacturerName; }

    uint8_t LocalsByte1;
    uint8_t Keybaord_Midi_Channel; // 0-15, shown + 1
    uint8_t LocalsByte3;
    uint8_t LocalsByte4;
    uint8_t Velocity_Curve; // shown + 1
    uint8_t Octave_Setting; // shown - 4
    uint8_t LocalsByte7;
    uint8_t LocalsByte8;
    bool Enable_Midi_Port_1;
    bool Enable_Midi_Port_2;
    bool Enable_USB_Port;
    bool After_Touch;
    uint8_t LocalsByte13;
    uint8_t LocalsByte14;
    uint8_t LocalsByte15;
    uint8_t Override_Midi_Channel;
    int Pad_X_Type; // pad spring modes, see SpringModeName
    int Pad_Y_Type;
    uint8_t LocalsByte21; // group page count
    uint8_t LocalsByte22; // current group page
    bool Pathlore_Template; // one of the maker's standard plug-in mapping templates
    int Synth_By_Control;
    uint8_t Synth_By_MIDI; // used as a bool
    uint8_t Hybrid;        // used as a bool
    int Transpose;

private:
    std::string m_name;
    std::string m_manufacturerName;
};

// The settings with their model's dump record.
class CTemplateLocals : public CTemplateLocalData, public ISysExSerialise
{
};

// The pad spring mode as the template settings show it: 0 "No Spring / Hold",
// 1 and 3 a direction along the axis, 2 "Spring Centre", anything else "!!!!".
std::string SpringModeName(int mode, bool horizontal);
