#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/WindowHelpers.h"

// Rows taken out of a box sizer: the rows below move up, the window is
// detached and hidden but kept; anything else is only hidden or ignored.
TEST(RemoveWindowIf, TakesTheRowOutOfItsSizerOnlyWhenAsked)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "Rows");
    wxPanel* panel = new wxPanel(frame);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    wxStaticText* rows[3];
    for (wxStaticText*& row : rows)
        sizer->Add(row = new wxStaticText(panel, wxID_ANY, "Row", wxDefaultPosition, wxSize(80, 20)), 0, wxALL, 4);
    panel->SetSizer(sizer);
    panel->SetSize(200, 200);
    panel->Layout();
    const wxPoint middle = rows[1]->GetPosition(), last = rows[2]->GetPosition();

    RemoveWindowIf(false, rows[1]);
    RemoveWindowIf(true, nullptr);
    EXPECT_TRUE(rows[1]->IsShown());
    EXPECT_EQ(sizer->GetItemCount(), 3u);
    EXPECT_EQ(rows[2]->GetPosition(), last);

    RemoveWindowIf(true, rows[1]);
    EXPECT_FALSE(rows[1]->IsShown());
    EXPECT_EQ(rows[1]->GetContainingSizer(), nullptr);
    EXPECT_EQ(rows[1]->GetParent(), panel);
    EXPECT_EQ(rows[2]->GetPosition(), middle);
    RemoveWindowIf(true, rows[1]); // already out: only hidden again
    wxStaticText* loose = new wxStaticText(panel, wxID_ANY, "Loose");
    RemoveWindowIf(true, loose);
    EXPECT_FALSE(loose->IsShown());
    EXPECT_EQ(sizer->GetItemCount(), 2u);
    delete frame;
}
