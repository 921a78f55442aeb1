#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/dialog.h>

#include "app/WxText.h"
#include "tests/ui/RealInput.h"
#include "tests/ui/UiTestApp.h"
#include "ui/dialogs/DialogResource.h"

class LoopbackMidiDriver;

// A click on the button as the user makes one: through the X server,
// handled by the running event loop. A test failure (and no click) when the
// user could not click it: missing, disabled or hidden.
void UserClick(wxDialog& dialog, int id);
void UserClick(wxDialog& dialog, const char* name);

// Runs the dialog modally with script inside its loop (RealInput).
inline int RunModal(wxDialog& dialog, std::function<void(wxDialog&)> script)
{
    RealInput::RunInsideModalLoop(dialog, std::move(script));
    return dialog.ShowModal();
}

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

// Resources loaded once for the suite; a fresh stand-in main window per test.
class DialogTest : public testing::Test
{
public:
    static void SetUpTestSuite();

protected:
    FakeMainWindow window;
};

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
