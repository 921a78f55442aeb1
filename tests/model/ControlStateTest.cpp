// A control's settings, their texts, and the control on its place.
#include <climits>

#include "model/NoteName.h"
#include "tests/model/ModelTestSupport.h"

namespace
{
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

TEST(ControlState, TypeSetsDisplayFormatAndBehaviourBit0)
{
    CBaseControlState s;
    std::string formats;
    s.SetDisplayFormat(DisplayFormat::RangeMinus64To63);
    for (int type : {2, 5, 1}) // NRPN, MMC, CC
        s.SetType(type, false), formats += Join(s.GetDisplayFormat());
    EXPECT_EQ("120", formats); // kept, MMC's own, the default after it
    for (int type = -1; type <= 130; ++type)
    {
        s.SetType(type, true);
        EXPECT_EQ(type != ControlMessageType::NRPN && type != ControlMessageType::RPN, s.GetBehaviourBit0()) << type;
        EXPECT_EQ(type != 5 && type != 6 && type != 7 && type != 9, s.HasDisplayFormat()) << type;
    }
}

TEST(ControlState, SnapshotClampsToTheRangeOrTheButtonsRule)
{
    const struct { int type, action; bool continuous; int low, high, snapshot, clamped; } cases[] = {
        {ControlMessageType::CC, 0, true, 0, 20, 120, 20},  {ControlMessageType::CC, 0, true, 100, 20, 120, 100},
        {ControlMessageType::CC, 0, true, 100, 20, 5, 20},   {ControlMessageType::CC, 0, true, 10, 90, 50, 50},
        {ControlMessageType::CC, 0, false, 12, 127, 90, 12}, {ControlMessageType::NoteOn, 1, false, 100, 127, 64, 0},
        {ControlMessageType::CC, 2, false, 0, 50, 64, 50},   {ControlMessageType::Disabled, 0, true, 0, 10, 300, 300},
        {ControlMessageType::DrumNote, 0, true, 0, 10, 300, 300},
    };
    for (const auto& c : cases)
    {
        CBaseControlState s;
        s.SetType(c.type, false), s.SetAction(c.action), s.SetContinuous(c.continuous);
        s.SetOnValue(c.high, false), s.SetOffValue(c.low, false), s.SetSnapshotValue(c.snapshot);
        EXPECT_EQ(c.low > c.high, s.GetInvertedRange());
        EXPECT_EQ(c.snapshot != c.clamped, s.ClampSnapshotValue()) << c.type << " " << c.snapshot;
        EXPECT_EQ(c.clamped, s.GetSnapshotValue()) << c.type << " " << c.snapshot;
        s.SetSnapshotValue(c.snapshot);
        s.SetOffValue(c.low, true); // a setter with notify clamps too
        EXPECT_EQ(c.clamped, s.GetSnapshotValue());
        s.SetSnapshotValue(-3);
        s.SetOnValue(c.high, false);
        EXPECT_EQ(-3, s.GetSnapshotValue());
    }
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
    CBaseControlState s;
    s.SetType(ControlMessageType::CC, true);
    s.SetOnValue(10, true);
    s.ClampSnapshotValue();
    EXPECT_EQ(3, value.count);
    EXPECT_TRUE(order.empty());
    s.SetAction(ControlAction::Toggle);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    CBaseControlState none; // types without a snapshot tell nobody
    none.SetOnValue(10, true), none.SetType(ControlMessageType::DrumNote, true), none.ClampSnapshotValue();
    EXPECT_EQ(3, value.count);
    for (IEditorWindow* quiet : {static_cast<IEditorWindow*>(nullptr), static_cast<IEditorWindow*>(new RecordingWindow)})
    {
        RecordingHost other(quiet);
        ScopedHost inner(&other);
        s.SetAction(ControlAction::Momentary);
        s.SetSnapshotValue(90);
        EXPECT_TRUE(s.ClampSnapshotValue());
        delete quiet;
    }
}

TEST(ControlState, Texts)
{
    std::string types, mmc, notes;
    for (int t : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, -1, INT_MIN, INT_MAX})
        types += CBaseControlState::MessageTypeName(t) + ",";
    EXPECT_EQ(types, "Disabled,CC,NRPN,RPN,SysEx,MMC,Note On/Off,Note On/Off,Bank Select,Program Change,Pitch Bend,"
                     "Drum Note,Aftertouch,Unknown!,Unknown!,Unknown!,Unknown!,");
    for (int c = -1; c <= 14; ++c)
        mmc += CBaseControlState::MMCCommandName(c) + ",";
    EXPECT_EQ(mmc, "Unknown!,Unknown!,Stop,Play,Def. Play,Forward,Rewind,Record,Record Exit,Record Pause,Pause,Eject,"
                   "Chase,Err. Reset,MMC Reset,Unknown!,");
    for (int note : {60, 61, 63, 70, 0, 127, 255, -1, -12})
        notes += NoteName(note) + " ";
    EXPECT_EQ(notes, "C3 C#3 Eb3 Bb3 C-2 G8 Eb19 B-3 C-3 ");
    EXPECT_FALSE(NoteName(INT_MIN).empty() || NoteName(INT_MAX).empty());

