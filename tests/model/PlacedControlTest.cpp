#include <gtest/gtest.h>

#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "tests/model/RecordingWindow.h"

namespace
{
// DorvaSynth places: 3 is a knob, 30 a button, 45 a wheel.
constexpr int kKnob = 3;
constexpr int kButton = 30;
constexpr int kWheel = 45;
} // namespace

TEST(PlacedControl, PlacingSetsContinuousAndClamps)
{
    CBaseControlState state;
    state.SetType(ControlMessageType::CC, false);
    state.SetOnValue(100, false);
    state.SetSnapshotValue(120);

    CPlacedControl knob(&state, kKnob);
    EXPECT_EQ(knob.GetIndex(), kKnob);
    EXPECT_EQ(knob.GetControl(), &state);
    EXPECT_TRUE(state.IsContinuous());
    EXPECT_EQ(state.GetSnapshotValue(), 100);
    EXPECT_TRUE(IsPlacedControlContinuous(knob));
    EXPECT_FALSE(IsPlacedControlButton(knob));

    CPlacedControl button(&state, kButton);
    EXPECT_FALSE(state.IsContinuous());
    EXPECT_EQ(state.GetSnapshotValue(), 0); // a plain button starts at its low value
    EXPECT_TRUE(IsPlacedControlButton(button));
    const CPlacedControl& constButton = button;
    EXPECT_EQ(constButton.GetControl(), &state);
}

TEST(PlacedControl, CloneTakesTheFlagOfItsPlace)
{
    CBaseControlState buttonState;
    buttonState.SetType(ControlMessageType::CC, false);
    CPlacedControl button(&buttonState, kButton);
    ASSERT_FALSE(buttonState.IsContinuous());

    CBaseControlState onWheel(buttonState);
    CPlacedControl wheel(nullptr, kWheel);
    wheel.SetControl(&onWheel);
    onWheel.SetContinuous(false);
    auto clone = wheel.Clone();
    EXPECT_EQ(clone->GetIndex(), kWheel);
    EXPECT_EQ(clone->GetControl(), &onWheel);
    EXPECT_TRUE(onWheel.IsContinuous());
}

TEST(PlacedControl, AssignCopiesThenPlacesAgain)
{
    CBaseControlState target;
    CPlacedControl button(&target, kButton);

    CBaseControlState source;
    source.SetContinuous(true);
    source.SetName("Cutoff");
    source.SetType(ControlMessageType::CC, false);
    source.SetAction(ControlAction::Toggle);
    source.SetOffValue(10, false);
    source.SetOnValue(50, false);
    source.SetSnapshotValue(90);

    button.Assign(source);
    EXPECT_EQ(target.GetName(), "Cutoff");
    EXPECT_FALSE(target.IsContinuous());
    EXPECT_EQ(target.GetSnapshotValue(), 50);
    EXPECT_EQ(source.GetSnapshotValue(), 90);
    EXPECT_TRUE(CBaseControlState::Equals(target, source));
}

TEST(PlacedControl, NullStateIsLeftAlone)
{
    RecordingWindow window;
    CountingObserver value;
    window.valueObserver = &value;
    RecordingHost host(&window);
    ScopedHost scope(&host);

    CPlacedControl empty(nullptr, kKnob);
    CBaseControlState source;
    source.SetType(ControlMessageType::CC, false);
    source.SetSnapshotValue(300);
    empty.Assign(source);
    EXPECT_EQ(empty.GetControl(), nullptr);
    EXPECT_EQ(empty.Clone()->GetControl(), nullptr);
    EXPECT_EQ(value.count, 0);
    EXPECT_EQ(source.GetSnapshotValue(), 300);
}

TEST(PlacedControl, UpdateViewSelectsOnTheMainWindow)
{
    CBaseControlState state;
    {
        CPlacedControl quiet(&state, 7);
        quiet.UpdateView(true); // no main window: nothing happens
    }
    RecordingWindow window;
    RecordingHost host(&window);
    ScopedHost scope(&host);
    CPlacedControl placed(&state, 7);
    placed.UpdateView(true);
    placed.UpdateView(false);
    EXPECT_EQ(window.selections, (std::vector<std::pair<int, bool>>{{7, true}, {7, false}}));
}

TEST(PlacedControl, MessageTypeQuestionUsesIndexAndType)
{
    CBaseControlState state;
    CPlacedControl knob(&state, kKnob);
    CPlacedControl button(&state, kButton);
    state.SetType(ControlMessageType::MMC, false);
    EXPECT_FALSE(Device().CanAssignMessageType(knob, state));
    EXPECT_TRUE(Device().CanAssignMessageType(button, state));
    state.SetType(ControlMessageType::Aftertouch, false);
    EXPECT_TRUE(Device().CanAssignMessageType(knob, state));
    EXPECT_FALSE(Device().CanAssignMessageType(button, state));
    state.SetType(77, false);
    EXPECT_FALSE(Device().CanAssignMessageType(button, state));
}

TEST(ImportedParamRecord, DefaultsAndAssign)
{
    ImportedParamRecord none;
    EXPECT_EQ(none.index, -1);
    EXPECT_TRUE(none.fullName.empty());
    EXPECT_TRUE(none.shortName.empty());
    ImportedParamRecord r{"Filter Cutoff", "Cutoff", 12};
    none.Assign(r);
    EXPECT_EQ(none.fullName, "Filter Cutoff");
    EXPECT_EQ(none.shortName, "Cutoff");
    EXPECT_EQ(none.index, 12);
}
