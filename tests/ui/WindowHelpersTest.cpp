#include <gtest/gtest.h>

#include <filesystem>

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/ResourceContract.h"
#include "ui/WindowHelpers.h"

namespace
{
TEST(ProgramPaths, AreBuiltOnTheExecutablesFolderWithSlashes)
{
    const wxString folder =
        wxString::FromUTF8(std::filesystem::canonical("/proc/self/exe").parent_path().string());
    EXPECT_EQ(GetProgramFolder(), folder);
    EXPECT_EQ(GetImagesPath("Background", "png"), folder + "/images/Background.png");
    EXPECT_EQ(GetResourceFilePath("help", "html"), folder + "/help.html");
    EXPECT_EQ(GetResourceFilePath("FactorySettings", "blk"), folder + "/FactorySettings.blk");
}

TEST(ProgramPaths, TheBuildCopiesTheResourceFilesBesideTheBinary)
{
    EXPECT_TRUE(wxFileName::FileExists(GetResourceFilePath(kCommonResourceName, "xrc")));
    EXPECT_TRUE(wxFileName::FileExists(GetResourceFilePath("DorvaSynthEditor", "xrc")));
}

// Three rows in a box sizer, laid out in a frame.
class Rows : public testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "Rows");
        m_panel = new wxPanel(m_frame);
        m_sizer = new wxBoxSizer(wxVERTICAL);
        for (wxStaticText*& row : m_rows)
        {
            row = new wxStaticText(m_panel, wxID_ANY, "Row", wxDefaultPosition, wxSize(80, 20));
            m_sizer->Add(row, 0, wxALL, 4);
        }
        m_panel->SetSizer(m_sizer);
        m_frame->SetClientSize(200, 200);
        m_panel->SetSize(m_frame->GetClientSize());
        m_panel->Layout();
    }
    void TearDown() override { delete m_frame; }

    wxFrame* m_frame = nullptr;
    wxPanel* m_panel = nullptr;
    wxBoxSizer* m_sizer = nullptr;
    wxStaticText* m_rows[3] = {};
};

TEST_F(Rows, FalseConditionLeavesTheRow)
{
    const wxPoint last = m_rows[2]->GetPosition();
    RemoveWindowIf(false, m_rows[1]);
    EXPECT_TRUE(m_rows[1]->IsShown());
    EXPECT_EQ(m_rows[1]->GetContainingSizer(), m_sizer);
    EXPECT_EQ(m_sizer->GetItemCount(), 3u);
    EXPECT_EQ(m_rows[2]->GetPosition(), last);
}

TEST_F(Rows, TrueConditionTakesTheRowOutAndTheRowsBelowMoveUp)
{
    const wxPoint middle = m_rows[1]->GetPosition();
    RemoveWindowIf(true, m_rows[1]);
    EXPECT_FALSE(m_rows[1]->IsShown());
    EXPECT_EQ(m_rows[1]->GetContainingSizer(), nullptr);
    EXPECT_EQ(m_sizer->GetItemCount(), 2u);
    EXPECT_EQ(m_rows[2]->GetPosition(), middle);
    EXPECT_EQ(m_rows[1]->GetParent(), m_panel) << "detached, not destroyed";

    RemoveWindowIf(true, m_rows[1]); // already out: now only hidden again
    EXPECT_EQ(m_sizer->GetItemCount(), 2u);
}

TEST_F(Rows, WindowOutsideAnySizerIsHidden)
{
    wxStaticText* loose = new wxStaticText(m_panel, wxID_ANY, "Loose");
    RemoveWindowIf(true, loose);
    EXPECT_FALSE(loose->IsShown());
    EXPECT_EQ(m_sizer->GetItemCount(), 3u);
}

TEST_F(Rows, MissingWindowIsIgnored)
{
    RemoveWindowIf(true, nullptr);
    EXPECT_EQ(m_sizer->GetItemCount(), 3u);
}
} // namespace
