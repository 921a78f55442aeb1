// Plug-in name reading: a plug-in may fill its name buffers with any bytes,
// unterminated or too long. The names are cut to their buffers, the helper's
// answer carries them unchanged, and a template built from them writes pure
// SysEx that reads back as written.
#include <cstring>

#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "plugins/VSTPluginExaminer.h"
#include "plugins/helper/PluginProbe.h"

namespace
{
const uint8_t* g_data;
size_t g_size;

// Each name request takes the next piece of the input: its first byte is
// the piece's length (up to 255 bytes, written without a terminating zero).
intptr_t Dispatcher(VstPluginRecord*, int32_t opcode, int32_t, intptr_t, void* ptr, float)
{
    if (opcode == Vst::kGetVstVersion)
        return 2400;
    if ((opcode != Vst::kGetVendorString && opcode != Vst::kGetEffectName && opcode != Vst::kGetParamName) ||
        g_size == 0)
        return 0;
    const size_t length = std::min<size_t>(g_data[0], g_size - 1);
    std::memcpy(ptr, g_data + 1, length);
    g_data += 1 + length;
    g_size -= 1 + length;
    return 1;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    VstPluginRecord record{};
    record.magic = Vst::kMagic;
    record.dispatcher = Dispatcher;
    record.numParams = data[0] % 80;
    g_data = data + 1;
    g_size = size - 1;
    const PluginNames names = ReadPluginNames(record);
    PluginNames carried;
    if (DecodePluginAnswer(EncodePluginAnswer(names), carried) != AnswerState::Complete || !(carried == names))
        __builtin_trap();
    const VSTPluginInfo info = MakeVSTPluginInfo("/plugins/fuzz.so", carried);
    bool cut = info.vendor.size() <= 512 && info.effectName.size() <= 512;
    for (const ImportedParamRecord& parameter : info.parameters)
        cut = cut && !parameter.fullName.empty() && parameter.fullName.size() <= 32;
    CDorvaSynthTemplate made;
    made.ImportParameters(info.effectName, info.vendor, info.parameters);
    const SysExBuffer dump = made.Write();
    CDorvaSynthTemplate again;
    size_t position = 0;
    if (!cut || !dump.IsValid() || !again.Read(dump, position) || again.Write() != dump)
        __builtin_trap();
    return 0;
}
