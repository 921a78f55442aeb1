#include <climits>

#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "model/NoteName.h"
#include "tests/model/RecordingWindow.h"

namespace
{
CBaseControlState ContinuousCC(int low, int high, int snapshot)
{
    CBaseControlState s;
    s.SetContinuous(true);
    s.SetType(ControlMessageType::CC, false);
    s.SetOnValue(high, false);
    s.SetOffValue(low, false);
    s.SetSnapshotValue(snapshot);
    return s;
}

SysExDef Message(std::initializer_list<uint8_t> bytes, int dataPosition)
{
    SysExDef def;
    def.SetLengthByte(static_cast<uint8_t>(bytes.size() + 1));
    def.SetDataPosition(static_cast<uint8_t>(dataPosition));
    int j = 0;
    for (uint8_t b : bytes)
        def.SetMessageByte(j++, b);
    return def;
}
} // namespace

TEST(ControlState, ClearForgetsEveryChangeAndCopyFromTakesEveryField)
{
    CBaseControlState s = ContinuousCC(9, 3, 44);
    s.SetName("Cutoff");
    s.SetParamName("Filter Cutoff");
    s.SetAction(ControlAction::Step);
    s.SetPassThroughByte(4, 0x10);
    s.SetSysExData(Message({0x41, 0x10}, 0));
    s.SetDrumAutoOffTime(5);
    CBaseControlState copy;
    CBaseControlState::CopyFrom(copy, s);
    EXPECT_TRUE(CBaseControlState::Equals(copy, s));
    EXPECT_EQ(copy.GetParamName() + std::to_string(copy.GetSnapshotValue()) + std::to_string(copy.IsContinuous()) +
                  std::to_string(copy.GetPassThroughByte(4)),
              "Filter Cutoff44116");
    s.Clear();
    EXPECT_TRUE(CBaseControlState::Equals(s, CBaseControlState()));
    EXPECT_EQ(s.GetParamName() + s.GetImportedParam().shortName, "");
    EXPECT_EQ(s.GetSnapshotValue() + s.GetDrumAutoOffTime() + s.GetPassThroughByte(4) + s.IsContinuous(), 0);
    s.SetPassThroughByte(-1, 9);
    s.SetPassThroughByte(5, 9);
    EXPECT_EQ(s.GetPassThroughByte(-1) + s.GetPassThroughByte(5), 0);
}

TEST(ControlState, SetTypeKeepsDisplayFormatAndBehaviourBit0InStep)
{
    CBaseControlState s;
    s.SetDisplayFormat(DisplayFormat::RangeMinus64To63);
    s.SetType(ControlMessageType::MMC, false);
    EXPECT_EQ(s.GetDisplayFormat(), DisplayFormat::MMC);
    EXPECT_FALSE(s.HasDisplayFormat());
    s.SetType(ControlMessageType::CC, false);
    EXPECT_EQ(s.GetDisplayFormat(), DisplayFormat::Range0To127);

    s.SetDisplayFormat(DisplayFormat::RangeMinus64To63);
    s.SetType(ControlMessageType::CC, false);
    EXPECT_EQ(s.GetDisplayFormat(), DisplayFormat::RangeMinus64To63);

    for (int type = -1; type <= 130; ++type)
    {
        s.SetType(type, true);
        EXPECT_EQ(s.GetBehaviourBit0(), type != ControlMessageType::NRPN && type != ControlMessageType::RPN)
            << type;
        EXPECT_EQ(s.HasDisplayFormat(), type != 5 && type != 6 && type != 7 && type != 9) << type;
    }
}

TEST(ControlState, RangeSettersTrackInversionAndClamp)
{
    CBaseControlState s = ContinuousCC(0, 20, 120);
    s.SetOffValue(100, true);
    EXPECT_TRUE(s.GetInvertedRange());
    EXPECT_EQ(s.GetSnapshotValue(), 100);

    s.SetSnapshotValue(5);
    EXPECT_TRUE(s.ClampSnapshotValue());
    EXPECT_EQ(s.GetSnapshotValue(), 20);
    EXPECT_FALSE(s.ClampSnapshotValue());

    s.SetOnValue(127, false);
    EXPECT_FALSE(s.GetInvertedRange());
    s.SetSnapshotValue(-3);
    s.SetOffValue(10, false); // without notify nothing is clamped
    EXPECT_EQ(s.GetSnapshotValue(), -3);
}

