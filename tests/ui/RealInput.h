#pragma once

#include <chrono>
#include <functional>
#include <utility>
#include <vector>

#include <wx/dialog.h>
#include <wx/eventfilter.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/string.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include "tests/app/DialogScripts.h"

// Acting as the user in tests: key presses, typing and clicks sent through
// the X server (wxUIActionSimulator over XTest, to the test's Xvfb) and
// handled by the real event loop, which these functions pump (wxYield) until
// the X server's events have been dispatched. Without a window manager
// nothing has the keyboard focus: Focus a window before typing into it, and
// again after a modal dialog closed. GUI thread only.
namespace RealInput
{
using Milliseconds = std::chrono::milliseconds;
// How long a wait for what the X server, the toolkit or a window manager does
// may take before the test calls it a failure: a guard against a run that
// would hang. Each wait ends as its event comes; a busy machine may delay
// one by seconds.
constexpr Milliseconds kDeadline{30000};

// Pumps the event loop until done() holds (true) or the deadline passes (false).
bool PumpUntil(const std::function<bool()>& done, Milliseconds deadline = kDeadline);
// Pumps until every event the X server has sent so far has been handled
// (a window that keeps repainting: for five seconds at most).
void Settle();

// Raises window's top-level window and gives window the keyboard focus;
// true once the toolkit reports it (or a window inside it) focused.
[[nodiscard]] bool Focus(wxWindow* window);
// Makes a top-level window the active one, its keys on the control that has
// its focus, as a window manager does with a window that opens or gets them
// back; true once the toolkit reports it active.
[[nodiscard]] bool Activate(wxTopLevelWindow* window);
// The same for a dialog that is GTK's own inside (a file chooser), which
// the toolkit cannot give the focus: presented as a window manager does.
[[nodiscard]] bool Present(wxTopLevelWindow* window);

// One press and release of a key (a wxKeyCode or a character) with the
// modifiers (wxMOD_SHIFT, wxMOD_CONTROL, ...) held, to the focused window.
void Key(int keyCode, int modifiers = wxMOD_NONE);
// Types the text key by key (ASCII).
void Type(const wxString& text);
// A key pressed and held, and its release (Ctrl held over several keys).
void KeyDown(int keyCode);
void KeyUp(int keyCode);

// Moves the pointer to point, in window's client coordinates (its centre
// when point is wxDefaultPosition), and clicks there. Clicks in a row never
// make a double click by accident: a click waits until that time is past.
void Click(wxWindow* window, const wxPoint& point = wxDefaultPosition, int modifiers = wxMOD_NONE,
           int button = wxMOUSE_BTN_LEFT);
void DoubleClick(wxWindow* window, const wxPoint& point = wxDefaultPosition);
void MoveTo(wxWindow* window, const wxPoint& point = wxDefaultPosition);
// A click where the pointer is, sent while the program is busy: nothing is
// pumped, so whatever runs the event loop next gets it.
void ClickWhileBusy();
// What the X server shows in the window's rectangle on screen: what the user
// sees of it (black where nothing has been painted).
wxImage OnScreen(wxWindow* window);
// Presses the left button at from and releases it at to, moving between.
void Drag(wxWindow* window, const wxPoint& from, const wxPoint& to, int modifiers = wxMOD_NONE);
// Text dragged from another program onto a text field and dropped at point
// (in its client coordinates): that program (tests/ui/drag_source.py, an X
// client of its own) shows the text selected, the button is pressed on it,
// moved onto the field and let go there. Returns once that program's drag
// has ended, the drop taken or refused; false when it could not be run.
[[nodiscard]] bool DropFromOtherProgram(wxWindow* field, const wxPoint& point, const wxString& text);

// Chooses the item with this id from the frame's menu bar with the mouse:
// a click on its menu's title, on each submenu on the way, then on the item.
// False when the item is missing or disabled, or a menu did not show. An
// item that opens a modal dialog returns once the dialog has ended.
[[nodiscard]] bool ChooseMenuItem(wxFrame* frame, int id);

// The first shown top-level window of class T, waited for; null when none
// shows by the deadline.
template <typename T>
T* WaitForShown(Milliseconds deadline = kDeadline)
{
    T* found = nullptr;
    PumpUntil([&found] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* wanted = dynamic_cast<T*>(window); wanted && window->IsShownOnScreen())
                found = wanted;
        return found != nullptr;
    }, deadline);
    return found;
}

// Answers every message box shown while it lives as a user does: once the
// box is on the screen it gets the keys and key is pressed there. Meanwhile
// the boxes are real (a recorder installed before is put back afterwards).
// A box runs the toolkit's own loop, inside whatever opened it (often a
// pump of these functions), so the key is sent from that loop, not pumped.
class MessageBoxKeys : public wxModalDialogHook
{
public:
    explicit MessageBoxKeys(int key, int modifiers = wxMOD_NONE);
    ~MessageBoxKeys() override;
    std::vector<wxString> texts; // of the boxes shown, in order
    std::function<void(const wxString& text)> shown; // as each comes up

private:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

    int m_key;
    int m_modifiers;
    unsigned m_source = 0; // the timer that waits for the box on screen
    MessageBoxFunction m_previous;
};

// Presses key in the next question GTK itself asks inside a dialog (a file
// chooser's "replace?"), once it is on the screen with the keys. GTK runs
// the question in a loop of its own, inside the key that raised it, so the
// key is sent from that loop, not pumped.
class KeyInNextGtkQuestion
{
public:
    explicit KeyInNextGtkQuestion(int key);
    ~KeyInNextGtkQuestion();
    bool Pressed() const { return m_pressed; }

private:
    int m_key;
    unsigned m_source = 0;
    bool m_presented = false;
    bool m_pressed = false;
};

// Presses keys (code, modifiers) in the next pop-up menu the program shows,
// once it is up. A pop-up menu runs a loop of its own until it closes, so the
// key or click that opens it returns only then: its keys go on their way
// from inside that loop.
class KeysInNextMenu : public wxEventFilter
{
public:
    explicit KeysInNextMenu(std::vector<std::pair<int, int>> keys);
    ~KeysInNextMenu() override;
    int FilterEvent(wxEvent& event) override;
    int menusShown = 0;

private:
    std::vector<std::pair<int, int>> m_keys;
};

// DialogScripts.h's ScriptModalLoop and DialogScript under the names some
// tests still use.
inline void RunInsideModalLoop(wxDialog& dialog, std::function<void(wxDialog&)> script)
{
    ScriptModalLoop(dialog, [&dialog, script] { script(dialog); });
}
template <typename T>
struct ModalScript : DialogScript<T>
{
    explicit ModalScript(std::function<void(T&)> run) : DialogScript<T>([this, run](T& d) {
                                                    ++shown;
                                                    run(d);
                                                }) {}
    int shown = 0;
};
} // namespace RealInput
