// Expanding panes, made by the test: no panel of the program has one.
#include <memory>

#include <gtest/gtest.h>

#include "tests/ui/InteractionTestSupport.h"
#include "ui/PanelPane.h"

namespace
{
struct CountingCallback : IExpandCallback
{
    int expanded = 0, collapsed = 0;
    void OnPaneExpanded() override { ++expanded; }
    void OnPaneCollapsed() override { ++collapsed; }
};

// At (100, 300), pages 40 pixels apart: page 0 holds control 60, page 1
// control 70, each a 20 x 20 rectangle at the page's corner; the sub-pane
// holds 80 beside them.
std::unique_ptr<PanelPane> MakePane(IExpandCallback* callback)
{
    auto pane = std::make_unique<PanelPane>(callback, wxPoint(100, 300), 40, 500);
    for (int index : {60, 70})
    {
        auto page = std::make_unique<PanelPane>(callback);
        page->AddControl(index, wxRect(0, 0, 20, 20));
        pane->AddPage(std::move(page));
    }
    auto sub = std::make_unique<PanelPane>(callback);
    sub->AddControl(80, wxRect(200, 300, 20, 20));
    pane->SetSubPane(std::move(sub));
    pane->SetButtonRects(wxRect(90, 290, 8, 8), wxRect(90, 380, 8, 8));
    return pane;
}

class PanelPaneTest : public testing::Test, protected PanelFixture
{
protected:
    ~PanelPaneTest() override { App().Prefs().useExpandPanes = 1; }
    CountingCallback callback;
};
} // namespace

TEST_F(PanelPaneTest, PagesTurnSelectExpandAndCollapseAndHitTestsFollowThePageStride)
{
    auto pane = MakePane(&callback);
    const wxPoint collapsedButton(94, 294), expandedButton(94, 384);
    EXPECT_FALSE(pane->OnButtonClick(wxPoint(50, 50), false));
    EXPECT_TRUE(pane->OnButtonClick(collapsedButton, false));
    EXPECT_EQ(pane->GetCurrentPage(), 1);
    EXPECT_EQ(pane->HitTest(wxPoint(110, 310)), 70) << "collapsed, the current page shows at the pane";
    pane->OnButtonClick(collapsedButton, false);
    EXPECT_EQ(pane->GetCurrentPage(), 0) << "after the last page comes the first";
    EXPECT_FALSE(pane->IsExpanded());
    EXPECT_EQ(pane->HitTest(wxPoint(110, 350)), -1);
    EXPECT_STREQ(pane->ButtonToolTip(), "Expand pane");

    frame.SetClientSize(300, 200);
    EXPECT_TRUE(pane->SelectControl(80, true));
    EXPECT_EQ(pane->GetCurrentPage(), 0) << "the sub-pane took it";
    EXPECT_TRUE(pane->SelectControl(70, true));
    EXPECT_EQ(pane->GetCurrentPage(), 1) << "the page holding the control shows";
    EXPECT_TRUE(pane->IsExpanded());
    EXPECT_EQ(frame.GetClientSize().y, 500) << "grown to the pane's height";
    EXPECT_STREQ(pane->ButtonToolTip(), "Collapse pane");
    EXPECT_FALSE(pane->SelectControl(30, true));

    // Expanded, every page shows one stride below the one before.
    EXPECT_EQ(pane->HitTest(wxPoint(110, 310)), 60);
    EXPECT_EQ(pane->HitTest(wxPoint(110, 350)), 70);
    EXPECT_EQ(pane->HitTest(wxPoint(210, 310)), 80);
    wxPoint centre;
    ASSERT_TRUE(pane->ControlCentre(70, centre));
    EXPECT_EQ(centre, wxPoint(110, 350));
    long long distance = 0;
    EXPECT_EQ(pane->NearestInDirection(60, wxPoint(110, 310), 1, true, distance), 70);
    EXPECT_EQ(distance, 40 * 40);
    EXPECT_EQ(pane->NearestInDirection(60, wxPoint(110, 310), 0, true, distance), -1) << "nothing above";

    EXPECT_TRUE(pane->UpdateButtonHover(expandedButton, true));
    EXPECT_FALSE(pane->UpdateButtonHover(expandedButton, true));
    EXPECT_TRUE(pane->OnButtonClick(expandedButton, true));
    EXPECT_FALSE(pane->IsExpanded());
    EXPECT_EQ(callback.collapsed, 4) << "the pane, its sub-pane and both pages";
    EXPECT_EQ(callback.expanded, 1);
}
