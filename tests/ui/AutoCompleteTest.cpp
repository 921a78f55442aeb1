#include <gtest/gtest.h>

#include "model/WordList.h"
#include "tests/ui/MainWindowTest.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/EditControlDialog.h"
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

    const wxRect row = menu->GetList()->GetItemRect(menu->GetList()->RowToItem(1));
    ASSERT_FALSE(row.IsEmpty());
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

// The keys of the list: arrows move, Enter chooses, Escape closes; either way
// the next key typed goes on at the end of the name, replacing nothing.
TEST_F(Completion, ArrowsMoveInTheListAndTheNameGoesOnAfterIt)
{
    Host().Words().AddWord("Filthy");
    const struct
    {
        std::vector<int> keys;
        const char* then;
        const char* name;
    } rows[] = {
        {{WXK_DOWN, WXK_DOWN, WXK_RETURN}, "s", "Filters"},
        {{WXK_DOWN, WXK_DOWN, WXK_UP, WXK_RETURN}, "s", "Filthys"},
        {{WXK_DOWN, WXK_ESCAPE}, "m", "Film"},
    };
    for (const auto& row : rows)
    {
        ASSERT_TRUE(Focus(name));
        Key('A', wxMOD_CONTROL);
        Type("Fil");
        ASSERT_TRUE(PumpUntil([this] { return menu->IsShownOnScreen(); })) << row.name;
        // The pop-up asks for the keys; a window manager gives them to it.
        ASSERT_TRUE(Focus(menu->GetList()));
        for (int key : row.keys)
            Key(key);
        EXPECT_TRUE(PumpUntil([this] { return !menu->IsShown() && wxWindow::FindFocus() == name; })) << row.name;
        Type(row.then);
        EXPECT_EQ(name->GetValue(), row.name);
    }
}

TEST_F(Completion, OnlyTheLastWordIsCompletedWithinTheFieldsMaximum)
{
    EXPECT_EQ(menu->ComposedCandidates("Cutoff Frequ"), std::vector<std::string>{"Cutoff Frequency"});
    EXPECT_TRUE(menu->ComposedCandidates("Oscillator Frequ").empty()); // 20 characters
    EXPECT_TRUE(menu->ComposedCandidates("Cutoff ").empty());
}

// In the real settings window over the main window, opened from the keys:
// Escape or Tab while the list shows hides the list only; the name keeps
// what was typed and the keys, and the next Escape closes the window.
using CompletionInTheSettingsWindow = MainWindowTest;

TEST_F(CompletionInTheSettingsWindow, EscapeAndTabHideTheListOnly)
{
    CBaseControlState& knob = *AddTemplate("Completion").GetControl(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    CEditControlDialog* settings = Frame().GetControlSettings();
    for (const int key : {WXK_ESCAPE, WXK_TAB})
    {
        Click(Panel(), Centre(Place::kKnob));
        Key(WXK_RETURN);
        ASSERT_TRUE(PumpUntil([settings] { return settings->IsShownOnScreen(); }));
        Type("Cu");
        auto* menu = WaitForShown<CAutoCompleteMenu>();
        ASSERT_NE(menu, nullptr) << "Cutoff is offered";
        Key(key);
        EXPECT_TRUE(PumpUntil([menu] { return !menu->IsShown(); })) << key;
        Type("b");
        EXPECT_EQ(knob.GetName(), "Cub") << key << ": the window and the name kept the keys";
        Key(WXK_ESCAPE);
        EXPECT_TRUE(PumpUntil([settings] { return !settings->IsShown(); })) << key;
    }
}
