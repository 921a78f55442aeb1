#pragma once

#include <utility>
#include <vector>

#include "model/EditorHost.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"

// A counting observer.
class CountingObserver : public IObserver
{
public:
    void Notify() override { ++count; }
    int count = 0;
};

// A main window that hands out the observers a test registers and records the
// view's selections.
class RecordingWindow : public IEditorWindow
{
public:
    void SelectControl(int index, bool select) override { selections.emplace_back(index, select); }
    IObserver* GetValueObserver() override { return valueObserver; }
    std::vector<IObserver*> GetObservers() override { return observers; }

    IObserver* valueObserver = nullptr;
    std::vector<IObserver*> observers;
    std::vector<std::pair<int, bool>> selections;
};

// A DorvaSynth host with a window (or none) and a settable SysEx length.
class WindowHost : public IEditorHost
{
public:
    explicit WindowHost(IEditorWindow* window) : m_window(window) {}
    const IDeviceAnswers& Device() const override { return m_answers; }
    int ShowMessage(const std::string&, int) override { return MessageAnswer::Ok; }
    void ShowErrorReport(const std::string&, const std::string&, const std::string&) override {}
    bool SendErrorsHome() const override { return false; }
    IEditorWindow* Window() override { return m_window; }

    void SetMaxSysExLength(int length) { m_answers.maxSysEx = length; }

private:
    struct Answers : CDorvaSynthAnswers
    {
        int GetMaxSysExLength() const override { return maxSysEx; }
        int maxSysEx = 0;
    };
    Answers m_answers;
    IEditorWindow* m_window;
};