    CBaseControlState s;
    s.SetName("Cutoff");
    EXPECT_EQ("Cutoff", s.GetLabel());
    s.SetParamName("Filter Cutoff");
    EXPECT_EQ("Cutoff (Filter Cutoff)", s.GetLabel());
    s.SetType(ControlMessageType::MMC, false);
    s.SetMMCControlType(MMCCommand::RecordPause);
    EXPECT_EQ("Record Pause", s.GetLabel());
}

TEST(ControlState, DescribeByType)
{
    CBaseControlState s;
    s.SetName("Knob");
    s.SetMIDIChannelOrMMCDeviceNum(5), s.SetMIDIControlLSBNum(60), s.SetMIDIControlMSBNum(3);
    s.SetOnValue(99, false), s.SetMMCControlType(MMCCommand::Eject);
    const struct { int type, off; SysExDef sysEx; const char* lines; } cases[] = {
        {ControlMessageType::Disabled, 10, {}, "Knob|Disabled|||||"},
        {ControlMessageType::CC, 10, {}, "Knob|CC|Channel: 5|CC#: 60|||"},
        {ControlMessageType::RPN, 10, {}, "Knob|RPN|Channel: 5|LSB: 60|MSB: 3||"},
        {ControlMessageType::NoteOff, 10, {}, "Knob|Note On/Off|Channel: 5|Note: C3|Velocity: 10||"},
        {ControlMessageType::ProgramChange, 10, {}, "Knob|Program Change|Channel: 5|PG: 10|||"},
        {ControlMessageType::DrumNote, -5, {}, "Knob|Drum Note|Channel: 5|Note: G-3|||"},
        {ControlMessageType::PitchBend, -5, {}, "Knob|Pitch Bend|Channel: 5|||High: 99|Low: -5"},
        {ControlMessageType::Aftertouch, -5, {}, "Knob|Aftertouch|Channel: 5||||"},
        {13, -5, {}, "Knob|Unknown!|Channel: 5|||High: 99|Low: -5"},
        {ControlMessageType::MMC, 0, {}, "Eject|MMC||Device: 5|Command: Eject||"},
        {ControlMessageType::SysEx, 0, Message({0x41, 0x10, 0x7F, 0x00}, 3), "Knob|SysEx||41 10 DV 00 |||"},
    };
    for (const auto& c : cases)
    {
        s.SetType(c.type, false), s.SetOffValue(c.off, false), s.SetSysExData(c.sysEx);
        const ControlInfoRecord i = s.Describe();
        EXPECT_EQ(c.lines, i.nameLine + "|" + i.typeName + "|" + i.channelLine + "|" + i.detail1 + "|" + i.detail2 +
                               "|" + i.highLine + "|" + i.lowLine);
    }
    SysExDef damaged; // a length byte from a damaged record stops at the 21 places
    damaged.SetLengthByte(200);
    s.SetSysExData(damaged);
    EXPECT_EQ(3u * SysExDef::kMessagePlaces, s.Describe().detail1.size());
}

