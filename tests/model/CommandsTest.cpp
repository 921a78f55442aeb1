// The undoable edits: one field, whole controls, several at once, and the
// history that runs them.
#include "model/commands/CommandCreator.h"
#include "model/commands/ControlClipboard.h"
#include "model/commands/ControlEditCommands.h"
#include "model/commands/EnableZonesCommand.h"
#include "model/commands/MetaCommand.h"
#include "model/commands/SubmitCommand.h"
#include "model/commands/WholeControlCommands.h"
#include "tests/model/ModelTestSupport.h"
#include "tests/model/ZonedTemplate.h"

namespace
{
using namespace Place;
using Journal = std::vector<std::string>;
using Make = std::function<std::unique_ptr<ICommand>(const CPlacedControl&)>;
using Events = std::vector<std::pair<int, bool>>;

template <class T, class V>
Make Maker(V value)
{
    return [value](const CPlacedControl& c) { return std::make_unique<T>(c, value); };
}

SysExDef SomeSysEx()
{
    SysExDef d;
    d.SetLengthByte(3), d.SetDataPosition(2), d.SetMessageByte(0, 0x41), d.SetMessageByte(1, SysExDef::kDataValue);
    return d;
}

class Commands : public CommandTest
{
public:
    Selection Sel(std::initializer_list<int> indices) { return Select(first, indices); }
    ~Commands() override { ControlClipboard::Global().Clear(); }
    ControlClipboard clipboard;
};
} // namespace

TEST_F(Commands, EveryFieldCommandIsNamedAndRoundTripsThroughTheHistory)
{
    // The menu name, the command, whether Equals leaves the field out (the editor's own), and
    // the control: a Momentary button at 32 between 1 and 126, or a pot at 20 between 10 and 100.
    const struct { const char* name; Make make; bool equalsIgnores; int index = kButton; } cases[] = {
        {"Set Control Name", Maker<CSetNameCommand>(std::string("Renamed")), false},
        {"Set Control Type", Maker<CSetControlTypeCommand>(int(ControlMessageType::NoteOn)), false},
        {"Set Control Type", Maker<CSetControlTypeCommand>(int(ControlMessageType::MMC)), false, kKnob},
        {"Disable Control MIDI Port 1", Maker<CEnableMIDIPort1Command>(false), false},
        {"Enable Control MIDI Port 2", Maker<CEnableMIDIPort2Command>(true), false},
        {"Disable Control MIDI Port USB", Maker<CEnableMIDIPortUSBCommand>(false), false},
        {"Disable Control MIDI Port USB 2", Maker<CEnableMIDIPortUSB2Command>(false), false},
        {"Enable Control MIDI Port USB 3", Maker<CEnableMIDIPortUSB3Command>(true), false},
        {"Set Control MIDI Port Group", Maker<CSetMIDIPortGroupCommand>(2), false},
        {"Set Control MIDI Channel Group", Maker<CSetMIDIChanGroupCommand>(2), false},
        {"Set Control MIDIChannel / MMC Device", Maker<CSetMIDIChannelOrMMCDeviceNumCommand>(10), false},
        {"Set Control LSB", Maker<CSetMIDIControlLSBNumCommand>(75), false},
        {"Set Control MSB", Maker<CSetMIDIControlMSBNumCommand>(3), false},
        {"Set Snapshot Value", Maker<CSetSnapshotValueCommand>(64), true},
        {"Edit Control Pot Strategy", Maker<CSetPotCatchupCommand>(0), false},
        {"Set Control Display Format", Maker<CSetDisplayFormatCommand>(3), false},
        {"Set Control MMC Command", Maker<CSetMMCControlTypeCommand>(6), false},
        {"Set Control SysEx Data", Maker<CSetSysExDataCommand>(SomeSysEx()), false},
        {"Set High Value", Maker<CSetOnValueCommand>(100), false},
        {"Set High Value", Maker<CSetOnValueCommand>(15), false, kKnob},
        {"Set Low Value", Maker<CSetOffValueCommand>(20), false},
        {"Set Low Value", Maker<CSetOffValueCommand>(30), false, kKnob},
        {"Set Low Value", Maker<CSetOffValueCommand>(120), false, kKnob},
        {"Set Button Action", Maker<CSetActionCommand>(int(ControlAction::Normal)), false},
        {"Set Button Action", Maker<CSetActionCommand>(int(ControlAction::Toggle)), false},
        {"Set Button Step Size", Maker<CSetMultiStepCommand>(uint8_t(4)), false},
        {"Set High Value", Maker<CSetDrumAutoOffTimeCommand>(7), true},
        {"Set High Value", Maker<CSetDrumOffSyncCommand>(3), true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.name) + " on " + std::to_string(c.index));
        CBaseControlState& state = Assigned(c.index, "Lead");
        state.SetMIDIPort1Enabled(true), state.SetUSBPort2Enabled(true);
        state.SetAction(ControlAction::Momentary), state.SetSnapshotValue(32);
        if (c.index == kKnob)
            state.SetOffValue(10, false), state.SetOnValue(100, false), state.SetSnapshotValue(20);
        // The history updates the view after an undo or redo, and the settings window places the
        // control again then, as the panel placed it before the edit.
        const auto shown = [&] { At(first, c.index); };
        shown();
        const CBaseControlState kept = state;
        const std::string before = StateText(state);
        const SysExBuffer dumpBefore = first.Write();
        first.SubmitCommand(c.make(At(first, c.index)));
        EXPECT_EQ(c.name, first.GetUndoText());
        const std::string after = StateText(state);
        const SysExBuffer dumpAfter = first.Write();
        EXPECT_NE(before, after);
        EXPECT_EQ(c.equalsIgnores, CBaseControlState::Equals(kept, state));
        first.Undo();
        shown();
        EXPECT_EQ(before, StateText(state));
        EXPECT_TRUE(SameBytes(first.Write(), dumpBefore.bytes()));
        EXPECT_EQ(c.name, first.GetRedoText());
        first.Redo();
        shown();
        EXPECT_EQ(after, StateText(state));
        EXPECT_TRUE(SameBytes(first.Write(), dumpAfter.bytes()));
        first.ResetUndoState();
    }
    const CommandCreator<CSetMIDIChannelOrMMCDeviceNumCommand> creator;
    auto command = static_cast<const ICommandCreator&>(creator).Create(At(first, kKnob), 12);
    command->Execute();
    EXPECT_EQ(12, Control(first, kKnob).GetMIDIChannelOrMMCDeviceNum());
}

