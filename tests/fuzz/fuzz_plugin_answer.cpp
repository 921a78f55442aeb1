// The answer of the plug-in examiner's helper, as the editor reads it from
// the pipe: any bytes at all, a piece at a time, since a plug-in runs in that
// process. A whole answer is read only when it keeps every rule (it writes
// back as it came), and the template built from it writes pure SysEx that
// reads back as written.
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "plugins/VSTPluginExaminer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    PluginNames names;
    if (DecodePluginAnswer(bytes, names) != AnswerState::Complete)
        return 0;
    if (EncodePluginAnswer(names) != bytes)
        __builtin_trap();
    // Every piece of it the pipe could have delivered first is only a start.
    PluginNames ignored;
    for (size_t length = 0; length < size; length += 1 + length / 2)
        if (DecodePluginAnswer(bytes.substr(0, length), ignored) != AnswerState::Incomplete)
            __builtin_trap();
    const VSTPluginInfo info = MakeVSTPluginInfo("/plugins/fuzz.so", names);
    CDorvaSynthTemplate made;
    made.ImportParameters(info.effectName, info.vendor, info.parameters);
    const SysExBuffer dump = made.Write();
    CDorvaSynthTemplate again;
    size_t position = 0;
    if (!dump.IsValid() || !again.Read(dump, position) || again.Write() != dump)
        __builtin_trap();
    return 0;
}