// Equals decides which imported controls are the same one: every field the
// device stores counts, the editor's own do not (more in the command table).
TEST(ControlState, EqualsComparesWhatTheDeviceStores)
{
    using S = CBaseControlState;
    const std::vector<std::pair<bool, void (*)(S&)>> changes = {
        {false, [](S& s) { s.SetRoutingBit0(true); }},          {false, [](S& s) { s.SetRoutingBit1(true); }},
        {false, [](S& s) { s.SetBehaviourBit0(true); }},        {false, [](S& s) { s.SetBehaviourBit1(true); }},
        {false, [](S& s) { s.SetInvertedRange(true); }},        {false, [](S& s) { s.SetBehaviourBit2Inverse(false); }},
        {false, [](S& s) { s.SetModeBit6(false); }},            {false, [](S& s) { s.SetChannelHighNibble(0x10); }},
        {false, [](S& s) { s.SetImportedParam({"Gain", "", -1}); }}, {false, [](S& s) { s.SetImportedParam({"", "", 3}); }},
        {false, [](S& s) { s.SetPassThroughByte(0, 3); }},      {true, [](S& s) { s.SetParamName("Other"); }},
        {true, [](S& s) { s.SetBehaviourBit6(true); }},         {true, [](S& s) { s.SetContinuous(true); }},
        {true, [](S& s) { s.SetPassThroughByte(1, 0x55), s.SetPassThroughByte(4, 0x55); }},
    };
    for (size_t i = 0; i < changes.size(); ++i)
    {
        S a, b;
        changes[i].second(b);
        EXPECT_EQ(changes[i].first, S::Equals(a, b) && S::Equals(b, a)) << i;
    }
    S bounds;
    bounds.SetPassThroughByte(-1, 9), bounds.SetPassThroughByte(5, 9);
    EXPECT_EQ(StateText(S()), StateText(bounds));
    EXPECT_EQ(0, bounds.GetPassThroughByte(-1) + bounds.GetPassThroughByte(5));
}

TEST(ControlState, PluginParameterMapsOntoTheControl)
{
    CBaseControlState s;
    s.SetMIDIControlLSBNum(33);
    CBaseControlState::ApplyPluginParameter(ImportedParamRecord{"Filter Resonance", "Reso", 4}, s);
    EXPECT_EQ("Reso | Filter Resonance | Filter Resonance | Reso | 4 | 1 0 0 0 0 1 0 1 0 0 0 0 1 0 0 1 2 0 0 1 1 0 127 0 "
              "0 0 0 1 0 1 0 | 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
              StateText(s));
    s.SetName("Res");
    EXPECT_EQ("Res", s.GetImportedParam().shortName);
    CBaseControlState::ApplyPluginParameter(ImportedParamRecord{"Unmapped", "", -1}, s);
    EXPECT_EQ(" |  | Unmapped |  | -1 | 0", StateText(s).substr(0, 26));
}

