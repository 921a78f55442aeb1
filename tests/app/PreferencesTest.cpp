#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <wx/fileconf.h>
#include <wx/init.h>

#include "app/Preferences.h"
#include "app/WxText.h"
#include "tests/app/TestFolder.h"

namespace
{
// The base library without a GUI: enough for the file store.
class WxBaseEnvironment : public testing::Environment
{
public:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};
const testing::Environment* const g_wx = testing::AddGlobalTestEnvironment(new WxBaseEnvironment);

const char* const kApp = "Dorva Editor";

// Load order, which is also the order in which a first run records the keys.
const std::vector<std::string> kLoadOrder = {
    "StartupAction", "ViewType", "ReleaseDriver", "UseExpandPanes", "ShowOldOSDialog",
    "SendErrorsHome", "ShowCtrlToolTips", "AbbreviateNames", "InputDevice", "OutputDevice",
    "RecentFile0", "RecentFile1", "RecentFile2", "RecentFile3", "RecentFile4", "RecentFile5",
    "RecentFile6", "RecentFile7", "VSTDir", "LastPluginEnumerated", "PluginsEnumeratedOK",
    "ShouldUseAutoComplete"};

const std::vector<std::string> kSaveOrder = {
    "StartupAction", "ViewType", "ReleaseDriver", "UseExpandPanes", "InputDevice", "OutputDevice",
    "ShowOldOSDialog", "SendErrorsHome", "ShowCtrlToolTips", "AbbreviateNames", "RecentFile0",
    "RecentFile1", "RecentFile2", "RecentFile3", "RecentFile4", "RecentFile5", "RecentFile6",
    "RecentFile7", "VSTDir", "LastPluginEnumerated", "PluginsEnumeratedOK",
    "ShouldUseAutoComplete"};

class PreferencesTest : public testing::Test
{
protected:
    std::string StorePath() const { return m_folder.Path() + "/Brennix/Dorva Editor.conf"; }

    // Every entry of the stored file, unexpanded, as its text.
    std::map<std::string, std::string> Stored() const
    {
        wxFileConfig file(kApp, "Brennix", ToWx(StorePath()), wxString(), wxCONFIG_USE_LOCAL_FILE);
        file.SetExpandEnvVars(false);
        std::map<std::string, std::string> entries;
        wxString key;
        long cookie = 0;
        for (bool more = file.GetFirstEntry(key, cookie); more; more = file.GetNextEntry(key, cookie))
            entries[FromWx(key)] = FromWx(file.Read(key, wxString()));
        return entries;
    }

    TestFolder m_folder;
    ScopedEnv m_xdg{"XDG_CONFIG_HOME", m_folder.Path().c_str()};
    ScopedEnv m_vst{"VST_PATH", "/opt/dorva test/vst:/usr/lib/vst"};
};

// A file store that notes which keys are read and written, and each flush.
class RecordingConfig : public wxFileConfig
{
public:
    RecordingConfig(const wxString& path, std::vector<std::string>& log)
        : wxFileConfig(kApp, "Brennix", path, wxString(), wxCONFIG_USE_LOCAL_FILE), m_log(log)
    {
    }
    bool Flush(bool currentOnly = false) override
    {
        m_log.push_back("flush");
        return wxFileConfig::Flush(currentOnly);
    }

protected:
    bool DoReadString(const wxString& key, wxString* value) const override
    {
        Note("read " + key);
        return wxFileConfig::DoReadString(key, value);
    }
    bool DoReadLong(const wxString& key, long* value) const override
    {
        Note("read " + key);
        return wxFileConfig::DoReadLong(key, value);
    }
    bool DoWriteString(const wxString& key, const wxString& value) override
    {
        Note("write " + key);
        return wxFileConfig::DoWriteString(key, value);
    }
    bool DoWriteLong(const wxString& key, long value) override
    {
        Note("write " + key);
        return wxFileConfig::DoWriteLong(key, value);
    }

private:
    // The store reads a number through its string reader: one note per call.
    void Note(const wxString& entry) const
    {
        const std::string text = FromWx(entry);
        if (m_log.empty() || m_log.back() != text)
            m_log.push_back(text);
    }
    std::vector<std::string>& m_log;
};

class RecordingPreferences : public Preferences
{
public:
    std::vector<std::string> log;

protected:
    std::unique_ptr<wxConfigBase> MakeStore(const std::string&, const std::string& path) override
    {
        return std::make_unique<RecordingConfig>(ToWx(path), log);
    }
};

std::vector<std::string> Prefixed(const char* prefix, const std::vector<std::string>& keys)
{
    std::vector<std::string> out;
    for (const std::string& key : keys)
        out.push_back(prefix + key);
    return out;
}
} // namespace

