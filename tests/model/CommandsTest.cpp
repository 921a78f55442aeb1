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
    ~Commands() override { ControlClipboard::Global().Clear(); }
    ControlClipboard clipboard;
};
} // namespace

TEST_F(Commands, EveryFieldCommandIsNamedAndRoundTripsThroughTheHistory)
{
    const struct
    {
        const char* name;
        Make make;
        bool equalsIgnores; // the field is the editor's own
    } cases[] = {
        {"Set Control Name", Maker<CSetNameCommand>(std::string("Renamed")), false},
        {"Set Control Type", Maker<CSetControlTypeCommand>(int(ControlMessageType::NRPN)), false},
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
        {"Set Low Value", Maker<CSetOffValueCommand>(20), false},
        {"Set Button Action", Maker<CSetActionCommand>(int(ControlAction::Toggle)), false},
        {"Set Button Step Size", Maker<CSetMultiStepCommand>(uint8_t(4)), false},
        {"Set High Value", Maker<CSetDrumAutoOffTimeCommand>(7), true},
        {"Set High Value", Maker<CSetDrumOffSyncCommand>(3), true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CBaseControlState& state = Assigned(Place::kButton, "Lead");
        state.SetMIDIPort1Enabled(true), state.SetUSBPort2Enabled(true);
        const CBaseControlState kept = state;
        const std::string before = StateText(state);
        const SysExBuffer dumpBefore = first.Write();
        first.SubmitCommand(c.make(At(first, Place::kButton)));
        EXPECT_EQ(c.name, first.GetUndoText());
        const std::string after = StateText(state);
        EXPECT_NE(before, after);
        EXPECT_EQ(c.equalsIgnores, CBaseControlState::Equals(kept, state));
        first.Undo();
        EXPECT_EQ(before, StateText(state));
        EXPECT_TRUE(first.Write().Equals(dumpBefore));
        EXPECT_EQ(c.name, first.GetRedoText());
        first.Redo();
        EXPECT_EQ(after, StateText(state));
        first.ResetUndoState();
    }
    const CommandCreator<CSetMIDIChannelOrMMCDeviceNumCommand> creator;
    auto command = static_cast<const ICommandCreator&>(creator).Create(At(first, Place::kKnob), 12);
    command->Execute();
    EXPECT_EQ(12, Control(first, Place::kKnob).GetMIDIChannelOrMMCDeviceNum());
}

TEST_F(Commands, FieldCommandsTakeTheOldValueAtExecuteAndOutliveThePanel)
{
    CBaseControlState& knob = Control(first, Place::kKnob);
    std::unique_ptr<ICommand> name, high, lsb;
    {
        auto panel = std::make_unique<CPlacedControl>(&knob, Place::kKnob);
        name = std::make_unique<CSetNameCommand>(*panel, "Drive");
        high = std::make_unique<CSetOnValueCommand>(*panel, 99);
        lsb = std::make_unique<CSetMIDIControlLSBNumCommand>(*panel, 20);
        panel = std::make_unique<CPlacedControl>(first.GetControl(Place::kKnob2), Place::kKnob2);
    }
    knob.SetMIDIControlLSBNum(11); // changed after the command was made
    for (auto* command : {&name, &high, &lsb})
        (*command)->Execute();
    EXPECT_EQ("Drive 99 20", knob.GetName() + " " + std::to_string(knob.GetOnValue()) + " " +
                                 std::to_string(knob.GetMIDIControlLSBNum()));
    for (auto* command : {&name, &high, &lsb})
        (*command)->Undo();
    EXPECT_EQ(" 127 11", knob.GetName() + " " + std::to_string(knob.GetOnValue()) + " " +
                             std::to_string(knob.GetMIDIControlLSBNum()));
    EXPECT_TRUE(name->UpdateView(true) && high->UpdateView(false));
    EXPECT_EQ(window.refreshes, (Events{{Place::kKnob, false}, {Place::kKnob, false}}));
}

TEST_F(Commands, RangeAndTypeEditsKeepTheirRules)
{
    CBaseControlState& knob = Control(first, Place::kKnob);
    knob.SetType(ControlMessageType::CC, false), knob.SetOnValue(20, false), knob.SetOffValue(5, false);
    knob.SetSnapshotValue(10);
    first.SubmitCommand(std::make_unique<CSetOffValueCommand>(At(first, Place::kKnob), 100));
    EXPECT_TRUE(knob.GetInvertedRange());
    EXPECT_EQ(20, knob.GetSnapshotValue()); // clamped into 20..100
    first.Undo();
    EXPECT_FALSE(knob.GetInvertedRange());

    CBaseControlState& button = Control(first, Place::kButton);
    button.SetType(ControlMessageType::NoteOn, false);
    button.SetDisplayFormat(DisplayFormat::RangeMinus64To63);
    window.refreshes.clear();
    first.SubmitCommand(std::make_unique<CSetControlTypeCommand>(At(first, Place::kButton), ControlMessageType::MMC));
    EXPECT_EQ(DisplayFormat::MMC, button.GetDisplayFormat());
    first.Undo();
    EXPECT_EQ(ControlMessageType::NoteOn, button.GetType());
    EXPECT_EQ(DisplayFormat::Range0To127, button.GetDisplayFormat()); // SetType's rule, not the old format
    // Rebuilt at once after Execute and Undo, never from UpdateView.
    EXPECT_EQ(window.refreshes, (Events{{Place::kButton, true}, {Place::kButton, true}}));
    EXPECT_EQ(0, window.settingsHidden);
}

TEST_F(Commands, WholeControlEditsAreOneStepThatSelectsAndClosesTheSettings)
{
    const struct
    {
        const char* name;
        std::function<std::unique_ptr<ICommand>(Commands&)> make;
        const char* names; // of the knob, the button and the third knob after the edit
        Events undoRedo;   // selections by Undo, then Redo
        int clipboard = Place::kKnob2; // the first control on the global clipboard afterwards
    } cases[] = {
        {"Delete Control", [](Commands& t) { return ControlEdit::Delete(t.Select(t.first, {Place::kKnob})); },
         "|Play|", {{Place::kKnob, true}, {Place::kKnob, false}}},
        {"Delete Controls", [](Commands& t) { return ControlEdit::Delete(t.Select(t.first, {Place::kKnob, Place::kButton})); },
         "||", {{Place::kKnob, true}, {Place::kButton, true}, {Place::kButton, false}, {Place::kKnob, false}}},
        {"Cut Control", [](Commands& t) { return ControlEdit::Cut(t.Select(t.first, {Place::kKnob}), t.clipboard); },
         "|Play|", {{Place::kKnob, true}, {Place::kKnob, false}}},
        {"Cut Controls", [](Commands& t) { return ControlEdit::Cut(t.Select(t.first, {Place::kKnob, Place::kKnob3})); },
         "|Play|", {{Place::kKnob, true}, {Place::kKnob3, true}, {Place::kKnob3, false}, {Place::kKnob, false}}, Place::kKnob},
        {"Paste Control",
         [](Commands& t) {
             t.clipboard.Copy(t.Select(t.first, {Place::kKnob}));
             return t.clipboard.Paste(t.Select(t.first, {Place::kButton}));
         },
         "Cutoff|Cutoff|", {{Place::kButton, false}, {Place::kButton, true}}},
        {"Paste Controls",
         [](Commands& t) {
             t.clipboard.Copy(t.Select(t.first, {Place::kButton, Place::kKnob}));
             return t.clipboard.Paste(t.Select(t.first, {Place::kKnob, Place::kKnob3}));
         },
         "Play|Play|Cutoff", {{Place::kKnob, false}, {Place::kKnob3, false}, {Place::kKnob3, true}, {Place::kKnob, true}}},
        {"Move control",
         [](Commands& t) { return ControlEdit::Move(t.Select(t.first, {Place::kKnob}), t.Select(t.first, {Place::kKnob3})); },
         "|Play|Cutoff", {{Place::kKnob3, false}, {Place::kKnob, true}, {Place::kKnob, false}, {Place::kKnob3, true}}},
        {"Swap controls",
         [](Commands& t) { return ControlEdit::Swap(t.Select(t.first, {Place::kKnob}), t.Select(t.first, {Place::kButton})); },
         "Play|Cutoff|", {{Place::kButton, false}, {Place::kKnob, false}, {Place::kKnob, true}, {Place::kButton, true}}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        first.ResetToDefaults();
        first.ResetUndoState();
        Assigned(Place::kKnob, "Cutoff");
        Assigned(Place::kButton, "Play").SetOnValue(60, false);
        ControlClipboard::Global().Copy(Select(first, {Place::kKnob2}));
        const int indices[] = {Place::kKnob, Place::kButton, Place::kKnob3};
        for (int index : indices)
            At(first, index);
        const SysExBuffer before = first.Write();
        const std::string knobBefore = StateText(Control(first, Place::kKnob));
        window.selections.clear();
        window.settingsHidden = 0;

        auto command = c.make(*this);
        EXPECT_EQ(c.name, command->GetName());
        first.SubmitCommand(std::move(command));
        std::string names;
        for (int index : indices)
        {
            names += (index == Place::kKnob ? "" : "|") + Control(first, index).GetName();
            EXPECT_EQ(index != Place::kButton, Control(first, index).IsContinuous()) << index;
        }
        EXPECT_EQ(c.names, names);
        const SysExBuffer after = first.Write();
        first.Undo();
        EXPECT_TRUE(first.Write().Equals(before));
        EXPECT_EQ(knobBefore, StateText(Control(first, Place::kKnob)));
        first.Redo();
        EXPECT_TRUE(first.Write().Equals(after));
        EXPECT_EQ(c.undoRedo, window.selections);
        EXPECT_EQ(2, window.settingsHidden);
        EXPECT_EQ(1, first.GetHistorySize());
        EXPECT_EQ(c.clipboard, ControlClipboard::Global().Controls()[0].GetIndex());
    }
    // The knob swapped onto a plain button starts at its low value.
    EXPECT_EQ("Cutoff 1 1", Control(first, Place::kButton).GetName() + " " +
                                std::to_string(Control(first, Place::kButton).GetOffValue()) + " " +
                                std::to_string(Control(first, Place::kButton).GetSnapshotValue()));
}

TEST_F(Commands, ClipboardCopiesArePlacedAndPasteOnlyWhereEachFits)
{
    EXPECT_FALSE(clipboard.CanPaste(Select(first, {Place::kKnob})));
    Assigned(Place::kKnob, "Cutoff");
    Assigned(Place::kKnob2, "Reso");
    Assigned(Place::kKnob3, "Drive");
    clipboard.Copy(Select(first, {Place::kKnob, Place::kKnob2, Place::kKnob3}));
    Control(first, Place::kKnob).SetName("Edited");
    clipboard.Copy(clipboard.Controls());
    ASSERT_EQ(3u, clipboard.Size());
    EXPECT_EQ("Cutoff", clipboard.Controls()[0].GetControl()->GetName());
    EXPECT_TRUE(clipboard.Controls()[0].GetControl()->IsContinuous());

    EXPECT_FALSE(clipboard.CanPaste(Select(second, {Place::kKnob, Place::kKnob2})));
    EXPECT_FALSE(clipboard.CanPaste(Selection()));
    EXPECT_TRUE(clipboard.CanPaste(Select(second, {Place::kButton, Place::kKnob2, Place::kWheel})));
    host.answers.fixedIndex = Place::kKnob3;
    EXPECT_FALSE(clipboard.CanPaste(Select(second, {Place::kKnob, Place::kKnob2, Place::kKnob3})));

    auto paste = clipboard.Paste(Select(second, {Place::kWheel}));
    ASSERT_EQ(1u, paste->Size());
    EXPECT_EQ(Place::kWheel, static_cast<CPasteCommand&>(paste->At(0)).Target().GetIndex());
    EXPECT_EQ(0u, clipboard.Paste(Selection())->Size());

    Control(first, Place::kKnob).SetType(ControlMessageType::Aftertouch, false); // a pot's own type
    clipboard.Copy(Select(first, {Place::kKnob}));
    EXPECT_FALSE(clipboard.CanPaste(Select(second, {Place::kButton})));
    EXPECT_TRUE(clipboard.CanPaste(Select(second, {Place::kKnob2})));
}

TEST_F(Commands, SubmitGoesOnlyToTheCurrentTemplateThatOwnsEveryControl)
{
    EXPECT_TRUE(SubmitToCurrentTemplate(std::make_unique<CSetNameCommand>(At(first, Place::kKnob), "Cutoff")));
    EXPECT_EQ("Set Control Name", first.GetUndoText());
    const CPlacedControl stale = At(first, Place::kKnob); // a field still bound to the first template
    window.current = &second;
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<CSetOnValueCommand>(stale, 42)));
    EXPECT_EQ(127, Control(first, Place::kKnob).GetOnValue());
    Selection mixed = Select(second, {Place::kKnob});
    mixed.Add(At(first, Place::kKnob2));
    EXPECT_FALSE(SubmitToCurrentTemplate(ControlEdit::Delete(mixed)));
    EXPECT_EQ(0, second.GetHistorySize());

    Journal journal;
    EXPECT_TRUE(SubmitToCurrentTemplate(std::make_unique<LoggingCommand>("settings", journal)));
    EXPECT_EQ("settings", second.GetUndoText());
    window.current = nullptr;
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<LoggingCommand>("lost", journal)));
    host.withWindow = false;
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<CSetNameCommand>(At(first, Place::kKnob), "Lost")));
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
    EXPECT_EQ("A D 1", first.GetCommand(0)->GetName() + " " + first.GetCommand(1)->GetName() + " " +
                           std::to_string(first.GetCurrentIndex()));
    EXPECT_EQ(0, window.settingsHidden);
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
    EXPECT_TRUE(s.Add(At(first, Place::kButton)));
    EXPECT_TRUE(s.Add(At(first, Place::kKnob)));
    EXPECT_FALSE(s.Add(At(second, Place::kButton))); // same index, other state
    s.AddAll(Select(second, {Place::kKnob, Place::kWheel}));
    EXPECT_EQ("22 0 44 ", indices(s));
    EXPECT_EQ(first.GetControl(Place::kButton), s.Front().GetControl());
    EXPECT_EQ(Place::kWheel, s.Back().GetIndex());
    EXPECT_FALSE(s.Contains(At(second, Place::kKnob)) || s.Contains(CPlacedControl(&Control(first, 0), 1)));
    s.Remove(At(second, Place::kKnob));
    s.Remove(At(first, Place::kKnob));
    EXPECT_EQ("22 44 ", indices(s));

    EXPECT_TRUE(s.SameIndices(Select(second, {Place::kWheel, Place::kButton})));
    EXPECT_FALSE(s.SameIndices(Select(first, {Place::kButton})) || s.SameIndices(Select(first, {22, 0})));
    s.SelectOnly(Select(second, {Place::kWheel, Place::kButton})); // the same indices: kept as it was
    EXPECT_EQ("22 44 ", indices(s));
    EXPECT_EQ(first.GetControl(Place::kButton), s.Front().GetControl());
    s.SelectOnly(Select(second, {Place::kKnob}));
    EXPECT_EQ("0 ", indices(s));

    const Selection copy = Select(first, {Place::kWheel, Place::kKnob}).Clone(second);
    EXPECT_EQ("44 0 ", indices(copy));
    EXPECT_EQ(second.GetControl(Place::kKnob), copy[1].GetControl());
    Selection beyond;
    beyond.Add(CPlacedControl(&Control(first, 0), 51)); // no control there: left out
    EXPECT_TRUE(beyond.Clone(second).Empty());

    Select(first, {Place::kKnob, Place::kButton}).EditSingle();
    Select(first, {Place::kButton}).EditSingle();
    EXPECT_EQ((Events{{Place::kButton, false}}), window.refreshes);

    Control(first, Place::kButton).SetType(ControlMessageType::NoteOn, false);
    Control(first, Place::kKnob).SetType(ControlMessageType::CC, false);
    const Selection note = Select(first, {Place::kButton}), cc = Select(first, {Place::kKnob});
    EXPECT_TRUE(Selection::CanAssignAll(cc, note));
    EXPECT_FALSE(Selection::CanAssignAll(note, cc) || Selection::CanAssignAll(cc, Selection()));
    EXPECT_FALSE(Selection::CanAssignAll(cc, Select(first, {Place::kButton, Place::kButton2})));
}