TEST(PlacedControl, PlacingSetsTheContinuousFlagAndClamps)
{
    RecordingWindow window;
    RecordingHost host(&window);
    ScopedHost scope(&host);
    CBaseControlState state, source;
    state.SetType(ControlMessageType::CC, false), state.SetOnValue(100, false), state.SetSnapshotValue(120);
    CPlacedControl knob(&state, 3);
    EXPECT_EQ("1 1 0 100", Join(state.IsContinuous(), IsPlacedControlContinuous(knob), IsPlacedControlButton(knob),
                                state.GetSnapshotValue()));
    CPlacedControl button(&state, 30);
    EXPECT_EQ("0 0", Join(state.IsContinuous(), state.GetSnapshotValue())); // a plain button starts low
    state.SetContinuous(true);
    EXPECT_EQ(&state, button.Clone()->GetControl());
    EXPECT_FALSE(state.IsContinuous()); // the clone takes the flag of its place
    source.SetContinuous(true), source.SetType(ControlMessageType::CC, false), source.SetAction(ControlAction::Toggle);
    source.SetOffValue(10, false), source.SetOnValue(50, false), source.SetSnapshotValue(90);
    button.Assign(source);
    EXPECT_EQ("0 50 1", Join(state.IsContinuous(), state.GetSnapshotValue(), CBaseControlState::Equals(state, source)));
    CPlacedControl empty(nullptr, 3);
    empty.Assign(source);
    EXPECT_EQ(nullptr, empty.Clone()->GetControl());
    button.UpdateView(true);
    knob.UpdateView(false);
    EXPECT_EQ(window.selections, (std::vector<std::pair<int, bool>>{{30, true}, {3, false}}));
}

TEST(DorvaSynthAnswers, MessageTypesPerPlace)
{
    const IDeviceAnswers& d = Device();
    std::string accepted;
    for (int index : {44, 45, 46, 49, 0, 22, 51})
    {
        for (int t = -1; t <= 14; ++t)
            if (d.CanAssignMessageType(index, t))
                accepted += std::to_string(t) + ",";
        accepted += " ";
    }
    EXPECT_EQ("0,1,2,3,10,12, 0,1,2,3,12, 0,1,2,3,10,12, 0,1,2,3,10,12, 0,1,2,3,12, 0,1,2,3,5,6,9, 0,1,2,3,5,6,9, ",
              accepted);
    std::string supported, kinds;
    for (int t = -2; t <= 20; ++t)
        if (d.IsMessageTypeSupported(t))
            supported += std::to_string(t) + ",";
    EXPECT_EQ("0,1,2,3,5,6,9,10,12,", supported);
    for (int index : {21, 22, 43, 44, 50, 51})
        kinds += std::to_string(d.IsButtonIndex(index)) + std::to_string(d.IsContinuousIndex(index)) + " ";
    EXPECT_EQ("01 10 10 01 10 00 ", kinds);
    EXPECT_FALSE(d.HasPickupStrategy(45) || d.HasSnapshotPanel(47));
    EXPECT_TRUE(d.HasSnapshotPanel(3));

    CBaseControlState state;
    state.SetType(ControlMessageType::MMC, false);
    EXPECT_FALSE(d.CanAssignMessageType(CPlacedControl(&state, 3), state));
    EXPECT_TRUE(d.CanAssignMessageType(CPlacedControl(&state, 30), state));
}

TEST(DorvaSynthAnswers, TextsAndViewType)
{
    const IDeviceAnswers& d = Device();
    EXPECT_EQ("Dorva Editor|Dorva|2.1.06|DorvaSynthEditor|MIDI Port|USB Port|USB Audio Device",
              d.GetAppTitle() + "|" + d.GetProductName() + "|" + d.GetRequiredOSVersion().Format() + "|" + d.GetAppKey() +
                  "|" + d.GetMidiPort1Label() + "|" + d.GetUsbPortLabel() + "|" + d.GetUsbMidiDeviceName());
    EXPECT_EQ("If the Dorva is connected via USB, from the global menu of the Dorva select and follow the "
              "prompt:\n\n\t\"New OS from USB\n\tPress Write...\"\n\nThe screen should now show:\n\n"
              "\t\"Waiting for O/S update from USB\"\n\nClick the OK button to send the new OS from the "
              "editor to the Dorva.",
              Device().GetOSUpdateInstructions());
    int viewType = 1;
    Device().ApplyDefaultViewType(viewType);
    EXPECT_EQ(3, viewType);
    Device().IDeviceAnswers::ApplyDefaultViewType(viewType = 2); // a device that leaves it to the user
    EXPECT_EQ(2, viewType);
}
