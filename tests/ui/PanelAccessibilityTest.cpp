#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "tests/ui/InteractionTestSupport.h"
#include "ui/Accessibility.h"

namespace
{
using Accessibility::Role;
using Accessibility::Status;

class PanelAccessibilityTest : public testing::Test, protected PanelFixture
{
protected:
    CTemplateUIAccessible panel{view, frame};

    long State(int childId)
    {
        long state = -1;
        EXPECT_EQ(panel.GetState(childId, state), Status::Ok) << childId;
        return state;
    }
    int Focus()
    {
        int childId = -1;
        EXPECT_EQ(panel.GetFocus(childId), Status::Ok);
        return childId;
    }
};

constexpr long kSelectable = 0x420800;
constexpr long kSelected = 0x801000;

TEST_F(PanelAccessibilityTest, ChildIdsAnswerForTheirControlButtonOrAreInvalid)
{
    int count = 0;
    EXPECT_EQ(panel.GetChildCount(count), Status::Ok);
    EXPECT_EQ(count, 51);

    struct Case
    {
        int childId;
        Status status;
        const char* name;
        Role role;
        int buttonIndex;
    };
    const Case cases[] = {
        {0, Status::Ok, "", Role::SystemWindow, -1},
        {1, Status::Ok, "Group A Pot 1", Role::SystemPushButton, 0},
        {46, Status::Ok, "Mod Wheel", Role::SystemPushButton, 45},
        {51, Status::Ok, "Sustain Pedal", Role::SystemPushButton, 50},
        {52, Status::InvalidArg, "untouched", Role::None, -1},
        {-1, Status::InvalidArg, "untouched", Role::None, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.childId);
        std::string name = "untouched";
        std::string description = "untouched";
        Role role = Role::None;
        std::optional<CControlButtonAccessible> child;
        wxRect rect(1, 2, 3, 4);
        EXPECT_EQ(panel.GetName(c.childId, name), c.status);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(panel.GetRole(c.childId, role), c.status);
        EXPECT_EQ(role, c.role);
        EXPECT_EQ(panel.GetDescription(c.childId, description), c.status);
        EXPECT_EQ(description, c.status == Status::Ok ? "" : "untouched");
        EXPECT_EQ(panel.GetChild(c.childId, child), c.status);
        EXPECT_EQ(child.has_value(), c.buttonIndex >= 0);
        EXPECT_EQ(child ? child->GetName() : "untouched", c.childId == 0 ? "untouched" : c.name);
        EXPECT_EQ(panel.GetLocation(rect, c.childId), c.status);
        if (c.buttonIndex >= 0)
        {
            const wxRect button = view.FindControlButton(c.buttonIndex)->GetRect();
            EXPECT_EQ(rect, wxRect(frame.ClientToScreen(button.GetPosition()), button.GetSize()));
        }
        else if (c.childId == 0)
            EXPECT_EQ(rect.GetSize(), wxSize(view.GetPanelWidth(), view.GetPanelHeight()));
        else
            EXPECT_EQ(rect, wxRect(1, 2, 3, 4));
        long state = -1;
        EXPECT_EQ(panel.GetState(c.childId, state), c.status);
    }
}

TEST_F(PanelAccessibilityTest, BeforeATemplateIsShownThePanelHasNoChildren)
{
    CDorvaSynthTemplateUI empty;
    CTemplateUIAccessible unbuilt(empty, frame);
    int count = -1;
    std::string name;
    int focus = -1;
    EXPECT_EQ(unbuilt.GetChildCount(count), Status::Ok);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(unbuilt.GetName(1, name), Status::InvalidArg);
    EXPECT_EQ(unbuilt.GetFocus(focus), Status::Ok);
    EXPECT_EQ(focus, 0);
}

TEST_F(PanelAccessibilityTest, ValuesAndStatesFollowTheControlsAndTheSelection)
{
    CControlButton& pot = *view.FindControlButton(0);
    CControlButtonAccessible object(pot, view, &frame);
    pot.GetControl()->SetType(ControlMessageType::Disabled, false);
    EXPECT_EQ(object.GetValue(), "not assigned");
    pot.GetControl()->SetType(ControlMessageType::CC, false);
    pot.GetControl()->SetName("Cutoff");
    EXPECT_EQ(object.GetValue(), "Cutoff");
    pot.GetControl()->SetParamName("Filter cutoff");
    EXPECT_EQ(object.GetValue(), "Filter cutoff");

    for (int child = 0; child <= 51; ++child)
        EXPECT_EQ(State(child), 0) << "nothing selected: no flags at all, child " << child;
    EXPECT_EQ(object.GetState(), kSelectable) << "the button's own object always offers selection";

    view.SelectControl(5, true);
    EXPECT_EQ(State(6), kSelectable | kSelected);
    EXPECT_EQ(State(1), kSelectable);
    EXPECT_EQ(State(0), 0);
}

TEST_F(PanelAccessibilityTest, FocusIsTheSelectedControlWithTheLowestIndexElseThePanel)
{
    EXPECT_EQ(Focus(), 0);
    view.SelectControl(30, true);
    view.SelectControl(7, true);
    view.SelectControl(12, true);
    EXPECT_EQ(Focus(), 8);

    // A selected control that no button shows (another template's) leaves
    // the focus on the panel.
    view.GetSelection().Clear();
    CDorvaSynthTemplate other;
    view.GetSelection().Add(CPlacedControl(other.GetControl(7), 7));
    EXPECT_EQ(Focus(), 0);
}

TEST_F(PanelAccessibilityTest, EveryChangeOfTheSelectionOrOfTheTemplateIsTold)
{
    using Events = std::vector<std::pair<unsigned, int>>;
    const unsigned reorder = 0x8004, focus = 0x8005, within = 0x8009;
    const wxPoint empty(5, 5);
    ASSERT_EQ(view.ControlButtonAt(empty), nullptr);
    auto ctrlClick = [this](int index) {
        view.OnMouseButton(Centre(index), true, false, true, false, false);
        view.OnMouseButton(Centre(index), true, false, true, true, false);
    };
    const struct
    {
        const char* what;
        std::function<void()> gesture;
        Events events;
    } rows[] = {
        // The press selects; the release ends a drag onto the same control,
        // which selects it once more.
        {"a click takes the focus", [&] { Click(Centre(3)); }, {{focus, 4}, {focus, 4}}},
        {"the same click again", [&] { Click(Centre(3)); }, {{focus, 4}}},
        {"Ctrl+click adds one: it takes the focus", [&] { ctrlClick(7); }, {{focus, 8}}},
        {"Ctrl+click takes one away", [&] { ctrlClick(7); }, {{within, 0}}},
        {"a click on empty space clears", [&] { Click(empty); }, {{within, 0}}},
        {"a right click selects as the menu opens",
         [&] { view.OnMouseButton(Centre(9), false, false, true, false, true); }, {{focus, 10}}},
        {"a click on empty space clears", [&] { Click(empty); }, {{within, 0}}},
        {"a band over two pots", [&] {
             view.OnMouseButton(empty, false, false, true, false, false);
             view.OnMouseMove(wxPoint(Centre(1).x, 30));
             view.OnMouseButton(wxPoint(Centre(1).x, 30), false, false, true, true, false);
         }, {{within, 0}}},
        {"another template", [&] { view.CreateControls(&editorTemplate); }, {{reorder, 0}}},
        {"no template", [&] { view.CreateControls(nullptr); }, {{reorder, 0}}},
    };
    for (const auto& row : rows)
    {
        recorder.events.clear();
        row.gesture();
        EXPECT_EQ(recorder.events, row.events) << row.what;
    }
}

TEST_F(PanelAccessibilityTest, SelectAllRaisesSelectionAddForEachControl)
{
    recorder.events.clear();
    view.SelectAll();
    ASSERT_EQ(recorder.events.size(), 51u);
    for (std::size_t i = 0; i < recorder.events.size(); ++i)
        EXPECT_EQ(recorder.events[i], std::make_pair(0x8007u, view.GetControlButtons()[i]->GetIndex() + 1));
    EXPECT_EQ(view.GetSelection().Size(), 51u);
}
} // namespace
