#include "plugins/helper/PluginProbe.h"

#include <algorithm>

#include <dlfcn.h>

#include "plugins/helper/LibraryFile.h"

namespace
{
// Both name kinds a plug-in fills are read into buffers this size, zeroed first.
const std::size_t kNameBufferSize = 513;
// Parameter names are recorded up to this many characters.
const std::size_t kMaxParamNameLength = 32;
const float kSampleRate = 44100.0f;
const intptr_t kBlockSize = 512;

// Debian's plug-ins export one or the other of the first two.
const char* const kEntryPointNames[] = {"VSTPluginMain", "main", "MAIN"};

intptr_t Dispatch(VstPluginRecord* record, int32_t opcode, int32_t index = 0, intptr_t value = 0,
                  void* ptr = nullptr, float opt = 0.0f)
{
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

// Names end up in dumps, whose bytes are 7-bit: a plug-in's control bytes
// are dropped and each other character (one UTF-8 sequence) becomes a "?".
std::string ReadName(VstPluginRecord* record, int32_t opcode, int32_t index, std::size_t maxLength)
{
    char buffer[kNameBufferSize] = {};
    Dispatch(record, opcode, index, 0, buffer);
    buffer[std::min(maxLength, kNameBufferSize - 1)] = '\0';
    std::string name;
    for (const char* c = buffer; *c; ++c)
    {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte >= 0x20 && byte < 0x7F)
            name += *c;
        else if (byte >= 0xC0 || (byte >= 0x80 && (name.empty() || name.back() != '?')))
            name += '?';
    }
    return name;
}
} // namespace

intptr_t VstHostCallback(VstPluginRecord* effect, int32_t opcode, int32_t, intptr_t, void*, float)
{
    switch (opcode)
    {
    case Vst::kHostVersion:
        return Vst::kHostVersionAnswer;
    case Vst::kHostGetSampleRate:
        if (effect && effect->dispatcher)
            Dispatch(effect, Vst::kSetSampleRate, 0, 0, nullptr, kSampleRate);
        return 0;
    case Vst::kHostGetBlockSize:
        if (effect && effect->dispatcher)
            Dispatch(effect, Vst::kSetBlockSize, 0, kBlockSize);
        return 0;
    default:
        return 0;
    }
}

PluginNames ReadPluginNames(VstPluginRecord& record)
{
    Dispatch(&record, Vst::kOpen);
    Dispatch(&record, Vst::kSetBlockSizeAndSampleRate, 0, kBlockSize, nullptr, kSampleRate);
    for (int32_t output = 0; output < record.numOutputs; ++output)
        Dispatch(&record, Vst::kConnectOutput, output, 1);
    Dispatch(&record, Vst::kMainsChanged, 0, 1);

    PluginNames names;
    names.vendor = ReadName(&record, Vst::kGetVendorString, 0, kNameBufferSize);
    names.effectName = ReadName(&record, Vst::kGetEffectName, 0, kNameBufferSize);
    for (int32_t i = 0; i < record.numParams; ++i)
    {
        std::string name = ReadName(&record, Vst::kGetParamName, i, kMaxParamNameLength);
        if (!name.empty())
            names.parameters.push_back({i, std::move(name)});
    }
    return names;
}

bool ExamineLibrary(const std::string& path, const std::function<void(const PluginNames&)>& examined)
{
    // The loader would wait for ever on a FIFO and fault on a file cut short.
    if (!IsWholeSharedObject(path))
        return false;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    VstEntryPoint entry = nullptr;
    for (const char* name : kEntryPointNames)
        if (!entry)
            entry = reinterpret_cast<VstEntryPoint>(dlsym(library, name));
    if (!entry)
    {
        dlclose(library);
        return false;
    }

    // From here on the library stays loaded, whatever happens.
    VstPluginRecord* record = entry(VstHostCallback);
    if (!record || record->magic != Vst::kMagic || !record->dispatcher)
        return false;
    if (Dispatch(record, Vst::kGetVstVersion) < 2)
    {
        Dispatch(record, Vst::kClose);
        return false;
    }

    examined(ReadPluginNames(*record));

    Dispatch(record, Vst::kMainsChanged, 0, 0);
    Dispatch(record, Vst::kClose);
    return true;
}
