#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <wx/fileconf.h>
#include <wx/init.h>

#include "app/Preferences.h"
#include "app/VSTPluginsPath.h"
#include "app/WxText.h"
#include "tests/app/ScopedEnv.h"
#include "tests/model/TempFolder.h"

namespace
{
// Notes each key written (once per call: a number goes through the string writer too) and each flush.
struct RecordingConfig : wxFileConfig
{
    RecordingConfig(const std::string& path, std::string& log)
        : wxFileConfig("Dorva Editor", "Brennix", ToWx(path), wxString(), wxCONFIG_USE_LOCAL_FILE), log(log) {}
    bool Flush(bool currentOnly) override { return log += "flush", wxFileConfig::Flush(currentOnly); }
    bool DoWriteString(const wxString& k, const wxString& v) override { return Note(k), wxFileConfig::DoWriteString(k, v); }
    bool DoWriteLong(const wxString& k, long v) override { return Note(k), wxFileConfig::DoWriteLong(k, v); }
    void Note(const wxString& key)
    {
        if (log.size() < key.size() + 1 || log.compare(log.size() - key.size() - 1, key.size(), FromWx(key)) != 0)
            log += FromWx(key) + " ";
    }
    std::string& log;
};
struct RecordingPreferences : Preferences
{
    std::string log;
    std::unique_ptr<wxConfigBase> MakeStore(const std::string&, const std::string& path) override
    {
        return std::make_unique<RecordingConfig>(path, log);
    }
};

struct PreferencesTest : testing::Test
{
    std::string StorePath() const { return m_folder.File("Brennix/Dorva Editor.conf"); }
    std::string Stored() const
    {
        std::ifstream in(StorePath());
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteStore(const std::string& text) const
    {
        std::filesystem::create_directories(m_folder.File("Brennix"));
        std::ofstream(StorePath()) << text;
    }
    wxInitializer m_wx; // the base library is enough for the file store
    TempFolder m_folder;
    ScopedEnv m_xdg{"XDG_CONFIG_HOME", m_folder.Path().c_str()};
    ScopedEnv m_vst{"VST_PATH", "/opt/dorva test/vst:/usr/lib/vst"};
};
} // namespace

TEST_F(PreferencesTest, FirstRunStoresEveryDefaultInLoadOrderAndStoredValuesWin)
{
    Preferences prefs;
    ASSERT_TRUE(prefs.Load("Dorva Editor"));
    EXPECT_EQ(Stored(), "StartupAction=0\nViewType=1\nReleaseDriver=1\nUseExpandPanes=1\nShowOldOSDialog=1\n"
                        "SendErrorsHome=1\nShowCtrlToolTips=1\nAbbreviateNames=1\nInputDevice=\nOutputDevice=\n"
                        "RecentFile0=\nRecentFile1=\nRecentFile2=\nRecentFile3=\nRecentFile4=\nRecentFile5=\n"
                        "RecentFile6=\nRecentFile7=\nVSTDir=/opt/dorva test/vst\nLastPluginEnumerated=\n"
                        "PluginsEnumeratedOK=1\nShouldUseAutoComplete=1\n");
    RecordingPreferences next;
    ASSERT_TRUE(next.Load("Dorva Editor"));
    EXPECT_EQ(next.log, "flush") << "every key found, nothing written";

    WriteStore("StartupAction=3\nReleaseDriver=2\nUseExpandPanes=0\nShowOldOSDialog=-1\nInputDevice=USB In\n"
               "RecentFile0=/a.syx\nRecentFile1=/b.syx\nPluginsEnumeratedOK=0\nShouldUseAutoComplete=yes\n"
               "=x\n \\ =y\n[g]\nA=1\n[/g]\nA=2\n"); // no name, a group met twice: no toolkit assertion
    ASSERT_TRUE(prefs.Load("Dorva Editor"));
    // Only a stored 1 is on; a value that is no number reads as the default.
    const auto on = [](int value) { return Preferences::IsOn(value) ? "on " : "off "; };
    EXPECT_EQ(std::to_string(prefs.startupAction) + " " + on(prefs.sendErrorsHome) + on(prefs.releaseDriver) +
                  on(prefs.useExpandPanes) + on(prefs.showOldOSDialog) + prefs.inputDevice + " " +
                  std::to_string(prefs.recentFiles.Count()) + std::to_string(prefs.pluginsEnumeratedOK) +
                  std::to_string(prefs.shouldUseAutoComplete),
              "3 on off off off USB In 201");
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(Stored().substr(0, Stored().find("\nShowOldOSDialog")), "StartupAction=3\nReleaseDriver=2\nUseExpandPanes=0");
    EXPECT_NE(Stored().find("\nShouldUseAutoComplete=1\n"), std::string::npos) << "the bad text replaced";
    EXPECT_EQ(Stored().substr(Stored().find("\n[g]")), "\n[g]\nA=1\n") << "the lines the toolkit cannot read are gone";
}

TEST_F(PreferencesTest, EverySaveIsOnDiskAtOnceInSaveOrder)
{
    RecordingPreferences prefs;
    EXPECT_TRUE(prefs.Save());
    EXPECT_FALSE(std::filesystem::exists(StorePath())) << "nothing to save before Load";
    ASSERT_TRUE(prefs.Load("Dorva Editor"));
    // The plug-in scan's guard: the next run must find it although this run never closes its store.
    prefs.log.clear();
    prefs.pluginsEnumeratedOK = 0;
    prefs.lastPluginEnumerated = "/usr/lib/vst/crashy.so";
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(prefs.log, "StartupAction ViewType ReleaseDriver UseExpandPanes InputDevice OutputDevice ShowOldOSDialog "
                         "SendErrorsHome ShowCtrlToolTips AbbreviateNames RecentFile0 RecentFile1 RecentFile2 RecentFile3 "
                         "RecentFile4 RecentFile5 RecentFile6 RecentFile7 VSTDir LastPluginEnumerated PluginsEnumeratedOK "
                         "ShouldUseAutoComplete flush");
    Preferences nextRun;
    ASSERT_TRUE(nextRun.Load("Dorva Editor"));
    EXPECT_EQ(nextRun.lastPluginEnumerated + std::to_string(nextRun.pluginsEnumeratedOK), "/usr/lib/vst/crashy.so0");
    // A folder removed meanwhile is made again; after SaveOnExit nothing is written.
    std::filesystem::remove_all(m_folder.File("Brennix"));
    prefs.viewType = 0;
    ASSERT_TRUE(prefs.SaveOnExit());
    prefs.viewType = 2;
    EXPECT_TRUE(prefs.Save());
    EXPECT_NE(Stored().find("\nViewType=0\n"), std::string::npos);
}

TEST_F(PreferencesTest, PathsComeBackAsTheyWereAndHandWrittenReferencesAreExpanded)
{
    const std::vector<std::string> paths = {"/home/me/My Templates/Drums & Bass.syx", " blanks ", "/home/me/$HOME/${draft.syx",
                         "C:\\T\\\"quoted\".syx", "/Gr\xC3\xBC\xC3\x9F" "e #1; [x]=y.syx", "/50% off\\$5.syx"};
    Preferences prefs, again;
    ASSERT_TRUE(prefs.Load("Dorva Editor"));
    for (auto it = paths.rbegin(); it != paths.rend(); ++it)
        prefs.recentFiles.Add(*it);
    ASSERT_TRUE(prefs.SaveOnExit());
    ASSERT_TRUE(again.Load("Dorva Editor"));
    for (size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(again.recentFiles.Get(static_cast<int>(i)), paths[i]);

    ScopedEnv plugins("DORVA_TEST_PLUGINS", "/srv/plugins");
    WriteStore("VSTDir=$DORVA_TEST_PLUGINS/vst\nRecentFile0=${DORVA_TEST_PLUGINS}/t.syx\n"
               "RecentFile1=$DORVA_TEST_UNSET/t.syx\n");
    ASSERT_TRUE(again.Load("Dorva Editor"));
    EXPECT_EQ(again.vstDir + "|" + again.recentFiles.Get(0) + "|" + again.recentFiles.Get(1),
              "/srv/plugins/vst|/srv/plugins/t.syx|$DORVA_TEST_UNSET/t.syx");
}

TEST_F(PreferencesTest, StoreLocationAFileThatIsNoUtf8AndAnUnwritableStore)
{
    {
        ScopedEnv home("HOME", "/home/someone");
        ScopedEnv relative("XDG_CONFIG_HOME", "relative/config"); // invalid: ignored
        EXPECT_EQ(Preferences::StoreFilePath("Dorva Editor"), "/home/someone/.config/Brennix/Dorva Editor.conf");
    }
    // A UTF-16 byte-order mark first (and an even length), bytes that are no UTF-8 in values.
    // A byte run read as a character beyond Unicode is damage: that value takes its default.
    // A path is bytes, kept as they are: a file or plug-in folder named in Latin-1.
    WriteStore("\xFE\xFF\xFF\xFF" "e=2\nReleaseDriver=0\nInputDevice=In\xE9\nRecentFile0=/t/\xE9t\xE9.syx\n\n"
               "LastPluginEnumerated=/x\xF5\xAF\x93\x8C.so\nVSTDir=/t/caf\xE9\n");
    Preferences first, again, unwritable;
    ASSERT_TRUE(first.Load("Dorva Editor"));
    EXPECT_EQ(first.recentFiles.Get(0) + "|" + first.vstDir, "/t/\xE9t\xE9.syx|/t/caf\xE9");
    first.recentFiles.Add("/t/\xFC" "ber.syx");
    ASSERT_TRUE(first.SaveOnExit());
    ASSERT_TRUE(again.Load("Dorva Editor"));
    EXPECT_EQ(again.releaseDriver, first.releaseDriver);
    EXPECT_EQ(again.inputDevice + again.recentFiles.Get(0), first.inputDevice + first.recentFiles.Get(0));
    EXPECT_EQ(again.recentFiles.Get(0) + "|" + again.recentFiles.Get(1) + "|" + again.vstDir,
              "/t/\xFC" "ber.syx|/t/\xE9t\xE9.syx|/t/caf\xE9");
    EXPECT_EQ(first.lastPluginEnumerated + again.lastPluginEnumerated, "");

    std::filesystem::remove_all(m_folder.File("Brennix"));
    std::ofstream(m_folder.File("Brennix")) << "a file where the folder belongs";
    EXPECT_FALSE(unwritable.Load("Dorva Editor"));
    EXPECT_EQ(unwritable.viewType, 1);
    EXPECT_FALSE(unwritable.Save());
}

TEST(RecentFiles, AddMovesAPresentPathUpAndRemoveKeepsTheListDense)
{
    RecentFiles list;
    const auto entries = [&list] {
        std::string all;
        for (int i = 0; i < RecentFiles::kSize; ++i)
            all += list.Get(i) + ",";
        return all + std::to_string(list.Count());
    };
    for (int i = 8; i >= 1; --i)
        list.Add(std::to_string(i) + ".syx");
    for (const char* path : {"5.syx", "5.SYX", "new.syx", ""}) // "5.SYX" is another file here, "" none
        list.Add(path);
    EXPECT_EQ(entries(), "new.syx,5.SYX,5.syx,1.syx,2.syx,3.syx,4.syx,6.syx,8");
    EXPECT_TRUE(list.Remove("1.syx"));
    EXPECT_FALSE(list.Remove("1.syx") || list.Remove(""));
    EXPECT_EQ(entries(), "new.syx,5.SYX,5.syx,2.syx,3.syx,4.syx,6.syx,,7");
    list.Clear();
    // A gap comes only from hand-edited stored values: the count stops there.
    for (int i : {0, 2, 8})
        list.Set(i, "f" + std::to_string(i));
    EXPECT_EQ(entries(), "f0,,f2,,,,,,1");
    list.Set(0, "");
    EXPECT_EQ(entries(), ",,f2,,,,,,0");
}

TEST(VSTPluginsPath, TheFirstEntryOfVstPathThenTheHomeFolder)
{
    TempFolder home;
    ScopedEnv homeEnv("HOME", home.Path().c_str()), path("VST_PATH", "::/opt/my vst:/usr/lib/vst");
    std::filesystem::create_directory(home.File(".vst"));
    EXPECT_EQ(GetVSTPluginsPath(), "/opt/my vst");
    ScopedEnv unset("VST_PATH", nullptr);
    EXPECT_EQ(GetVSTPluginsPath(), home.File(".vst"));
}
