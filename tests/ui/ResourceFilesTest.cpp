#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/xrc/xmlres.h>

#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ResourceContract.h"
#include "ui/ResourceFiles.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/PreferencesDialog.h"
#include "ui/dialogs/TemplateSettings.h"
#include "ui/dialogs/WelcomeDialog.h"

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

TEST_F(ResourceFolder, WithoutTheCommonFileTheDevicesOwnLayoutsStillLoad)
{
    Ship(kAppKey);
    wxString problem;
    EXPECT_FALSE(LoadResourceFiles(m_resources, wxString::FromUTF8(m_folder), kAppKey, &problem));
    EXPECT_EQ(problem, "The window layouts file \"" + wxString::FromUTF8(m_folder) +
                           "/Common.xrc\" is missing: the dialogs and settings panels it holds cannot be opened.");
    EXPECT_EQ(LogRecorder::Problems(), "") << "the caller tells the user";
    EXPECT_TRUE(HasDialog("ID_TEMPLATEDIALOG"));
}

// A dialog whose layout is not loaded stays unopened and says which layout
// it lacks and which file should hold it.
TEST_F(ResourceFolder, ADialogWithoutItsLayoutNamesItAndItsFile)
{
    wxXmlResource* shipped = wxXmlResource::Set(&m_resources);
    CDorvaSynthTemplate templ;
    const std::tuple<std::function<bool()>, const char*, const char*> dialogs[] = {
        {[] { return CWelcomeDialog(nullptr).IsLoaded(); }, "ID_WELCOMEDIALOG", "Common.xrc"},
        {[] { return CPreferencesDialog(nullptr).IsLoaded(); }, "ID_PREFSDIALOG", "Common.xrc"},
        {[&] { return CTemplateSettings(nullptr, templ).IsLoaded(); }, "ID_TEMPLATEDIALOG", "DorvaSynthEditor.xrc"},
    };
    for (const auto& [open, name, file] : dialogs)
    {
        LogRecorder::Entries().clear();
        EXPECT_FALSE(open()) << name;
        EXPECT_EQ(LogRecorder::Problems(), "This window cannot be opened: its layout \"" + std::string(name) +
                                               "\" could not be loaded from \"" +
                                               std::string(GetProgramFolder().utf8_str()) + "/" + file + "\".\n");
    }
    wxXmlResource::Set(shipped);
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
