#pragma once

#include <memory>
#include <string>

#include "app/RecentFiles.h"

class wxConfigBase;
class wxString;

// The stored preference values with their defaults. Booleans are kept as the
// stored int: a value is on only when it equals 1 (Preferences::IsOn), and a
// stored 2 is written back as 2.
struct PreferenceValues
{
    int startupAction = 0;         // 0 welcome, 1 nothing, 2 new, 3 most recent file, 4 open dialog
    int viewType = 1;              // 0 info, 1 name, 2 MIDI channel, 3 fixed labels
    int releaseDriver = 1;         // MIDI ports open only while the program is active
    int useExpandPanes = 1;
    int showOldOSDialog = 1;
    int sendErrorsHome = 1;
    int showCtrlToolTips = 1;
    int abbreviateNames = 1;
    std::string inputDevice;
    std::string outputDevice;
    RecentFiles recentFiles;
    std::string vstDir;            // default: GetVSTPluginsPath()
    std::string lastPluginEnumerated;
    int pluginsEnumeratedOK = 1;   // 0 while a plug-in scan runs
    int shouldUseAutoComplete = 1;
};

// The program-wide preferences, held in memory from Load to exit, and their
// store: $XDG_CONFIG_HOME/Brennix/<application name>.conf (~/.config when
// XDG_CONFIG_HOME is unset). Reading a missing key writes its default, so the
// first run stores every key. Every Load and Save ends with the file flushed
// to disk: the plug-in scan saves around each plug-in it loads and relies on
// the file being current if that plug-in crashes the process.
// Stored text may use environment references ($HOME, ${HOME}); they are
// expanded on reading. Text this program writes is stored literally.
// GUI thread only.
class Preferences : public PreferenceValues
{
public:
    static constexpr const char* kVendor = "Brennix";

    Preferences();
    virtual ~Preferences();
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    static bool IsOn(int value) { return value == 1; }

    // Opens the store for this application name and reads every key.
    // False when the store could not be written (the values are still read).
    bool Load(const std::string& appName);
    // Writes every value and flushes. Does nothing (true) before Load;
    // false when the file could not be written.
    bool Save();
    // Save, then closes the store.
    bool SaveOnExit();
    bool IsLoaded() const { return m_store != nullptr; }

    // Where Load keeps the preferences of this application name.
    static std::string StoreFilePath(const std::string& appName);

protected:
    // The store behind a path; tests substitute one that records its calls.
    virtual std::unique_ptr<wxConfigBase> MakeStore(const std::string& appName,
                                                    const std::string& filePath);

private:
    void ReadInt(const char* key, int& value, int defaultValue);
    void ReadString(const char* key, std::string& value, const std::string& defaultValue);
    void WriteInt(const char* key, int value);
    void WriteString(const char* key, const std::string& value);
    bool Flush();

    std::unique_ptr<wxConfigBase> m_store;
    std::string m_filePath;
};
