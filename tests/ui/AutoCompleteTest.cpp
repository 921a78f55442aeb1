#include <algorithm>

#include <gtest/gtest.h>

#include "app/WxText.h"
#include "model/WordList.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/panels/GenericDialog.h"

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

TEST_F(Completion, TypedPartKeepsItsCaseAndTheChoiceBecomesTheName)
{
    name->SetValue("Fil");
    const std::vector<std::string>& candidates = menu->GetCandidates();
    const auto filter = std::find(candidates.begin(), candidates.end(), "Filter");
    ASSERT_NE(candidates.end(), filter);
    EXPECT_TRUE(menu->IsShown());
    EXPECT_EQ(static_cast<int>(std::min<size_t>(menu->GetCandidates().size(), 20)), menu->GetList()->GetItemCount());

    menu->Choose(static_cast<int>(filter - candidates.begin()));
    EXPECT_FALSE(menu->IsShown());
    EXPECT_EQ("Filter", name->GetValue());
    EXPECT_EQ(name->GetLastPosition(), name->GetInsertionPoint());
    EXPECT_EQ("Filter", State(Place::kKnob).GetName());
}

TEST_F(Completion, OnlyTheLastWordIsCompletedWithinTheFieldsMaximum)
{
    EXPECT_EQ(std::vector<std::string>{"Cutoff Frequency"}, menu->ComposedCandidates("Cutoff Frequ"));
    EXPECT_TRUE(menu->ComposedCandidates("Oscillator Frequ").empty()); // 20 characters
    EXPECT_TRUE(menu->ComposedCandidates("Cutoff ").empty());
}

TEST_F(Completion, NewestWordsComeFirst)
{
    Host().Words().AddWord("Filthy");
    const std::vector<std::string> candidates = menu->ComposedCandidates("fil");
    ASSERT_GE(candidates.size(), 2u);
    EXPECT_EQ("filthy", candidates[0]);
    EXPECT_EQ("filter", candidates[1]);
}

TEST_F(Completion, NothingIsOfferedWhileTheTextIsTheControlsName)
{
    State(Place::kKnob).SetName("Filt");
    CControlPanel::RefreshAll(frame);
    EXPECT_FALSE(FindPanel<CGenericDialog>()->OnAutoComplete());
    name->SetValue("Filt"); // the same text: no event reaches the pop-up's filling
    EXPECT_FALSE(menu->IsShown());
    name->SetValue("Zqx");
    EXPECT_FALSE(menu->IsShown());
}

