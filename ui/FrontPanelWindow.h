#pragma once

#include <functional>

#include <wx/modalhook.h>
#include <wx/timer.h>
#include <wx/window.h>

class CPanelTipWindow;

// The window the front panel is drawn in. It fills the main window's client
// area and takes the panel's painting, pointer, keys, tooltips and dropped
// files; the main window binds its handlers to it. Its tooltip is shown by
// the window itself, 300 ms after it was set while the pointer is over the
// window, and never handed to GTK, whose tips wait longer and outlive an
// emptied text. Keys need a child: under
// GTK a frame with a menu bar and a status bar gets no key-down events, while
// a focused child with wxWANTS_CHARS gets every key, Tab and the arrows
// included, and the menus' accelerators still fire for the keys it skips.
// GUI thread only.
class CFrontPanelWindow : public wxWindow, private wxModalDialogHook
{
public:
    // mayTakeFocus: asked before the panel takes the focus back (false while
    // another window of the program works with the keys).
    CFrontPanelWindow(wxWindow* parent, std::function<bool()> mayTakeFocus);
    ~CFrontPanelWindow() override;

    // The keys come here again, unless a modal dialog is open (then when the
    // last one closes) or mayTakeFocus refuses.
    void TakeFocus();
    // A modal dialog of the program is open: the keys are its own.
    bool IsDialogOpen() const { return m_openDialogs > 0; }

    // Shown over the panel now, or null.
    const CPanelTipWindow* GetShownTip() const;

    static constexpr int kTipDelayMs = 300;

private:
    void DoSetToolTipText(const wxString& tip) override;
    void DoSetToolTip(wxToolTip* tip) override;
    bool TryBefore(wxEvent& event) override;
    // A new tip, or none: what was shown goes, and the delay starts again.
    void RestartTip();
    void HideTip();
    void OnTipTimer(wxTimerEvent& event);

    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

    std::function<bool()> m_mayTakeFocus;
    int m_openDialogs = 0;
    wxTimer m_tipTimer;
    CPanelTipWindow* m_tip = nullptr;
};

// The front panel's window of the application's main window; the main
// window itself when it has none (a window without a view), null without one.
wxWindow* GetFrontPanelWindow();
