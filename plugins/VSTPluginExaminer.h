#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "plugins/VSTPluginInfo.h"
#include "plugins/VstPluginRecord.h"

class IPluginHost;
class Preferences;

// Finds the VST 2 plug-ins in a folder tree and reads each one's vendor, name
// and parameter names by loading it as a host would.
//
// Loading runs foreign code in this process. Around every library the scan
// guard ("PluginsEnumeratedOK" 0 during the scan, "LastPluginEnumerated" the
// library) is saved and flushed, so a plug-in that crashes the program is
// named at the next start. Libraries whose entry point ran stay loaded until
// the program ends: some register global state that unloading would break.
// GUI thread only; a scan blocks until it ends.
class CVSTPluginExaminer
{
public:
    // preferences: where the scan guard is saved (not owned; null keeps no guard).
    explicit CVSTPluginExaminer(Preferences* preferences);

    // Scans the folder and every folder below it; files come before folders
    // and names are taken in byte order, so the result's order is stable.
    // A folder that cannot be opened gives no plug-ins. host may be null.
    void ExamineFolder(const std::string& folder, IPluginHost* host);
    // Examines one library; a plug-in that loads and answers is appended.
    // What is not a whole shared object (a folder, a FIFO, a file cut short)
    // is announced to the host but never loaded.
    void ExamineDll(const std::string& path);

    std::size_t GetPluginCount() const { return m_plugins.size(); }
    // i must be below GetPluginCount().
    const VSTPluginInfo& GetPlugin(std::size_t i) const { return m_plugins.at(i); }

private:
    void Traverse(const std::string& folder, std::set<std::string>& visited);
    // The body shared by files and folders met in the scan.
    void OnEntry(const std::string& path, const std::string& name);
    void SaveGuard();

    std::vector<VSTPluginInfo> m_plugins;
    IPluginHost* m_host = nullptr;
    Preferences* m_preferences;
};

// Opens a plug-in whose entry point ran and reads its vendor, name and
// parameter names (names are cut to their buffers); the caller closes it.
VSTPluginInfo ReadVSTPluginInfo(VstPluginRecord& record, const std::string& path);

// The callback this host gives plug-ins: version 2300; asked for the sample
// rate or block size it sets them on the plug-in (44100, 512); everything else
// is 0. A null record (a plug-in calling from inside its entry point) is fine.
intptr_t VstHostCallback(VstPluginRecord* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                         float opt);
