#include "plugins/dialogs/VSTSelector.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/EditorApp.h"
#include "plugins/VSTPluginInfo.h"
#include "plugins/dialogs/ExaminingPlugins.h"
#include "tests/plugins/PluginTestSupport.h"
#include "tests/plugins/dialogs/PluginDialogTestSupport.h"

namespace
{
class SelectorTest : public PluginDialogTest
{
protected:
    SelectorTest()
    {
        InstallTestPlugin("entry-vstpluginmain", VstDir(), "a-synth.so");
        InstallTestPlugin("padded-names", VstDir(), "b-padded.so");
        InstallTestPlugin("empty-name", VstDir(), "c-noname.so");
        WriteTextFile(VstDir() + "/d-readme.so", "not a library");
    }

    // Made without being shown, as Create leaves it.
    void Make()
    {
        ASSERT_TRUE(m_selector.Create(nullptr));
    }

    wxListCtrl& List() { return PluginList(m_selector); }
    wxButton& Ok() { return *XRCCTRL(m_selector, "wxID_OK", wxButton); }

    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (long row = 0; row < List().GetItemCount(); ++row)
            rows.push_back(std::string((List().GetItemText(row, 0) + "|" + List().GetItemText(row, 1)).utf8_str()));
        return rows;
    }

    CVSTSelector m_selector;
};
} // namespace

TEST_F(SelectorTest, ListsTheExaminedPluginsInScanOrderWithOuterBlanksRemoved)
{
    Make();
    ASSERT_EQ(List().GetColumnCount(), 2);
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
    ASSERT_TRUE(List().GetColumn(0, column));
    EXPECT_EQ(column.GetText(), "Manufacturer");
    EXPECT_EQ(column.GetWidth(), 120);
    ASSERT_TRUE(List().GetColumn(1, column));
    EXPECT_EQ(column.GetText(), "Name");
    EXPECT_EQ(column.GetWidth(), 155);

    // The vendor keeps its leading blanks and the name its trailing ones;
    // a plug-in without a name is listed under its file name.
    const std::vector<std::string> expected = {
        "Dorva Test Plug-ins|Test Synth",
        "  Blank  Audio|Padded  Synth  ",
        "Dorva Test Plug-ins|c-noname",
    };
    EXPECT_EQ(Rows(), expected);

    EXPECT_FALSE(Ok().IsEnabled());
    EXPECT_EQ(m_selector.GetSelectedPlugin(), nullptr);
    for (const char* hidden : {"ID_CREATEAS", "Create_As_Normal_Template", "Create_As_Cubase_Map"})
    {
        wxWindow* window = m_selector.FindWindow(XRCID(hidden));
        ASSERT_NE(window, nullptr) << hidden;
        EXPECT_FALSE(window->IsShown()) << hidden;
    }
    // The scan's guard is down again and on disk.
    EXPECT_EQ(Stored("PluginsEnumeratedOK"), "1");
}

TEST_F(SelectorTest, OkFollowsTheSelectionAndTheSelectedRowNamesItsPlugin)
{
    Make();
    SelectRow(List(), 1);
    EXPECT_TRUE(Ok().IsEnabled());
    EXPECT_EQ(m_selector.GetDefaultItem(), &Ok()) << "Enter means OK once a row is chosen";
    ASSERT_NE(m_selector.GetSelectedPlugin(), nullptr);
    EXPECT_EQ(m_selector.GetSelectedPlugin()->fileName, "b-padded");

    SelectRow(List(), 2);
    EXPECT_TRUE(Ok().IsEnabled());
    EXPECT_EQ(m_selector.GetSelectedPlugin()->fileName, "c-noname");

    // With no row selected OK is off; the row last chosen is still the answer.
    SelectRow(List(), 2, false);
    EXPECT_FALSE(Ok().IsEnabled());
    ASSERT_NE(m_selector.GetSelectedPlugin(), nullptr);
    EXPECT_EQ(m_selector.GetSelectedPlugin()->fileName, "c-noname");
}

TEST_F(SelectorTest, ChoosingAFolderRescansItWithTheProgressWindowAndForgetsTheOldRow)
{
    const std::string other = VstDir() + "-other";
    InstallTestPlugin("many-params", other, "z-many.so");
    Make();
    SelectRow(List(), 2);

    ProgressWatcher progress;
    m_folderAnswer = wxString::FromUTF8(other);
    ClickButton(m_selector, XRCID("Choose_VST_Directory"));

    ASSERT_EQ(m_folderRequests.size(), 1u);
    EXPECT_EQ(m_folderRequests[0].message, "Select VST plugins directory");
    EXPECT_EQ(m_folderRequests[0].folder, wxString::FromUTF8(VstDir()));
    EXPECT_EQ(m_folderRequests[0].parent, &m_selector);

    EXPECT_EQ(Rows(), std::vector<std::string>{"Dorva Test Plug-ins|Many Synth"});
    EXPECT_EQ(wxGetApp().Prefs().vstDir, other);
    EXPECT_EQ(Stored("VSTDir"), other) << "the scan saves the new folder";
    // Shown empty, hidden naming the last file examined.
    EXPECT_EQ(progress.events, (std::vector<std::string>{"shown:", "hidden:z-many.so"}));
    // Row 2 of the old list does not exist any more; row 0 is another plug-in.
    EXPECT_EQ(m_selector.GetSelectedPlugin(), nullptr);
    EXPECT_FALSE(Ok().IsEnabled());
}

TEST_F(SelectorTest, CancellingTheFolderChooserKeepsFolderAndList)
{
    Make();
    ProgressWatcher progress;
    m_folderAnswer.clear();
    ClickButton(m_selector, XRCID("Choose_VST_Directory"));
    ASSERT_EQ(m_folderRequests.size(), 1u);
    EXPECT_EQ(wxGetApp().Prefs().vstDir, VstDir());
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_TRUE(progress.events.empty()) << "no second scan";
}

TEST_F(SelectorTest, AMissingFolderGivesAnEmptyListWithOkOff)
{
    wxGetApp().Prefs().vstDir = VstDir() + "/nowhere";
    Make();
    EXPECT_EQ(List().GetItemCount(), 0);
    EXPECT_EQ(List().GetColumnCount(), 2);
    EXPECT_FALSE(Ok().IsEnabled());
    EXPECT_EQ(Stored("PluginsEnumeratedOK"), "1");
}
