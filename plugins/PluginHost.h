#pragma once

#include <string>

struct VSTPluginInfo;

// Watches a scan; both calls come on the scanning thread, from inside
// CVSTPluginExaminer::ExamineFolder.
class IPluginHost
{
public:
    virtual ~IPluginHost() = default;
    // The full path of the file about to be loaded.
    virtual void OnExamining(const std::string& path) = 0;
    // The plug-in just recorded.
    virtual void OnPluginExamined(const VSTPluginInfo& info) = 0;
};