TEST(ControlState, ButtonsClampByTheirAction)
{
    CBaseControlState button;
    button.SetType(ControlMessageType::CC, false);
    button.SetOffValue(12, false);
    button.SetSnapshotValue(90);
    EXPECT_TRUE(button.ClampSnapshotValue());
    EXPECT_EQ(button.GetSnapshotValue(), 12);

    CBaseControlState note;
    note.SetType(ControlMessageType::NoteOn, false);
    note.SetAction(ControlAction::Momentary);
    note.SetOffValue(100, false);
    note.SetSnapshotValue(64);
    EXPECT_TRUE(note.ClampSnapshotValue());
    EXPECT_EQ(note.GetSnapshotValue(), 0);

    CBaseControlState toggle;
    toggle.SetType(ControlMessageType::CC, false);
    toggle.SetAction(ControlAction::Toggle);
    toggle.SetOnValue(50, false);
    toggle.SetSnapshotValue(64);
    EXPECT_TRUE(toggle.ClampSnapshotValue());
    EXPECT_EQ(toggle.GetSnapshotValue(), 50);
}

TEST(ControlState, ChangesTellTheValueObserverOrEveryObserverInOrder)
{
    RecordingWindow window;
    std::vector<int> order;
    struct Ordered : IObserver
    {
        Ordered(std::vector<int>& log, int id) : log(log), id(id) {}
        void Notify() override { log.push_back(id); }
        std::vector<int>& log;
        int id;
    } first(order, 1), second(order, 2);
    CountingObserver value;
    window.observers = {&first, nullptr, &second};
    window.valueObserver = &value;
    RecordingHost host(&window);
    ScopedHost scope(&host);

    CBaseControlState s = ContinuousCC(0, 127, 64);
    EXPECT_FALSE(s.ClampSnapshotValue());
    s.SetOnValue(10, true);
    EXPECT_EQ(s.GetSnapshotValue(), 10);
    s.SetType(ControlMessageType::NRPN, true);
    EXPECT_EQ(value.count, 3);
    EXPECT_TRUE(order.empty());
    s.SetAction(ControlAction::Toggle);
    EXPECT_EQ(s.GetAction(), ControlAction::Toggle);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(value.count, 3);

    // Types without a snapshot keep it and tell nobody.
    for (int type : {ControlMessageType::Disabled, ControlMessageType::DrumNote})
    {
        CBaseControlState none;
        none.SetType(type, false);
        none.SetSnapshotValue(300);
        EXPECT_FALSE(none.ClampSnapshotValue());
        none.SetOnValue(10, true);
        EXPECT_EQ(none.GetSnapshotValue(), 300);
    }
    EXPECT_EQ(value.count, 3);

    // Without a main window, or one without observers, nothing is told and all still works.
    for (IEditorWindow* quiet : {static_cast<IEditorWindow*>(nullptr), static_cast<IEditorWindow*>(new RecordingWindow)})
    {
        RecordingHost other(quiet);
        ScopedHost inner(&other);
        CBaseControlState c = ContinuousCC(0, 50, 90);
        c.SetAction(ControlAction::Momentary);
        EXPECT_EQ(c.GetAction(), ControlAction::Momentary);
        EXPECT_TRUE(c.ClampSnapshotValue());
        EXPECT_EQ(c.GetSnapshotValue(), 50);
        delete quiet;
    }
}

TEST(ControlState, LabelJoinsNameAndParameterName)
{
    CBaseControlState s;
    s.SetName("Cutoff");
    EXPECT_EQ(s.GetLabel(), "Cutoff");
    s.SetParamName("Filter Cutoff");
    EXPECT_EQ(s.GetDisplayName(), "Filter Cutoff");
    EXPECT_EQ(s.GetLabel(), "Cutoff (Filter Cutoff)");
    s.SetParamName("Cutoff");
    EXPECT_EQ(s.GetLabel(), "Cutoff");

    s.SetType(ControlMessageType::MMC, false);
    s.SetMMCControlType(MMCCommand::RecordPause);
    EXPECT_EQ(s.GetLabel(), "Record Pause");
    s.SetMMCControlType(0);
    EXPECT_EQ(s.GetLabel(), "Unknown!");
}

