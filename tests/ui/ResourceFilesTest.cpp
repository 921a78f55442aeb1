// Loading the window layouts from the program folder: the common file and
// the device's own, each on its own, into a resource set of the test's own
// (the global one stays as start-up left it).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <tuple>

#include <wx/dialog.h>
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

class ResourceFolder : public testing::Test
{
protected:
    ResourceFolder()
    {
        LogRecorder::Install();
        LogRecorder::Entries().clear();
        Fresh();
    }
    void Fresh()
    {
        m_resources = std::make_unique<wxXmlResource>();
        m_resources->InitAllHandlers();
    }
    // A program folder of this name holding copies of these shipped files.
    std::string Folder(const std::string& name, std::initializer_list<const char*> shipped)
    {
        const std::string folder = m_temp.File(name);
        fs::create_directories(folder);
        for (const char* stem : shipped)
            fs::copy_file(fs::path(GetProgramFolder().utf8_str().data()) / (std::string(stem) + ".xrc"),
                          fs::path(folder) / (std::string(stem) + ".xrc"));
        return folder;
    }
    bool Load(const std::string& folder, const wxString& appKey = kAppKey, wxString* problem = nullptr)
    {
        return LoadResourceFiles(*m_resources, wxString::FromUTF8(folder), appKey, problem);
    }
    // Whether the dialog can be made; a missing one is logged by the toolkit.
    bool HasDialog(const char* name)
    {
        wxDialog* dialog = m_resources->LoadDialog(nullptr, name);
        delete dialog;
        LogRecorder::Entries().clear();
        return dialog != nullptr;
    }

    TempFolder m_temp;
    std::unique_ptr<wxXmlResource> m_resources;
};

// Each file loads on its own: a device without a file of its own, or a
// missing common file, still leaves the other's layouts; another device's
// file is not read; a folder name with blanks and "#" (an anchor in a
// location) loads.
TEST_F(ResourceFolder, EachFileLoadsOnItsOwn)
{
    struct Row
    {
        const char* folder;
        std::initializer_list<const char*> shipped;
        const char* appKey;
        bool loaded, welcome, settings;
    };
    const Row rows[] = {
        {"common only", {kCommonResourceName}, kAppKey, true, true, false},
        {"both", {kCommonResourceName, kAppKey}, kAppKey, true, true, true},
        {"another device", {kCommonResourceName, kAppKey}, "TolvarVeskEditor", true, true, false},
        {"device only", {kAppKey}, kAppKey, false, false, true},
        {"Program Files #2", {kCommonResourceName, kAppKey}, kAppKey, true, true, true},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.folder);
        Fresh();
        const std::string folder = Folder(row.folder, row.shipped);
        wxString problem;
        EXPECT_EQ(Load(folder, row.appKey, &problem), row.loaded);
        EXPECT_EQ(LogRecorder::Problems(), "") << "the caller tells the user";
        EXPECT_EQ(problem, row.loaded ? wxString()
                                      : "The window layouts file \"" + wxString::FromUTF8(folder) +
                                            "/Common.xrc\" is missing: the dialogs and settings panels it holds "
                                            "cannot be opened.");
        EXPECT_EQ(HasDialog("ID_WELCOMEDIALOG"), row.welcome);
        EXPECT_EQ(HasDialog("ID_TEMPLATEDIALOG"), row.settings);
    }
}

// A broken device file fails but leaves the common layouts; loading again
// reads the files afresh.
TEST_F(ResourceFolder, BrokenFilesFailAndLoadingAgainReadsAfresh)
{
    const std::string folder = Folder("program", {kCommonResourceName});
    const fs::path device = fs::path(folder) / (std::string(kAppKey) + ".xrc");
    std::ofstream(device) << "<resource><object class=\"wxDialog\"";
    EXPECT_FALSE(Load(folder));
    EXPECT_NE(LogRecorder::Problems(), "") << "the toolkit says what it could not read";
    EXPECT_TRUE(HasDialog("ID_SELECTMIDIDEVICESDIALOG"));

    for (const char* name : {"First", "Second"})
    {
        std::ofstream(device) << "<?xml version=\"1.0\"?><resource><object class=\"wxDialog\" name=\"" << name
                              << "\"/></resource>";
        ASSERT_TRUE(Load(folder));
        EXPECT_TRUE(HasDialog(name));
    }
    EXPECT_FALSE(HasDialog("First")) << "the old copy of the file is gone";
}

// A dialog whose layout is not loaded stays unopened and says which layout
// it lacks and which file should hold it.
TEST_F(ResourceFolder, ADialogWithoutItsLayoutNamesItAndItsFile)
{
    wxXmlResource* shipped = wxXmlResource::Set(m_resources.get());
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
} // namespace
