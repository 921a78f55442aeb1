#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <cstdlib>

#include <gtest/gtest.h>

#include <wx/frame.h>

#include "app/EditorApp.h"
#include "app/MainWindow.h"
#include "app/Preferences.h"
#include "midi/LoopbackMidiDriver.h"
#include "midi/MidiListeners.h"
#include "tests/app/DialogScripts.h"
#include "tests/model/TempFolder.h"

// A main window that only records what start-up and the idle tick ask of it.
class RecordingMainWindow : public IMainWindow, public IMessageListener
{
public:
    explicit RecordingMainWindow(std::vector<std::string>& log) : m_log(log), m_frame(new wxFrame(nullptr, wxID_ANY, "")) {}
    ~RecordingMainWindow() override { m_frame->Destroy(); }

    wxFrame* Frame() override { return m_frame; }
    bool Init() override { return m_log.push_back("init"), initResult; }
    IMessageListener* MessageListener() override { return this; }
    void OpenTemplateFile(const wxString& path, bool openMode) override
    {
        m_log.push_back((openMode ? "open " : "import ") + std::string(path.utf8_str()));
    }
    void NewTemplate() override { m_log.push_back("new"); }
    void OpenTemplate() override { m_log.push_back("open dialog"); }
    void ShowWelcome() override { m_log.push_back("welcome dialog"); }
    void HideControlSettings() override {}
    void IdleStep() override
    {
        ++idleSteps;
        if (onIdleStep)
            onIdleStep();
    }
    void RefreshIfNeeded() override { ++refreshes; }
    void OnApplicationDeactivated() override { m_log.push_back("deactivated"); }
    void OnMidiMessage(uint8_t status, int data1, int data2) override
    {
        messages.push_back({status, static_cast<uint8_t>(data1), static_cast<uint8_t>(data2)});
    }

    bool initResult = true;
    int idleSteps = 0;
    int refreshes = 0;
    std::function<void()> onIdleStep;
    std::vector<std::vector<uint8_t>> messages;

private:
    std::vector<std::string>& m_log;
    wxFrame* m_frame;
};

// The application with the toolkit running; each test runs start-up itself
// (Start) with a loopback MIDI layer and the main window it chooses.
class UiTestApp : public CEditorApp
{
public:
    UiTestApp();

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
    // A recording window (default) or the real main window.
    bool realMainWindow = false;
    RecordingMainWindow* recorder = nullptr;

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
    std::unique_ptr<RecordingMainWindow> m_recorder;
};

UiTestApp& TestApp();

// Runs idle ticks until the condition holds or the deadline passes.
bool IdleUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = std::chrono::seconds(5));

// Each test starts the application in a fresh configuration folder with the
// preferences it writes first, and stops it at the end.
class UiTest : public testing::Test
{
protected:
    UiTest()
    {
        ::setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
        TestApp().SetFolders(m_config.Path(), m_config.Path());
        TestApp().realMainWindow = false;
        TestApp().jackMidi = false;
        TestApp().makeView = nullptr;
        // Under Xvfb the application never becomes active: keep the ports open.
        WritePreferences([](Preferences& p) { p.releaseDriver = 0; });
    }
    ~UiTest() override { TestApp().Stop(); }

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

