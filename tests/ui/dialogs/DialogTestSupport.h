#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"
#include "app/WxText.h"
#include "model/EditorHost.h"
#include "tests/app/DialogScripts.h"
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

// Has script run inside the dialog's modal loop once it shows. A script that
// leaves the dialog open has it ended with -2 so the test goes on.
void ScriptInsideLoop(wxDialog& dialog, std::function<void(wxDialog&)> script);

// Runs the dialog modally with ScriptInsideLoop.
int RunModal(wxDialog& dialog, std::function<void(wxDialog&)> script);

// Sends a button click to the dialog as the toolkit would (ClickButton: a test
// failure when the button is missing, disabled or hidden).
void Click(wxDialog& dialog, int id);
void Click(wxDialog& dialog, const char* name);

// A click on the button as the user makes one: through the X server,
// handled by the running event loop (RealInput::Click). A test failure (and
// no click) when the user could not click it: missing, disabled or hidden.
void UserClick(wxDialog& dialog, int id);
void UserClick(wxDialog& dialog, const char* name);

// Ticks or clears a check box and tells the dialog, as a click does.
void Tick(wxDialog& dialog, const char* name, bool ticked);

// Sends a text update as GTK sends it for a spin control: the typed text and
// the value the control now holds.
void TypeIntoSpin(wxDialog& dialog, const char* name, const wxString& text, int value);

// Pumps the MIDI manager, pending events and idle passes until done() or
// the deadline (ms), as the application's idle pass would.
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

// The MIDI manager started on a loopback driver for one test, shut down at
// the end. The manager owns the driver; driver stays valid while this lives.
// onDemand: the ports are released while the program is in the background
// (the program's default); otherwise they are always open.
class ScopedLoopbackMidi
{
public:
    ScopedLoopbackMidi(std::vector<std::string> inputs, std::vector<std::string> outputs, bool onDemand = false);
    ~ScopedLoopbackMidi();
    // Selects the devices by list entry and opens the ports, on demand as
    // the application does when it becomes active.
    void Use(int input, int output);
    LoopbackMidiDriver* driver = nullptr;
};

// Answers every modal dialog of class T that opens while this lives: script
// runs inside its loop; a dialog the script leaves open ends with -2.
template <typename T>
class ModalAnswer : public wxModalDialogHook
{
public:
    explicit ModalAnswer(std::function<void(wxDialog&)> script) : m_script(std::move(script)) { Register(); }
    ~ModalAnswer() override { Unregister(); }
    int shown = 0;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (!wxDynamicCast(dialog, wxDialog) || !dynamic_cast<T*>(dialog))
            return wxID_NONE;
        ++shown;
        ScriptInsideLoop(*dialog, m_script);
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    std::function<void(wxDialog&)> m_script;
};
