#include "model/ControlState.h"

#include <cstdio>

#include "model/EditorHost.h"
#include "model/NoteName.h"

namespace
{
std::string Printf(const char* format, int value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}
} // namespace

// The member initialisers hold the defaults, so a fresh state is already clear.
CBaseControlState::CBaseControlState() = default;

void CBaseControlState::Clear()
{
    // Base part only: the defaults live in one place, the member initialisers.
    CBaseControlState::operator=(CBaseControlState());
}

ControlInfoRecord CBaseControlState::Describe() const
{
    ControlInfoRecord info;
    info.nameLine = m_name;
    info.typeName = MessageTypeName(m_type);
    switch (m_type)
    {
    case ControlMessageType::Disabled:
    case ControlMessageType::Aftertouch:
        break;
    case ControlMessageType::CC:
        info.detail1 = Printf("CC#: %d", m_lsbNum);
        break;
    case ControlMessageType::NRPN:
    case ControlMessageType::RPN:
        info.detail1 = Printf("LSB: %d", m_lsbNum);
        info.detail2 = Printf("MSB: %d", m_msbNum);
        break;
    case ControlMessageType::SysEx:
        for (int j = 0; j < m_sysExData.MessageLength(); ++j)
        {
            const uint8_t byte = m_sysExData.GetMessageByte(j);
            info.detail1 += byte == SysExDef::kDataValue ? std::string("DV ") : Printf("%2.2X ", byte);
        }
        break;
    case ControlMessageType::MMC:
        info.nameLine = MMCCommandName(m_mmcControlType);
        info.detail1 = Printf("Device: %d", m_channelOrDevice);
        info.detail2 = "Command: " + MMCCommandName(m_mmcControlType);
        break;
    case ControlMessageType::NoteOn:
    case ControlMessageType::NoteOff:
        info.detail1 = "Note: " + NoteName(m_lsbNum);
        info.detail2 = Printf("Velocity: %d", m_offValue);
        break;
    case ControlMessageType::ProgramChange:
        info.detail1 = Printf("PG: %d", m_offValue);
        break;
    case ControlMessageType::DrumNote:
        info.detail1 = "Note: " + NoteName(m_offValue);
        break;
    default: // Bank Select, Pitch Bend, and codes no unit knows
        info.highLine = Printf("High: %d", m_onValue);
        info.lowLine = Printf("Low: %d", m_offValue);
        break;
    }
    if (m_type != ControlMessageType::Disabled && m_type != ControlMessageType::SysEx &&
        m_type != ControlMessageType::MMC)
        info.channelLine = Printf("Channel: %d", m_channelOrDevice);
    return info;
}

std::string CBaseControlState::GetLabel() const
{
    if (GetType() == ControlMessageType::MMC)
        return MMCCommandName(GetMMCControlType());
    const std::string name = GetName();
    const std::string display = GetDisplayName();
    return name == display ? name : name + " (" + display + ")";
}

bool CBaseControlState::HasDisplayFormat() const
{
    switch (GetType())
    {
    case ControlMessageType::MMC:
    case ControlMessageType::NoteOn:
    case ControlMessageType::NoteOff:
    case ControlMessageType::ProgramChange:
        return false;
    default:
        return true;
    }
}

void CBaseControlState::SetType(int type, bool notify)
{
    m_type = type;
    if (type == ControlMessageType::MMC)
        m_displayFormat = DisplayFormat::MMC;
    else if (m_displayFormat == DisplayFormat::MMC)
        m_displayFormat = DisplayFormat::Range0To127;
    m_behaviourBit0 = !(type == ControlMessageType::NRPN || type == ControlMessageType::RPN);
    if (notify)
        ClampSnapshotValue();
}

void CBaseControlState::SetName(const std::string& name)
{
    m_name = name;
    m_importedParam.shortName = name;
}

void CBaseControlState::SetAction(int action)
{
    m_action = action;
    // No main window while banks load and in tests: nobody to tell.
    if (IEditorWindow* window = Host().Window())
        for (IObserver* observer : window->GetObservers())
            if (observer)
                observer->Notify();
}

void CBaseControlState::SetOnValue(int value, bool notify)
{
    m_onValue = value;
    SetInvertedRange(m_offValue > m_onValue);
    if (notify)
        ClampSnapshotValue();
}

void CBaseControlState::SetOffValue(int value, bool notify)
{
    m_offValue = value;
    SetInvertedRange(m_offValue > m_onValue);
    if (notify)
        ClampSnapshotValue();
}

uint8_t CBaseControlState::GetPassThroughByte(int i) const
{
    return (i >= 0 && i < kPassThroughBytes) ? m_passThrough[i] : 0;
}

