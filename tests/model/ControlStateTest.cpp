#include <climits>
#include <functional>

#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "model/NoteName.h"
#include "tests/model/RecordingWindow.h"

namespace
{
using Mutator = std::function<void(CBaseControlState&)>;

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

TEST(ControlState, FreshStateHasTheDefaults)
{
    const CBaseControlState s;
    EXPECT_EQ(s.GetType(), ControlMessageType::Disabled);
    EXPECT_TRUE(s.GetMIDIPort1Enabled() && s.GetUSBPortEnabled());
    EXPECT_FALSE(s.GetMIDIPort2Enabled() || s.GetUSBPort2Enabled() || s.GetUSBPort3Enabled());
    EXPECT_EQ(s.GetMIDIChannelOrMMCDeviceNum(), 1);
    EXPECT_EQ(s.GetMMCControlType(), 1);
    EXPECT_EQ(s.GetOffValue(), 0);
    EXPECT_EQ(s.GetOnValue(), 127);
    EXPECT_EQ(s.GetPotCatchup(), 2);
    EXPECT_EQ(s.GetMultiStep(), 1);
    EXPECT_TRUE(s.GetBehaviourBit2Inverse() && s.GetModeBit6());
    EXPECT_FALSE(s.GetBehaviourBit6() || s.GetBehaviourBit0() || s.GetInvertedRange() || s.IsContinuous());
    EXPECT_EQ(s.GetSysExData().GetLengthByte(), 1);
    EXPECT_EQ(s.GetImportedParam().index, -1);
}

TEST(ControlState, ClearForgetsEveryChange)
{
    CBaseControlState s;
    s.SetName("Cutoff");
    s.SetParamName("Filter Cutoff");
    s.SetType(ControlMessageType::MMC, false);
    s.SetOnValue(3, false);
    s.SetOffValue(9, false);
    s.SetSnapshotValue(44);
    s.SetAction(ControlAction::Step);
    s.SetMultiStep(7);
    s.SetPassThroughByte(4, 0x10);
    s.SetChannelHighNibble(0x30);
    s.SetSysExData(Message({0x41, 0x10}, 0));
    s.SetContinuous(true);
    s.SetDrumAutoOffTime(5);
    s.Clear();
    EXPECT_TRUE(CBaseControlState::Equals(s, CBaseControlState()));
    EXPECT_EQ(s.GetSnapshotValue(), 0);
    EXPECT_EQ(s.GetParamName(), "");
    EXPECT_EQ(s.GetDrumAutoOffTime(), 0);
    EXPECT_EQ(s.GetPassThroughByte(4), 0);
    EXPECT_EQ(s.GetImportedParam().shortName, "");
    EXPECT_FALSE(s.IsContinuous());
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

TEST(ControlState, TypesWithoutSnapshotKeepItAndTellNobody)
{
    RecordingWindow window;
    CountingObserver value;
    window.valueObserver = &value;
    WindowHost host(&window);
    ScopedHost scope(&host);

    for (int type : {ControlMessageType::Disabled, ControlMessageType::DrumNote})
    {
        CBaseControlState s;
        s.SetType(type, false);
        s.SetSnapshotValue(300);
        EXPECT_FALSE(s.ClampSnapshotValue());
        s.SetOnValue(10, true);
        EXPECT_EQ(s.GetSnapshotValue(), 300);
    }
    EXPECT_EQ(value.count, 0);
}

TEST(ControlState, ClampTellsTheValueObserverChangedOrNot)
{
    RecordingWindow window;
    CountingObserver value, other;
    window.valueObserver = &value;
    window.observers = {&other};
    WindowHost host(&window);
    ScopedHost scope(&host);

    CBaseControlState s = ContinuousCC(0, 127, 64);
    EXPECT_FALSE(s.ClampSnapshotValue());
    EXPECT_EQ(value.count, 1);
    s.SetOnValue(10, true);
    EXPECT_EQ(value.count, 2);
    EXPECT_EQ(s.GetSnapshotValue(), 10);
    s.SetType(ControlMessageType::NRPN, true);
    EXPECT_EQ(value.count, 3);
    EXPECT_EQ(other.count, 0);
}

TEST(ControlState, SetActionTellsEveryObserverInOrder)
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
    WindowHost host(&window);
    ScopedHost scope(&host);

    CBaseControlState s;
    s.SetAction(ControlAction::Toggle);
    EXPECT_EQ(s.GetAction(), ControlAction::Toggle);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(value.count, 0);
}

TEST(ControlState, NoMainWindowMeansNoNotification)
{
    WindowHost host(nullptr);
    ScopedHost scope(&host);
    CBaseControlState s = ContinuousCC(0, 50, 90);
    s.SetAction(ControlAction::Momentary);
    EXPECT_EQ(s.GetAction(), ControlAction::Momentary);
    EXPECT_TRUE(s.ClampSnapshotValue());
    EXPECT_EQ(s.GetSnapshotValue(), 50);

    // A window without observers is as quiet.
    RecordingWindow bare;
    WindowHost withWindow(&bare);
    ScopedHost inner(&withWindow);
    s.SetAction(ControlAction::Normal);
    s.SetSnapshotValue(200);
    EXPECT_TRUE(s.ClampSnapshotValue());
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
    const char* const types[] = {"Disabled",    "CC",          "NRPN",           "RPN",        "SysEx",
                                 "MMC",         "Note On/Off", "Note On/Off",    "Bank Select", "Program Change",
                                 "Pitch Bend",  "Drum Note",   "Aftertouch"};
    for (int t = 0; t <= 12; ++t)
        EXPECT_EQ(CBaseControlState::MessageTypeName(t), types[t]);
    for (int t : {-1, 13, 100, 127, 128, INT_MIN, INT_MAX})
        EXPECT_EQ(CBaseControlState::MessageTypeName(t), "Unknown!") << t;

    const char* const mmc[] = {"Stop",        "Play",         "Def. Play", "Forward", "Rewind",
                               "Record",      "Record Exit",  "Record Pause", "Pause", "Eject",
                               "Chase",       "Err. Reset",   "MMC Reset"};
    for (int c = 1; c <= 13; ++c)
        EXPECT_EQ(CBaseControlState::MMCCommandName(c), mmc[c - 1]);
    for (int c : {0, 14, -1, 255, INT_MIN})
        EXPECT_EQ(CBaseControlState::MMCCommandName(c), "Unknown!") << c;
}

TEST(NoteName, NamesAndOctaves)
{
    EXPECT_EQ(NoteName(60), "C3");
    EXPECT_EQ(NoteName(61), "C#3");
    EXPECT_EQ(NoteName(63), "Eb3");
    EXPECT_EQ(NoteName(70), "Bb3");
    EXPECT_EQ(NoteName(0), "C-2");
    EXPECT_EQ(NoteName(127), "G8");
    EXPECT_EQ(NoteName(255), "Eb19");
    EXPECT_EQ(NoteName(-1), "B-3");
    EXPECT_EQ(NoteName(-12), "C-3");
    EXPECT_FALSE(NoteName(INT_MIN).empty());
    EXPECT_FALSE(NoteName(INT_MAX).empty());
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

    ControlInfoRecord info = s.Describe();
    EXPECT_EQ(info.nameLine, "Knob");
    EXPECT_EQ(info.typeName, "Disabled");
    EXPECT_EQ(info.channelLine + info.detail1 + info.detail2 + info.highLine + info.lowLine, "");

    s.SetType(ControlMessageType::CC, false);
    info = s.Describe();
    EXPECT_EQ(info.detail1, "CC#: 60");
    EXPECT_EQ(info.channelLine, "Channel: 5");

    s.SetType(ControlMessageType::RPN, false);
    info = s.Describe();
    EXPECT_EQ(info.typeName, "RPN");
    EXPECT_EQ(info.detail1, "LSB: 60");
    EXPECT_EQ(info.detail2, "MSB: 3");

    s.SetType(ControlMessageType::NoteOff, false);
    info = s.Describe();
    EXPECT_EQ(info.typeName, "Note On/Off");
    EXPECT_EQ(info.detail1, "Note: C3");
    EXPECT_EQ(info.detail2, "Velocity: 10");

    s.SetType(ControlMessageType::ProgramChange, false);
    EXPECT_EQ(s.Describe().detail1, "PG: 10");

    s.SetType(ControlMessageType::DrumNote, false);
    s.SetOffValue(-5, false);
    info = s.Describe();
    EXPECT_EQ(info.detail1, "Note: G-3");
    EXPECT_EQ(info.channelLine, "Channel: 5");

    s.SetType(ControlMessageType::PitchBend, false);
    info = s.Describe();
    EXPECT_EQ(info.highLine, "High: 99");
    EXPECT_EQ(info.lowLine, "Low: -5");
    EXPECT_EQ(info.detail1, "");

    s.SetType(ControlMessageType::Aftertouch, false);
    info = s.Describe();
    EXPECT_EQ(info.detail1 + info.highLine, "");
    EXPECT_EQ(info.channelLine, "Channel: 5");

    for (int unknown : {13, 64, 127})
    {
        s.SetType(unknown, false);
        info = s.Describe();
        EXPECT_EQ(info.typeName, "Unknown!");
        EXPECT_EQ(info.highLine, "High: 99");
    }
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

TEST(ControlState, CopiesCarryEveryField)
{
    CBaseControlState s = ContinuousCC(3, 90, 40);
    s.SetName("Pan");
    s.SetParamName("Panorama");
    s.SetBehaviourBit6(true);
    s.SetDrumOffSync(2);
    for (int i = 0; i < CBaseControlState::kPassThroughBytes; ++i)
        s.SetPassThroughByte(i, static_cast<uint8_t>(i + 1));

    CBaseControlState copy(s);
    CBaseControlState target;
    CBaseControlState::CopyFrom(target, s);
    for (const CBaseControlState* c : {&copy, &target})
    {
        EXPECT_TRUE(CBaseControlState::Equals(*c, s));
        EXPECT_EQ(c->GetSnapshotValue(), 40);
        EXPECT_EQ(c->GetParamName(), "Panorama");
        EXPECT_TRUE(c->GetBehaviourBit6());
        EXPECT_EQ(c->GetDrumOffSync(), 2);
        EXPECT_TRUE(c->IsContinuous());
        EXPECT_EQ(c->GetPassThroughByte(4), 5);
    }
    s.SetPassThroughByte(-1, 9);
    s.SetPassThroughByte(5, 9);
    EXPECT_EQ(s.GetPassThroughByte(-1), 0);
    EXPECT_EQ(s.GetPassThroughByte(5), 0);
}

TEST(ControlState, EqualsComparesWhatTheDeviceStores)
{
    const std::vector<Mutator> compared = {
        [](CBaseControlState& s) { s.SetName("x"); },
        [](CBaseControlState& s) { s.SetType(ControlMessageType::CC, false); },
        [](CBaseControlState& s) { s.SetRoutingBit0(true); },
        [](CBaseControlState& s) { s.SetRoutingBit1(true); },
        [](CBaseControlState& s) { s.SetMIDIPort1Enabled(false); },
        [](CBaseControlState& s) { s.SetMIDIPort2Enabled(true); },
        [](CBaseControlState& s) { s.SetUSBPortEnabled(false); },
        [](CBaseControlState& s) { s.SetUSBPort2Enabled(true); },
        [](CBaseControlState& s) { s.SetUSBPort3Enabled(true); },
        [](CBaseControlState& s) { s.SetMIDIPortGroup(1); },
        [](CBaseControlState& s) { s.SetMIDIChanGroup(2); },
        [](CBaseControlState& s) { s.SetBehaviourBit0(true); },
        [](CBaseControlState& s) { s.SetBehaviourBit1(true); },
        [](CBaseControlState& s) { s.SetInvertedRange(true); },
        [](CBaseControlState& s) { s.SetBehaviourBit2Inverse(false); },
        [](CBaseControlState& s) { s.SetPotCatchup(1); },
        [](CBaseControlState& s) { s.SetMIDIControlLSBNum(7); },
        [](CBaseControlState& s) { s.SetMIDIControlMSBNum(7); },
        [](CBaseControlState& s) { s.SetMIDIChannelOrMMCDeviceNum(2); },
        [](CBaseControlState& s) { s.SetMMCControlType(2); },
        [](CBaseControlState& s) { s.SetDisplayFormat(1); },
        [](CBaseControlState& s) { s.SetModeBit6(false); },
        [](CBaseControlState& s) { s.SetOffValue(1, false); },
        [](CBaseControlState& s) { s.SetOnValue(126, false); },
        [](CBaseControlState& s) { s.SetAction(ControlAction::Step); },
        [](CBaseControlState& s) { s.SetMultiStep(2); },
        [](CBaseControlState& s) { s.SetChannelHighNibble(0x10); },
        [](CBaseControlState& s) { s.SetSysExData(Message({}, 1)); },
        [](CBaseControlState& s) {
            ImportedParamRecord r;
            r.fullName = "Gain";
            s.SetImportedParam(r);
        },
        [](CBaseControlState& s) {
            ImportedParamRecord r;
            r.index = 3;
            s.SetImportedParam(r);
        },
        [](CBaseControlState& s) { s.SetPassThroughByte(0, 3); },
    };
    for (size_t i = 0; i < compared.size(); ++i)
    {
        CBaseControlState a, b;
        compared[i](b);
        EXPECT_FALSE(CBaseControlState::Equals(a, b)) << "compared field " << i;
        EXPECT_FALSE(CBaseControlState::Equals(b, a)) << "compared field " << i;
    }

    const std::vector<Mutator> ignored = {
        [](CBaseControlState& s) { s.SetSnapshotValue(9); },
        [](CBaseControlState& s) { s.SetParamName("Other"); },
        [](CBaseControlState& s) { s.SetBehaviourBit6(true); },
        [](CBaseControlState& s) { s.SetDrumAutoOffTime(4); },
        [](CBaseControlState& s) { s.SetDrumOffSync(4); },
        [](CBaseControlState& s) { s.SetContinuous(true); },
        [](CBaseControlState& s) {
            for (int i = 1; i < CBaseControlState::kPassThroughBytes; ++i)
                s.SetPassThroughByte(i, 0x55);
        },
    };
    for (size_t i = 0; i < ignored.size(); ++i)
    {
        CBaseControlState a, b;
        ignored[i](b);
        EXPECT_TRUE(CBaseControlState::Equals(a, b)) << "ignored field " << i;
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
