#include "model/commands/ControlClipboard.h"
#include "model/commands/ControlEditCommands.h"
#include "model/commands/SubmitCommand.h"
#include "tests/model/CommandTestSupport.h"
#include "tests/model/TemplateTestSupport.h"

namespace
{
class SubmitCommandTest : public CommandTest
{
};
} // namespace

TEST_F(SubmitCommandTest, GoesToTheCurrentTemplateWhenItOwnsTheControl)
{
    EXPECT_TRUE(SubmitToCurrentTemplate(std::make_unique<CSetNameCommand>(At(first, Place::kKnob), "Cutoff")));
    EXPECT_EQ(Control(first, Place::kKnob).GetName(), "Cutoff");
    EXPECT_EQ(first.GetUndoText(), "Set Control Name");
}

TEST_F(SubmitCommandTest, DropsAnEditOfAControlOfAnotherTemplate)
{
    // A number field still bound to a control of the first template commits
    // after the second became current.
    const CPlacedControl stale = At(first, Place::kKnob);
    window.current = &second;
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<CSetOnValueCommand>(stale, 42)));
    EXPECT_EQ(Control(first, Place::kKnob).GetOnValue(), 127);
    EXPECT_EQ(first.GetHistorySize(), 0);
    EXPECT_EQ(second.GetHistorySize(), 0);

    // One foreign control is enough to drop a whole composite edit.
    Selection mixed = Select(second, {Place::kKnob});
    mixed.Add(At(first, Place::kKnob2));
    EXPECT_FALSE(SubmitToCurrentTemplate(ControlEdit::Delete(mixed)));
    EXPECT_EQ(second.GetHistorySize(), 0);
    EXPECT_TRUE(SubmitToCurrentTemplate(ControlEdit::Delete(Select(second, {Place::kKnob}))));
    EXPECT_EQ(second.GetUndoText(), "Delete Control");
}

TEST_F(SubmitCommandTest, DropsEverythingWithoutAWindowOrACurrentTemplate)
{
    std::vector<std::string> journal;
    window.current = nullptr;
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<TemplateTest::LoggingCommand>("a", journal)));

    RecordingHost windowless(nullptr);
    ScopedHost scopedWindowless(&windowless);
    EXPECT_FALSE(SubmitToCurrentTemplate(std::make_unique<CSetNameCommand>(At(first, Place::kKnob), "Lost")));
    EXPECT_EQ(Control(first, Place::kKnob).GetName(), "");
    EXPECT_EQ(journal, (std::vector<std::string>{"delete a"})); // dropped unexecuted
}

TEST_F(SubmitCommandTest, TemplateWideCommandsNeedOnlyACurrentTemplate)
{
    std::vector<std::string> journal;
    EXPECT_TRUE(SubmitToCurrentTemplate(std::make_unique<TemplateTest::LoggingCommand>("settings", journal)));
    EXPECT_EQ(journal, (std::vector<std::string>{"execute settings"}));
    EXPECT_EQ(first.GetUndoText(), "settings");
    first.ClearUndoHistory(); // the command writes to the journal when deleted
}
