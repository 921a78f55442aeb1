#include "tests/plugins/PluginTestSupport.h"

#include <filesystem>
#include <fstream>

#include <dlfcn.h>

#include "app/EditorApp.h"

namespace fs = std::filesystem;

PluginTest::PluginTest() : m_prefs(dynamic_cast<CEditorApp*>(wxApp::GetInstance()) ? wxGetApp().Prefs() : m_own)
{
    setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
    unsetenv("VST_PATH");
    EXPECT_TRUE(m_prefs.Load("Dorva Editor"));
    m_prefs.vstDir = VstDir();
}

void PluginTest::Install(const std::string& variant, const std::string& path) const
{
    fs::create_directories(fs::path(Path(path)).parent_path());
    if (variant == "text")
        std::ofstream(Path(path)) << "not a library";
    else
        fs::copy_file(std::string(DORVA_TEST_PLUGIN_DIR) + "/" + variant + ".so", Path(path),
                      fs::copy_options::overwrite_existing);
}

std::string PluginTest::Stored(const std::string& key)
{
    std::ifstream file(Preferences::StoreFilePath("Dorva Editor"));
    for (std::string line; std::getline(file, line);)
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return "(missing)";
}

std::string PluginTest::Log(const std::string& path)
{
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD); // no second load
    if (!library)
        return "(not loaded)";
    const auto log = reinterpret_cast<const char* (*)()>(dlsym(library, "DorvaTestPluginLog"));
    const std::string text = log ? log() : "(no log)";
    dlclose(library); // drops only the reference taken here
    return text;
}
