#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "tests/ui/InteractionTestSupport.h"

namespace
{
using Indices = std::vector<int>;

class PanelSelectionTest : public testing::Test, protected PanelFixture
{
};

TEST_F(PanelSelectionTest, ClicksSelectToggleAndClear)
{
    Click(Centre(3));
    EXPECT_EQ(Selected(), Indices{3});
    EXPECT_EQ(window.status.back(), editorTemplate.GetControl(3)->GetLabel());

    Click(Centre(7), true);
    Click(Centre(9), true);
    EXPECT_EQ(Selected(), (Indices{3, 7, 9}));
    Click(Centre(7), true);
    EXPECT_EQ(Selected(), (Indices{3, 9})) << "Ctrl+click takes a selected control out";

    // A plain press on one of several selected controls makes it the only one.
    Click(Centre(9));
    EXPECT_EQ(Selected(), Indices{9});

    // Ctrl+press on the only selected control keeps it and starts a drag that copies.
    Press(Centre(9), true);
    EXPECT_EQ(Selected(), Indices{9});
    EXPECT_TRUE(view.IsDragging());
    Release(Centre(9), true);
    EXPECT_FALSE(view.IsDragging());

    Press(Empty());
    EXPECT_TRUE(Selected().empty());
    EXPECT_TRUE(view.IsRubberBandActive());
    Release(Empty());
    EXPECT_FALSE(view.IsRubberBandActive());
}

TEST_F(PanelSelectionTest, ClicksEditWhenTheSettingsWindowIsOpenAndDoubleClicksAlways)
{
    Click(Centre(4));
    EXPECT_TRUE(window.refreshed.empty());
    DoubleClick(Centre(4));
    EXPECT_EQ(window.refreshed, Indices{4});

    window.settingsShown = true;
    Click(Centre(5));
    EXPECT_EQ(window.refreshed, (Indices{4, 5}));
    // Selecting a second control hides the settings window.
    const int hides = window.hides;
    Click(Centre(6), true);
    EXPECT_GT(window.hides, hides);
    EXPECT_EQ(window.refreshed, (Indices{4, 5})) << "Ctrl never edits";
}

TEST_F(PanelSelectionTest, RubberBandTogglesAgainstTheSelectionItStartedFrom)
{
    const wxRect pot0 = view.FindControlButton(0)->GetRect();
    const wxRect pot1 = view.FindControlButton(1)->GetRect();
    const wxPoint start(pot0.x - 2, pot0.y - 2);

    Press(start);
    view.OnMouseMove({pot1.GetRight() - 1, pot1.y + 1});
    EXPECT_EQ(Selected(), (Indices{0, 1}));
    view.OnMouseMove({pot0.x + 1, pot0.y + 1});
    EXPECT_EQ(Selected(), Indices{0}) << "moving back off a control restores it";
    Release({pot0.x + 1, pot0.y + 1});

    // With Ctrl the earlier selection is kept and the band toggles what it crosses.
    Click(Centre(1), true);
    ASSERT_EQ(Selected(), (Indices{0, 1}));
    Press(start, true);
    EXPECT_EQ(Selected(), (Indices{0, 1}));
    view.OnMouseMove({pot0.x + 1, pot0.y + 1});
    EXPECT_EQ(Selected(), Indices{1});
    view.OnMouseMove(start);
    EXPECT_EQ(Selected(), (Indices{1, 0})) << "a band of no area overlaps nothing";
    Release(start);
}

TEST_F(PanelSelectionTest, ArrowsGoToTheNearestControlInTheirDirection)
{
    view.SelectControl(0, true);
    EXPECT_TRUE(view.NavigateSelection(3));
    EXPECT_EQ(Selected(), Indices{1});
    EXPECT_EQ(view.GetControlButtons()[1]->GetName(), "Group A Pot 2");

    view.GetSelection().Clear();
    view.SelectControl(0, true);
    view.NavigateSelection(1);
    EXPECT_EQ(Selected(), Indices{22});
    EXPECT_EQ(view.FindControlButton(22)->GetName(), "Group A Button 1");

    // Toward the edge nothing qualifies: the control it started from stays alone.
    view.SelectControl(5, true);
    view.SelectControl(0, true);
    view.NavigateSelection(0);
    EXPECT_EQ(Selected(), Indices{0});
    // Left of the top row lie the wheels: not strictly beside, but still left.
    view.NavigateSelection(2);
    EXPECT_EQ(Selected(), Indices{45});

    // The arrow starts from the control added last.
    view.GetSelection().Clear();
    for (int index : {3, 9, 0})
        view.SelectControl(index, true);
    view.NavigateSelection(3);
    EXPECT_EQ(Selected(), Indices{1});

    view.GetSelection().Clear();
    view.NavigateSelection(0);
    EXPECT_EQ(Selected(), Indices{0}) << "with nothing selected an arrow selects index 0";
}

TEST_F(PanelSelectionTest, TabStartsFromTheFirstSelectedAndWraps)
{
    view.SelectNextControl(true);
    EXPECT_EQ(Selected(), Indices{0});
    view.GetSelection().Clear();
    view.SelectNextControl(false);
    EXPECT_EQ(Selected(), Indices{50});
    view.SelectNextControl(true);
    EXPECT_EQ(Selected(), Indices{0});

    view.GetSelection().Clear();
    for (int index : {3, 9, 0})
        view.SelectControl(index, true);
    view.SelectNextControl(true);
    EXPECT_EQ(Selected(), Indices{4});
    view.SelectNextControl(false);
    view.SelectNextControl(false);
    EXPECT_EQ(Selected(), Indices{2});
}

TEST_F(PanelSelectionTest, HoverRepaintsOnlyWhenTheControlChanges)
{
    const wxRect rect = view.FindControlButton(2)->GetRect();
    EXPECT_TRUE(view.OnMouseMove({rect.x + 1, rect.y + 1}));
    EXPECT_FALSE(view.OnMouseMove({rect.x + 3, rect.y + 2}));
    EXPECT_EQ(view.GetHoverIndex(), 2);
    EXPECT_EQ(view.GetHoverList().Size(), 1u);
    EXPECT_TRUE(view.OnMouseMove(Empty())) << "leaving the control";
    EXPECT_FALSE(view.OnMouseMove(Empty()));
    EXPECT_EQ(view.GetHoverIndex(), -1);
}

TEST_F(PanelSelectionTest, SelectionInfoListsTenThenTheLast)
{
    view.SelectControl(0, true);
    EXPECT_EQ(view.SelectionInfoText(), "Group A Pot 1\n");

    for (int index = 1; index < 12; ++index)
        view.SelectControl(index, true);
    std::string expected = "12 controls selected:\n\n";
    for (int index = 0; index < 10; ++index)
        expected += view.FindControlButton(index)->GetLabelText();
    expected += "\n .......\n\n" + view.FindControlButton(11)->GetLabelText();
    EXPECT_EQ(view.SelectionInfoText(), expected);
}

class PanelDragTest : public PanelSelectionTest
{
protected:
    CBaseControlState& State(int index) { return *editorTemplate.GetControl(index); }