TEST_F(Commands, FieldCommandsTakeTheOldValueAtExecuteAndOutliveThePanel)
{
    CBaseControlState& knob = Control(first, kKnob);
    std::unique_ptr<ICommand> name, high, lsb;
    {
        auto panel = std::make_unique<CPlacedControl>(&knob, kKnob);
        name = std::make_unique<CSetNameCommand>(*panel, "Drive");
        high = std::make_unique<CSetOnValueCommand>(*panel, 99);
        lsb = std::make_unique<CSetMIDIControlLSBNumCommand>(*panel, 20);
        panel = std::make_unique<CPlacedControl>(first.GetControl(kKnob2), kKnob2);
    }
    knob.SetMIDIControlLSBNum(11); // changed after the command was made
    for (auto* command : {&name, &high, &lsb})
        (*command)->Execute();
    EXPECT_EQ("Drive 99 20", Join(knob.GetName(), knob.GetOnValue(), knob.GetMIDIControlLSBNum()));
    for (auto* command : {&lsb, &high, &name}) // last first, as the history undoes them
        (*command)->Undo();
    EXPECT_EQ(" 127 11", Join(knob.GetName(), knob.GetOnValue(), knob.GetMIDIControlLSBNum()));
    EXPECT_TRUE(name->UpdateView(true) && high->UpdateView(false));
    EXPECT_EQ(window.refreshes, (Events{{kKnob, false}, {kKnob, false}}));
}

