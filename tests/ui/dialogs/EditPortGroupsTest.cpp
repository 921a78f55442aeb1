#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/spinctrl.h>

#include "model/TemplateGroups.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/ui/FieldInput.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/EditPortGroups.h"

using FieldInput::Press;

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
    int Run(std::function<void(wxDialog&)> script) { return FieldInput::RunDialog<CEditPortGroups>(script, vesk); }

    CTolvarVeskTemplate vesk;
    PortChannelGroup before;
};

TEST_F(EditPortGroupsTest, OkTakesTheGroupsInOneStep)
{
    EXPECT_EQ(Run([](wxDialog& d) {
                  wxSpinCtrl* channel = Control<wxSpinCtrl>(&d, "Midi_Channel");
                  EXPECT_EQ(channel->GetValue(), 5);
                  FieldInput::PasteOver(channel, "x");
                  EXPECT_EQ(channel->GetTextValue(), "5") << "text pasted over the channel is refused";
                  Press(d.FindWindow(XRCID("As_Common_Channel")));
                  EXPECT_FALSE(channel->IsEnabled()) << "the common channel is followed";
                  EXPECT_EQ(channel->GetValue(), 9);
                  Press(d.FindWindow(XRCID("Common_USB_Port")));
                  Press(d.FindWindow(wxID_OK));
              }),
              0);
    EXPECT_EQ(Groups().As_Common_Channel, 1);
    EXPECT_EQ(Groups().own.channel, 5) << "the group's own channel is kept";
    EXPECT_EQ(Groups().GetChannel(), 9);
    EXPECT_EQ(Groups().common.usbPort, 0);
    EXPECT_EQ(vesk.GetHistorySize(), 1);
    EXPECT_EQ(vesk.GetUndoText(), "Edit Port Groups");
    vesk.Undo();
    EXPECT_EQ(Groups(), before);
    EXPECT_EQ(window.reselected, 1);

    Run([](wxDialog& d) { Press(d.FindWindow(wxID_OK)); });
    EXPECT_EQ(vesk.GetHistorySize(), 1) << "OK without changes is a step too";
    EXPECT_EQ(Groups(), before);
}

TEST_F(EditPortGroupsTest, CancelAndATemplateWithoutGroupsChangeNothing)
{
    EXPECT_EQ(Run([](wxDialog& d) {
                  Press(d.FindWindow(XRCID("As_Common_Ports")));
                  Press(d.FindWindow(wxID_CANCEL));
              }),
              -1);
    EXPECT_EQ(vesk.GetHistorySize(), 0);
    EXPECT_EQ(Groups(), before);
    CDorvaSynthTemplate synth;
    EXPECT_FALSE(CEditPortGroups(nullptr, synth).IsLoaded());
}
} // namespace
