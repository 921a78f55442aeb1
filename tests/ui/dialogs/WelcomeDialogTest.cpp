#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include "tests/ui/FieldInput.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/WelcomeDialog.h"

using FieldInput::Press;

namespace
{
// Records, in order, which main window commands the dialog ran.
struct ActionLog
{
    std::vector<std::string> steps;
    WelcomeActions Actions()
    {
        auto note = [this](const char* step) { return [this, step] { steps.push_back(step); }; };
        return {note("new"), note("listen"), note("update"), note("bulk"), note("help"), note("devices")};
    }
};

class WelcomeDialogTest : public DialogTest
{
protected:
    void SetUp() override { TestApp().Prefs().startupAction = 0; }

    ActionLog log;
};

TEST_F(WelcomeDialogTest, WithoutMidiDevicesTheDeviceStepsAreGoneAndTheLabelsNameTheProduct)
{
    int bareHeight = 0;
    {
        ScopedLoopbackMidi none({}, {});
        CWelcomeDialog bare(nullptr);
        ASSERT_TRUE(bare.IsLoaded());
        for (const char* gone : {"Listen_For_A_Template", "Update_The_OS", "Send_Bulk_Dumps"})
            EXPECT_FALSE(Control<wxRadioButton>(&bare, gone)->IsShown()) << gone;
        EXPECT_TRUE(Control<wxRadioButton>(&bare, "Read_The_Help_File")->IsShown());
        bareHeight = bare.GetSize().GetHeight();
    }
    ScopedLoopbackMidi devices({"Keys In"}, {"Keys Out"});
    CWelcomeDialog full(nullptr);
    EXPECT_TRUE(Control<wxRadioButton>(&full, "Listen_For_A_Template")->IsShown());
    EXPECT_TRUE(Control<wxRadioButton>(&full, "Update_The_OS")->IsShown());
    EXPECT_LT(bareHeight, full.GetSize().GetHeight());
    EXPECT_EQ(Control<wxStaticText>(&full, "wxID_STATIC")->GetLabel(),
              "Welcome to the Dorva editor.\nWhat would you like to do?");
    EXPECT_EQ(Control<wxRadioButton>(&full, "Send_Bulk_Dumps")->GetLabel(), "Send or receive a bank of Dorva templates");
}

// The step picked runs after OK; "Don't show again" makes the start-up do
// the same next time, where it can; a device step asks for the device first.
// Escape only closes the dialog, whatever is picked or ticked.
TEST_F(WelcomeDialogTest, TheChosenStepRunsAndMayBecomeTheStartAction)
{
    ScopedLoopbackMidi midi({"Keys In"}, {"Keys Out"});
    MessageRecorder boxes;
    const struct
    {
        const char* radio;
        bool doNotShow;
        int startupAction;
        std::vector<std::string> steps;
        const char* asked; // the message shown first, if any
        bool escape = false;  // Escape instead of OK
    } rows[] = {
        {"Nothing", true, 1, {}, nullptr},
        {"Create_A_New_Template", true, 2, {"new"}, nullptr},
        {"Read_The_Help_File", true, 1, {"help"}, nullptr},
        {"Create_A_New_Template", false, 0, {"new"}, nullptr},
        {"Listen_For_A_Template", false, 0, {"devices", "listen"},
         "You will need to select a MIDI input device - please do so now before continuing."},
        {"Update_The_OS", false, 0, {"devices", "update"},
         "You will need to select a MIDI output device - please do so now before continuing."},
        {"Create_A_New_Template", true, 0, {}, nullptr, true},
        {"Listen_For_A_Template", false, 0, {}, nullptr, true},
    };
    for (const auto& row : rows)
    {
        TestApp().Prefs().startupAction = 0;
        log.steps.clear();
        boxes.boxes.clear();
        CWelcomeDialog dialog(nullptr);
        RealInput::RunInsideModalLoop(dialog, [&row](wxDialog& d) {
            Press(d.FindWindow(XRCID(row.radio)));
            if (row.doNotShow)
                Press(d.FindWindow(XRCID("Dont_Show_Again")));
            if (row.escape)
                RealInput::Key(WXK_ESCAPE);
            else
                Press(d.FindWindow(wxID_OK));
        });
        EXPECT_EQ(dialog.ShowModal(), row.escape ? wxID_CANCEL : 0) << row.radio;
        // The user who pressed OK is in the program: a desktop gives its
        // main window the keys back, so what the step tells shows at once.
        TestApp().SetActive(true, nullptr);
        dialog.RunChoice(log.Actions());
        EXPECT_EQ(TestApp().Prefs().startupAction, row.startupAction) << row.radio;
        EXPECT_EQ(log.steps, row.steps) << row.radio;
        ASSERT_EQ(boxes.boxes.size(), row.asked ? 1u : 0u) << row.radio;
        if (row.asked)
            EXPECT_EQ(FromWx(boxes.boxes[0].text), row.asked);
    }
}
} // namespace