TEST_F(Commands, RangeAndTypeEditsKeepTheirRules)
{
    CBaseControlState& knob = Control(first, kKnob);
    knob.SetType(ControlMessageType::CC, false), knob.SetOnValue(20, false), knob.SetOffValue(5, false);
    knob.SetSnapshotValue(10);
    first.SubmitCommand(std::make_unique<CSetOffValueCommand>(At(first, kKnob), 100));
    EXPECT_TRUE(knob.GetInvertedRange());
    EXPECT_EQ(20, knob.GetSnapshotValue()); // clamped into 20..100
    first.Undo();
    EXPECT_FALSE(knob.GetInvertedRange());

    CBaseControlState& button = Control(first, kButton);
    button.SetType(ControlMessageType::NoteOn, false);
    button.SetDisplayFormat(DisplayFormat::RangeMinus64To63);
    window.refreshes.clear();
    first.SubmitCommand(std::make_unique<CSetControlTypeCommand>(At(first, kButton), ControlMessageType::MMC));
    EXPECT_EQ(DisplayFormat::MMC, button.GetDisplayFormat());
    first.Undo();
    EXPECT_EQ(ControlMessageType::NoteOn, button.GetType());
    EXPECT_EQ(DisplayFormat::RangeMinus64To63, button.GetDisplayFormat()) << "undo gives back the control as it was";
    // Rebuilt at once after Execute and Undo, never from UpdateView.
    EXPECT_EQ(window.refreshes, (Events{{kButton, true}, {kButton, true}}));
    EXPECT_EQ(0, window.settingsHidden);
}

