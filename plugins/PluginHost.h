#pragma once

#include <string>

struct VSTPluginInfo;

// Watches a scan; every call comes on the scanning thread, from inside
// CVSTPluginExaminer::ExamineFolder.
class IPluginHost
{
public:
    virtual ~IPluginHost() = default;
    // The full path of the file whose examination starts now, in scan order;
    // those before it may still be under way.
    virtual void OnExamining(const std::string& path) = 0;
    // The plug-in just recorded, in scan order.
    virtual void OnPluginExamined(const VSTPluginInfo& info) = 0;
    // The scan has been waiting a while for the file announced earliest whose
    // examination is still under way; comes again while the wait goes on.
    virtual void OnWaiting(const std::string& /*path*/) {}
};
