#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "plugins/ExaminerHelpers.h"
#include "plugins/VSTPluginInfo.h"

class IPluginHost;
class Preferences;

// Finds the VST 2 plug-ins in a folder tree and reads each one's vendor, name
// and parameter names, each library loaded as a host would by the helper
// program in a process of its own (ExamineInHelpers): a library that crashes,
// hangs or ends its process is passed over as one that does not load, and
// the program with its open templates goes on. Several libraries are
// examined at once; the records keep the order of the scan.
//
// The scan guard ("PluginsEnumeratedOK" 0 during the scan,
// "LastPluginEnumerated" the library examined last) is saved and flushed
// before each library, so a scan that the end of the program cuts short is
// named at the next start. GUI thread only; a scan blocks until it ends.
class CVSTPluginExaminer
{
public:
    // preferences: where the scan guard is saved (not owned; null keeps no guard).
    explicit CVSTPluginExaminer(Preferences* preferences);

    // Scans the folder and every folder below it; files come before folders
    // and names are taken in byte order, so the result's order is stable.
    // Each library is announced to the host as its examination starts, in
    // that order, and each record as soon as those before it are in.
    // A folder that cannot be opened gives no plug-ins. host may be null.
    void ExamineFolder(const std::string& folder, IPluginHost* host);
    // Examines one library; a plug-in that loads and answers is appended.
    // What is not a whole shared object (a folder, a FIFO, a file cut short)
    // is announced to the host but given to no helper.
    void ExamineDll(const std::string& path);

    std::size_t GetPluginCount() const { return m_plugins.size(); }
    // i must be below GetPluginCount().
    const VSTPluginInfo& GetPlugin(std::size_t i) const { return m_plugins.at(i); }

private:
    // Adds the libraries to examine below folder, in scan order.
    void Traverse(const std::string& folder, std::set<std::string>& visited, std::vector<std::string>& libraries);
    // Examines the libraries and appends their records in the order given.
    void Examine(const std::vector<std::string>& libraries);
    // Saves the guard naming the library and announces it; true when it is a
    // whole shared object, which a helper then examines.
    bool OnStarting(const std::string& path);
    void SaveGuard();

    std::vector<VSTPluginInfo> m_plugins;
    IPluginHost* m_host = nullptr;
    Preferences* m_preferences;
    HelperSettings m_helpers;
};

// The record of the plug-in at path from the names a helper read: file name
// and folder from the path, the file name for an empty effect name, each
// parameter's short name made with the application's abbreviations for its
// control names.
VSTPluginInfo MakeVSTPluginInfo(const std::string& path, const PluginNames& names);
