#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#include "app/Preferences.h"
#include "plugins/PluginHost.h"
#include "plugins/VSTPluginInfo.h"
#include "tests/model/TempFolder.h"

// Preferences stored in a folder of the test's own (the application's, when
// one runs), loaded, with "VSTDir" at a fresh plug-in folder.
class PluginTest : public testing::Test
{
protected:
    PluginTest();
    // Copies the test plug-in built as <variant>.so to VstDir()/<path>, making
    // folders as needed; the variant "text" writes a text file instead.
    void Install(const std::string& variant, const std::string& path) const;
    std::string VstDir() const { return m_config.File("vst"); }
    std::string Path(const std::string& relative) const { return VstDir() + "/" + relative; }
    // A value as the preferences file on disk holds it now; "(missing)" when it holds none.
    static std::string Stored(const std::string& key);
    // What a loaded test plug-in logged ("entry:<host version>" per entry call, then
    // "opcode:index:value:opt" per dispatcher call); the library stays loaded, so the same instance answers.
    static std::string Log(const std::string& path);

    // The base library at least, for the file store (a running toolkit is left alone).
    std::unique_ptr<wxInitializer> m_wx = wxTheApp ? nullptr : std::make_unique<wxInitializer>();
    TempFolder m_config;
    Preferences m_own;
    Preferences& m_prefs;
};

// Notes every call of a scan.
struct RecordingPluginHost : IPluginHost
{
    void OnExamining(const std::string& path) override { examined.push_back(path); }
    void OnPluginExamined(const VSTPluginInfo& info) override { recorded += info.fileName + " "; }
    std::vector<std::string> examined;
    std::string recorded;
};

// One row of the table of broken libraries: make writes the broken library to
// a path. Each stands in a folder beside a good plug-in (InstallGoodPlugin).
struct BrokenLibrary
{
    std::string kind;
    std::function<void(const std::string& path)> make;
};
// A zero tail, changed bytes, and libraries whose constructor crashes, never
// returns or calls exit, or whose entry point crashes; each crashed or froze
// a program that loaded it. The copies are of real plug-ins in /usr/lib/vst.
const std::vector<BrokenLibrary>& BrokenLibraries();
// Copies a real plug-in to folder/<name>; it is listed as kGoodPluginRow ("vendor|name").
void InstallGoodPlugin(const std::string& folder, const std::string& name = "a-good.so");
extern const char* const kGoodPluginRow;

// Runs body in a child process and gives what it gave; when the child dies,
// or still runs at the deadline (it is killed then), says so instead: a scan
// that hangs or crashes fails its test, not the whole run.
std::string InAChild(const std::function<std::string()>& body, std::chrono::seconds deadline);
