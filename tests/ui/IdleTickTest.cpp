// The application's idle tick as the program runs it: from its timer, inside
// the toolkit's event loop, with nobody calling it by hand.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include <wx/evtloop.h>
#include <wx/timer.h>

#include "tests/ui/UiTestApp.h"

namespace
{
using IdleTickTest = UiTest;

// Runs the toolkit's event loop until the condition holds or the deadline
// passes.
bool RunLoopUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    wxGUIEventLoop loop;
    wxTimer check;
    check.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (condition() || std::chrono::steady_clock::now() > end)
            loop.Exit();
    });
    check.Start(5);
    loop.Run();
    return condition();
}

} // namespace

TEST_F(IdleTickTest, TheTimerOpensOnDemandDeliversMessagesAndTheTickReleasesTheDevices)
{
    UseDevices({"In"}, {"Out"});
    WritePreferences([](Preferences& p) {
        p.startupAction = 1;
        p.releaseDriver = 1;
    });
    ASSERT_TRUE(TestApp().Start());
    LoopbackMidiDriver& driver = *TestApp().driver;
    RecordingMainWindow& window = *TestApp().recorder;
    EXPECT_FALSE(driver.IsOpen("In")) << "opened before the program was active";

    // The toolkit finds the program active once its loop runs.
    ASSERT_TRUE(RunLoopUntil([&] { return driver.IsOpen("In") && driver.IsOpen("Out"); }));
    EXPECT_TRUE(TestApp().IsActive());
    driver.InjectShort("In", 0x90, 60, 100);
    ASSERT_TRUE(RunLoopUntil([&] { return !window.messages.empty(); }));
    EXPECT_EQ(window.messages[0], (std::vector<uint8_t>{0x90, 60, 100}));
    EXPECT_GT(window.idleSteps, 0);
    EXPECT_EQ(window.idleSteps, window.refreshes);

    // The toolkit's loop would find it active again: one tick by hand.
    TestApp().SetActive(false, nullptr);
    TestApp().IdleTick();
    EXPECT_FALSE(driver.IsOpen("In"));
    EXPECT_FALSE(driver.IsOpen("Out"));
    EXPECT_EQ(TestApp().log.back(), "deactivated");
}