    void Drag(int from, int to, bool ctrl = false)
    {
        Press(Centre(from));
        view.OnMouseMove(Centre(to));
        Release(Centre(to), ctrl);
    }
};

TEST_F(PanelDragTest, DropOnAnUnassignedControlMovesInOneUndoStep)
{
    State(0).SetName("Cutoff");
    State(0).SetType(ControlMessageType::CC, false);
    State(1).SetName("Spare");
    State(1).SetType(ControlMessageType::Disabled, false);
    const int history = editorTemplate.GetHistorySize();

    Drag(0, 1);
    EXPECT_EQ(editorTemplate.GetHistorySize(), history + 1);
    EXPECT_EQ(editorTemplate.GetUndoText(), "Move control");
    EXPECT_EQ(State(1).GetName(), "Cutoff");
    EXPECT_EQ(State(1).GetType(), ControlMessageType::CC);
    EXPECT_EQ(State(0).GetType(), ControlMessageType::Disabled);
    EXPECT_EQ(Selected(), Indices{1}) << "the target becomes the selection";
    EXPECT_FALSE(view.IsDragging());

    editorTemplate.Undo();
    EXPECT_EQ(State(0).GetName(), "Cutoff");
    EXPECT_EQ(State(1).GetType(), ControlMessageType::Disabled);
}

TEST_F(PanelDragTest, DropOnAnAssignedControlSwapsAndCtrlCopies)
{
    State(0).SetName("Cutoff");
    State(0).SetType(ControlMessageType::CC, false);
    State(1).SetName("Reso");
    State(1).SetType(ControlMessageType::NRPN, false);

    Drag(0, 1);
    EXPECT_EQ(editorTemplate.GetUndoText(), "Swap controls");
    EXPECT_EQ(State(0).GetName(), "Reso");
    EXPECT_EQ(State(1).GetName(), "Cutoff");

    const int history = editorTemplate.GetHistorySize();
    Drag(1, 2, true);
    EXPECT_EQ(editorTemplate.GetHistorySize(), history + 1);
    EXPECT_EQ(editorTemplate.GetUndoText(), "Paste Control");
    EXPECT_EQ(State(2).GetName(), "Cutoff");
    EXPECT_EQ(State(1).GetName(), "Cutoff") << "a copy leaves the source";
}

TEST_F(PanelDragTest, RefusedDropsAndDropsOnItselfSubmitNothing)
{
    const int history = editorTemplate.GetHistorySize();
    Drag(0, 0);
    EXPECT_EQ(editorTemplate.GetHistorySize(), history);
    EXPECT_EQ(Selected(), Indices{0});

    // A program change cannot sit on a pot, so neither can be swapped for the other.
    State(22).SetType(9, false);
    State(0).SetType(ControlMessageType::CC, false);
    Drag(22, 0);
    Drag(0, 22);
    EXPECT_EQ(editorTemplate.GetHistorySize(), history);
    EXPECT_FALSE(view.IsDragging());
    EXPECT_TRUE(view.GetHoverList().Empty());
}
} // namespace
