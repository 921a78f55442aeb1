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
} // namespace

TEST(PanelPaneTest, PagesTurnSelectAndExpand)
{
    CountingCallback callback;
    PanelPane pane(&callback, 500);
    for (int index : {10, 20})
    {
        auto page = std::make_unique<PanelPane>(&callback);
        page->AddControlIndex(index);
        pane.AddPage(std::move(page));
    }
    pane.OnButtonClick(false);
    pane.OnButtonClick(false);
    EXPECT_EQ(pane.GetCurrentPage(), 0) << "after the last page comes the first";
    EXPECT_FALSE(pane.IsExpanded());

    wxFrame main(nullptr, wxID_ANY, "Main");
    main.SetClientSize(300, 200);
    App().SetMainWindow(&main, nullptr);
    EXPECT_TRUE(pane.SelectControl(20, true));
    EXPECT_EQ(pane.GetCurrentPage(), 1) << "the page holding the control shows";
    EXPECT_TRUE(pane.IsExpanded());
    EXPECT_EQ(main.GetClientSize().y, 500) << "grown to the pane's height";
    EXPECT_STREQ(pane.ButtonToolTip(), "Collapse pane");
    EXPECT_FALSE(pane.SelectControl(30, true));

    pane.OnButtonClick(true);
    EXPECT_FALSE(pane.IsExpanded());
    EXPECT_EQ(callback.collapsed, 3) << "the pane and both its pages";
    App().SetMainWindow(nullptr, nullptr);
}