TEST_F(PreferencesTest, FirstRunStoresEveryKeyWithItsDefault)
{
    ASSERT_FALSE(std::filesystem::exists(m_folder.Path() + "/Brennix"));
    Preferences prefs;
    ASSERT_TRUE(prefs.Load(kApp));

    const std::map<std::string, std::string> expected = {
        {"StartupAction", "0"}, {"ViewType", "1"}, {"ReleaseDriver", "1"}, {"UseExpandPanes", "1"},
        {"ShowOldOSDialog", "1"}, {"SendErrorsHome", "1"}, {"ShowCtrlToolTips", "1"},
        {"AbbreviateNames", "1"}, {"InputDevice", ""}, {"OutputDevice", ""}, {"RecentFile0", ""},
        {"RecentFile1", ""}, {"RecentFile2", ""}, {"RecentFile3", ""}, {"RecentFile4", ""},
        {"RecentFile5", ""}, {"RecentFile6", ""}, {"RecentFile7", ""},
        {"VSTDir", "/opt/dorva test/vst"}, {"LastPluginEnumerated", ""},
        {"PluginsEnumeratedOK", "1"}, {"ShouldUseAutoComplete", "1"}};
    // On disk before any save: the plug-in scan guard and a crash rely on it.
    EXPECT_EQ(Stored(), expected);

    EXPECT_EQ(prefs.startupAction, 0);
    EXPECT_EQ(prefs.viewType, 1);
    EXPECT_TRUE(Preferences::IsOn(prefs.releaseDriver));
    EXPECT_TRUE(Preferences::IsOn(prefs.pluginsEnumeratedOK));
    EXPECT_EQ(prefs.vstDir, "/opt/dorva test/vst");
    EXPECT_EQ(prefs.recentFiles.Count(), 0);
}

TEST_F(PreferencesTest, StoredValuesWinAndOnlyOneIsOn)
{
    WriteWholeFile(StorePath(), "StartupAction=3\n"
                                "ViewType=2\n"
                                "ReleaseDriver=2\n"
                                "UseExpandPanes=0\n"
                                "ShowOldOSDialog=-1\n"
                                "SendErrorsHome=1\n"
                                "InputDevice=USB Audio Device\n"
                                "RecentFile0=/songs/a.syx\n"
                                "RecentFile1=/songs/b.syx\n"
                                "VSTDir=/home/me/vst\n"
                                "PluginsEnumeratedOK=0\n"
                                "LastPluginEnumerated=/usr/lib/vst/bad.so\n"
                                "ShouldUseAutoComplete=yes\n");
    Preferences prefs;
    ASSERT_TRUE(prefs.Load(kApp));
    EXPECT_EQ(prefs.startupAction, 3);
    EXPECT_EQ(prefs.viewType, 2);
    EXPECT_FALSE(Preferences::IsOn(prefs.releaseDriver)) << "2 is not on";
    EXPECT_FALSE(Preferences::IsOn(prefs.useExpandPanes));
    EXPECT_FALSE(Preferences::IsOn(prefs.showOldOSDialog));
    EXPECT_TRUE(Preferences::IsOn(prefs.sendErrorsHome));
    EXPECT_EQ(prefs.inputDevice, "USB Audio Device");
    EXPECT_EQ(prefs.recentFiles.Count(), 2);
    EXPECT_EQ(prefs.recentFiles.Get(1), "/songs/b.syx");
    EXPECT_EQ(prefs.vstDir, "/home/me/vst");
    EXPECT_EQ(prefs.pluginsEnumeratedOK, 0);
    EXPECT_EQ(prefs.lastPluginEnumerated, "/usr/lib/vst/bad.so");
    // Not a number: the default, recorded over the bad text.
    EXPECT_EQ(prefs.shouldUseAutoComplete, 1);
    EXPECT_EQ(Stored().at("ShouldUseAutoComplete"), "1");

    // A save keeps an odd value as it was stored.
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(Stored().at("ReleaseDriver"), "2");
    EXPECT_EQ(Stored().at("ShowOldOSDialog"), "-1");
}

TEST_F(PreferencesTest, EverySaveReachesTheDiskAtOnce)
{
    Preferences prefs;
    ASSERT_TRUE(prefs.Load(kApp));

    // The scan guard: saved before a plug-in is loaded, read by the next run
    // even though this store is never closed.
    prefs.pluginsEnumeratedOK = 0;
    prefs.lastPluginEnumerated = "/usr/lib/vst/crashy.so";
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(Stored().at("PluginsEnumeratedOK"), "0");
    EXPECT_EQ(Stored().at("LastPluginEnumerated"), "/usr/lib/vst/crashy.so");

    Preferences nextRun;
    ASSERT_TRUE(nextRun.Load(kApp));
    EXPECT_EQ(nextRun.pluginsEnumeratedOK, 0);
    EXPECT_EQ(nextRun.lastPluginEnumerated, "/usr/lib/vst/crashy.so");
}

TEST_F(PreferencesTest, SaveBeforeLoadAndAfterExitWritesNothing)
{
    Preferences prefs;
    prefs.startupAction = 4;
    EXPECT_TRUE(prefs.Save());
    EXPECT_FALSE(std::filesystem::exists(StorePath()));

    ASSERT_TRUE(prefs.Load(kApp));
    EXPECT_EQ(prefs.startupAction, 0);
    prefs.startupAction = 2;
    EXPECT_TRUE(prefs.SaveOnExit());
    EXPECT_FALSE(prefs.IsLoaded());
    EXPECT_EQ(Stored().at("StartupAction"), "2");

    prefs.startupAction = 4;
    EXPECT_TRUE(prefs.Save());
    EXPECT_EQ(Stored().at("StartupAction"), "2");
}

