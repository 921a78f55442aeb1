#include "tests/plugins/PluginTestSupport.h"

#include <filesystem>
#include <fstream>

#include <dlfcn.h>

#include "app/Preferences.h"

namespace fs = std::filesystem;

namespace
{
// The handle of an already loaded library (no second load).
void* Loaded(const std::string& path)
{
    return dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
}
} // namespace

void InstallTestPlugin(const std::string& variant, const std::string& folder, const std::string& name)
{
    fs::create_directories(folder);
    fs::copy_file(std::string(DORVA_TEST_PLUGIN_DIR) + "/" + variant + ".so", folder + "/" + name,
                  fs::copy_options::overwrite_existing);
}

void WriteTextFile(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string TestPluginLog(const std::string& path)
{
    void* library = Loaded(path);
    if (!library)
        return "(not loaded)";
    const auto log = reinterpret_cast<const char* (*)()>(dlsym(library, "DorvaTestPluginLog"));
    const std::string text = log ? log() : "(no log)";
    dlclose(library); // drops only the reference Loaded took
    return text;
}

int TestPluginEntries(const std::string& path)
{
    void* library = Loaded(path);
    if (!library)
        return 0;
    const auto entries = reinterpret_cast<int (*)()>(dlsym(library, "DorvaTestPluginEntries"));
    const int count = entries ? entries() : -1;
    dlclose(library);
    return count;
}

std::string StoredPreference(const std::string& appName, const std::string& key)
{
    std::ifstream file(Preferences::StoreFilePath(appName));
    for (std::string line; std::getline(file, line);)
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return "(missing)";
}
