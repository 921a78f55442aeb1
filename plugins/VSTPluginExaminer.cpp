#include "plugins/VSTPluginExaminer.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <dlfcn.h>

#include "app/Preferences.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/ShortenName.h"
#include "plugins/LibraryFile.h"
#include "plugins/PluginHost.h"

namespace fs = std::filesystem;

namespace
{
// Both name kinds a plug-in fills are read into buffers this size, zeroed first.
const std::size_t kNameBufferSize = 513;
// Parameter names are recorded up to this many characters.
const std::size_t kMaxParamNameLength = 32;
const float kSampleRate = 44100.0f;
const intptr_t kBlockSize = 512;
// Mode of ShortenName that runs words together, for parameter names.
const int kRunTogetherMode = 1;

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

bool ContainsLibrarySuffix(const std::string& name)
{
    return name.find(".so") != std::string::npos;
}

struct FolderEntries
{
    std::vector<std::string> files;
    std::vector<std::string> folders;
};

FolderEntries ListFolder(const std::string& folder)
{
    FolderEntries entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error))
    {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (it->is_directory(typeError))
            entries.folders.push_back(name);
        else if (!typeError)
            entries.files.push_back(name);
    }
    std::sort(entries.files.begin(), entries.files.end());
    std::sort(entries.folders.begin(), entries.folders.end());
    return entries;
}

std::string WithoutTrailingSeparators(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string Join(const std::string& folder, const std::string& name)
{
    return folder == "/" ? folder + name : folder + "/" + name;
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

CVSTPluginExaminer::CVSTPluginExaminer(Preferences* preferences) : m_preferences(preferences)
{
}

void CVSTPluginExaminer::SaveGuard()
{
    // Save flushes to disk: the guard must be there if the next plug-in kills the process.
    if (m_preferences)
        m_preferences->Save();
}

void CVSTPluginExaminer::ExamineFolder(const std::string& folder, IPluginHost* host)
{
    if (m_preferences)
        m_preferences->pluginsEnumeratedOK = 0;
    SaveGuard();
    m_plugins.clear();
    m_host = host;
    std::set<std::string> visited;
    if (!folder.empty())
        Traverse(WithoutTrailingSeparators(folder), visited);
    if (m_preferences)
        m_preferences->pluginsEnumeratedOK = 1;
    SaveGuard();
}

void CVSTPluginExaminer::Traverse(const std::string& folder, std::set<std::string>& visited)
{
    // A linked folder is entered once, so a link back up the tree ends.
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    if (error || !visited.insert(canonical.string()).second)
        return;
    const FolderEntries entries = ListFolder(folder);
    for (const std::string& name : entries.files)
        OnEntry(Join(folder, name), name);
    for (const std::string& name : entries.folders)
    {
        const std::string path = Join(folder, name);
        OnEntry(path, name);
        Traverse(path, visited);
    }
}

void CVSTPluginExaminer::OnEntry(const std::string& path, const std::string& name)
{
    if (!ContainsLibrarySuffix(name))
        return;
    try
    {
        ExamineDll(path);
    }
    catch (...)
    {
        // A plug-in that throws is skipped; the scan goes on.
    }
}

VSTPluginInfo ReadVSTPluginInfo(VstPluginRecord& record, const std::string& path)
{
    Dispatch(&record, Vst::kOpen);
    Dispatch(&record, Vst::kSetBlockSizeAndSampleRate, 0, kBlockSize, nullptr, kSampleRate);
    for (int32_t output = 0; output < record.numOutputs; ++output)
        Dispatch(&record, Vst::kConnectOutput, output, 1);
    Dispatch(&record, Vst::kMainsChanged, 0, 1);

    VSTPluginInfo info;
    const fs::path file(path);
    info.fileName = file.stem().string();
    info.folder = WithoutTrailingSeparators(file.parent_path().string());
    info.vendor = ReadName(&record, Vst::kGetVendorString, 0, kNameBufferSize);
    info.effectName = ReadName(&record, Vst::kGetEffectName, 0, kNameBufferSize);
    if (info.effectName.empty())
        info.effectName = info.fileName;

    const AbbreviationMap& abbreviations = Host().Abbreviations();
    const int maxNameLength = Device().GetMaxControlNameLength();
    for (int32_t i = 0; i < record.numParams; ++i)
    {
        ImportedParamRecord parameter;
        parameter.fullName = ReadName(&record, Vst::kGetParamName, i, kMaxParamNameLength);
        if (parameter.fullName.empty())
            continue;
        parameter.shortName = ShortenName(parameter.fullName, abbreviations, maxNameLength, kRunTogetherMode);
        parameter.index = i;
        info.parameters.push_back(parameter);
    }

    return info;
}

void CVSTPluginExaminer::ExamineDll(const std::string& path)
{
    if (m_preferences)
        m_preferences->lastPluginEnumerated = path;
    SaveGuard();
    if (m_host)
        m_host->OnExamining(path);

    // The loader would wait for ever on a FIFO and fault on a file cut short.
    if (!IsWholeSharedObject(path))
        return;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return;
    VstEntryPoint entry = nullptr;
    for (const char* name : kEntryPointNames)
        if (!entry)
            entry = reinterpret_cast<VstEntryPoint>(dlsym(library, name));
    if (!entry)
    {
        dlclose(library);
        return;
    }

    // From here on the library stays loaded, whatever happens.
    VstPluginRecord* record = entry(VstHostCallback);
    if (!record || record->magic != Vst::kMagic || !record->dispatcher)
        return;
    if (Dispatch(record, Vst::kGetVstVersion) < 2)
    {
        Dispatch(record, Vst::kClose);
        return;
    }

    m_plugins.push_back(ReadVSTPluginInfo(*record, path));
    if (m_host)
        m_host->OnPluginExamined(m_plugins.back());

    Dispatch(record, Vst::kMainsChanged, 0, 0);
    Dispatch(record, Vst::kClose);
}
