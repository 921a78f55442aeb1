#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <wx/fileconf.h>
#include <wx/init.h>

#include "app/Preferences.h"
#include "app/WxText.h"
#include "tests/app/ScopedEnv.h"
#include "tests/model/TempFolder.h"

namespace
{
// The base library without a GUI is enough for the file store.
class WxBase : public testing::Environment
{
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};
const auto* const g_wx = testing::AddGlobalTestEnvironment(new WxBase);

using Lines = std::vector<std::string>;
Lines Split(std::istream&& in, char separator)
{
    Lines out;
    for (std::string item; std::getline(in, item, separator);)
        out.push_back(item);
    return out;
}

const char* const kApp = "Dorva Editor";
const char* const kRecent = "RecentFile0=\nRecentFile1=\nRecentFile2=\nRecentFile3=\nRecentFile4=\n"
                            "RecentFile5=\nRecentFile6=\nRecentFile7=\n";

// A store that notes each key written, and each flush.
class RecordingConfig : public wxFileConfig
{
public:
    RecordingConfig(const wxString& path, Lines& log)
        : wxFileConfig(kApp, "Brennix", path, wxString(), wxCONFIG_USE_LOCAL_FILE), m_log(log) {}
    bool Flush(bool currentOnly) override { return m_log.push_back("flush"), wxFileConfig::Flush(currentOnly); }

protected:
    bool DoWriteString(const wxString& k, const wxString& v) override { return Note(k), wxFileConfig::DoWriteString(k, v); }
    bool DoWriteLong(const wxString& k, long v) override { return Note(k), wxFileConfig::DoWriteLong(k, v); }

private:
    // A number is written through the string writer: one note per call.
    void Note(const wxString& key)
    {
        if (m_log.empty() || m_log.back() != FromWx(key))
            m_log.push_back(FromWx(key));
    }
    Lines& m_log;
};

class RecordingPreferences : public Preferences
{
public:
    Lines log;

protected:
    std::unique_ptr<wxConfigBase> MakeStore(const std::string&, const std::string& path) override
    {
        return std::make_unique<RecordingConfig>(ToWx(path), log);
    }
};

class PreferencesTest : public testing::Test
{
protected:
    std::string StorePath() const { return m_folder.File("Brennix/Dorva Editor.conf"); }
    Lines StoredLines() const { return Split(std::ifstream(StorePath()), '\n'); }
    void WriteStore(const std::string& text) const
    {
        std::filesystem::create_directories(m_folder.File("Brennix"));
        std::ofstream(StorePath()) << text;
    }

    TempFolder m_folder;
    ScopedEnv m_xdg{"XDG_CONFIG_HOME", m_folder.Path().c_str()};
    ScopedEnv m_vst{"VST_PATH", "/opt/dorva test/vst:/usr/lib/vst"};
};
} // namespace

TEST_F(PreferencesTest, FirstRunStoresEveryKeyWithItsDefaultInLoadOrder)
{
    Preferences prefs;
    ASSERT_TRUE(prefs.Load(kApp));
    // On disk before any save, one line per key in the order first read.
    EXPECT_EQ(StoredLines(), Split(std::istringstream(
                                       std::string("StartupAction=0\nViewType=1\nReleaseDriver=1\n"
                                                   "UseExpandPanes=1\nShowOldOSDialog=1\nSendErrorsHome=1\n"
                                                   "ShowCtrlToolTips=1\nAbbreviateNames=1\nInputDevice=\n"
                                                   "OutputDevice=\n") +
                                       kRecent +
                                       "VSTDir=/opt/dorva test/vst\nLastPluginEnumerated=\n"
                                       "PluginsEnumeratedOK=1\nShouldUseAutoComplete=1\n"),
                                   '\n'));
    EXPECT_EQ(prefs.vstDir, "/opt/dorva test/vst");

    RecordingPreferences next;
    ASSERT_TRUE(next.Load(kApp));
    EXPECT_EQ(next.log, Lines{"flush"}) << "every key found, nothing recorded";
}

TEST_F(PreferencesTest, StoredValuesWinAndOnlyOneIsOn)
{
    WriteStore("StartupAction=3\nReleaseDriver=2\nUseExpandPanes=0\nShowOldOSDialog=-1\n"
               "InputDevice=USB Audio Device\nRecentFile0=/a.syx\nRecentFile1=/b.syx\n"
               "PluginsEnumeratedOK=0\nShouldUseAutoComplete=yes\n");
    Preferences prefs;
    ASSERT_TRUE(prefs.Load(kApp));
    EXPECT_EQ(prefs.startupAction, 3);
    EXPECT_TRUE(Preferences::IsOn(prefs.sendErrorsHome));
    EXPECT_FALSE(Preferences::IsOn(prefs.releaseDriver)) << "2 is not on";
    EXPECT_FALSE(Preferences::IsOn(prefs.useExpandPanes));
    EXPECT_FALSE(Preferences::IsOn(prefs.showOldOSDialog));
    EXPECT_EQ(prefs.inputDevice, "USB Audio Device");
    EXPECT_EQ(prefs.recentFiles.Count(), 2);
    EXPECT_EQ(prefs.pluginsEnumeratedOK, 0);
    EXPECT_EQ(prefs.shouldUseAutoComplete, 1) << "not a number: the default";
    ASSERT_TRUE(prefs.Save());
    const Lines stored = StoredLines();
    EXPECT_EQ(stored[1], "ReleaseDriver=2") << "kept as stored";
    EXPECT_EQ(stored[8], "ShouldUseAutoComplete=1") << "the bad text replaced";
}

