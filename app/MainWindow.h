#pragma once

class IMessageListener;
class wxFrame;
class wxString;

// The main window as the application's start-up and idle pass drive it. The
// user interface makes the one main window (CEditorApp::CreateMainWindow);
// the toolkit owns it as a top-level window. GUI thread only.
class IMainWindow
{
public:
    virtual ~IMainWindow() = default;

    virtual wxFrame* Frame() = 0;
    // Once, right after construction; false ends the start-up.
    virtual bool Init() = 0;
    // Registered with the MIDI manager for incoming short messages.
    virtual IMessageListener* MessageListener() = 0;

    // Opens a template file (openMode) or imports its controls into the
    // current template.
    virtual void OpenTemplateFile(const wxString& path, bool openMode) = 0;
    // The File menu's New and Open commands, as if chosen.
    virtual void NewTemplate() = 0;
    virtual void OpenTemplate() = 0;
    // The welcome dialog, over this window.
    virtual void ShowWelcome() = 0;
    // Before a modal dialog of the application.
    virtual void HideControlSettings() = 0;

    // Every idle pass: hover, release outside, animation, deferred control;
    // then the repaint when one was asked for.
    virtual void IdleStep() = 0;
    virtual void RefreshIfNeeded() = 0;
    // Whether the next idle pass has something to do here (a repaint, the
    // settings window's follow-up, a pointer to track, an animation); the
    // passes rest while no part of the program needs them.
    virtual bool NeedsIdleStep() const = 0;
    // The application went to the background: a drag or rubber band in
    // progress ends where the pointer is.
    virtual void OnApplicationDeactivated() = 0;
};
