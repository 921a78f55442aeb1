#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/spinctrl.h>

#include "model/TemplateGroups.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/EditPortGroups.h"

namespace
{
class EditPortGroupsTest : public DialogTest
{
protected:
    void SetUp() override
    {
        window.current = &vesk;
        PortChannelGroup& g = Groups();
        g.own.channel = 5;
        g.own.midiPort1 = 0;
        g.common.channel = 9;
        g.common.usbPort = 1;
        before = g;
    }
    PortChannelGroup& Groups() { return vesk.GetGroups()->GetGroups(); }

    CTolvarVeskTemplate vesk;
    PortChannelGroup before;
};

TEST_F(EditPortGroupsTest, FollowingTheCommonChannelKeepsTheGroupsOwn)
{
    CEditPortGroups dialog(nullptr, vesk);
    ASSERT_TRUE(dialog.IsLoaded());
    wxSpinCtrl* channel = Control<wxSpinCtrl>(&dialog, "Midi_Channel");
    EXPECT_EQ(channel->GetValue(), 5);
    EXPECT_TRUE(channel->IsEnabled());
    const int result = RunModal(dialog, [&](wxDialog& d) {
        Tick(d, "As_Common_Channel", true);
        EXPECT_FALSE(channel->IsEnabled());
        EXPECT_EQ(channel->GetValue(), 9);
        Click(d, wxID_OK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Groups().As_Common_Channel, 1);
    EXPECT_EQ(Groups().own.channel, 5);
    EXPECT_EQ(Groups().GetChannel(), 9);
    EXPECT_EQ(vesk.GetUndoText(), "Edit Port Groups");
    vesk.Undo();
    EXPECT_EQ(Groups(), before);
    EXPECT_EQ(window.reselected, 1);
}

TEST_F(EditPortGroupsTest, CommonUsbPortsExcludeEachOther)
{
    CEditPortGroups dialog(nullptr, vesk);
    Tick(dialog, "Common_USB_Port_C", true);
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Common_USB_Port")->GetValue());
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "Common_USB_Port_B")->GetValue());
    EXPECT_EQ(dialog.Working().common.usbPort, 0);
    EXPECT_EQ(dialog.Working().common.usbPort3, 1);
    Tick(dialog, "USB_Port_2", true);
    EXPECT_FALSE(Control<wxCheckBox>(&dialog, "USB_Port")->GetValue());
    EXPECT_EQ(dialog.Working().own.usbPort, 0);
    EXPECT_EQ(dialog.Working().own.usbPort2, 1);
    // Nothing reaches the template before OK.
    EXPECT_EQ(Groups(), before);
}

TEST_F(EditPortGroupsTest, OkWithoutChangesAddsOneStepAndCancelNone)
{
    {
        CEditPortGroups dialog(nullptr, vesk);
        EXPECT_EQ(RunModal(dialog, [](wxDialog& d) {
                      Tick(d, "As_Common_Ports", true);
                      Click(d, wxID_CANCEL);
                  }),
                  -1);
    }
    EXPECT_EQ(vesk.GetHistorySize(), 0);
    CEditPortGroups dialog(nullptr, vesk);
    RunModal(dialog, [](wxDialog& d) { Click(d, wxID_OK); });
    EXPECT_EQ(vesk.GetHistorySize(), 1);
    EXPECT_EQ(Groups(), before);
}

TEST_F(EditPortGroupsTest, ATemplateWithoutGroupsOpensNothing)
{
    CDorvaSynthTemplate synth;
    CEditPortGroups dialog(nullptr, synth);
    EXPECT_FALSE(dialog.IsLoaded());
}
} // namespace
