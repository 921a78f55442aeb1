#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <cstdlib>

#include <gtest/gtest.h>

#include <wx/frame.h>

#include "app/EditorApp.h"
#include "app/MainWindow.h"
#include "app/Preferences.h"
#include "midi/LoopbackMidiDriver.h"
#include "midi/MidiListeners.h"
#include "model/EditorHost.h"
#include "tests/app/DialogScripts.h"
#include "tests/model/TempFolder.h"

// The one stand-in for the main window: start-up, the idle tick, the front
// panel and the dialogs see it; it notes what they ask of it in log. It is
// the application's editor window while it lives.
class FakeMainWindow : public IMainWindow, public IEditorWindow, public IMessageListener
{
public:
    FakeMainWindow() : FakeMainWindow(calls) {}
    explicit FakeMainWindow(std::vector<std::string>& to) : log(to), m_frame(new wxFrame(nullptr, wxID_ANY, ""))
    {
        wxGetApp().SetMainWindow(nullptr, this);
    }
    ~FakeMainWindow() override
    {
        if (wxGetApp().GetEditorWindow() == this)
            wxGetApp().SetMainWindow(nullptr, nullptr);
        m_frame->Destroy();
    }

    wxFrame* Frame() override { return m_frame; }
    bool Init() override { return log.push_back("init"), initResult; }
    IMessageListener* MessageListener() override { return this; }
    void OpenTemplateFile(const wxString& path, bool openMode) override
    {
        log.push_back((openMode ? "open " : "import ") + std::string(path.utf8_str()));
    }
    void NewTemplate() override { log.push_back("new"); }
    void OpenTemplate() override { log.push_back("open dialog"); }
    void ShowWelcome() override { log.push_back("welcome dialog"); }
    void HideControlSettings() override { log.push_back("hide settings"); }
    void IdleStep() override
    {
        ++idleSteps;
        const std::function<void()> once = std::exchange(onIdleStep, nullptr);
        if (once)
            once();
    }
    void RefreshIfNeeded() override { ++refreshes; }
    bool NeedsIdleStep() const override { return needsIdleStep; }
    void OnApplicationDeactivated() override { log.push_back("deactivated"); }
    void OnMidiMessage(uint8_t status, int data1, int data2) override
    {
        messages.push_back({status, static_cast<uint8_t>(data1), static_cast<uint8_t>(data2)});
    }

    CEditorTemplate* GetCurrentTemplate() override { return current; }
    void ReselectCurrentTemplate() override { ++reselected; }
    void OnListenForTemplate() override { log.push_back("listen"); }
    void StopListening(bool announce) override { log.push_back(announce ? "stop, announced" : "stop"); }
    void OnSendTemplate() override { log.push_back("send"); }
    bool ShowKeyboardZoneDialog(int zone, const std::string& title) override
    {
        log.push_back("zone dialog " + std::to_string(zone) + " " + title);
        return true;
    }

    std::vector<std::string> calls;
    std::vector<std::string>& log;
    CEditorTemplate* current = nullptr;
    int reselected = 0;
    bool initResult = true;
    int idleSteps = 0;
    int refreshes = 0;
    bool needsIdleStep = false;
    std::function<void()> onIdleStep; // once, at the next idle step
    std::vector<std::vector<uint8_t>> messages;

private:
    wxFrame* m_frame;
};

// The application object of every GUI test binary, with the toolkit running.
// The device answers as the DorvaSynth, except that the View menu and
// keyboard zones can be switched on. Start runs the program's start-up with
// a loopback MIDI layer and the main window the test chooses.
class UiTestApp : public CEditorApp
{
public:
    UiTestApp();
    static void SetHasViewMenu(bool on);
    static void SetHasKeyboardZones(bool on);

    // Start-up with these command-line arguments after the program path.
    bool Start(const std::vector<std::string>& arguments = {});
    // What OnExit releases, without ending the toolkit.
    void Stop();
    void SetFolders(const wxString& programFolder, const wxString& lockFolder)
    {
        SetProgramFolder(programFolder);
        SetInstanceLockFolder(lockFolder);
    }

    // Every step of start-up that the test can see, in order.
    std::vector<std::string> log;
    // The MIDI layer of the next start-up (taken by it): a loopback, or with
    // jackMidi the JACK server's ports (driver stays null then).
    std::unique_ptr<LoopbackMidiDriver> nextDriver;
    LoopbackMidiDriver* driver = nullptr;
    bool jackMidi = false;
    // The front panel of the real main window; the DorvaSynth's when empty.
    std::function<CTemplateUI*()> makeView;
    bool realMainWindow = false;
    FakeMainWindow* fake = nullptr; // the main window start-up made, unless real

protected:
    bool InstallCrashReporter() override;
    void LoadResources() override { log.push_back("resources"); }
    bool LoadDisplayFont(const wxString& path, wxString& problem) override;
    IMainWindow* CreateMainWindow() override;
    std::unique_ptr<IMidiDriver> MakeMidiDriver() override;
    void ShowWelcome() override { log.push_back("welcome"); }

public:
    CTemplateUI* CreateTemplateUI() const override;

private:
    std::vector<std::string> m_arguments;
    std::unique_ptr<FakeMainWindow> m_fake;
};

UiTestApp& TestApp();

// Runs idle ticks until the condition holds or the deadline passes.
bool IdleUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = std::chrono::seconds(5));
// Runs a nested event loop of the toolkit until the condition holds or the
// deadline passes. Unlike a yield it has the toolkit's idle rounds, in which
// it notices that the program became active or inactive.
bool RunLoopUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = std::chrono::seconds(5));

// Each test starts the application in a fresh configuration folder with the
// preferences it writes first, and stops it at the end.
class UiTest : public testing::Test
{
protected:
    UiTest()
    {
        ::setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
        TestApp().SetFolders(m_config.Path(), m_config.Path());
        // Under Xvfb the application never becomes active: keep the ports open.
        WritePreferences([](Preferences& p) { p.releaseDriver = 0; });
    }
    ~UiTest() override
    {
        TestApp().Stop();
        TestApp().realMainWindow = TestApp().jackMidi = false;
        TestApp().makeView = nullptr;
        UiTestApp::SetHasKeyboardZones(false);
    }

    template <typename Change>
    void WritePreferences(Change change)
    {
        Preferences preferences;
        preferences.Load("Dorva Editor");
        change(preferences);
        preferences.Save();
    }
    void UseDevices(std::vector<std::string> inputs, std::vector<std::string> outputs)
    {
        TestApp().nextDriver = std::make_unique<LoopbackMidiDriver>(std::move(inputs), std::move(outputs));
    }

    TempFolder m_config;
    MessageRecorder m_boxes;
};