void CBaseControlState::SetPassThroughByte(int i, uint8_t value)
{
    if (i >= 0 && i < kPassThroughBytes)
        m_passThrough[i] = value;
}

void CBaseControlState::CopyFrom(CBaseControlState& destination, const CBaseControlState& source)
{
    destination = source;
}

bool CBaseControlState::Equals(const CBaseControlState& a, const CBaseControlState& b)
{
    return a.m_name == b.m_name && a.m_type == b.m_type && a.m_routingBit0 == b.m_routingBit0 &&
           a.m_routingBit1 == b.m_routingBit1 && a.m_midiPort1Enabled == b.m_midiPort1Enabled &&
           a.m_midiPort2Enabled == b.m_midiPort2Enabled && a.m_usbPortEnabled == b.m_usbPortEnabled &&
           a.m_usbPort2Enabled == b.m_usbPort2Enabled && a.m_usbPort3Enabled == b.m_usbPort3Enabled &&
           a.m_midiPortGroup == b.m_midiPortGroup && a.m_midiChanGroup == b.m_midiChanGroup &&
           a.m_behaviourBit0 == b.m_behaviourBit0 && a.m_behaviourBit1 == b.m_behaviourBit1 &&
           a.m_invertedRange == b.m_invertedRange && a.m_behaviourBit2Inverse == b.m_behaviourBit2Inverse &&
           a.m_potCatchup == b.m_potCatchup && a.m_lsbNum == b.m_lsbNum && a.m_msbNum == b.m_msbNum &&
           a.m_channelOrDevice == b.m_channelOrDevice && a.m_mmcControlType == b.m_mmcControlType &&
           a.m_displayFormat == b.m_displayFormat && a.m_modeBit6 == b.m_modeBit6 &&
           a.m_offValue == b.m_offValue && a.m_onValue == b.m_onValue && a.m_action == b.m_action &&
           a.m_multiStep == b.m_multiStep && a.m_channelHighNibble == b.m_channelHighNibble &&
           a.m_sysExData.Equals(b.m_sysExData) && a.m_importedParam.fullName == b.m_importedParam.fullName &&
           a.m_importedParam.index == b.m_importedParam.index && a.m_passThrough[0] == b.m_passThrough[0];
}

bool CBaseControlState::ClampSnapshotValue()
{
    if (!HasSnapshotValue(m_type))
        return false;

    int value = m_snapshotValue;
    if (m_action == ControlAction::Normal && !m_continuous)
        value = m_offValue;
    else if (m_type == ControlMessageType::NoteOn)
        value = 0;
    else if (value > MaxInt(m_offValue, m_onValue))
        value = MaxInt(m_offValue, m_onValue);
    else if (value < MinInt(m_offValue, m_onValue))
        value = MinInt(m_offValue, m_onValue);

    const bool changed = value != m_snapshotValue;
    m_snapshotValue = value;

    if (IEditorWindow* window = Host().Window())
        if (IObserver* observer = window->GetValueObserver())
            observer->Notify();
    return changed;
}

bool CBaseControlState::HasSnapshotValue(int type)
{
    return type != ControlMessageType::Disabled && type != ControlMessageType::DrumNote;
}

std::string CBaseControlState::MessageTypeName(int type)
{
    static const char* const kNames[] = {"Disabled",    "CC",          "NRPN",           "RPN",
                                         "SysEx",       "MMC",         "Note On/Off",    "Note On/Off",
                                         "Bank Select", "Program Change", "Pitch Bend", "Drum Note",
                                         "Aftertouch"};
    if (type < 0 || type >= int(sizeof kNames / sizeof kNames[0]))
        return "Unknown!";
    return kNames[type];
}

std::string CBaseControlState::MMCCommandName(int command)
{
    static const char* const kNames[] = {"Stop",   "Play",         "Def. Play", "Forward", "Rewind",
                                         "Record", "Record Exit",  "Record Pause", "Pause", "Eject",
                                         "Chase",  "Err. Reset",   "MMC Reset"};
    if (command < MMCCommand::Stop || command > MMCCommand::Reset)
        return "Unknown!";
    return kNames[command - MMCCommand::Stop];
}

void CBaseControlState::ApplyPluginParameter(const ImportedParamRecord& record, CBaseControlState& state)
{
    state.SetImportedParam(record);
    if (record.index != -1)
    {
        state.SetName(record.shortName);
        state.SetParamName(record.fullName);
        state.SetType(ControlMessageType::CC, true);
    }
    else
    {
        state.SetName("");
        state.SetParamName("");
        state.SetType(ControlMessageType::Disabled, true);
    }
    state.SetMIDIControlLSBNum(0);
}