TEST_F(Commands, WholeControlEditsAreOneStepThatSelectsAndClosesTheSettings)
{
    // The menu name, the command, the names of the knob, the button and the third knob after
    // it, the selections by Undo then Redo, and the first control on the global clipboard.
    const struct
    {
        const char* name;
        std::function<std::unique_ptr<ICommand>(Commands&)> make;
        const char* names;
        Events undoRedo;
        int clipboard = kKnob2;
    } cases[] = {
        {"Delete Control", [](Commands& t) { return ControlEdit::Delete(t.Sel({kKnob})); },
         "|Play|", {{kKnob, true}, {kKnob, false}}},
        {"Delete Controls", [](Commands& t) { return ControlEdit::Delete(t.Sel({kKnob, kButton})); },
         "||", {{kKnob, true}, {kButton, true}, {kButton, false}, {kKnob, false}}},
        {"Cut Control", [](Commands& t) { return ControlEdit::Cut(t.Sel({kKnob}), t.clipboard); },
         "|Play|", {{kKnob, true}, {kKnob, false}}},
        {"Cut Controls", [](Commands& t) { return ControlEdit::Cut(t.Sel({kKnob, kKnob3})); },
         "|Play|", {{kKnob, true}, {kKnob3, true}, {kKnob3, false}, {kKnob, false}}, kKnob},
        {"Paste Control", [](Commands& t) { t.clipboard.Copy(t.Sel({kKnob})); return t.clipboard.Paste(t.Sel({kButton})); },
         "Cutoff|Cutoff|", {{kButton, false}, {kButton, true}}},
        {"Paste Controls",
         [](Commands& t) { t.clipboard.Copy(t.Sel({kButton, kKnob})); return t.clipboard.Paste(t.Sel({kKnob, kKnob3})); },
         "Play|Play|Cutoff", {{kKnob, false}, {kKnob3, false}, {kKnob3, true}, {kKnob, true}}},
        {"Move control", [](Commands& t) { return ControlEdit::Move(t.Sel({kKnob}), t.Sel({kKnob3})); },
         "|Play|Cutoff", {{kKnob3, false}, {kKnob, true}, {kKnob, false}, {kKnob3, true}}},
        {"Swap controls", [](Commands& t) { return ControlEdit::Swap(t.Sel({kKnob}), t.Sel({kButton})); },
         "Play|Cutoff|", {{kButton, false}, {kKnob, false}, {kKnob, true}, {kButton, true}}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        first.ResetToDefaults();
        first.ResetUndoState();
        Assigned(kKnob, "Cutoff");
        Assigned(kButton, "Play").SetOnValue(60, false);
        ControlClipboard::Global().Copy(Select(first, {kKnob2}));
        const int indices[] = {kKnob, kButton, kKnob3};
        for (int index : indices)
            At(first, index);
        const SysExBuffer before = first.Write();
        const std::string knobBefore = StateText(Control(first, kKnob));
        window.selections.clear();
        window.settingsHidden = 0;

        auto command = c.make(*this);
        EXPECT_EQ(c.name, command->GetName());
        first.SubmitCommand(std::move(command));
        std::string names;
        for (int index : indices)
        {
            names += (index == kKnob ? "" : "|") + Control(first, index).GetName();
            EXPECT_EQ(index != kButton, Control(first, index).IsContinuous()) << index;
        }
        EXPECT_EQ(c.names, names);
        const SysExBuffer after = first.Write();
        first.Undo();
        EXPECT_TRUE(first.Write().Equals(before));
        EXPECT_EQ(knobBefore, StateText(Control(first, kKnob)));
        first.Redo();
        EXPECT_TRUE(first.Write().Equals(after));
        EXPECT_EQ(c.undoRedo, window.selections);
        EXPECT_EQ(2, window.settingsHidden);
        EXPECT_EQ(1, first.GetHistorySize());
        EXPECT_EQ(c.clipboard, ControlClipboard::Global().Controls()[0].GetIndex());
    }
    // The knob swapped onto a plain button starts at its low value.
    const CBaseControlState& button = Control(first, kButton);
    EXPECT_EQ("Cutoff 1 1", Join(button.GetName(), button.GetOffValue(), button.GetSnapshotValue()));
}

TEST_F(Commands, ClipboardCopiesArePlacedAndPasteOnlyWhereEachFits)
{
    EXPECT_FALSE(clipboard.CanPaste(Select(first, {kKnob})));
    Assigned(kKnob, "Cutoff");
    Assigned(kKnob2, "Reso");
    Assigned(kKnob3, "Drive");
    clipboard.Copy(Select(first, {kKnob, kKnob2, kKnob3}));
    Control(first, kKnob).SetName("Edited");
    clipboard.Copy(clipboard.Controls());
    ASSERT_EQ(3u, clipboard.Size());
    EXPECT_EQ("Cutoff", clipboard.Controls()[0].GetControl()->GetName());
    EXPECT_TRUE(clipboard.Controls()[0].GetControl()->IsContinuous());

    EXPECT_FALSE(clipboard.CanPaste(Select(second, {kKnob, kKnob2})));
    EXPECT_FALSE(clipboard.CanPaste(Selection()));
    EXPECT_TRUE(clipboard.CanPaste(Select(second, {kButton, kKnob2, kWheel})));
    host.answers.fixedIndex = kKnob3;
    EXPECT_FALSE(clipboard.CanPaste(Select(second, {kKnob, kKnob2, kKnob3})));

    auto paste = clipboard.Paste(Select(second, {kWheel}));
    ASSERT_EQ(1u, paste->Size());
    EXPECT_EQ(kWheel, static_cast<CPasteCommand&>(paste->At(0)).Target().GetIndex());
    EXPECT_EQ(0u, clipboard.Paste(Selection())->Size());
    CBaseControlState pot;
    Fill(pot, 1, "Pot");
    CPasteCommand pasteOne(At(second, kButton), pot);
    pot.SetName("Changed later"); // the source was copied when the command was made
    pasteOne.Execute();
    EXPECT_EQ("Pot", Control(second, kButton).GetName());

    Control(first, kKnob).SetType(ControlMessageType::Aftertouch, false); // a pot's own type
    clipboard.Copy(Select(first, {kKnob}));
    EXPECT_FALSE(clipboard.CanPaste(Select(second, {kButton})));
    EXPECT_TRUE(clipboard.CanPaste(Select(second, {kKnob2})));
}

TEST_F(Commands, SubmitGoesOnlyToTheCurrentTemplateThatOwnsEveryControl)
{
    EXPECT_TRUE(SubmitToCurrentTemplate(std::make_unique<CSetNameCommand>(At(first, kKnob), "Cutoff")));
    EXPECT_EQ("Set Control Name", first.GetUndoText());
    const CPlacedControl stale = At(first, kKnob); // a field still bound to the first template
    window.current = &second;
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<CSetOnValueCommand>(stale, 42)));
    EXPECT_EQ(127, Control(first, kKnob).GetOnValue());
    Selection mixed = Select(second, {kKnob});
    mixed.Add(At(first, kKnob2));
    EXPECT_FALSE(SubmitToCurrentTemplate(ControlEdit::Delete(mixed)));
    EXPECT_EQ(0, second.GetHistorySize());

    Journal journal;
    EXPECT_TRUE(SubmitToCurrentTemplate(std::make_unique<LoggingCommand>("settings", journal)));
    EXPECT_EQ("settings", second.GetUndoText());
    window.current = nullptr;
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<LoggingCommand>("lost", journal)));
    host.withWindow = false;
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<CSetNameCommand>(At(first, kKnob), "Lost")));
    EXPECT_EQ((Journal{"execute settings", "delete lost"}), journal); // dropped unexecuted
    second.ClearUndoHistory();
}

