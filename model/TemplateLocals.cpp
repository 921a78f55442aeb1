#include "model/TemplateLocals.h"

namespace
{
std::string TrimRight(const std::string& text)
{
    const size_t end = text.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}
} // namespace

void CTemplateLocalData::Reset()
{
    LocalsByte1 = 0;
    Keybaord_Midi_Channel = 0;
    LocalsByte3 = 0;
    LocalsByte4 = 0;
    Velocity_Curve = 2;
    Octave_Setting = 4;
    LocalsByte7 = 0;
    LocalsByte8 = 0;
    Enable_Midi_Port_1 = true;
    Enable_Midi_Port_2 = true;
    Enable_USB_Port = true;
    After_Touch = true;
    LocalsByte13 = 0;
    LocalsByte14 = 0;
    LocalsByte15 = 0;
    Override_Midi_Channel = 0;
    Pad_X_Type = 0;
    Pad_Y_Type = 0;
    m_name = "Untitled";
    m_manufacturerName = "Unknown";
    LocalsByte21 = 1;
    LocalsByte22 = 1;
    Pathlore_Template = false;
    Synth_By_Control = 0;
    Synth_By_MIDI = 0;
    Hybrid = 0;
    Transpose = 0;
}

bool CTemplateLocalData::DataEquals(const CTemplateLocalData& o) const
{
    return LocalsByte1 == o.LocalsByte1 && Keybaord_Midi_Channel == o.Keybaord_Midi_Channel &&
           LocalsByte3 == o.LocalsByte3 && LocalsByte4 == o.LocalsByte4 && Velocity_Curve == o.Velocity_Curve &&
           Octave_Setting == o.Octave_Setting && LocalsByte7 == o.LocalsByte7 && LocalsByte8 == o.LocalsByte8 &&
           Enable_Midi_Port_1 == o.Enable_Midi_Port_1 && Enable_Midi_Port_2 == o.Enable_Midi_Port_2 &&
           Enable_USB_Port == o.Enable_USB_Port && After_Touch == o.After_Touch && LocalsByte13 == o.LocalsByte13 &&
           LocalsByte14 == o.LocalsByte14 && LocalsByte15 == o.LocalsByte15 &&
           Override_Midi_Channel == o.Override_Midi_Channel && Pad_X_Type == o.Pad_X_Type &&
           Pad_Y_Type == o.Pad_Y_Type && m_name == o.m_name && m_manufacturerName == o.m_manufacturerName &&
           LocalsByte21 == o.LocalsByte21 && LocalsByte22 == o.LocalsByte22 &&
           Pathlore_Template == o.Pathlore_Template && Synth_By_Control == o.Synth_By_Control &&
           Synth_By_MIDI == o.Synth_By_MIDI && Hybrid == o.Hybrid && Transpose == o.Transpose;
}

void CTemplateLocalData::SetName(const std::string& name)
{
    m_name = name.substr(0, kMaxNameLength);
}

std::string CTemplateLocalData::GetName() const
{
    return TrimRight(m_name);
}

void CTemplateLocalData::SetManufacturerName(const std::string& name)
{
    m_manufacturerName = name.substr(0, kMaxManufacturerNameLength);
}

std::string CTemplateLocalData::GetManufacturerName() const
{
    return TrimRight(m_manufacturerName);
}

std::string SpringModeName(int mode, bool horizontal)
{
    switch (mode)
    {
    case 0:
        return "No Spring / Hold";
    case 1:
        return horizontal ? "Spring Left" : "Spring Down";
    case 2:
        return "Spring Centre";
    case 3:
        return horizontal ? "Spring Right" : "Spring Up";
    default:
        return "!!!!";
    }
}
