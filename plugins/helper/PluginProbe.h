#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "plugins/VstPluginRecord.h"
#include "plugins/helper/PluginAnswer.h"

// The examination of one VST 2 plug-in, run by the helper program in a
// process of its own: it loads the library, so a broken one can crash,
// hang or end the process that runs it. Never called by the editor itself.

// Loads the library at path (bytes, as the file system names it) as a host
// would and reads its names: entry point "VSTPluginMain", "main" or "MAIN";
// a record with the right magic and VST version 2 or later; opened, set to
// 44100 Hz and 512 frames, outputs connected, switched on. examined gets the
// names before the plug-in is switched off and closed. False, with examined
// never called, for what is no whole shared object (never loaded), does not
// load, has no entry point, gives no record or is older than VST 2. An
// exception thrown by the plug-in passes through. A library whose entry
// point ran stays loaded.
bool ExamineLibrary(const std::string& path, const std::function<void(const PluginNames&)>& examined);

// Opens a plug-in whose entry point ran and reads its vendor, name and the
// parameter names that are not empty (names cut to their buffers: 512
// characters, 32 for a parameter; only printable 7-bit characters kept);
// the caller closes it.
PluginNames ReadPluginNames(VstPluginRecord& record);

// The callback this host gives plug-ins: version 2300; asked for the sample
// rate or block size it sets them on the plug-in (44100, 512); everything else
// is 0. A null record (a plug-in calling from inside its entry point) is fine.
intptr_t VstHostCallback(VstPluginRecord* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                         float opt);
