#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dialog.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"
#include "model/EditorHost.h"
#include "ui/dialogs/DialogResource.h"

// The application object of the dialog tests: the DorvaSynth's answers, the
// toolkit running, no start-up.
class DialogTestApp : public CEditorApp
{
public:
    DialogTestApp();
};

DialogTestApp& TestApp();

// The main window as the dialogs see it: a current template, and counts of
// what the commands asked of it.
class FakeMainWindow : public IEditorWindow
{
public:
    FakeMainWindow() { TestApp().SetMainWindow(nullptr, this); }
    ~FakeMainWindow() override { TestApp().SetMainWindow(nullptr, nullptr); }
    CEditorTemplate* GetCurrentTemplate() override { return current; }
    void ReselectCurrentTemplate() override { ++reselected; }

    CEditorTemplate* current = nullptr;
    int reselected = 0;
};

// Records each message box and answers from a queue (wxOK when empty).
struct MessageBoxRecorder
{
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    std::vector<std::string> texts;
    std::vector<long> styles;
    std::vector<int> answers;
    MessageBoxFunction previous;
};

// Runs the dialog modally; script runs inside its loop once it shows. A
// script that leaves the dialog open has it ended with -2 so the test goes on.
int RunModal(wxDialog& dialog, std::function<void(wxDialog&)> script);

// Sends a button click to the dialog as the toolkit would.
void Click(wxDialog& dialog, int id);
void Click(wxDialog& dialog, const char* name);

// Sends a text update as GTK sends it for a spin control: the typed text and
// the value the control now holds.
void TypeIntoSpin(wxDialog& dialog, const char* name, const wxString& text, int value);

// Pumps pending events and idle passes until done() or the deadline (ms).
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// A control of the dialog by resource name; a test failure when missing.
template <typename T>
T* Control(wxWindow* root, const char* name)
{
    T* control = FindControl<T>(root, name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Resources loaded once for the suite; a fresh fake main window per test.
class DialogTest : public testing::Test
{
public:
    static void SetUpTestSuite();

protected:
    FakeMainWindow window;
};

class LoopbackMidiDriver;

// The MIDI manager started on a loopback driver for one test (ports always
// open, not on demand), shut down at the end. The manager owns the driver;
// driver stays valid while this lives.
class ScopedLoopbackMidi
{
public:
    ScopedLoopbackMidi(std::vector<std::string> inputs, std::vector<std::string> outputs);
    ~ScopedLoopbackMidi();
    LoopbackMidiDriver* driver = nullptr;
};
