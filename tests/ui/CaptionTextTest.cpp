#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/CaptionText.h"

namespace
{
CBaseControlState Control(int type, int lsb = 0, int channel = 1)
{
    CBaseControlState control;
    control.SetType(type, false);
    control.SetMIDIControlLSBNum(static_cast<uint8_t>(lsb));
    control.SetMIDIChannelOrMMCDeviceNum(channel);
    return control;
}

class CaptionTextTest : public testing::Test
{
protected:
    ~CaptionTextTest() override { App().Prefs().abbreviateNames = 1; }
};
} // namespace

TEST_F(CaptionTextTest, CaptionLineForEachMessageType)
{
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::Disabled)), " ");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::CC, 7)), "CC007");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::CC, 127)), "CC127");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::NRPN, 3)), "NRPN");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::RPN)), "RPN");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::SysEx)), "SYSEX");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::MMC, 0, 12)), "MM012");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::NoteOn, 60)), "C3");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::NoteOff, 0)), "C-2");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::NoteOn, 70)), "Bb3")
        << "flat names keep their lower-case b, the one small letter of the font";
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::BankSelect)), "AARGH");
    CBaseControlState program = Control(ControlMessageType::ProgramChange);
    program.SetOffValue(5, false);
    EXPECT_EQ(FormatControlCaption(program), "PC005");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::PitchBend)), "PITCH");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::DrumNote)), "DRUM");
    EXPECT_EQ(FormatControlCaption(Control(ControlMessageType::Aftertouch)), "A.TCH");
    EXPECT_EQ(FormatControlCaption(Control(13)), "AARGH");
    EXPECT_EQ(FormatControlCaption(Control(-1)), "AARGH");
}

TEST_F(CaptionTextTest, ChannelLineAndMmcNames)
{
    EXPECT_EQ(FormatControlChannel(Control(ControlMessageType::CC, 0, 1)), "CH:01");
    EXPECT_EQ(FormatControlChannel(Control(ControlMessageType::CC, 0, 16)), "CH:16");
    EXPECT_EQ(FormatControlChannel(Control(ControlMessageType::NoteOn, 0, 0)), "CH:00") << "as stored";
    EXPECT_EQ(FormatControlChannel(Control(ControlMessageType::CC, 0, 100)), "CH:100");
    EXPECT_EQ(FormatControlChannel(Control(ControlMessageType::MMC, 0, 5)), "-");
    EXPECT_EQ(FormatControlChannel(Control(ControlMessageType::SysEx, 0, 5)), "-");

    const char* names[] = {"STOP",  "PLAY",  "DPLAY", "FFW",   "REW",   "REC",  "REC-X",
                           "REC-P", "PAUSE", "EJECT", "CHASE", "E-RST", "RESET"};
    for (int code = 1; code <= 13; ++code)
        EXPECT_EQ(FormatMMCCommandName(code), names[code - 1]);
    EXPECT_EQ(FormatMMCCommandName(0), "");
    EXPECT_EQ(FormatMMCCommandName(14), "");
    EXPECT_EQ(FormatMMCCommandName(-3), "");
}

TEST_F(CaptionTextTest, NameLineIsShortenedAndUpperCased)
{
    CBaseControlState control = Control(ControlMessageType::CC);
    control.SetName("Filter Cutoff");
    EXPECT_EQ(ControlNameText(control, -1, 0, false), "FLT.CUT") << "display name length 8";
    EXPECT_EQ(ControlNameText(control, 4, 0, false), "F.CU") << "initial, then cut to the limit";
    control.SetName("Keyboard Volume");
    EXPECT_EQ(ControlNameText(control, 6, 1, false), "KVOL") << "mode 1 runs the words together";
    control.SetName("Drive");
    EXPECT_EQ(ControlNameText(control, -1, 0, false), "DRIVE") << "a fitting name stays";

    App().Prefs().abbreviateNames = 0;
    control.SetName("Filter Cutoff");
    EXPECT_EQ(ControlNameText(control, 4, 0, false), "FILTER C") << "cut to the display length, not shortened";
    control.SetName("Filter  x");
    EXPECT_EQ(ControlNameText(control, -1, 0, false), "FILTER") << "trailing blanks of the cut go";
    App().Prefs().abbreviateNames = 2;
    EXPECT_EQ(ControlNameText(control, -1, 0, false), "FILTER") << "only 1 counts as on";
}

TEST_F(CaptionTextTest, NameLineOfPluginParametersAndMmc)
{
    CBaseControlState control = Control(ControlMessageType::CC);
    control.SetName("Cut");
    ImportedParamRecord parameter;
    parameter.fullName = "Gain";
    parameter.shortName = "Cut";
    parameter.index = 4;
    control.SetImportedParam(parameter);
    EXPECT_EQ(ControlNameText(control, -1, 0, true), "GAIN");
    parameter.fullName = "Resonance";
    control.SetImportedParam(parameter);
    EXPECT_EQ(ControlNameText(control, -1, 0, true), "RES") << "a parameter name is shortened too";
    EXPECT_EQ(ControlNameText(control, -1, 0, false), "CUT");
    parameter.index = -1;
    control.SetImportedParam(parameter);
    EXPECT_EQ(ControlNameText(control, -1, 0, true), "CUT") << "no parameter: the control's name";

    CBaseControlState mmc = Control(ControlMessageType::MMC);
    mmc.SetName("Transport");
    mmc.SetMMCControlType(MMCCommand::RecordExit);
    EXPECT_EQ(ControlNameText(mmc, -1, 0, false), "REC-X") << "the unit names MMC controls itself";
}
