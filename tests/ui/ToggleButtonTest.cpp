// The panel buttons' clicks and pulse; how they draw is in PanelPictureTest.

#include <gtest/gtest.h>

#include <vector>

#include "ui/ToggleButton.h"

TEST(ToggleButtonTest, OnlyACompleteClickInsideFlipsTheLatch)
{
    CToggleButton button(*wxWHITE);
    button.SetRect(wxRect(297, 256, 32, 28));
    const wxPoint in(300, 260), out(10, 10);
    EXPECT_FALSE(button.OnMouseButton(in, false));
    EXPECT_TRUE(button.IsPressed());
    EXPECT_TRUE(button.OnMouseButton(in, true));
    EXPECT_TRUE(button.IsLatched());
    EXPECT_FALSE(button.IsPressed());

    // Press inside, move out, release inside: leaving cancelled the press.
    button.OnMouseButton(in, false);
    EXPECT_FALSE(button.OnMouseMove(out));
    EXPECT_TRUE(button.OnMouseMove(in)) << "hover came back";
    EXPECT_TRUE(button.OnMouseButton(in, true)) << "a release inside still answers";
    EXPECT_TRUE(button.IsLatched()) << "but flips nothing";

    // Press inside, release outside, then a lone release inside.
    button.OnMouseButton(in, false);
    EXPECT_FALSE(button.OnMouseButton(out, true));
    button.OnMouseButton(in, true);
    EXPECT_TRUE(button.IsLatched());

    // The right and bottom edge lines are outside.
    EXPECT_FALSE(button.OnMouseButton({329, 260}, false));
    EXPECT_FALSE(button.OnMouseButton({300, 284}, false));
    EXPECT_FALSE(button.IsPressed());
}

TEST(AnimatedButtonTest, FramesPulseUpAndDownAfterMoreThanTheInterval)
{
    CAnimatedButton listen(100);
    int steps = 0;
    while (listen.GetFrame() == 0 && steps < 100)
    {
        listen.Step(20);
        ++steps;
    }
    EXPECT_EQ(steps, 6) << "120 ms is the first total above 100";

    CAnimatedButton send(50);
    std::vector<int> frames;
    for (int i = 0; i < 12; ++i)
    {
        EXPECT_FALSE(send.Step(51)) << "not latched: no repaint asked";
        frames.push_back(send.GetFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1, 2}));
    send.SetLatched(true);
    EXPECT_FALSE(send.Step(50)) << "exactly the interval is not enough";
    EXPECT_TRUE(send.Step(1));
}
