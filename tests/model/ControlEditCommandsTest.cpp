#include <functional>
#include <memory>

#include "model/commands/CommandCreator.h"
#include "model/commands/ControlEditCommands.h"
#include "model/commands/WholeControlCommands.h"
#include "tests/model/CommandTestSupport.h"

namespace
{
using Make = std::function<std::unique_ptr<ICommand>(const CPlacedControl&)>;

struct FieldCase
{
    const char* menuName;
    Make make;
    // The field as text, so one check serves every value type.
    std::function<std::string(const CBaseControlState&)> field;
};

template <class T, class V>
Make Maker(V value)
{
    return [value](const CPlacedControl& c) { return std::make_unique<T>(c, value); };
}

SysExDef SomeSysEx()
{
    SysExDef d;
    d.SetLengthByte(3);
    d.SetDataPosition(2);
    d.SetMessageByte(0, 0x41);
    d.SetMessageByte(1, SysExDef::kDataValue);
    return d;
}

std::string Text(int v)
{
    return std::to_string(v);
}

std::vector<FieldCase> AllFieldCommands()
{
    using S = const CBaseControlState&;
    return {
        {"Set Control Name", Maker<CSetNameCommand>(std::string("Cutoff")), [](S s) { return s.GetName(); }},
        {"Set Control Type", Maker<CSetControlTypeCommand>(int(ControlMessageType::NRPN)),
         [](S s) { return Text(s.GetType()); }},
        {"Enable Control MIDI Port 1", Maker<CEnableMIDIPort1Command>(true),
         [](S s) { return Text(s.GetMIDIPort1Enabled()); }},
        {"Enable Control MIDI Port 2", Maker<CEnableMIDIPort2Command>(true),
         [](S s) { return Text(s.GetMIDIPort2Enabled()); }},
        {"Disable Control MIDI Port USB", Maker<CEnableMIDIPortUSBCommand>(false),
         [](S s) { return Text(s.GetUSBPortEnabled()); }},
        {"Disable Control MIDI Port USB 2", Maker<CEnableMIDIPortUSB2Command>(false),
         [](S s) { return Text(s.GetUSBPort2Enabled()); }},
        {"Enable Control MIDI Port USB 3", Maker<CEnableMIDIPortUSB3Command>(true),
         [](S s) { return Text(s.GetUSBPort3Enabled()); }},
        {"Set Control MIDI Port Group", Maker<CSetMIDIPortGroupCommand>(1), [](S s) { return Text(s.GetMIDIPortGroup()); }},
        {"Set Control MIDI Channel Group", Maker<CSetMIDIChanGroupCommand>(2),
         [](S s) { return Text(s.GetMIDIChanGroup()); }},
        {"Set Control MIDIChannel / MMC Device", Maker<CSetMIDIChannelOrMMCDeviceNumCommand>(10),
         [](S s) { return Text(s.GetMIDIChannelOrMMCDeviceNum()); }},
        {"Set Control LSB", Maker<CSetMIDIControlLSBNumCommand>(75), [](S s) { return Text(s.GetMIDIControlLSBNum()); }},
        {"Set Control MSB", Maker<CSetMIDIControlMSBNumCommand>(3), [](S s) { return Text(s.GetMIDIControlMSBNum()); }},
        {"Set Snapshot Value", Maker<CSetSnapshotValueCommand>(64), [](S s) { return Text(s.GetSnapshotValue()); }},
        {"Edit Control Pot Strategy", Maker<CSetPotCatchupCommand>(1), [](S s) { return Text(s.GetPotCatchup()); }},
        {"Set Control Display Format", Maker<CSetDisplayFormatCommand>(1), [](S s) { return Text(s.GetDisplayFormat()); }},
        {"Set Control MMC Command", Maker<CSetMMCControlTypeCommand>(6), [](S s) { return Text(s.GetMMCControlType()); }},
        {"Set Control SysEx Data", Maker<CSetSysExDataCommand>(SomeSysEx()),
         [](S s) { return SysExText::Format(s.GetSysExData(), SysExDef::kMessagePlaces); }},
        {"Set High Value", Maker<CSetOnValueCommand>(100), [](S s) { return Text(s.GetOnValue()); }},
        {"Set Low Value", Maker<CSetOffValueCommand>(20), [](S s) { return Text(s.GetOffValue()); }},
        {"Set Button Action", Maker<CSetActionCommand>(int(ControlAction::Toggle)), [](S s) { return Text(s.GetAction()); }},
        {"Set Button Step Size", Maker<CSetMultiStepCommand>(uint8_t(4)), [](S s) { return Text(s.GetMultiStep()); }},
        {"Set High Value", Maker<CSetDrumAutoOffTimeCommand>(7), [](S s) { return Text(s.GetDrumAutoOffTime()); }},
        {"Set High Value", Maker<CSetDrumOffSyncCommand>(1), [](S s) { return Text(s.GetDrumOffSync()); }},
    };
}

class ControlEditCommands : public CommandTest
{
};
} // namespace

