#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/EditorHost.h"
#include "model/PlacedControl.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"

// A counting observer.
class CountingObserver : public IObserver
{
public:
    void Notify() override { ++count; }
    int count = 0;
};

// The main window as the data layer sees it: a current template, the
// observers a test registers, and a record of what it was asked to do.
class RecordingWindow : public IEditorWindow
{
public:
    CEditorTemplate* GetCurrentTemplate() override { return current; }
    void SelectControl(int index, bool select) override { selections.emplace_back(index, select); }
    IObserver* GetValueObserver() override { return valueObserver; }
    std::vector<IObserver*> GetObservers() override { return observers; }
    void RefreshControl(CPlacedControl& control, bool deferred) override
    {
        refreshes.emplace_back(control.GetIndex(), deferred);
    }
    void UpdateEditMenu(bool canUndo, bool canRedo) override
    {
        ++editMenuUpdates;
        lastCanUndo = canUndo;
        lastCanRedo = canRedo;
    }
    void UpdateTitle() override { ++titleUpdates; }
    void SetFocusToMainWindow() override { ++focusRequests; }
    void HideControlSettings() override { ++settingsHidden; }

    CEditorTemplate* current = nullptr;
    IObserver* valueObserver = nullptr;
    std::vector<IObserver*> observers;
    std::vector<std::pair<int, bool>> selections;
    std::vector<std::pair<int, bool>> refreshes;
    int editMenuUpdates = 0;
    bool lastCanUndo = false;
    bool lastCanRedo = false;
    int titleUpdates = 0;
    int focusRequests = 0;
    int settingsHidden = 0;
};

// A DorvaSynth host that keeps every message it was asked to show, with a
// window of its own, another one, or none (withWindow false), and a settable
// SysEx length.
class RecordingHost : public IEditorHost
{
public:
    RecordingHost() = default;
    explicit RecordingHost(IEditorWindow* other) : withWindow(other != nullptr), m_other(other) {}
    const IDeviceAnswers& Device() const override { return answers; }
    int ShowMessage(const std::string& text, int /*style*/) override
    {
        messages.push_back(text);
        return MessageAnswer::Ok;
    }
    void ShowErrorReport(const std::string&, const std::string&, const std::string&) override {}
    bool SendErrorsHome() const override { return false; }
    IEditorWindow* Window() override { return !withWindow ? nullptr : m_other ? m_other : &window; }
    void SetMaxSysExLength(int length) { answers.maxSysEx = length; }

    struct Answers : CDorvaSynthAnswers
    {
        int GetMaxSysExLength() const override { return maxSysEx; }
        int maxSysEx = 0;
    } answers;
    RecordingWindow window;
    bool withWindow = true;
    std::vector<std::string> messages;

private:
    IEditorWindow* m_other = nullptr;
};