TEST_F(PreferencesTest, LoadAndSaveOrder)
{
    RecordingPreferences prefs;
    ASSERT_TRUE(prefs.Load(kApp));
    std::vector<std::string> firstRun;
    for (const std::string& key : kLoadOrder)
    {
        firstRun.push_back("read " + key);
        firstRun.push_back("write " + key); // the default, recorded
    }
    firstRun.push_back("flush");
    EXPECT_EQ(prefs.log, firstRun);

    prefs.log.clear();
    ASSERT_TRUE(prefs.Save());
    std::vector<std::string> save = Prefixed("write ", kSaveOrder);
    save.push_back("flush");
    EXPECT_EQ(prefs.log, save);

    // A second run finds every key and records nothing.
    RecordingPreferences second;
    ASSERT_TRUE(second.Load(kApp));
    std::vector<std::string> secondRun = Prefixed("read ", kLoadOrder);
    secondRun.push_back("flush");
    EXPECT_EQ(second.log, secondRun);
}

TEST_F(PreferencesTest, AwkwardTextRoundTrips)
{
    const std::vector<std::string> paths = {
        "/home/me/My Templates/Drums & Bass.syx",
        " leading and trailing blanks ",
        "/home/me/$HOME/${draft.syx",
        "C:\\Templates\\\"quoted\".syx",
        "/home/me/Gr\xC3\xBC\xC3\x9F" "e #1; [x]=y.syx",
        "/home/me/50% off\\$5.syx"};
    {
        Preferences prefs;
        ASSERT_TRUE(prefs.Load(kApp));
        for (auto it = paths.rbegin(); it != paths.rend(); ++it)
            prefs.recentFiles.Add(*it);
        prefs.inputDevice = "Port A & B $1";
        prefs.vstDir = "/opt/vst folder";
        ASSERT_TRUE(prefs.SaveOnExit());
    }
    Preferences again;
    ASSERT_TRUE(again.Load(kApp));
    for (size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(again.recentFiles.Get(static_cast<int>(i)), paths[i]) << i;
    EXPECT_EQ(again.recentFiles.Count(), static_cast<int>(paths.size()));
    EXPECT_EQ(again.inputDevice, "Port A & B $1");
    EXPECT_EQ(again.vstDir, "/opt/vst folder");
}

TEST_F(PreferencesTest, EnvironmentReferencesAreExpanded)
{
    ScopedEnv plugins("DORVA_TEST_PLUGINS", "/srv/plugins");
    WriteWholeFile(StorePath(), "VSTDir=$DORVA_TEST_PLUGINS/vst\n"
                                "RecentFile0=${DORVA_TEST_PLUGINS}/t.syx\n"
                                "RecentFile1=$DORVA_TEST_UNSET_NAME/t.syx\n");
    Preferences prefs;
    ASSERT_TRUE(prefs.Load(kApp));
    EXPECT_EQ(prefs.vstDir, "/srv/plugins/vst");
    EXPECT_EQ(prefs.recentFiles.Get(0), "/srv/plugins/t.syx");
    EXPECT_EQ(prefs.recentFiles.Get(1), "$DORVA_TEST_UNSET_NAME/t.syx");
}

TEST_F(PreferencesTest, StoreFollowsXdgConfigHome)
{
    EXPECT_EQ(Preferences::StoreFilePath(kApp), StorePath());
    {
        ScopedEnv home("HOME", "/home/someone");
        ScopedEnv unset("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(Preferences::StoreFilePath(kApp), "/home/someone/.config/Brennix/Dorva Editor.conf");
        ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(Preferences::StoreFilePath(kApp), "/home/someone/.config/Brennix/Dorva Editor.conf");
    }
}

TEST_F(PreferencesTest, RemovedFolderIsMadeAgainOnSave)
{
    Preferences prefs;
    ASSERT_TRUE(prefs.Load(kApp));
    std::filesystem::remove_all(m_folder.Path() + "/Brennix");
    prefs.viewType = 0;
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(Stored().at("ViewType"), "0");
}

TEST_F(PreferencesTest, UnwritableStoreReadsDefaultsAndSaysSo)
{
    // The vendor folder's place is taken by a file.
    WriteWholeFile(m_folder.Path() + "/Brennix", "not a folder");
    Preferences prefs;
    EXPECT_FALSE(prefs.Load(kApp));
    EXPECT_EQ(prefs.viewType, 1);
    EXPECT_EQ(prefs.vstDir, "/opt/dorva test/vst");
    prefs.viewType = 2;
    EXPECT_FALSE(prefs.Save());
    EXPECT_EQ(ReadWholeFile(m_folder.Path() + "/Brennix"), "not a folder");
}
