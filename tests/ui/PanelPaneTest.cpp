#include <gtest/gtest.h>

#include <memory>

#include <wx/frame.h>

#include "tests/ui/PanelTestSupport.h"
#include "ui/PanelPane.h"

namespace
{
struct CountingCallback : IExpandCallback
{
    int expanded = 0, collapsed = 0;
    void OnPaneExpanded() override { ++expanded; }
    void OnPaneCollapsed() override { ++collapsed; }
};

std::unique_ptr<PanelPane> Page(IExpandCallback* callback, int index)
{
    auto page = std::make_unique<PanelPane>(callback);
    page->AddControlIndex(index);
    return page;
}
} // namespace

TEST(PanelPaneTest, SelectingAControlOnAnotherPageShowsThatPage)
{
    CountingCallback callback;
    PanelPane pane(&callback);
    pane.AddPage(Page(&callback, 10));
    pane.AddPage(Page(&callback, 20));
    EXPECT_TRUE(pane.SelectControl(10, true));
    EXPECT_EQ(pane.GetCurrentPage(), 0);
    EXPECT_FALSE(pane.IsExpanded()) << "on the current page: nothing moves";
    EXPECT_TRUE(pane.SelectControl(20, true));
    EXPECT_EQ(pane.GetCurrentPage(), 1);
    EXPECT_TRUE(pane.IsExpanded());
    EXPECT_EQ(callback.expanded, 1);
    EXPECT_FALSE(pane.SelectControl(30, true));
}

TEST(PanelPaneTest, ButtonExpandsOrTurnsPagesByThePreference)
{
    CountingCallback callback;
    PanelPane pane(&callback, 500);
    pane.AddPage(Page(&callback, 1));
    pane.AddPage(Page(&callback, 2));
    pane.OnButtonClick(false);
    EXPECT_EQ(pane.GetCurrentPage(), 1);
    pane.OnButtonClick(false);
    EXPECT_EQ(pane.GetCurrentPage(), 0) << "after the last page comes the first";
    EXPECT_FALSE(pane.IsExpanded());

    wxFrame main(nullptr, wxID_ANY, "Main");
    main.SetClientSize(300, 200);
    App().SetMainWindow(&main, nullptr);
    EXPECT_STREQ(pane.ButtonToolTip(), "Expand pane");
    pane.OnButtonClick(true);
    EXPECT_TRUE(pane.IsExpanded());
    EXPECT_EQ(main.GetClientSize().y, 500) << "grown to the pane's height";
    EXPECT_STREQ(pane.ButtonToolTip(), "Collapse pane");
    pane.OnButtonClick(true);
    EXPECT_FALSE(pane.IsExpanded());
    EXPECT_EQ(callback.collapsed, 3) << "the pane and both its pages";
    App().SetMainWindow(nullptr, nullptr);
}
