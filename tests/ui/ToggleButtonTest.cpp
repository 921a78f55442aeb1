#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/PanelTestSupport.h"
#include "ui/FrameRect.h"
#include "ui/ToggleButton.h"

namespace
{
const wxColour kPaper(10, 20, 30);
const wxRect kListen(297, 256, 32, 28);

wxColour DrawnAt(CToggleButton& button, wxPoint p)
{
    Canvas canvas(400, 300, kPaper);
    button.Draw(canvas.DC());
    return canvas.Pixel(p.x, p.y);
}
} // namespace

TEST(ToggleButtonTest, OnlyACompleteClickInsideFlipsTheLatch)
{
    CToggleButton button(*wxWHITE);
    button.SetRect(kListen);
    EXPECT_FALSE(button.OnMouseButton({300, 260}, false));
    EXPECT_TRUE(button.IsPressed());
    EXPECT_TRUE(button.OnMouseButton({300, 260}, true));
    EXPECT_TRUE(button.IsLatched());
    EXPECT_FALSE(button.IsPressed());

    // Press inside, move out, release inside: leaving cancelled the press.
    EXPECT_FALSE(button.OnMouseButton({300, 260}, false));
    EXPECT_FALSE(button.OnMouseMove({10, 10}));
    EXPECT_TRUE(button.OnMouseMove({300, 260})) << "hover came back";
    EXPECT_TRUE(button.OnMouseButton({300, 260}, true)) << "a release inside still answers";
    EXPECT_TRUE(button.IsLatched()) << "but flips nothing";

    // Press inside, release outside, then a lone release inside.
    button.OnMouseButton({300, 260}, false);
    EXPECT_FALSE(button.OnMouseButton({10, 10}, true));
    button.OnMouseButton({300, 260}, true);
    EXPECT_TRUE(button.IsLatched());

    // The right and bottom edge lines are outside.
    EXPECT_FALSE(button.OnMouseButton({329, 260}, false));
    EXPECT_FALSE(button.OnMouseButton({300, 284}, false));
    EXPECT_FALSE(button.IsPressed());
}

TEST(ToggleButtonTest, FramesByColourHoverAndHighlight)
{
    const wxPoint outer(297, 256), inner(298, 257), inside(300, 260);
    CToggleButton white(*wxWHITE);
    white.SetRect(kListen);
    EXPECT_TRUE(SameColour(DrawnAt(white, outer), kPaper)) << "a white button shows only when hovered";
    white.OnMouseMove(inside);
    EXPECT_TRUE(SameColour(DrawnAt(white, outer), HoverGrey()));
    EXPECT_TRUE(SameColour(DrawnAt(white, inner), HoverGrey()));
    white.SetHighlight(true);
    EXPECT_TRUE(SameColour(DrawnAt(white, inner), HighlightColour()));

    const wxColour green(0, 200, 0);
    CToggleButton coloured(green);
    coloured.SetRect(kListen);
    EXPECT_TRUE(SameColour(DrawnAt(coloured, outer), green));
    EXPECT_TRUE(SameColour(DrawnAt(coloured, inner), green));
    EXPECT_TRUE(SameColour(DrawnAt(coloured, inside), kPaper));
    coloured.OnMouseMove(inside);
    EXPECT_TRUE(SameColour(DrawnAt(coloured, outer), HoverGrey())) << "grey over the outer line";
    EXPECT_TRUE(SameColour(DrawnAt(coloured, inner), green));
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

TEST(AnimatedButtonTest, DrawsThePulseWhileLatchedAndGreyWhenHovered)
{
    CAnimatedButton send(50);
    send.SetRect(wxRect(352, 256, 32, 28));
    EXPECT_TRUE(SameColour(DrawnAt(send, {352, 256}), kPaper));
    send.OnMouseMove({360, 260});
    EXPECT_TRUE(SameColour(DrawnAt(send, {353, 257}), HoverGrey()));
    send.SetLatched(true);
    for (int i = 0; i < 4; ++i)
        send.Step(51);
    ASSERT_EQ(send.GetFrame(), 4);
    EXPECT_TRUE(SameColour(DrawnAt(send, {352, 256}), wxColour(253, 143, 183)));
    EXPECT_TRUE(SameColour(DrawnAt(send, {383, 283}), wxColour(253, 143, 183)));
    EXPECT_TRUE(SameColour(DrawnAt(send, {354, 258}), kPaper));
    EXPECT_EQ(CAnimatedButton::PulseColour(0), HighlightColour());
}
