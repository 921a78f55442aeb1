#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/xrc/xmlres.h>

#include "tests/model/TempFolder.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ResourceContract.h"
#include "ui/ResourceFiles.h"
#include "ui/WindowHelpers.h"

namespace fs = std::filesystem;

namespace
{
const char* const kAppKey = "DorvaSynthEditor";

// A program folder of its own, filled with some of the shipped files, and a
// resource set of its own, so the global one stays as start-up left it.
class ResourceFolder : public testing::Test
{
protected:
    void SetUp() override
    {
        LogRecorder::Install();
        LogRecorder::Entries().clear();
        m_folder = m_temp.Path();
        m_resources.InitAllHandlers();
    }

    void UseFolder(const std::string& name)
    {
        m_folder = m_temp.File(name);
        fs::create_directories(m_folder);
    }

    void Ship(const char* resourceName)
    {
        const std::string file = std::string(resourceName) + ".xrc";
        fs::copy_file(fs::path(GetProgramFolder().utf8_str().data()) / file, fs::path(m_folder) / file);
    }

    bool Load(const wxString& appKey = kAppKey)
    {
        return LoadResourceFiles(m_resources, wxString::FromUTF8(m_folder), appKey);
    }

    // Whether the dialog can be made; a missing one is logged by the toolkit.
    bool HasDialog(const char* name)
    {
        wxDialog* dialog = m_resources.LoadDialog(nullptr, name);
        delete dialog;
        return dialog != nullptr;
    }

    TempFolder m_temp;
    std::string m_folder;
    wxXmlResource m_resources;
};

TEST_F(ResourceFolder, WithoutTheDeviceFileOnlyTheCommonResourcesLoad)
{
    Ship(kCommonResourceName);
    EXPECT_TRUE(Load()) << "a device without a file of its own is no failure";
    EXPECT_EQ(LogRecorder::Problems(), "");
    EXPECT_TRUE(HasDialog("ID_WELCOMEDIALOG"));
    EXPECT_FALSE(HasDialog("ID_TEMPLATEDIALOG"));
}

TEST_F(ResourceFolder, TheDeviceFileIsLoadedWhenItIsThere)
{
    Ship(kCommonResourceName);
    Ship(kAppKey);
    EXPECT_TRUE(Load());
    EXPECT_TRUE(HasDialog("ID_TEMPLATEDIALOG"));
    EXPECT_TRUE(HasDialog("ID_KBDZONEDIALOG"));
}

TEST_F(ResourceFolder, OtherDevicesFilesAreNotLoaded)
{
    Ship(kCommonResourceName);
    Ship(kAppKey);
    EXPECT_TRUE(Load("TolvarVeskEditor"));
    EXPECT_FALSE(HasDialog("ID_TEMPLATEDIALOG"));
}

TEST_F(ResourceFolder, MissingCommonFileIsReportedToTheCallerOnly)
{
    Ship(kAppKey);
    EXPECT_FALSE(Load());
    EXPECT_EQ(LogRecorder::Problems(), "") << "start-up goes on; nothing is logged";
}

TEST_F(ResourceFolder, FolderWithBlanksAndHashLoads)
{
    // The folder name reaches the toolkit as a location, where "#" starts an
    // anchor unless the name is made a file URL first.
    UseFolder("Program Files #2");
    Ship(kCommonResourceName);
    Ship(kAppKey);
    EXPECT_TRUE(Load());
    EXPECT_EQ(LogRecorder::Problems(), "");
    EXPECT_TRUE(HasDialog("ID_PREFSDIALOG"));
    EXPECT_TRUE(HasDialog("ID_TEMPLATEDIALOG"));
}

TEST_F(ResourceFolder, BrokenDeviceFileFailsButLeavesTheCommonResources)
{
    Ship(kCommonResourceName);
    std::ofstream(fs::path(m_folder) / (std::string(kAppKey) + ".xrc")) << "<resource><object class=\"wxDialog\"";
    EXPECT_FALSE(Load());
    EXPECT_NE(LogRecorder::Problems(), "") << "the toolkit says what it could not read";
    LogRecorder::Entries().clear();
    EXPECT_TRUE(HasDialog("ID_SELECTMIDIDEVICESDIALOG"));
}

TEST_F(ResourceFolder, LoadingAgainReadsTheFilesAfresh)
{
    Ship(kCommonResourceName);
    const fs::path device = fs::path(m_folder) / (std::string(kAppKey) + ".xrc");
    std::ofstream(device) << "<?xml version=\"1.0\"?><resource><object class=\"wxDialog\" name=\"First\"/></resource>";
    ASSERT_TRUE(Load());
    EXPECT_TRUE(HasDialog("First"));
    std::ofstream(device) << "<?xml version=\"1.0\"?><resource><object class=\"wxDialog\" name=\"Second\"/></resource>";
    ASSERT_TRUE(Load());
    EXPECT_TRUE(HasDialog("Second"));
    LogRecorder::Entries().clear();
    EXPECT_FALSE(HasDialog("First")) << "the old copy of the file is gone";
}
} // namespace