TEST_F(ControlEditCommands, EveryFieldCommandIsNamedAndRoundTripsThroughTheHistory)
{
    const auto cases = AllFieldCommands();
    ASSERT_EQ(cases.size(), 23u);
    for (const FieldCase& c : cases)
    {
        SCOPED_TRACE(c.menuName);
        CBaseControlState& state = Control(first, Place::kButton);
        FillAssigned(state, "Lead", ControlMessageType::CC);
        // Placing clamps the snapshot; take the state as the panel shows it.
        const CPlacedControl placed = At(first, Place::kButton);
        const std::string before = StateText(state);
        const SysExBuffer dumpBefore = first.Write();
        const std::string fieldBefore = c.field(state);

        first.SubmitCommand(c.make(placed));
        EXPECT_EQ(first.GetUndoText(), c.menuName);
        const std::string after = StateText(state);
        EXPECT_NE(c.field(state), fieldBefore);

        first.Undo();
        EXPECT_EQ(StateText(state), before);
        EXPECT_TRUE(first.Write().Equals(dumpBefore));
        EXPECT_EQ(first.GetRedoText(), c.menuName);

        first.Redo();
        EXPECT_EQ(StateText(state), after);
        first.Undo();
        EXPECT_EQ(StateText(state), before);
        first.ResetUndoState();
    }
}

TEST_F(ControlEditCommands, PortCommandsAreNamedAfterWhatTheyDo)
{
    const CPlacedControl c = At(first, Place::kKnob);
    EXPECT_EQ(CEnableMIDIPort1Command(c, false).GetName(), "Disable Control MIDI Port 1");
    EXPECT_EQ(CEnableMIDIPort1Command(c, true).GetName(), "Enable Control MIDI Port 1");
    EXPECT_EQ(CEnableMIDIPortUSB3Command(c, false).GetName(), "Disable Control MIDI Port USB 3");
}

TEST_F(ControlEditCommands, OldValueIsTakenAtExecuteNotAtConstruction)
{
    CBaseControlState& state = Control(first, Place::kKnob);
    CSetMIDIControlLSBNumCommand command(At(first, Place::kKnob), 20);
    state.SetMIDIControlLSBNum(11); // changed after the command was made
    command.Execute();
    EXPECT_EQ(state.GetMIDIControlLSBNum(), 20);
    command.Undo();
    EXPECT_EQ(state.GetMIDIControlLSBNum(), 11);
}

TEST_F(ControlEditCommands, UndoReachesTheEditedControlAfterThePanelMovedOn)
{
    std::unique_ptr<ICommand> clone;
    std::unique_ptr<ICommand> embedded;
    {
        auto panelControl = std::make_unique<CPlacedControl>(first.GetControl(Place::kKnob), Place::kKnob);
        clone = std::make_unique<CSetNameCommand>(*panelControl, "Drive");
        embedded = std::make_unique<CSetOnValueCommand>(*panelControl, 99);
        clone->Execute();
        embedded->Execute();
        panelControl = std::make_unique<CPlacedControl>(first.GetControl(Place::kKnob2), Place::kKnob2);
        EXPECT_EQ(panelControl->GetIndex(), Place::kKnob2);
    }
    clone->Undo();
    embedded->Undo();
    EXPECT_EQ(Control(first, Place::kKnob).GetName(), "");
    EXPECT_EQ(Control(first, Place::kKnob).GetOnValue(), 127);
    EXPECT_EQ(Control(first, Place::kKnob2).GetName(), "");
}

TEST_F(ControlEditCommands, LowValueAboveHighSetsAndUndoClearsTheInvertedRange)
{
    CBaseControlState& state = Control(first, Place::kKnob);
    state.SetType(ControlMessageType::CC, false);
    state.SetOnValue(20, false);
    state.SetOffValue(5, false);
    state.SetSnapshotValue(10);

    first.SubmitCommand(std::make_unique<CSetOffValueCommand>(At(first, Place::kKnob), 100));
    EXPECT_TRUE(state.GetInvertedRange());
    EXPECT_EQ(state.GetSnapshotValue(), 20); // clamped into 20..100
    first.Undo();
    EXPECT_FALSE(state.GetInvertedRange());
    EXPECT_EQ(state.GetOffValue(), 5);
}

