#include <gtest/gtest.h>

#include <algorithm>

#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/TemplateTestSupport.h"

namespace
{
using namespace TemplateTest;
using Journal = std::vector<std::string>;

class UndoHistoryTest : public ::testing::Test
{
protected:
    void Submit(const std::string& name, bool keepSettings = true)
    {
        tmpl.SubmitCommand(std::make_unique<LoggingCommand>(name, journal, keepSettings));
    }

    RecordingHost host;
    ScopedHost scope{&host};
    Journal journal; // outlives the template, whose commands write to it when deleted
    CDorvaSynthTemplate tmpl;
};

TEST_F(UndoHistoryTest, NewTemplateHasNothingToUndoOrRedo)
{
    tmpl.MarkSaved(true);
    EXPECT_FALSE(tmpl.CanUndo());
    EXPECT_FALSE(tmpl.CanRedo());
    EXPECT_EQ(tmpl.GetUndoText(), "No command");
    EXPECT_EQ(tmpl.GetRedoText(), "No command");
    EXPECT_TRUE(tmpl.IsAtSavedPoint());
    // Undo and Redo with nothing there are harmless.
    tmpl.Undo();
    tmpl.Redo();
    EXPECT_TRUE(journal.empty());
}

TEST_F(UndoHistoryTest, SubmitExecutesAndLeavesTheViewToTheCaller)
{
    Submit("A");
    EXPECT_EQ(journal, (Journal{"execute A"}));
    EXPECT_EQ(tmpl.GetCurrentIndex(), 0);
    EXPECT_EQ(tmpl.GetUndoText(), "A");
    EXPECT_TRUE(host.window.lastCanUndo);
    EXPECT_FALSE(host.window.lastCanRedo);
    EXPECT_EQ(host.window.titleUpdates, 1);
}

TEST_F(UndoHistoryTest, SubmitAfterUndoDropsTheRedoTail)
{
    Submit("A");
    Submit("B");
    Submit("C");
    tmpl.Undo();
    tmpl.Undo();
    journal.clear();

    Submit("D");
    // C is the last of the tail and goes first; D then updates the view.
    EXPECT_EQ(journal, (Journal{"execute D", "delete C", "delete B", "view D"}));
    EXPECT_EQ(tmpl.GetHistorySize(), 2);
    EXPECT_EQ(tmpl.GetCurrentIndex(), 1);
    EXPECT_EQ(tmpl.GetCommand(0)->GetName(), "A");
    EXPECT_EQ(tmpl.GetCommand(1)->GetName(), "D");
    EXPECT_FALSE(tmpl.CanRedo());
}

TEST_F(UndoHistoryTest, UndoAndRedoRunTheCommandAndItsView)
{
    Submit("A");
    journal.clear();
    tmpl.Undo();
    EXPECT_EQ(journal, (Journal{"undo A", "view-undo A"}));
    EXPECT_EQ(tmpl.GetRedoText(), "A");
    EXPECT_EQ(tmpl.GetUndoText(), "No command");
    EXPECT_FALSE(host.window.lastCanUndo);
    EXPECT_TRUE(host.window.lastCanRedo);
    EXPECT_EQ(host.window.focusRequests, 1);

    journal.clear();
    tmpl.Redo();
    EXPECT_EQ(journal, (Journal{"execute A", "view A"}));
    EXPECT_EQ(tmpl.GetUndoText(), "A");
    EXPECT_EQ(host.window.focusRequests, 2);
    EXPECT_EQ(host.window.settingsHidden, 0);
}

TEST_F(UndoHistoryTest, AViewThatRefusesHidesTheSettingsWindow)
{
    Submit("Paste", false);
    EXPECT_EQ(host.window.settingsHidden, 0); // no tail dropped: no view update
    tmpl.Undo();
    EXPECT_EQ(host.window.settingsHidden, 1);
    tmpl.Redo();
    EXPECT_EQ(host.window.settingsHidden, 2);
    tmpl.Undo();
    Submit("Other", false);
    EXPECT_EQ(host.window.settingsHidden, 4);
}

TEST_F(UndoHistoryTest, SavedPointFollowsUndoAndRedo)
{
    tmpl.MarkSaved(true);
    Submit("A");
    Submit("B");
    EXPECT_TRUE(tmpl.IsModified());
    tmpl.MarkSaved(true); // saved at index 1
    EXPECT_FALSE(tmpl.IsModified());
    tmpl.Undo();
    EXPECT_TRUE(tmpl.IsModified());
    tmpl.Redo();
    EXPECT_FALSE(tmpl.IsModified());
    Submit("C");
    EXPECT_TRUE(tmpl.IsModified());
    tmpl.Undo();
    EXPECT_FALSE(tmpl.IsModified());
}

TEST_F(UndoHistoryTest, DroppingTheTailThatHeldTheSavedPointLeavesTheTemplateModified)
{
    tmpl.MarkSaved(true);
    Submit("A");
    tmpl.MarkSaved(true); // save after A
    tmpl.Undo();          // back before A
    Submit("B");          // B sits where A was saved, but is not A
    EXPECT_EQ(tmpl.GetCurrentIndex(), 0);
    EXPECT_TRUE(tmpl.IsModified());
    // No undo or redo can bring the saved state back.
    tmpl.Undo();
    EXPECT_TRUE(tmpl.IsModified());
    tmpl.Redo();
    EXPECT_TRUE(tmpl.IsModified());
    // The next save sets a new saved point.
    tmpl.MarkSaved(true);
    EXPECT_FALSE(tmpl.IsModified());

    // A dropped tail that lay after the saved point leaves it in place.
    Submit("C");
    tmpl.Undo();
    Submit("D");
    tmpl.Undo();
    EXPECT_FALSE(tmpl.IsModified());
}


TEST_F(UndoHistoryTest, MarkSavedFalseStaysModifiedWhateverTheHistoryDoes)
{
    tmpl.MarkSaved(false);
    EXPECT_TRUE(tmpl.IsModified());
    Submit("A");
    tmpl.Undo();
    EXPECT_TRUE(tmpl.IsModified());
}

TEST_F(UndoHistoryTest, ResetAndClear)
{
    tmpl.SetPathValid(true);
    Submit("A");
    Submit("B");
    tmpl.ClearUndoHistory();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "delete A"), 1);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "delete B"), 1);
    EXPECT_EQ(tmpl.GetHistorySize(), 0);
    EXPECT_EQ(tmpl.GetCurrentIndex(), -1);
    EXPECT_TRUE(tmpl.IsPathValid());

    Submit("C");
    tmpl.ResetUndoState();
    EXPECT_EQ(tmpl.GetHistorySize(), 0);
    EXPECT_FALSE(tmpl.IsPathValid());
    EXPECT_TRUE(tmpl.IsModified());
}

TEST_F(UndoHistoryTest, WorksWithoutAWindow)
{
    host.withWindow = false;
    Submit("A", false);
    tmpl.Undo();
    tmpl.Redo();
    tmpl.Undo();
    Submit("B", false);
    EXPECT_EQ(tmpl.GetUndoText(), "B");
}

} // namespace