TEST_F(Commands, CompositeAndZoneCommands)
{
    Journal journal;
    {
        CMetaCommand meta("Mixed");
        meta.Add(std::make_unique<LoggingCommand>("a", journal, false));
        meta.Add(std::make_unique<LoggingCommand>("b", journal, true));
        meta.Execute();
        meta.Undo();
        EXPECT_FALSE(meta.UpdateView(false)); // after an execute: last to first
        EXPECT_FALSE(meta.UpdateView(true));  // after an undo: first to last
        EXPECT_TRUE(CMetaCommand("Nothing").UpdateView(false));
    }
    EXPECT_EQ((Journal{"execute a", "execute b", "undo b", "undo a", "view b", "view a", "view-undo a", "view-undo b",
                       "delete a", "delete b"}),
              journal);

    ZonedTemplate zoned;
    zoned.SubmitCommand(std::make_unique<CEnableZonesCommand>(&zoned, true));
    EXPECT_EQ("Enable Keyboard Zones", zoned.GetUndoText());
    zoned.SubmitCommand(std::make_unique<CEnableZonesCommand>(&zoned, true));
    zoned.Undo();
    EXPECT_TRUE(zoned.GetZonesEnabled()); // undo restores the state found at execution
    zoned.Undo();
    EXPECT_FALSE(zoned.GetZonesEnabled());
    zoned.Redo();
    EXPECT_TRUE(zoned.GetZonesEnabled());
    EXPECT_EQ("Disable Keyboard Zones", CEnableZonesCommand(&zoned, false).GetName());
    EXPECT_FALSE(CEnableZonesCommand(&zoned, false).UpdateView(false));
}

TEST_F(Commands, HistoryRunsCommandsAndTheirViews)
{
    Journal journal;
    const auto submit = [&](const std::string& name, bool keep = true) {
        first.SubmitCommand(std::make_unique<LoggingCommand>(name, journal, keep));
    };
    EXPECT_EQ("No command|No command", first.GetUndoText() + "|" + first.GetRedoText());
    first.Undo();
    first.Redo();
    submit("A");
    EXPECT_EQ((Journal{"execute A"}), journal);
    EXPECT_TRUE(window.lastCanUndo && !window.lastCanRedo);
    EXPECT_EQ(1, window.titleUpdates);
    first.Undo();
    first.Redo();
    EXPECT_EQ((Journal{"execute A", "undo A", "view-undo A", "execute A", "view A"}), journal);
    EXPECT_EQ(2, window.focusRequests);
    submit("B");
    submit("C");
    first.Undo();
    first.Undo();
    EXPECT_EQ("A|B", first.GetUndoText() + "|" + first.GetRedoText());
    EXPECT_TRUE(window.lastCanRedo);
    journal.clear();
    submit("D");
    // C is the last of the tail and goes first; D then updates the view.
    EXPECT_EQ((Journal{"execute D", "delete C", "delete B", "view D"}), journal);
    EXPECT_EQ("A D 1 0", Join(first.GetCommand(0)->GetName(), first.GetCommand(1)->GetName(), first.GetCurrentIndex(),
                              window.settingsHidden));
    submit("Paste", false); // no tail dropped: no view update
    first.Undo();
    first.Redo();
    first.Undo();
    submit("Other", false);
    EXPECT_EQ(4, window.settingsHidden);

    host.withWindow = false;
    first.Undo();
    first.Redo();
    submit("Quiet", false);
    first.SetPathValid(true);
    first.ClearUndoHistory();
    EXPECT_EQ(-1, first.GetCurrentIndex());
    EXPECT_TRUE(first.IsPathValid());
    submit("E");
    first.ResetUndoState();
    EXPECT_EQ(0, first.GetHistorySize());
    EXPECT_FALSE(first.IsPathValid());
    EXPECT_TRUE(first.IsModified());
}

