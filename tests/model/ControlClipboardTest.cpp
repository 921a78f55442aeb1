#include "model/commands/ControlClipboard.h"
#include "model/commands/WholeControlCommands.h"
#include "tests/model/CommandTestSupport.h"

namespace
{
class ControlClipboardTest : public CommandTest
{
protected:
    ~ControlClipboardTest() override { ControlClipboard::Global().Clear(); }
    ControlClipboard clipboard;
};

// A device on which one index may not be changed by the user.
class ProtectingHost : public RecordingHost
{
public:
    explicit ProtectingHost(IEditorWindow* window) : RecordingHost(window) {}
    const IDeviceAnswers& Device() const override { return m_answers; }

private:
    struct Answers : CDorvaSynthAnswers
    {
        bool IsFixedControlIndex(int index) const override { return index == Place::kKnob3; }
    };
    Answers m_answers;
};
} // namespace

TEST_F(ControlClipboardTest, CopiesAreIndependentOfTheTemplate)
{
    FillAssigned(Control(first, Place::kKnob), "Cutoff", ControlMessageType::CC);
    clipboard.Copy(Select(first, {Place::kKnob}));
    ASSERT_EQ(clipboard.Size(), 1u);
    Control(first, Place::kKnob).SetName("Edited");

    EXPECT_EQ(clipboard.Controls()[0].GetIndex(), Place::kKnob);
    EXPECT_EQ(clipboard.Controls()[0].GetControl()->GetName(), "Cutoff");
    EXPECT_TRUE(clipboard.Controls()[0].GetControl()->IsContinuous());

    clipboard.Copy(clipboard.Controls());
    ASSERT_EQ(clipboard.Size(), 1u);
    EXPECT_EQ(clipboard.Controls()[0].GetControl()->GetName(), "Cutoff");
}

TEST_F(ControlClipboardTest, CanPasteNeedsAMatchingUnprotectedTargetThatTakesEachType)
{
    EXPECT_FALSE(clipboard.CanPaste(Select(first, {Place::kKnob}))); // empty clipboard

    for (int index : {Place::kKnob, Place::kKnob2, Place::kKnob3})
        Control(first, index).SetType(ControlMessageType::CC, false);
    clipboard.Copy(Select(first, {Place::kKnob, Place::kKnob2, Place::kKnob3}));
    EXPECT_FALSE(clipboard.CanPaste(Select(second, {Place::kKnob, Place::kKnob2})));
    EXPECT_FALSE(clipboard.CanPaste(Selection()));
    EXPECT_TRUE(clipboard.CanPaste(Select(second, {Place::kButton, Place::kKnob2, Place::kWheel})));

    {
        ProtectingHost protecting(&window);
        ScopedHost scopedProtecting(&protecting);
        EXPECT_FALSE(clipboard.CanPaste(Select(second, {Place::kKnob, Place::kKnob2, Place::kKnob3})));
    }

    // A pot sending aftertouch cannot go onto a button.
    Control(first, Place::kKnob).SetType(ControlMessageType::Aftertouch, false);
    clipboard.Copy(Select(first, {Place::kKnob}));
    EXPECT_FALSE(clipboard.CanPaste(Select(second, {Place::kButton})));
    EXPECT_TRUE(clipboard.CanPaste(Select(second, {Place::kKnob3})));
}

TEST_F(ControlClipboardTest, PasteBetweenTemplatesIsOneUndoStepInTheTarget)
{
    FillAssigned(Control(first, Place::kKnob), "Cutoff", ControlMessageType::CC);
    FillAssigned(Control(first, Place::kKnob2), "Reso", ControlMessageType::NRPN);
    clipboard.Copy(Select(first, {Place::kKnob, Place::kKnob2}));
    const SysExBuffer secondBefore = second.Write();
    const SysExBuffer firstBefore = first.Write();

    auto paste = clipboard.Paste(Select(second, {Place::kKnob3, Place::kButton}));
    EXPECT_EQ(paste->GetName(), "Paste Controls");
    second.SubmitCommand(std::move(paste));
    EXPECT_EQ(second.GetHistorySize(), 1);
    EXPECT_EQ(Control(second, Place::kKnob3).GetName(), "Cutoff");
    EXPECT_EQ(Control(second, Place::kButton).GetName(), "Reso");
    EXPECT_TRUE(first.Write().Equals(firstBefore));

    second.Undo();
    EXPECT_TRUE(second.Write().Equals(secondBefore));
    EXPECT_EQ(window.settingsHidden, 1); // whole-control edits close the settings window

    EXPECT_EQ(clipboard.Paste(Select(second, {Place::kKnob}))->GetName(), "Paste Control");
}

TEST_F(ControlClipboardTest, PasteOntoFewerTargetsPairsOnlyWhatBothHave)
{
    clipboard.Copy(Select(first, {Place::kKnob, Place::kKnob2, Place::kKnob3}));
    auto paste = clipboard.Paste(Select(second, {Place::kWheel}));
    ASSERT_EQ(paste->Size(), 1u);
    EXPECT_EQ(paste->GetName(), "Paste Control");
    EXPECT_EQ(static_cast<CPasteCommand&>(paste->At(0)).Target().GetIndex(), Place::kWheel);
    Control(first, Place::kKnob).SetName("Copied");
    paste->Execute();
    paste->Undo();

    EXPECT_EQ(clipboard.Paste(Selection())->Size(), 0u);
}