TEST(ControlState, CodeTableNames)
{
    std::string types, mmc;
    for (int t : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, -1, INT_MIN, INT_MAX})
        types += CBaseControlState::MessageTypeName(t) + ",";
    EXPECT_EQ(types, "Disabled,CC,NRPN,RPN,SysEx,MMC,Note On/Off,Note On/Off,Bank Select,Program Change,Pitch Bend,"
                     "Drum Note,Aftertouch,Unknown!,Unknown!,Unknown!,Unknown!,");
    for (int c = -1; c <= 14; ++c)
        mmc += CBaseControlState::MMCCommandName(c) + ",";
    EXPECT_EQ(mmc, "Unknown!,Unknown!,Stop,Play,Def. Play,Forward,Rewind,Record,Record Exit,Record Pause,Pause,Eject,"
                   "Chase,Err. Reset,MMC Reset,Unknown!,");
}

TEST(NoteName, NamesAndOctaves)
{
    std::string names;
    for (int note : {60, 61, 63, 70, 0, 127, 255, -1, -12})
        names += NoteName(note) + " ";
    EXPECT_EQ(names, "C3 C#3 Eb3 Bb3 C-2 G8 Eb19 B-3 C-3 ");
    EXPECT_FALSE(NoteName(INT_MIN).empty() || NoteName(INT_MAX).empty());
}