TEST_F(ControlEditCommands, TypeChangeAdjustsTheDisplayFormatBothWaysAndRebuildsTheSettings)
{
    CBaseControlState& state = Control(first, Place::kButton);
    state.SetType(ControlMessageType::NoteOn, false);
    state.SetDisplayFormat(DisplayFormat::RangeMinus64To63);

    first.SubmitCommand(std::make_unique<CSetControlTypeCommand>(At(first, Place::kButton), ControlMessageType::MMC));
    EXPECT_EQ(state.GetType(), ControlMessageType::MMC);
    EXPECT_EQ(state.GetDisplayFormat(), DisplayFormat::MMC);
    first.Undo();
    EXPECT_EQ(state.GetType(), ControlMessageType::NoteOn);
    EXPECT_EQ(state.GetDisplayFormat(), DisplayFormat::Range0To127); // SetType's rule, not the old format
    // Rebuilt at once after Execute and Undo, never from UpdateView.
    EXPECT_EQ(window.refreshes, (std::vector<std::pair<int, bool>>{{Place::kButton, true}, {Place::kButton, true}}));
    EXPECT_EQ(window.settingsHidden, 0);
}

TEST_F(ControlEditCommands, SingleFieldViewUpdateRefreshesAndKeepsTheSettingsWindow)
{
    CSetNameCommand name(At(first, Place::kKnob2), "Res");
    CSetOffValueCommand low(At(first, Place::kKnob2), 3);
    EXPECT_TRUE(name.UpdateView(true));
    EXPECT_TRUE(low.UpdateView(false));
    EXPECT_EQ(window.refreshes, (std::vector<std::pair<int, bool>>{{Place::kKnob2, false}, {Place::kKnob2, false}}));
}

TEST_F(ControlEditCommands, CreatorsMakeTheirCommandWithTheCommittedValue)
{
    const CommandCreator<CSetMIDIChannelOrMMCDeviceNumCommand> channel;
    const ICommandCreator& creator = channel;
    auto command = creator.Create(At(first, Place::kKnob), 12);
    EXPECT_EQ(command->GetName(), "Set Control MIDIChannel / MMC Device");
    command->Execute();
    EXPECT_EQ(Control(first, Place::kKnob).GetMIDIChannelOrMMCDeviceNum(), 12);
}

TEST_F(ControlEditCommands, ClearUndoRestoresEveryFieldAndTheSelection)
{
    CBaseControlState& state = Control(first, Place::kKnob);
    FillAssigned(state, "Cutoff", ControlMessageType::NRPN);
    state.SetPassThroughByte(0, 9);
    CClearCommand clear(At(first, Place::kKnob));
    const std::string before = StateText(state);

    EXPECT_EQ(clear.GetName(), "Delete Control");
    clear.Execute();
    EXPECT_EQ(state.GetType(), ControlMessageType::Disabled);
    EXPECT_EQ(state.GetName(), "");
    EXPECT_FALSE(clear.UpdateView(false));
    clear.Undo();
    EXPECT_EQ(StateText(state), before);
    EXPECT_FALSE(clear.UpdateView(true));
    EXPECT_EQ(window.selections, (std::vector<std::pair<int, bool>>{{Place::kKnob, false}, {Place::kKnob, true}}));
}

TEST_F(ControlEditCommands, PastedPotTakesTheButtonsPlace)
{
    CBaseControlState pot;
    FillAssigned(pot, "Pot", ControlMessageType::CC);
    pot.SetContinuous(true);
    pot.SetSnapshotValue(80);
    CBaseControlState& button = Control(first, Place::kButton);
    const std::string before = StateText(button);

    CPasteCommand paste(At(first, Place::kButton), pot);
    pot.SetName("Changed later"); // the source was copied when the command was made
    EXPECT_EQ(paste.GetName(), "Paste Control");
    paste.Execute();
    EXPECT_EQ(button.GetName(), "Pot");
    EXPECT_FALSE(button.IsContinuous());
    EXPECT_EQ(button.GetSnapshotValue(), 10); // a plain button starts at its low value
    EXPECT_FALSE(paste.UpdateView(false));
    paste.Undo();
    EXPECT_EQ(StateText(button), before);
    EXPECT_FALSE(paste.UpdateView(true));
    EXPECT_EQ(window.selections, (std::vector<std::pair<int, bool>>{{Place::kButton, true}, {Place::kButton, false}}));
}
