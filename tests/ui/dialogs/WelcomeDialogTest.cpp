#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/WelcomeDialog.h"

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

    // Picks a radio button, ticks "Don't show again" as asked, presses OK
    // and runs the chosen step.
    void Choose(const char* radio, bool doNotShow)
    {
        CWelcomeDialog dialog(nullptr);
        ASSERT_TRUE(dialog.IsLoaded());
        const int result = RunModal(dialog, [&](wxDialog& d) {
            Control<wxRadioButton>(&d, radio)->SetValue(true);
            Control<wxCheckBox>(&d, "Dont_Show_Again")->SetValue(doNotShow);
            Click(d, wxID_OK);
        });
        EXPECT_EQ(result, 0);
        dialog.RunChoice(log.Actions());
    }

    ActionLog log;
};

TEST_F(WelcomeDialogTest, WithoutMidiDevicesTheDeviceStepsAreGone)
{
    int bareHeight = 0;
    {
        ScopedLoopbackMidi none({}, {});
        CWelcomeDialog bare(nullptr);
        EXPECT_FALSE(Control<wxRadioButton>(&bare, "Listen_For_A_Template")->IsShown());
        EXPECT_FALSE(Control<wxRadioButton>(&bare, "Update_The_OS")->IsShown());
        EXPECT_FALSE(Control<wxRadioButton>(&bare, "Send_Bulk_Dumps")->IsShown());
        EXPECT_TRUE(Control<wxRadioButton>(&bare, "Read_The_Help_File")->IsShown());
        bareHeight = bare.GetSize().GetHeight();
    }
    ScopedLoopbackMidi devices({"Keys In"}, {"Keys Out"});
    CWelcomeDialog full(nullptr);
    EXPECT_TRUE(Control<wxRadioButton>(&full, "Listen_For_A_Template")->IsShown());
    EXPECT_TRUE(Control<wxRadioButton>(&full, "Update_The_OS")->IsShown());
    EXPECT_LT(bareHeight, full.GetSize().GetHeight());
}

TEST_F(WelcomeDialogTest, LabelsNameTheProduct)
{
    CWelcomeDialog dialog(nullptr);
    EXPECT_EQ(Control<wxStaticText>(&dialog, "wxID_STATIC")->GetLabel(),
              "Welcome to the Dorva editor.\nWhat would you like to do?");
    EXPECT_EQ(Control<wxRadioButton>(&dialog, "Send_Bulk_Dumps")->GetLabel(),
              "Send or receive a bank of Dorva templates");
}

TEST_F(WelcomeDialogTest, DontShowAgainStoresTheStartAction)
{
    Choose("Nothing", true);
    EXPECT_EQ(TestApp().Prefs().startupAction, 1);
    EXPECT_TRUE(log.steps.empty());

    Choose("Create_A_New_Template", true);
    EXPECT_EQ(TestApp().Prefs().startupAction, 2);
    Choose("Read_The_Help_File", true);
    EXPECT_EQ(TestApp().Prefs().startupAction, 1);
    EXPECT_EQ(log.steps, (std::vector<std::string>{"new", "help"}));
}

TEST_F(WelcomeDialogTest, WithoutDontShowAgainTheStartActionStays)
{
    Choose("Create_A_New_Template", false);
    EXPECT_EQ(TestApp().Prefs().startupAction, 0);
    EXPECT_EQ(log.steps, std::vector<std::string>{"new"});
}

TEST_F(WelcomeDialogTest, ListeningAlwaysAsksForTheInputFirst)
{
    ScopedLoopbackMidi midi({"Keys In"}, {"Keys Out"});
    MessageRecorder boxes;
    Choose("Listen_For_A_Template", false);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(FromWx(boxes.boxes[0].text), "You will need to select a MIDI input device - please do so now before continuing.");
    EXPECT_EQ(log.steps, (std::vector<std::string>{"devices", "listen"}));

    Choose("Update_The_OS", false);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(FromWx(boxes.boxes[1].text), "You will need to select a MIDI output device - please do so now before continuing.");
    EXPECT_EQ(log.steps, (std::vector<std::string>{"devices", "listen", "devices", "update"}));
}
} // namespace
