#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "tests/ui/InteractionTestSupport.h"
#include "ui/Accessibility.h"

namespace
{
using Accessibility::Role;

class PanelAccessibilityTest : public testing::Test, protected PanelFixture
{
protected:
    CTemplateUIAccessible panel{view};
};

constexpr long kSelectable = 0x420800;
constexpr long kSelected = 0x801000;

TEST_F(PanelAccessibilityTest, ChildrenAreTheControlButtonsByIndexPlusOne)
{
    EXPECT_EQ(panel.GetChildCount(), 51);
    EXPECT_EQ(panel.GetName(1), "Group A Pot 1");
    EXPECT_EQ(panel.GetName(51), "Sustain Pedal");
    EXPECT_EQ(panel.GetName(0), "");
    EXPECT_EQ(panel.GetDescription(1), "");
    EXPECT_EQ(panel.GetRole(0), Role::SystemWindow);
    EXPECT_EQ(panel.GetRole(12), Role::SystemPushButton);
    EXPECT_EQ(panel.GetChild(0), nullptr);
    EXPECT_EQ(panel.GetChild(52), nullptr);
    ASSERT_NE(panel.GetChild(46), nullptr);
    EXPECT_EQ(panel.GetChild(46)->GetIndex(), 45);

    wxRect rect;
    panel.GetLocation(rect, 0);
    EXPECT_EQ(rect.GetSize(), wxSize(view.GetPanelWidth(), view.GetPanelHeight()));
    const wxRect button = view.FindControlButton(3)->GetRect();
    panel.GetLocation(rect, 4);
    EXPECT_EQ(rect.GetSize(), button.GetSize());
    EXPECT_EQ(rect.GetPosition(), frame.ClientToScreen(button.GetPosition()));
}

TEST_F(PanelAccessibilityTest, ValuesAndStatesFollowTheControlsAndTheSelection)
{
    CControlButton& pot = *view.FindControlButton(0);
    CControlButtonAccessible object(pot, view);
    pot.GetControl()->SetType(ControlMessageType::Disabled, false);
    EXPECT_EQ(object.GetValue(), "not assigned");
    pot.GetControl()->SetType(ControlMessageType::CC, false);
    pot.GetControl()->SetName("Cutoff");
    EXPECT_EQ(object.GetValue(), "Cutoff");
    pot.GetControl()->SetParamName("Filter cutoff");
    EXPECT_EQ(object.GetValue(), "Filter cutoff");

    for (int child = 0; child <= 51; ++child)
        EXPECT_EQ(panel.GetState(child), 0) << "nothing selected: no flags at all, child " << child;
    EXPECT_EQ(object.GetState(), kSelectable) << "the button's own object always offers selection";

    view.SelectControl(5, true);
    EXPECT_EQ(panel.GetState(6), kSelectable | kSelected);
    EXPECT_EQ(panel.GetState(1), kSelectable);
    EXPECT_EQ(panel.GetState(0), 0);
}

TEST_F(PanelAccessibilityTest, FocusIsTheSelectedControlWithTheLowestIndex)
{
    CControlButton* child = nullptr;
    EXPECT_EQ(panel.GetFocus(&child), 0);
    EXPECT_EQ(child, nullptr);
    view.SelectControl(30, true);
    view.SelectControl(7, true);
    view.SelectControl(12, true);
    EXPECT_EQ(panel.GetFocus(&child), 8);
    EXPECT_EQ(child, view.FindControlButton(7));
}

TEST_F(PanelAccessibilityTest, SelectingRaisesFocusAndSelectAllRaisesSelectionAdd)
{
    for (int i = 0; i <= 45; ++i)
        view.SelectNextControl(true);
    ASSERT_EQ(Selected(), std::vector<int>{45});
    EXPECT_EQ(view.FindControlButton(45)->GetName(), "Mod Wheel");
    ASSERT_FALSE(recorder.events.empty());
    EXPECT_EQ(recorder.events.back(), std::make_pair(0x8005u, 46));

    Click(Centre(2));
    EXPECT_EQ(recorder.events.back(), std::make_pair(0x8005u, 3)) << "a click selects through the same path";

    recorder.events.clear();
    view.SelectAll();
    ASSERT_EQ(recorder.events.size(), 51u);
    for (std::size_t i = 0; i < recorder.events.size(); ++i)
        EXPECT_EQ(recorder.events[i],
                  std::make_pair(0x8007u, view.GetControlButtons()[i]->GetIndex() + 1));
    EXPECT_EQ(view.GetSelection().Size(), 51u);
}
} // namespace
