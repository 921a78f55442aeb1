#include <gtest/gtest.h>

#include "model/WordList.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/panels/GenericDialog.h"

using namespace RealInput;

namespace
{
class Completion : public PanelTest
{
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        State(Place::kKnob).SetType(ControlMessageType::CC, false);
        Show(Place::kKnob);
        name = Find<wxTextCtrl>("Name");
        menu = FindPanel<CGenericDialog>()->GetCompletion();
        ASSERT_NE(nullptr, menu);
    }
    void TearDown() override
    {
        menu->Hide();
        PanelTest::TearDown();
    }

    wxTextCtrl* name = nullptr;
    CAutoCompleteMenu* menu = nullptr;
};
} // namespace

TEST_F(Completion, TheWordTypedIsCompletedNewestFirstAndTheChoiceBecomesTheName)
{
    Host().Words().AddWord("Filthy");
    ASSERT_TRUE(Focus(name));
    Type("Fil");
    ASSERT_TRUE(PumpUntil([this] { return menu->IsShownOnScreen(); }));
    const std::vector<std::string>& offered = menu->GetCandidates();
    ASSERT_GE(offered.size(), 2u);
    EXPECT_EQ(offered[0], "Filthy") << "the typed part keeps its case";
    EXPECT_EQ(offered[1], "Filter");
    EXPECT_EQ(menu->GetList()->GetItemCount(), static_cast<int>(std::min<size_t>(offered.size(), 20)));

    wxRect row;
    ASSERT_TRUE(menu->GetList()->GetItemRect(1, row));
    DoubleClick(menu->GetList(), wxPoint(row.x + 10, row.y + row.height / 2));
    EXPECT_TRUE(PumpUntil([this] { return !menu->IsShown(); }));
    EXPECT_EQ(name->GetValue(), "Filter");
    EXPECT_EQ(name->GetInsertionPoint(), name->GetLastPosition());
    EXPECT_EQ(State(Place::kKnob).GetName(), "Filter");

    // The field shows the name again after an undo; nothing is offered for it.
    templ.Undo();
    EXPECT_EQ(name->GetValue(), "Fil");
    EXPECT_FALSE(menu->IsShown());
    ASSERT_TRUE(Focus(name));
    Key(WXK_END);
    Type("zq");
    EXPECT_FALSE(menu->IsShown()) << "no word goes on so";
}

TEST_F(Completion, OnlyTheLastWordIsCompletedWithinTheFieldsMaximum)
{
    EXPECT_EQ(menu->ComposedCandidates("Cutoff Frequ"), std::vector<std::string>{"Cutoff Frequency"});
    EXPECT_TRUE(menu->ComposedCandidates("Oscillator Frequ").empty()); // 20 characters
    EXPECT_TRUE(menu->ComposedCandidates("Cutoff ").empty());
}
