// The front panel of the real main window driven as a user drives it: keys
// and clicks go through the X server to whichever window has the focus.

#include <gtest/gtest.h>

#include "tests/ui/MainWindowTest.h"
#include "tests/ui/RealInput.h"
#include "ui/EditControlDialog.h"
#include "ui/MenuIds.h"
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
        {"Shift+Tab from nothing takes the last control", WXK_TAB, wxMOD_SHIFT, 50},
        {"Tab from the last wraps to the first", WXK_TAB, wxMOD_NONE, 0},
        {"Up at the panel's edge keeps the control", WXK_UP, wxMOD_NONE, 0},
        {"Right goes along the row", WXK_RIGHT, wxMOD_NONE, 1},
        {"Down goes to the nearest control below", WXK_DOWN, wxMOD_NONE, 23},
        {"Left", WXK_LEFT, wxMOD_NONE, 22},
        {"Up", WXK_UP, wxMOD_NONE, 0},
        {"Page Down changes nothing on this panel", WXK_PAGEDOWN, wxMOD_NONE, 0},
        {"Page Up changes nothing on this panel", WXK_PAGEUP, wxMOD_NONE, 0},
        {"Shift+Tab goes back", WXK_TAB, wxMOD_SHIFT, 50},
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

TEST_F(FrontPanelInput, ThePointerSelectsDragsAndShowsTheControlsTip)
{
    CEditorTemplate& current = AddTemplate("Drags");
    current.GetControl(0)->SetName("Cutoff");
    current.GetControl(0)->SetType(ControlMessageType::CC, false);
    current.GetControl(1)->SetType(ControlMessageType::Disabled, false);
    Frame().MarkNeedsRefresh();
    ASSERT_TRUE(Focus(Panel()));

    MoveTo(Panel(), Centre(0));
    EXPECT_EQ(Status(), Label(0));
    EXPECT_TRUE(Panel()->GetToolTipText().StartsWith("Cutoff")) << Panel()->GetToolTipText();
    Click(Panel(), Centre(2));
    EXPECT_EQ(Selected(), std::vector<int>{2});
    Click(Panel(), Centre(3), wxMOD_CONTROL);
    EXPECT_EQ(Selected(), (std::vector<int>{2, 3}));

    Drag(Panel(), Centre(0), Centre(1));
    EXPECT_EQ(current.GetControl(1)->GetName(), "Cutoff");
    EXPECT_EQ(Selected(), std::vector<int>{1});
    EXPECT_EQ(MenuLabel(MenuId::Undo), "&Undo Move control\tCtrl+Z");

    Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(current.GetControl(0)->GetName(), "Cutoff");
    EXPECT_EQ(current.GetControl(1)->GetType(), ControlMessageType::Disabled);
    EXPECT_EQ(wxWindow::FindFocus(), Panel());

    DoubleClick(Panel(), Centre(0));
    EXPECT_TRUE(Frame().IsControlSettingsShown());
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
