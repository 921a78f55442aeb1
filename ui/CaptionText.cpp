#include "ui/CaptionText.h"

#include <cctype>
#include <cstdio>

#include "app/EditorApp.h"
#include "model/AbbreviationMap.h"
#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/NameText.h"
#include "model/NoteName.h"
#include "model/ShortenName.h"

namespace
{
// prefix followed by the value with at least digits digits.
std::string Numbered(const char* prefix, int value, int digits = 3)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%.*d", prefix, digits, value);
    return text;
}

std::string UpperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

std::string FormatControlCaption(const CBaseControlState& control)
{
    switch (control.GetType())
    {
    case ControlMessageType::Disabled:
        return " ";
    case ControlMessageType::CC:
        return Numbered("CC", control.GetMIDIControlLSBNum());
    case ControlMessageType::NRPN:
        return "NRPN";
    case ControlMessageType::RPN:
        return "RPN";
    case ControlMessageType::SysEx:
        return "SYSEX";
    case ControlMessageType::MMC:
        return Numbered("MM", control.GetMIDIChannelOrMMCDeviceNum());
    case ControlMessageType::NoteOn:
    case ControlMessageType::NoteOff:
        return NoteName(control.GetMIDIControlLSBNum());
    case ControlMessageType::ProgramChange:
        return Numbered("PC", control.GetOffValue());
    case ControlMessageType::PitchBend:
        return "PITCH";
    case ControlMessageType::DrumNote:
        return "DRUM";
    case ControlMessageType::Aftertouch:
        return "A.TCH";
    default: // Bank Select and codes no device defines
        return "AARGH";
    }
}

std::string FormatControlChannel(const CBaseControlState& control)
{
    const int type = control.GetType();
    if (type == ControlMessageType::MMC || type == ControlMessageType::SysEx)
        return "-";
    return Numbered("CH:", control.GetMIDIChannelOrMMCDeviceNum(), 2);
}

std::string FormatMMCCommandName(int command)
{
    static const char* const kNames[] = {"STOP",  "PLAY",  "DPLAY", "FFW",   "REW",   "REC",  "REC-X",
                                         "REC-P", "PAUSE", "EJECT", "CHASE", "E-RST", "RESET"};
    if (command < 1 || command > 13)
        return std::string();
    return kNames[command - 1];
}

std::string ControlNameText(const CBaseControlState& control, int nameLength, int shorteningMode,
                            bool useParamName)
{
    const IDeviceAnswers& device = Device();
    if (control.GetType() == ControlMessageType::MMC && !device.AllowsNamedMmcControls())
        return FormatMMCCommandName(control.GetMMCControlType());

    std::string text = control.GetName();
    if (useParamName && control.GetImportedParam().index != -1)
        text = control.GetImportedParam().fullName;

    const int displayLength = device.GetDisplayNameLength();
    if (Preferences::IsOn(wxGetApp().Prefs().abbreviateNames))
    {
        const int limit = nameLength < 1 ? displayLength : nameLength;
        text = ShortenName(text, Host().Abbreviations(), limit, shorteningMode).Text();
    }
    else
    {
        if (displayLength >= 0 && text.size() > static_cast<size_t>(displayLength))
            text.resize(displayLength);
        text = TrimTrailingBlanks(text);
    }
    return UpperCase(text);
}
