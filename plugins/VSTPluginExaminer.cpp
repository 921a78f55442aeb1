#include "plugins/VSTPluginExaminer.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/Preferences.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/ShortenName.h"
#include "plugins/PluginHost.h"
#include "plugins/helper/LibraryFile.h"

namespace fs = std::filesystem;

namespace
{
// Mode of ShortenName that runs words together, for parameter names.
const int kRunTogetherMode = 1;

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

CVSTPluginExaminer::CVSTPluginExaminer(Preferences* preferences) : m_preferences(preferences)
{
}

void CVSTPluginExaminer::SaveGuard()
{
    // Save flushes to disk: the guard must be there if the program ends mid-scan.
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
    std::vector<std::string> libraries;
    if (!folder.empty())
        Traverse(WithoutTrailingSeparators(folder), visited, libraries);
    Examine(libraries);
    if (m_preferences)
        m_preferences->pluginsEnumeratedOK = 1;
    SaveGuard();
}

void CVSTPluginExaminer::Traverse(const std::string& folder, std::set<std::string>& visited,
                                  std::vector<std::string>& libraries)
{
    // A linked folder is entered once, so a link back up the tree ends.
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    if (error || !visited.insert(canonical.string()).second)
        return;
    const FolderEntries entries = ListFolder(folder);
    for (const std::string& name : entries.files)
        if (ContainsLibrarySuffix(name))
            libraries.push_back(Join(folder, name));
    for (const std::string& name : entries.folders)
    {
        const std::string path = Join(folder, name);
        if (ContainsLibrarySuffix(name))
            libraries.push_back(path);
        Traverse(path, visited, libraries);
    }
}

VSTPluginInfo MakeVSTPluginInfo(const std::string& path, const PluginNames& names)
{
    VSTPluginInfo info;
    const fs::path file(path);
    info.fileName = file.stem().string();
    info.folder = WithoutTrailingSeparators(file.parent_path().string());
    info.vendor = names.vendor;
    info.effectName = names.effectName.empty() ? info.fileName : names.effectName;

    const AbbreviationMap& abbreviations = Host().Abbreviations();
    const int maxNameLength = Device().GetMaxControlNameLength();
    for (const PluginNames::Parameter& named : names.parameters)
    {
        ImportedParamRecord parameter;
        parameter.fullName = named.name;
        parameter.shortName = ShortenName(parameter.fullName, abbreviations, maxNameLength, kRunTogetherMode);
        parameter.index = named.index;
        info.parameters.push_back(parameter);
    }
    return info;
}

void CVSTPluginExaminer::ExamineDll(const std::string& path)
{
    Examine({path});
}

bool CVSTPluginExaminer::OnStarting(const std::string& path)
{
    try
    {
        if (m_preferences)
            m_preferences->lastPluginEnumerated = path;
        SaveGuard();
        if (m_host)
            m_host->OnExamining(path);
        // A FIFO would hold a helper until its deadline; a file cut short needs none.
        return IsWholeSharedObject(path);
    }
    catch (...)
    {
        // This library is skipped; the scan goes on.
        return false;
    }
}

void CVSTPluginExaminer::Examine(const std::vector<std::string>& libraries)
{
    // Records arrive in any order; each is handed on once those before it are in.
    std::vector<std::optional<VSTPluginInfo>> records(libraries.size());
    std::vector<bool> done(libraries.size(), false);
    std::size_t handedOn = 0;
    const auto ended = [&](std::size_t i, const PluginNames* names) {
        try
        {
            if (names)
                records[i] = MakeVSTPluginInfo(libraries[i], *names);
        }
        catch (...)
        {
            // Skipped, as a plug-in whose examination throws.
        }
        for (done[i] = true; handedOn < libraries.size() && done[handedOn]; ++handedOn)
        {
            if (!records[handedOn])
                continue;
            m_plugins.push_back(std::move(*records[handedOn]));
            if (m_host)
                m_host->OnPluginExamined(m_plugins.back());
        }
    };
    const auto waiting = [this, &libraries](std::size_t i) {
        if (m_host)
            m_host->OnWaiting(libraries[i]);
    };
    ExamineInHelpers(libraries, m_helpers, [this, &libraries](std::size_t i) { return OnStarting(libraries[i]); },
                     ended, waiting);
}
