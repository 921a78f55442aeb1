#include "tests/model/CommandTestSupport.h"

namespace
{
class SelectionTest : public CommandTest
{
};

std::vector<int> Indices(const Selection& s)
{
    std::vector<int> indices;
    for (std::size_t i = 0; i < s.Size(); ++i)
        indices.push_back(s[i].GetIndex());
    return indices;
}
} // namespace

TEST_F(SelectionTest, AddKeepsOrderAndRefusesAnIndexAlreadyThere)
{
    Selection s;
    EXPECT_TRUE(s.Add(At(first, Place::kButton)));
    EXPECT_TRUE(s.Add(At(first, Place::kKnob)));
    EXPECT_FALSE(s.Add(At(second, Place::kButton))); // same index, other state: still refused
    EXPECT_EQ(Indices(s), (std::vector<int>{Place::kButton, Place::kKnob}));
    EXPECT_EQ(s.Front().GetControl(), first.GetControl(Place::kButton));
    EXPECT_EQ(s.Back().GetIndex(), Place::kKnob);

    s.AddAll(Select(second, {Place::kKnob, Place::kWheel}));
    EXPECT_EQ(Indices(s), (std::vector<int>{Place::kButton, Place::kKnob, Place::kWheel}));
}

TEST_F(SelectionTest, RemoveAndContainsNeedTheSameIndexAndState)
{
    Selection s = Select(first, {Place::kKnob, Place::kButton});
    EXPECT_TRUE(s.Contains(At(first, Place::kKnob)));
    EXPECT_FALSE(s.Contains(At(second, Place::kKnob)));
    EXPECT_FALSE(s.Contains(CPlacedControl(first.GetControl(Place::kKnob), Place::kKnob2)));

    s.Remove(At(second, Place::kKnob));
    EXPECT_EQ(s.Size(), 2u);
    s.Remove(At(first, Place::kKnob));
    EXPECT_EQ(Indices(s), (std::vector<int>{Place::kButton}));
    s.Clear();
    EXPECT_TRUE(s.Empty());
}

TEST_F(SelectionTest, SameIndicesAndSelectOnly)
{
    Selection s = Select(first, {Place::kKnob, Place::kButton});
    EXPECT_TRUE(s.SameIndices(Select(second, {Place::kButton, Place::kKnob})));
    EXPECT_FALSE(s.SameIndices(Select(first, {Place::kKnob})));
    EXPECT_FALSE(s.SameIndices(Select(first, {Place::kKnob, Place::kWheel})));

    // The same indices: the list, order included, stays as it was.
    s.SelectOnly(Select(second, {Place::kButton, Place::kKnob}));
    EXPECT_EQ(Indices(s), (std::vector<int>{Place::kKnob, Place::kButton}));
    EXPECT_EQ(s.Front().GetControl(), first.GetControl(Place::kKnob));

    s.SelectOnly(Select(second, {Place::kWheel}));
    EXPECT_EQ(Indices(s), (std::vector<int>{Place::kWheel}));
    s.SelectOnly(Selection());
    EXPECT_TRUE(s.Empty());
}

TEST_F(SelectionTest, CloneBindsTheIndicesToAnotherTemplate)
{
    const Selection s = Select(first, {Place::kWheel, Place::kKnob});
    const Selection copy = s.Clone(second);
    EXPECT_EQ(Indices(copy), (std::vector<int>{Place::kWheel, Place::kKnob}));
    EXPECT_EQ(copy[0].GetControl(), second.GetControl(Place::kWheel));
    EXPECT_EQ(copy[1].GetControl(), second.GetControl(Place::kKnob));

    // An index the template has no control for is left out.
    Selection beyond;
    beyond.Add(CPlacedControl(first.GetControl(Place::kKnob), 51));
    EXPECT_TRUE(beyond.Clone(second).Empty());
}

TEST_F(SelectionTest, EditSingleShowsOnlyALoneControl)
{
    Select(first, {Place::kKnob, Place::kButton}).EditSingle();
    Selection().EditSingle();
    EXPECT_TRUE(window.refreshes.empty());
    Select(first, {Place::kButton}).EditSingle();
    EXPECT_EQ(window.refreshes, (std::vector<std::pair<int, bool>>{{Place::kButton, false}}));
}

TEST_F(SelectionTest, CanAssignAllChecksBothSidesOfADrop)
{
    Control(first, Place::kButton).SetType(ControlMessageType::NoteOn, false);
    Control(first, Place::kKnob).SetType(ControlMessageType::CC, false);
    const Selection note = Select(first, {Place::kButton});
    const Selection cc = Select(first, {Place::kKnob});

    EXPECT_FALSE(note.AnyProtected());
    EXPECT_TRUE(Selection::CanAssignAll(cc, note));  // a CC fits a button
    EXPECT_FALSE(Selection::CanAssignAll(note, cc)); // a note does not fit a knob
    EXPECT_FALSE(Selection::CanAssignAll(cc, Selection()));
    EXPECT_FALSE(Selection::CanAssignAll(cc, Select(first, {Place::kButton, Place::kButton2})));
}
