// The front panel of the real main window driven as a user drives it: keys
// and clicks go through the X server to whichever window has the focus.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/MainWindowTest.h"
#include "tests/ui/RealInput.h"
#include "ui/EditControlDialog.h"
#include "ui/MenuIds.h"
#include "ui/PanelPane.h"
#include "ui/TemplateUI.h"
#include "ui/dialogs/TemplateSettings.h"

using namespace RealInput;

namespace
{
class FrontPanelInput : public MainWindowTest
{
protected:
    wxString Label(int index) { return ToWx(Frame().GetCurrentTemplate()->GetControl(index)->GetLabel()); }
};
} // namespace

TEST_F(FrontPanelInput, KeysMoveTheSelectionAndTheStatusLineFollows)
{
    AddTemplate("Keys");
    ASSERT_TRUE(Focus(Panel()));
    struct Row
    {
        const char* what;
        int key;
        int modifiers;
        int selected;
    };
    const Row rows[] = {
        {"an arrow from nothing takes the first control", WXK_DOWN, wxMOD_NONE, 0},
        {"Shift+Tab from the first wraps to the last", WXK_TAB, wxMOD_SHIFT, 50},
        {"Tab from the last wraps to the first", WXK_TAB, wxMOD_NONE, 0},
        {"Up at the panel's edge keeps the control", WXK_UP, wxMOD_NONE, 0},
        {"Right goes along the row", WXK_RIGHT, wxMOD_NONE, 1},
        {"Down goes to the nearest control below", WXK_DOWN, wxMOD_NONE, 23},
        {"Left", WXK_LEFT, wxMOD_NONE, 22},
        {"Up", WXK_UP, wxMOD_NONE, 0},
        {"Page Down changes nothing on this panel", WXK_PAGEDOWN, wxMOD_NONE, 0},
        {"Page Up changes nothing on this panel", WXK_PAGEUP, wxMOD_NONE, 0},
        {"left of the top row lie the wheels, lower but still left", WXK_LEFT, wxMOD_NONE, 45},
        {"Shift+Tab goes back", WXK_TAB, wxMOD_SHIFT, 44},
    };
    for (const Row& row : rows)
    {
        Key(row.key, row.modifiers);
        EXPECT_EQ(Selected(), std::vector<int>{row.selected}) << row.what;
        EXPECT_EQ(Status(), Label(row.selected)) << row.what;
        EXPECT_EQ(wxWindow::FindFocus(), Panel()) << row.what << ": the focus stays on the panel";
    }
    // The panel passes on what it does not use: the Edit menu's accelerator.
    Key('A', wxMOD_CONTROL);
    EXPECT_EQ(Frame().GetSelection().Size(), 51u);
}

TEST_F(FrontPanelInput, EnterAndSpaceOpenTheSettingsOfTheSelectedControl)
{
    AddTemplate("Edit");
    for (int key : {int(WXK_RETURN), int(WXK_SPACE)})
    {
        Frame().HideControlSettings();
        ASSERT_TRUE(Focus(Panel()));
        Key(WXK_TAB);
        Key(WXK_RIGHT);
        Key(key);
        EXPECT_TRUE(Frame().IsControlSettingsShown()) << key;
        EXPECT_EQ(Frame().GetControlSettings()->GetControlIndex(), Selected().front()) << key;
    }
}

TEST_F(FrontPanelInput, CtrlTabCyclesTheOpenTemplatesAndReleasingCtrlKeepsTheOneReached)
{
    AddTemplate("First");
    AddTemplate("Second");
    AddTemplate("Third");
    ASSERT_TRUE(Focus(Panel()));
    KeyDown(WXK_CONTROL);
    Key(WXK_TAB);
    Key(WXK_TAB);
    EXPECT_EQ(Frame().GetCurrentTemplate()->GetDisplayName(), "First");
    EXPECT_EQ(Frame().GetTemplate(0)->GetDisplayName(), "Third") << "the order holds while Ctrl is down";
    KeyUp(WXK_CONTROL);
    EXPECT_EQ(Frame().GetTemplate(0)->GetDisplayName(), "First");
    EXPECT_EQ(Frame().GetTemplate(1)->GetDisplayName(), "Third");
    EXPECT_EQ(wxWindow::FindFocus(), Panel());
}