TEST(ControlState, DescribeByType)
{
    CBaseControlState s;
    s.SetName("Knob");
    s.SetMIDIChannelOrMMCDeviceNum(5);
    s.SetMIDIControlLSBNum(60);
    s.SetMIDIControlMSBNum(3);
    s.SetOffValue(10, false);
    s.SetOnValue(99, false);
    const auto describe = [&s](int type, int off) {
        s.SetType(type, false);
        s.SetOffValue(off, false);
        const ControlInfoRecord i = s.Describe();
        return i.nameLine + "|" + i.typeName + "|" + i.channelLine + "|" + i.detail1 + "|" + i.detail2 + "|" +
               i.highLine + "|" + i.lowLine;
    };
    const struct
    {
        int type, off;
        const char* lines;
    } cases[] = {
        {ControlMessageType::Disabled, 10, "Knob|Disabled|||||"},
        {ControlMessageType::CC, 10, "Knob|CC|Channel: 5|CC#: 60|||"},
        {ControlMessageType::RPN, 10, "Knob|RPN|Channel: 5|LSB: 60|MSB: 3||"},
        {ControlMessageType::NoteOff, 10, "Knob|Note On/Off|Channel: 5|Note: C3|Velocity: 10||"},
        {ControlMessageType::ProgramChange, 10, "Knob|Program Change|Channel: 5|PG: 10|||"},
        {ControlMessageType::DrumNote, -5, "Knob|Drum Note|Channel: 5|Note: G-3|||"},
        {ControlMessageType::PitchBend, -5, "Knob|Pitch Bend|Channel: 5|||High: 99|Low: -5"},
        {ControlMessageType::Aftertouch, -5, "Knob|Aftertouch|Channel: 5||||"},
        {13, -5, "Knob|Unknown!|Channel: 5|||High: 99|Low: -5"},
        {127, -5, "Knob|Unknown!|Channel: 5|||High: 99|Low: -5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(c.type, c.off), c.lines) << c.type;
}

TEST(ControlState, DescribeMMCAndSysEx)
{
    CBaseControlState s;
    s.SetName("Transport");
    s.SetType(ControlMessageType::MMC, false);
    s.SetMIDIChannelOrMMCDeviceNum(127);
    s.SetMMCControlType(MMCCommand::Eject);
    ControlInfoRecord info = s.Describe();
    EXPECT_EQ(info.nameLine, "Eject");
    EXPECT_EQ(info.detail1, "Device: 127");
    EXPECT_EQ(info.detail2, "Command: Eject");
    EXPECT_EQ(info.channelLine, "");
    s.SetMMCControlType(14);
    EXPECT_EQ(s.Describe().detail2, "Command: Unknown!");

    s.SetType(ControlMessageType::SysEx, false);
    s.SetSysExData(Message({0x41, 0x10, 0x7F, 0x00}, 3));
    info = s.Describe();
    EXPECT_EQ(info.nameLine, "Transport");
    EXPECT_EQ(info.detail1, "41 10 DV 00 ");
    EXPECT_EQ(info.channelLine, "");

    // A length byte from a damaged record stops at the 21 places.
    SysExDef damaged;
    damaged.SetLengthByte(200);
    s.SetSysExData(damaged);
    EXPECT_EQ(s.Describe().detail1.size(), 3u * SysExDef::kMessagePlaces);
}

// Equals decides which imported controls are the same one: every field the
// device stores counts, the editor's own do not.
TEST(ControlState, EqualsComparesWhatTheDeviceStores)
{
    using State = CBaseControlState;
    const std::vector<void (*)(State&)> compared = {
        [](State& s) { s.SetName("x"); },
        [](State& s) { s.SetType(ControlMessageType::CC, false); },
        [](State& s) { s.SetRoutingBit0(true); },
        [](State& s) { s.SetRoutingBit1(true); },
        [](State& s) { s.SetMIDIPort1Enabled(false); },
        [](State& s) { s.SetMIDIPort2Enabled(true); },
        [](State& s) { s.SetUSBPortEnabled(false); },
        [](State& s) { s.SetUSBPort2Enabled(true); },
        [](State& s) { s.SetUSBPort3Enabled(true); },
        [](State& s) { s.SetMIDIPortGroup(1); },
        [](State& s) { s.SetMIDIChanGroup(2); },
        [](State& s) { s.SetBehaviourBit0(true); },
        [](State& s) { s.SetBehaviourBit1(true); },
        [](State& s) { s.SetInvertedRange(true); },
        [](State& s) { s.SetBehaviourBit2Inverse(false); },
        [](State& s) { s.SetPotCatchup(1); },
        [](State& s) { s.SetMIDIControlLSBNum(7); },
        [](State& s) { s.SetMIDIControlMSBNum(7); },
        [](State& s) { s.SetMIDIChannelOrMMCDeviceNum(2); },
        [](State& s) { s.SetMMCControlType(2); },
        [](State& s) { s.SetDisplayFormat(1); },
        [](State& s) { s.SetModeBit6(false); },
        [](State& s) { s.SetOffValue(1, false); },
        [](State& s) { s.SetOnValue(126, false); },
        [](State& s) { s.SetAction(ControlAction::Step); },
        [](State& s) { s.SetMultiStep(2); },
        [](State& s) { s.SetChannelHighNibble(0x10); },
        [](State& s) { s.SetSysExData(Message({}, 1)); },
        [](State& s) { s.SetImportedParam({"Gain", "", -1}); },
        [](State& s) { s.SetImportedParam({"", "", 3}); },
        [](State& s) { s.SetPassThroughByte(0, 3); },
    };
    for (size_t i = 0; i < compared.size(); ++i)
    {
        State a, b;
        compared[i](b);
        EXPECT_FALSE(State::Equals(a, b) || State::Equals(b, a)) << "compared field " << i;
    }

    const std::vector<void (*)(State&)> ignored = {
        [](State& s) { s.SetSnapshotValue(9); },
        [](State& s) { s.SetParamName("Other"); },
        [](State& s) { s.SetBehaviourBit6(true); },
        [](State& s) { s.SetDrumAutoOffTime(4); },
        [](State& s) { s.SetDrumOffSync(4); },
        [](State& s) { s.SetContinuous(true); },
        [](State& s) { s.SetPassThroughByte(1, 0x55), s.SetPassThroughByte(4, 0x55); },
    };
    for (size_t i = 0; i < ignored.size(); ++i)
    {
        State a, b;
        ignored[i](b);
        EXPECT_TRUE(State::Equals(a, b)) << "ignored field " << i;
    }
}

TEST(ControlState, PluginParameterMapsOntoTheControl)
{
    CBaseControlState s;
    s.SetMIDIControlLSBNum(33);
    ImportedParamRecord record;
    record.fullName = "Filter Resonance";
    record.shortName = "Reso";
    record.index = 4;
    CBaseControlState::ApplyPluginParameter(record, s);
    EXPECT_EQ(s.GetName(), "Reso");
    EXPECT_EQ(s.GetParamName(), "Filter Resonance");
    EXPECT_EQ(s.GetType(), ControlMessageType::CC);
    EXPECT_TRUE(s.GetBehaviourBit0());
    EXPECT_EQ(s.GetMIDIControlLSBNum(), 0);
    EXPECT_EQ(s.GetImportedParam().index, 4);
    EXPECT_EQ(s.GetImportedParam().fullName, "Filter Resonance");

    s.SetName("Res");
    EXPECT_EQ(s.GetImportedParam().shortName, "Res");

    ImportedParamRecord none;
    none.fullName = "Unmapped";
    CBaseControlState::ApplyPluginParameter(none, s);
    EXPECT_EQ(s.GetName(), "");
    EXPECT_EQ(s.GetParamName(), "");
    EXPECT_EQ(s.GetType(), ControlMessageType::Disabled);
    EXPECT_EQ(s.GetImportedParam().index, -1);
    EXPECT_EQ(s.GetImportedParam().fullName, "Unmapped");
}
