#include <gtest/gtest.h>

#include "model/commands/MetaCommand.h"
#include "tests/model/TemplateTestSupport.h"

using TemplateTest::LoggingCommand;
using Journal = std::vector<std::string>;

TEST(MetaCommand, EmptyDoesNothingAndKeepsTheSettingsWindow)
{
    CMetaCommand meta("Nothing");
    meta.Execute();
    meta.Undo();
    EXPECT_TRUE(meta.UpdateView(false));
    EXPECT_TRUE(meta.UpdateView(true));
    EXPECT_EQ(meta.GetName(), "Nothing");
}

TEST(MetaCommand, RunsForwardUndoesBackwardAndOwnsItsParts)
{
    Journal journal;
    {
        CMetaCommand meta("Both");
        meta.Add(std::make_unique<LoggingCommand>("a", journal));
        meta.Add(std::make_unique<LoggingCommand>("b", journal));
        meta.Execute();
        meta.Undo();
    }
    EXPECT_EQ(journal, (Journal{"execute a", "execute b", "undo b", "undo a", "delete a", "delete b"}));
}

TEST(MetaCommand, ViewUpdateAsksEveryPartAndAndsTheirAnswers)
{
    Journal journal;
    CMetaCommand meta("Mixed");
    meta.Add(std::make_unique<LoggingCommand>("a", journal, false));
    meta.Add(std::make_unique<LoggingCommand>("b", journal, true));
    meta.Add(std::make_unique<LoggingCommand>("c", journal, true));

    EXPECT_FALSE(meta.UpdateView(false)); // after an execute: last to first
    EXPECT_FALSE(meta.UpdateView(true));  // after an undo: first to last
    EXPECT_EQ(journal, (Journal{"view c", "view b", "view a", "view-undo a", "view-undo b", "view-undo c"}));
}