// Each gesture in turn, with the selection it leaves; none edits the template.
TEST_F(FrontPanelInput, ClicksAndTheRubberBandSelectAsTheUserMeansThem)
{
    CEditorTemplate& current = AddTemplate("Clicks");
    ASSERT_TRUE(Focus(Panel()));
    const wxRect pot0 = Frame().GetView()->FindControlButton(0)->GetRect();
    const wxRect pot1 = Frame().GetView()->FindControlButton(1)->GetRect();
    const wxPoint besidePot0(pot0.x - 2, pot0.y - 2), empty(2, 2);
    const auto click = [this](int index, int modifiers = wxMOD_NONE) {
        return [=] { Click(Panel(), Centre(index), modifiers); };
    };
    const struct
    {
        const char* what;
        std::function<void()> gesture;
        std::vector<int> selected;
    } rows[] = {
        {"a click selects", click(3), {3}},
        {"Ctrl+click adds", click(7, wxMOD_CONTROL), {3, 7}},
        {"Ctrl+click adds again", click(9, wxMOD_CONTROL), {3, 7, 9}},
        {"Ctrl+click takes a selected control out", click(7, wxMOD_CONTROL), {3, 9}},
        {"a click on one of several selects it alone", click(9), {9}},
        {"Ctrl+click on the only selected control keeps it", click(9, wxMOD_CONTROL), {9}},
        {"Tab goes on from the first selected", [&] { click(3, wxMOD_CONTROL)(); Key(WXK_TAB); }, {10}},
        {"an arrow goes on from the last selected", [&] { click(0, wxMOD_CONTROL)(); Key(WXK_RIGHT); }, {1}},
        {"a click on no control clears", [&] { Click(Panel(), empty); }, {}},
        {"the band selects what it crosses", [&] { Drag(Panel(), besidePot0, pot1.GetBottomRight()); }, {0, 1}},
        {"with Ctrl the band toggles what it crosses, once",
         [&] {
             KeyDown(WXK_CONTROL);
             Drag(Panel(), besidePot0, pot0.GetTopLeft() + wxPoint(1, 1));
             KeyUp(WXK_CONTROL);
         },
         {1}},
        {"a Ctrl+click on no control is a band that crosses nothing",
         [&] { Click(Panel(), besidePot0, wxMOD_CONTROL); }, {1}},
    };
    for (const auto& row : rows)
    {
        row.gesture();
        EXPECT_EQ(Selected(), row.selected) << row.what;
        EXPECT_FALSE(Frame().GetView()->IsRubberBandActive()) << row.what;
    }
    EXPECT_EQ(current.GetHistorySize(), 0);
    Key('A', wxMOD_CONTROL);
    const auto label = [this](int n) { return Frame().GetView()->FindControlButton(Selected()[n])->GetLabelText(); };
    std::string info = "51 controls selected:\n\n";
    for (int n = 0; n < 10; ++n)
        info += label(n);
    EXPECT_EQ(Frame().GetView()->SelectionInfoText(), info + "\n .......\n\n" + label(50)) << "ten, then the last";
}

TEST_F(FrontPanelInput, ClicksEditOnlyWhileTheSettingsWindowIsOpenAndDoubleClicksAlways)
{
    AddTemplate("Edits");
    ASSERT_TRUE(Focus(Panel()));
    Click(Panel(), Centre(4));
    EXPECT_FALSE(Frame().IsControlSettingsShown());
    DoubleClick(Panel(), Centre(4));
    ASSERT_TRUE(Frame().IsControlSettingsShown());
    EXPECT_EQ(Frame().GetControlSettings()->GetControlIndex(), 4);
    Click(Panel(), Centre(5));
    EXPECT_EQ(Frame().GetControlSettings()->GetControlIndex(), 5);
    Click(Panel(), Centre(6), wxMOD_CONTROL);
    EXPECT_FALSE(Frame().IsControlSettingsShown()) << "two selected: nothing to edit";
}

TEST_F(FrontPanelInput, DraggingMovesSwapsOrCopiesInOneUndoStep)
{
    CEditorTemplate& current = AddTemplate("Drags");
    const auto set = [&current](int index, int type, const char* name) {
        current.GetControl(index)->SetType(type, false);
        current.GetControl(index)->SetName(name);
    };
    set(0, ControlMessageType::CC, "Cutoff");
    set(1, ControlMessageType::Disabled, "Spare");
    set(2, ControlMessageType::NRPN, "Reso");
    set(22, ControlMessageType::ProgramChange, "Program");
    Frame().MarkNeedsRefresh();
    ASSERT_TRUE(Focus(Panel()));
    const auto name = [&current](int index) { return current.GetControl(index)->GetName(); };
    const struct
    {
        const char* what;
        int from, to, modifiers;
        const char* undo; // nullptr: refused
        std::vector<std::string> names; // of controls 0, 1, 2 afterwards
    } drags[] = {
        {"onto an unassigned control: a move", 0, 1, wxMOD_NONE, "Move control", {"", "Cutoff", "Reso"}},
        {"onto an assigned control: a swap", 1, 2, wxMOD_NONE, "Swap controls", {"", "Reso", "Cutoff"}},
        {"with Ctrl: a copy", 2, 0, wxMOD_CONTROL, "Paste Control", {"Cutoff", "Reso", "Cutoff"}},
        {"a program change cannot sit on a pot", 22, 1, wxMOD_NONE, nullptr, {"Cutoff", "Reso", "Cutoff"}},
        {"nor a pot's control on a button that sends one", 1, 22, wxMOD_NONE, nullptr, {"Cutoff", "Reso", "Cutoff"}},
    };
    for (const auto& drag : drags)
    {
        const int history = current.GetHistorySize();
        Drag(Panel(), Centre(drag.from), Centre(drag.to), drag.modifiers);
        EXPECT_EQ((std::vector<std::string>{name(0), name(1), name(2)}), drag.names) << drag.what;
        EXPECT_EQ(current.GetHistorySize(), history + (drag.undo ? 1 : 0)) << drag.what;
        if (drag.undo)
        {
            EXPECT_EQ(current.GetUndoText(), drag.undo) << drag.what;
            EXPECT_EQ(Selected(), std::vector<int>{drag.to}) << drag.what << ": the target is selected";
        }
        EXPECT_FALSE(Frame().GetView()->IsDragging()) << drag.what;
    }
    EXPECT_TRUE(Frame().GetView()->GetHoverList().Empty());
    EXPECT_EQ(MenuLabel(MenuId::Undo), "&Undo Paste Control\tCtrl+Z");
    for (int step = 0; step < 3; ++step)
        Key('Z', wxMOD_CONTROL);
    EXPECT_EQ((std::vector<std::string>{name(0), name(1), name(2)}), (std::vector<std::string>{"Cutoff", "Spare", "Reso"}));
    EXPECT_EQ(current.GetControl(1)->GetType(), ControlMessageType::Disabled);
    EXPECT_EQ(wxWindow::FindFocus(), Panel());
}