TEST_F(Commands, TheSavedPointFollowsTheHistory)
{
    Journal journal;
    const auto submit = [&](const std::string& name) {
        first.SubmitCommand(std::make_unique<LoggingCommand>(name, journal));
    };
    const auto modified = [&](std::initializer_list<std::function<void()>> steps) {
        std::string flags;
        for (const auto& step : steps)
            step(), flags += first.IsModified() ? "M" : "s";
        return flags;
    };
    const auto undo = [&] { first.Undo(); };
    const auto redo = [&] { first.Redo(); };
    const auto save = [&] { first.MarkSaved(true); };
    EXPECT_EQ("sMsMsMs", modified({save, [&] { submit("A"); }, save, undo, redo, [&] { submit("B"); }, undo}));
    // A dropped tail that held the saved point: no undo or redo brings it back.
    EXPECT_EQ("MMMMs", modified({undo, [&] { submit("C"); }, undo, redo, save}));
    // One that lay after the saved point leaves it in place.
    EXPECT_EQ("MsMs", modified({[&] { submit("D"); }, undo, [&] { submit("E"); }, undo}));
    first.MarkSaved(false);
    EXPECT_EQ("MM", modified({[&] { submit("F"); }, undo}));
    first.ClearUndoHistory();
}

TEST_F(Commands, SelectionsKeepOneControlPerIndex)
{
    const auto indices = [](const Selection& s) {
        std::string text;
        for (std::size_t i = 0; i < s.Size(); ++i)
            text += std::to_string(s[i].GetIndex()) + " ";
        return text;
    };
    Selection s;
    EXPECT_TRUE(s.Add(At(first, kButton)));
    EXPECT_TRUE(s.Add(At(first, kKnob)));
    EXPECT_FALSE(s.Add(At(second, kButton))); // same index, other state
    s.AddAll(Select(second, {kKnob, kWheel}));
    EXPECT_EQ("22 0 44 ", indices(s));
    EXPECT_EQ(first.GetControl(kButton), s.Front().GetControl());
    EXPECT_EQ(kWheel, s.Back().GetIndex());
    EXPECT_FALSE(s.Contains(At(second, kKnob)) || s.Contains(CPlacedControl(&Control(first, 0), 1)));
    s.Remove(At(second, kKnob)); // the same index of another template stays
    EXPECT_EQ("22 0 44 ", indices(s));
    s.Remove(At(first, kKnob));
    EXPECT_EQ("22 44 ", indices(s));

    EXPECT_TRUE(s.SameIndices(Select(second, {kWheel, kButton})));
    EXPECT_FALSE(s.SameIndices(Select(first, {kButton})) || s.SameIndices(Select(first, {22, 0})));
    s.SelectOnly(Select(second, {kWheel, kButton})); // the same indices: kept as it was
    EXPECT_EQ("22 44 ", indices(s));
    EXPECT_EQ(first.GetControl(kButton), s.Front().GetControl());
    s.SelectOnly(Select(second, {kKnob}));
    EXPECT_EQ("0 ", indices(s));

    const Selection copy = Select(first, {kWheel, kKnob}).Clone(second);
    EXPECT_EQ("44 0 ", indices(copy));
    EXPECT_EQ(second.GetControl(kKnob), copy[1].GetControl());
    Selection beyond;
    beyond.Add(CPlacedControl(&Control(first, 0), 51)); // no control there: left out
    EXPECT_TRUE(beyond.Clone(second).Empty());

    Select(first, {kKnob, kButton}).EditSingle();
    Select(first, {kButton}).EditSingle();
    EXPECT_EQ((Events{{kButton, false}}), window.refreshes);

    Control(first, kButton).SetType(ControlMessageType::NoteOn, false);
    Control(first, kKnob).SetType(ControlMessageType::CC, false);
    const Selection note = Select(first, {kButton}), cc = Select(first, {kKnob});
    EXPECT_TRUE(Selection::CanAssignAll(cc, note));
    EXPECT_FALSE(Selection::CanAssignAll(note, cc) || Selection::CanAssignAll(cc, Selection()));
    EXPECT_FALSE(Selection::CanAssignAll(cc, Select(first, {kButton, kButton2})));
}
