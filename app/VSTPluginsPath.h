#pragma once

#include <string>

// The folder where this machine keeps its VST 2 plug-ins, the default of the
// "VSTDir" preference: the first entry of $VST_PATH, else the first existing
// folder of ~/.vst, /usr/local/lib/vst and /usr/lib/vst, else "".
std::string GetVSTPluginsPath();