TEST_F(PreferencesTest, EverySaveIsOnDiskAtOnceInSaveOrder)
{
    RecordingPreferences prefs;
    EXPECT_TRUE(prefs.Save());
    EXPECT_FALSE(std::filesystem::exists(StorePath())) << "nothing to save before Load";
    ASSERT_TRUE(prefs.Load(kApp));

    // The plug-in scan guard, saved before a plug-in is loaded: the next run
    // must find it although this run never closes its store.
    prefs.log.clear();
    prefs.pluginsEnumeratedOK = 0;
    prefs.lastPluginEnumerated = "/usr/lib/vst/crashy.so";
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(prefs.log, Split(std::istringstream("StartupAction ViewType ReleaseDriver UseExpandPanes "
                                                  "InputDevice OutputDevice ShowOldOSDialog SendErrorsHome "
                                                  "ShowCtrlToolTips AbbreviateNames RecentFile0 RecentFile1 "
                                                  "RecentFile2 RecentFile3 RecentFile4 RecentFile5 RecentFile6 "
                                                  "RecentFile7 VSTDir LastPluginEnumerated "
                                                  "PluginsEnumeratedOK ShouldUseAutoComplete flush"),
                               ' '));
    Preferences nextRun;
    ASSERT_TRUE(nextRun.Load(kApp));
    EXPECT_EQ(nextRun.pluginsEnumeratedOK, 0);
    EXPECT_EQ(nextRun.lastPluginEnumerated, "/usr/lib/vst/crashy.so");

    // A folder removed meanwhile is made again; after SaveOnExit nothing is written.
    std::filesystem::remove_all(m_folder.File("Brennix"));
    prefs.viewType = 0;
    ASSERT_TRUE(prefs.SaveOnExit());
    prefs.viewType = 2;
    EXPECT_TRUE(prefs.Save());
    EXPECT_EQ(StoredLines()[1], "ViewType=0");
}

TEST_F(PreferencesTest, PathsComeBackAsTheyWereAndHandWrittenReferencesAreExpanded)
{
    const Lines paths = {"/home/me/My Templates/Drums & Bass.syx", " leading and trailing blanks ",
                         "/home/me/$HOME/${draft.syx", "C:\\Templates\\\"quoted\".syx",
                         "/home/me/Gr\xC3\xBC\xC3\x9F" "e #1; [x]=y.syx", "/50% off\\$5.syx"};
    {
        Preferences prefs;
        ASSERT_TRUE(prefs.Load(kApp));
        for (auto it = paths.rbegin(); it != paths.rend(); ++it)
            prefs.recentFiles.Add(*it);
        ASSERT_TRUE(prefs.SaveOnExit());
    }
    Preferences again;
    ASSERT_TRUE(again.Load(kApp));
    for (size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(again.recentFiles.Get(static_cast<int>(i)), paths[i]);

    ScopedEnv plugins("DORVA_TEST_PLUGINS", "/srv/plugins");
    WriteStore("VSTDir=$DORVA_TEST_PLUGINS/vst\nRecentFile0=${DORVA_TEST_PLUGINS}/t.syx\n"
               "RecentFile1=$DORVA_TEST_UNSET/t.syx\n");
    Preferences edited;
    ASSERT_TRUE(edited.Load(kApp));
    EXPECT_EQ(edited.vstDir, "/srv/plugins/vst");
    EXPECT_EQ(edited.recentFiles.Get(0), "/srv/plugins/t.syx");
    EXPECT_EQ(edited.recentFiles.Get(1), "$DORVA_TEST_UNSET/t.syx");
}

TEST_F(PreferencesTest, StoreLocationAndAnUnwritableOne)
{
    {
        ScopedEnv home("HOME", "/home/someone");
        ScopedEnv relative("XDG_CONFIG_HOME", "relative/config"); // invalid: ignored
        EXPECT_EQ(Preferences::StoreFilePath(kApp), "/home/someone/.config/Brennix/Dorva Editor.conf");
    }
    std::ofstream(m_folder.File("Brennix")) << "a file where the folder belongs";
    Preferences prefs;
    EXPECT_FALSE(prefs.Load(kApp));
    EXPECT_EQ(prefs.viewType, 1);
    EXPECT_FALSE(prefs.Save());
}

TEST_F(PreferencesTest, AFileThatIsNoUtf8ReadsTheSameAfterItWasWrittenBack)
{
    // A UTF-16 byte-order mark first (and an even length), bytes that are no UTF-8 in values.
    WriteStore("\xFE\xFF\xFF\xFF" "e=2\nReleaseDriver=0\nInputDevice=In\xE9\nRecentFile0=/t/\xE9t\xE9.syx\n\n");
    Preferences first;
    ASSERT_TRUE(first.Load(kApp));
    ASSERT_TRUE(first.SaveOnExit());
    Preferences again;
    ASSERT_TRUE(again.Load(kApp));
    EXPECT_EQ(again.releaseDriver, first.releaseDriver);
    EXPECT_EQ(again.inputDevice, first.inputDevice);
    EXPECT_EQ(again.recentFiles.Get(0), first.recentFiles.Get(0));
}
