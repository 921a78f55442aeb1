#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/CaptionText.h"

namespace
{
CBaseControlState Control(int type, int lsb = 0, int channel = 1, const char* name = "")
{
    CBaseControlState control;
    control.SetType(type, false);
    control.SetMIDIControlLSBNum(static_cast<uint8_t>(lsb));
    control.SetMIDIChannelOrMMCDeviceNum(channel);
    control.SetName(name);
    return control;
}
} // namespace

TEST(CaptionTextTest, CaptionAndChannelLinesForEachMessageType)
{
    using T = ControlMessageType::Value;
    const struct
    {
        int type, lsb, channel;
        const char *caption, *channelLine;
    } rows[] = {
        {T::Disabled, 0, 1, " ", "CH:01"}, {T::CC, 7, 16, "CC007", "CH:16"}, {T::CC, 127, 100, "CC127", "CH:100"},
        {T::NRPN, 3, 1, "NRPN", "CH:01"}, {T::RPN, 0, 1, "RPN", "CH:01"}, {T::SysEx, 0, 5, "SYSEX", "-"},
        {T::MMC, 0, 12, "MM012", "-"}, {T::NoteOn, 60, 0, "C3", "CH:00"}, {T::NoteOff, 0, 1, "C-2", "CH:01"},
        {T::NoteOn, 70, 1, "Bb3", "CH:01"}, {T::BankSelect, 0, 1, "AARGH", "CH:01"},
        {T::PitchBend, 0, 1, "PITCH", "CH:01"}, {T::DrumNote, 0, 1, "DRUM", "CH:01"},
        {T::Aftertouch, 0, 1, "A.TCH", "CH:01"}, {13, 0, 1, "AARGH", "CH:01"}, {-1, 0, 1, "AARGH", "CH:01"},
    };
    for (const auto& row : rows)
    {
        const CBaseControlState control = Control(row.type, row.lsb, row.channel);
        EXPECT_EQ(FormatControlCaption(control), row.caption) << row.type << " " << row.lsb;
        EXPECT_EQ(FormatControlChannel(control), row.channelLine) << row.type << " " << row.channel;
    }
    CBaseControlState program = Control(T::ProgramChange);
    program.SetOffValue(5, false);
    EXPECT_EQ(FormatControlCaption(program), "PC005");

    std::string names;
    for (int code = -1; code <= 14; ++code)
        names += FormatMMCCommandName(code) + "|";
    EXPECT_EQ(names, "||STOP|PLAY|DPLAY|FFW|REW|REC|REC-X|REC-P|PAUSE|EJECT|CHASE|E-RST|RESET||");
}

TEST(CaptionTextTest, NameLineIsShortenedOrCutAndUpperCased)
{
    const struct
    {
        int abbreviate;
        const char* name;
        int length, mode;
        const char* shown;
    } rows[] = {
        {1, "Filter Cutoff", -1, 0, "FLT.CUT"}, // display name length 8
        {1, "Filter Cutoff", 4, 0, "F.CU"},     // initial, then cut to the limit
        {1, "Keyboard Volume", 6, 1, "KVOL"},   // mode 1 runs the words together
        {1, "Drive", -1, 0, "DRIVE"},
        {0, "Filter Cutoff", 4, 0, "FILTER C"}, // cut to the display length, not shortened
        {0, "Filter  x", -1, 0, "FILTER"},      // trailing blanks of the cut go
        {2, "Filter  x", -1, 0, "FILTER"},      // only 1 counts as on
    };
    for (const auto& row : rows)
    {
        App().Prefs().abbreviateNames = row.abbreviate;
        EXPECT_EQ(ControlNameText(Control(ControlMessageType::CC, 0, 1, row.name), row.length, row.mode, false),
                  row.shown)
            << row.name << " " << row.abbreviate;
    }
    App().Prefs().abbreviateNames = 1;

    CBaseControlState control = Control(ControlMessageType::CC, 0, 1, "Cut");
    ImportedParamRecord parameter;
    parameter.fullName = "Resonance";
    parameter.index = 4;
    control.SetImportedParam(parameter);
    EXPECT_EQ(ControlNameText(control, -1, 0, true), "RES") << "a parameter name, shortened too";
    EXPECT_EQ(ControlNameText(control, -1, 0, false), "CUT");
    parameter.index = -1;
    control.SetImportedParam(parameter);
    EXPECT_EQ(ControlNameText(control, -1, 0, true), "CUT") << "no parameter: the control's name";

    CBaseControlState mmc = Control(ControlMessageType::MMC, 0, 1, "Transport");
    mmc.SetMMCControlType(MMCCommand::RecordExit);
    EXPECT_EQ(ControlNameText(mmc, -1, 0, false), "REC-X") << "the unit names MMC controls itself";
}