TEST_F(FrontPanelInput, TheControlUnderThePointerIsNamedAndDescribed)
{
    CEditorTemplate& current = AddTemplate("Tips");
    current.GetControl(0)->SetName("Cutoff");
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    current.GetControl(1)->SetType(ControlMessageType::Disabled, false);
    Frame().MarkNeedsRefresh();
    ASSERT_TRUE(Focus(Panel()));
    MoveTo(Panel(), Centre(0));
    EXPECT_EQ(Status(), Label(0));
    EXPECT_EQ(FromWx(Panel()->GetToolTipText()),
              CControlButton::ControlInfoText(current.GetControl(0)->Describe()));
    MoveTo(Panel(), Centre(1));
    EXPECT_EQ(Status(), Label(1));
    EXPECT_EQ(Panel()->GetToolTipText(), "") << "an unassigned control has no tip";
    TestApp().Prefs().showCtrlToolTips = 0;
    Panel()->SetToolTip("before");
    MoveTo(Panel(), Centre(0));
    EXPECT_EQ(Panel()->GetToolTipText(), "before") << "tips switched off: left as it was";
    TestApp().Prefs().showCtrlToolTips = 1;
}

TEST_F(FrontPanelInput, TheKeysComeBackToThePanelAfterADialog)
{
    AddTemplate("Dialog");
    ASSERT_TRUE(Focus(Panel()));
    ModalScript<CTemplateSettings> settings([](CTemplateSettings& dialog) {
        ASSERT_TRUE(Focus(dialog.FindWindow(wxID_CANCEL)));
        Key(WXK_ESCAPE);
    });
    Key('T', wxMOD_CONTROL);
    EXPECT_EQ(settings.shown, 1);
    // As a window manager would, when the dialog has gone.
    Frame().Raise();
    Settle();
    EXPECT_EQ(wxWindow::FindFocus(), Panel());
    Key(WXK_TAB);
    EXPECT_EQ(Selected(), std::vector<int>{0});
}

// A pane added to the real view (no panel of the program has one) is asked
// before the controls: its button takes the hover, the tip and the click, and
// the arrow keys reach its control.
TEST_F(FrontPanelInput, APaneOnThePanelIsAskedFirst)
{
    AddTemplate("Pane");
    CTemplateUI& view = *Frame().GetView();
    // Just below the first pot, above the first button.
    auto pane = std::make_unique<PanelPane>(&view, wxPoint(23, 50));
    auto page = std::make_unique<PanelPane>(&view);
    page->AddControl(70, wxRect(0, 0, 31, 10));
    pane->AddPage(std::move(page));
    pane->SetButtonRects(wxRect(5, 5, 8, 8), wxRect(5, 5, 8, 8));
    PanelPane& added = *pane;
    view.AddPane(std::move(pane));
    const wxPoint button(8, 8);

    Click(Panel(), Centre(0));
    Key(WXK_DOWN);
    EXPECT_TRUE(Selected().empty()) << "the pane's control lies nearest below and the pane took it";
    EXPECT_EQ(Centre(70), wxPoint(38, 55));

    MoveTo(Panel(), button);
    EXPECT_TRUE(PumpUntil([&] { return added.IsButtonHovered(); }));
    EXPECT_EQ(Panel()->GetToolTipText(), "Expand pane");
    Click(Panel(), button);
    EXPECT_TRUE(added.IsExpanded());
    EXPECT_EQ(Frame().GetClientSize().x, view.GetPanelWidth()) << "the window still fits the panel";

    TestApp().Prefs().useExpandPanes = 0;
    EXPECT_TRUE(PumpUntil([&] { return !added.IsExpanded(); })) << "with expanding panes off the idle tick collapses it";
    TestApp().Prefs().useExpandPanes = 1;
}
