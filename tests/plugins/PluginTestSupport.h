#pragma once

#include <string>
#include <vector>

#include "plugins/PluginHost.h"
#include "plugins/VSTPluginInfo.h"

// Copies the test plug-in built as <variant>.so to folder/<name>, making folders as needed.
void InstallTestPlugin(const std::string& variant, const std::string& folder, const std::string& name);

// Writes a text file, making its folder as needed.
void WriteTextFile(const std::string& path, const std::string& text);

// What a loaded test plug-in logged ("opcode:index:value:opt " per dispatcher
// call) and how often its entry point ran; the library stays loaded, so the
// same instance answers.
std::string TestPluginLog(const std::string& path);
int TestPluginEntries(const std::string& path);

// A preference value as the store file of this application name on disk
// holds it now; "(missing)" when it holds none.
std::string StoredPreference(const std::string& appName, const std::string& key);

// Notes every call of a scan.
class RecordingPluginHost : public IPluginHost
{
public:
    void OnExamining(const std::string& path) override { examined.push_back(path); }
    void OnPluginExamined(const VSTPluginInfo& info) override { recorded.push_back(info.fileName); }

    std::vector<std::string> examined;
    std::vector<std::string> recorded;
};
