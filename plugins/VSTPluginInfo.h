#pragma once

#include <string>
#include <vector>

#include "model/ImportedParamRecord.h"

// One examined plug-in.
struct VSTPluginInfo
{
    std::string fileName;   // the library's name without folder and extension
    std::string folder;     // the library's folder, without a trailing "/"
    std::string effectName; // the plug-in's own name, or fileName when it reports none
    std::string vendor;     // possibly empty
    // One record per parameter with a non-empty name, in parameter order: the
    // name (at most 32 characters), its shortened form and the plug-in's own
    // index (so a skipped name leaves a gap).
    std::vector<ImportedParamRecord> parameters;
};
