#include "tests/plugins/PluginTestSupport.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace
{
// A real plug-in, changed as the make functions below say.
void ChangedCopy(const std::string& path, const std::function<void(std::string&)>& change)
{
    std::ifstream in("/usr/lib/vst/MaBitcrush-vst.so", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    change(bytes);
    std::ofstream(path, std::ios::binary) << bytes;
}

std::function<void(const std::string&)> Variant(const std::string& variant)
{
    return [variant](const std::string& path) {
        fs::copy_file(std::string(DORVA_TEST_PLUGIN_DIR) + "/" + variant + ".so", path, fs::copy_options::overwrite_existing);
    };
}
} // namespace

const char* const kGoodPluginRow = "falkTX|Kars";

void InstallGoodPlugin(const std::string& folder, const std::string& name)
{
    fs::copy_file("/usr/lib/vst/Kars-vst.so", folder + "/" + name, fs::copy_options::overwrite_existing);
}

const std::vector<BrokenLibrary>& BrokenLibraries()
{
    static const std::vector<BrokenLibrary> rows = {
        // Its size reserved before its bytes arrived: the loader faults on the zeros.
        {"zero tail", [](const std::string& path) {
             ChangedCopy(path, [](std::string& bytes) { std::fill(bytes.begin() + bytes.size() * 9 / 10, bytes.end(), '\0'); });
         }},
        // 200 bytes changed: with this seed the loader faults (others make it refuse or assert).
        {"changed bytes", [](const std::string& path) {
             ChangedCopy(path, [](std::string& bytes) {
                 std::mt19937 random(13);
                 for (int i = 0; i < 200; ++i)
                 {
                     const std::size_t at = random() % bytes.size();
                     bytes[at] = static_cast<char>(bytes[at] ^ (1 + random() % 255));
                 }
             });
         }},
        {"constructor crashes", Variant("crash-on-load")},
        {"constructor never returns", Variant("hang-on-load")},
        {"entry point crashes", Variant("crash-in-entry")},
        {"calls exit", Variant("exit-on-load")},
    };
    return rows;
}

std::string InAChild(const std::function<std::string()>& body, std::chrono::seconds deadline)
{
    int ends[2];
    if (pipe(ends) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0)
    {
        close(ends[0]);
        const std::string said = body();
        _exit(write(ends[1], said.data(), said.size()) == static_cast<ssize_t>(said.size()) ? 0 : 2);
    }
    close(ends[1]);
    std::string said;
    bool ended = false; // the child closed its end: it is exiting
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (pollfd waiting{ends[0], POLLIN, 0}; !ended && std::chrono::steady_clock::now() < end;)
    {
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        char chunk[256];
        const ssize_t n = read(ends[0], chunk, sizeof chunk);
        if (n > 0)
            said.append(chunk, static_cast<std::size_t>(n));
        ended = n <= 0;
    }
    close(ends[0]);
    if (!ended)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (!ended)
        return "still running after " + std::to_string(deadline.count()) + " s";
    if (WIFSIGNALED(status))
        return "killed by signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
    return said;
}