TEST_F(ControlClipboardTest, CutCopiesThenClearsAsOneStepAndUndoSelectsAgain)
{
    FillAssigned(Control(first, Place::kKnob), "Cutoff", ControlMessageType::CC);
    Settle();
    const std::string before = StateText(Control(first, Place::kKnob));

    auto cut = ControlEdit::Cut(Select(first, {Place::kKnob}));
    EXPECT_EQ(cut->GetName(), "Cut Control");
    ASSERT_EQ(ControlClipboard::Global().Size(), 1u);
    first.SubmitCommand(std::move(cut));
    EXPECT_EQ(Control(first, Place::kKnob).GetType(), ControlMessageType::Disabled);
    EXPECT_TRUE(Control(first, Place::kKnob).IsContinuous());

    window.selections.clear();
    first.Undo();
    EXPECT_EQ(StateText(Control(first, Place::kKnob)), before);
    EXPECT_EQ(window.selections, (std::vector<std::pair<int, bool>>{{Place::kKnob, true}}));
    EXPECT_EQ(ControlClipboard::Global().Controls()[0].GetControl()->GetName(), "Cutoff");

    EXPECT_EQ(ControlEdit::Cut(Select(first, {Place::kKnob, Place::kKnob2}), clipboard)->GetName(), "Cut Controls");
}

TEST_F(ControlClipboardTest, DeleteLeavesTheClipboardAlone)
{
    clipboard.Copy(Select(first, {Place::kKnob2}));
    FillAssigned(Control(first, Place::kKnob), "A", ControlMessageType::CC);
    FillAssigned(Control(first, Place::kButton), "B", ControlMessageType::CC);
    Settle();
    const SysExBuffer before = first.Write();

    auto del = ControlEdit::Delete(Select(first, {Place::kKnob, Place::kButton}));
    EXPECT_EQ(del->GetName(), "Delete Controls");
    first.SubmitCommand(std::move(del));
    EXPECT_EQ(Control(first, Place::kButton).GetName(), "");
    EXPECT_EQ(clipboard.Size(), 1u);
    EXPECT_EQ(clipboard.Controls()[0].GetIndex(), Place::kKnob2);
    first.Undo();
    EXPECT_TRUE(first.Write().Equals(before));
    EXPECT_EQ(ControlEdit::Delete(Select(first, {Place::kKnob}))->GetName(), "Delete Control");
}

TEST_F(ControlClipboardTest, MoveFillsTheTargetClearsTheSourceAndUndoesInOneStep)
{
    FillAssigned(Control(first, Place::kKnob), "Cutoff", ControlMessageType::CC);
    ControlClipboard::Global().Copy(Select(first, {Place::kKnob2}));
    Settle();
    const SysExBuffer before = first.Write();
    const std::string moved = StateText(Control(first, Place::kKnob));

    auto move = ControlEdit::Move(Select(first, {Place::kKnob}), Select(first, {Place::kKnob3}));
    EXPECT_EQ(move->GetName(), "Move control");
    first.SubmitCommand(std::move(move));
    EXPECT_EQ(StateText(Control(first, Place::kKnob3)), moved); // both knobs: same flag, same clamp
    EXPECT_EQ(Control(first, Place::kKnob).GetType(), ControlMessageType::Disabled);
    EXPECT_EQ(ControlClipboard::Global().Controls()[0].GetIndex(), Place::kKnob2);

    first.Undo();
    EXPECT_TRUE(first.Write().Equals(before));
    EXPECT_EQ(first.GetCurrentIndex(), -1);
    first.Redo();
    EXPECT_EQ(Control(first, Place::kKnob3).GetName(), "Cutoff");
    EXPECT_EQ(Control(first, Place::kKnob).GetName(), "");
}

TEST_F(ControlClipboardTest, SwapExchangesStatesAndEachKeepsTheFlagOfItsPlace)
{
    FillAssigned(Control(first, Place::kKnob), "Cutoff", ControlMessageType::CC);
    FillAssigned(Control(first, Place::kButton), "Play", ControlMessageType::CC);
    Control(first, Place::kButton).SetOnValue(60, false);
    Settle();
    const SysExBuffer before = first.Write();
    const std::string knobBefore = StateText(Control(first, Place::kKnob));

    auto swap = ControlEdit::Swap(Select(first, {Place::kKnob}), Select(first, {Place::kButton}));
    EXPECT_EQ(swap->GetName(), "Swap controls");
    first.SubmitCommand(std::move(swap));
    EXPECT_EQ(Control(first, Place::kKnob).GetName(), "Play");
    EXPECT_EQ(Control(first, Place::kKnob).GetOnValue(), 60);
    EXPECT_TRUE(Control(first, Place::kKnob).IsContinuous());
    EXPECT_EQ(Control(first, Place::kButton).GetName(), "Cutoff");
    EXPECT_FALSE(Control(first, Place::kButton).IsContinuous());

    first.Undo();
    EXPECT_TRUE(first.Write().Equals(before));
    EXPECT_EQ(StateText(Control(first, Place::kKnob)), knobBefore);
}
