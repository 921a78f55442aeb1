#pragma once

#include <string>
#include <vector>

#include "model/MessageStyle.h"

class AbbreviationMap;
class IDeviceAnswers;
class CEditorTemplate;
class CPlacedControl;
class WordList;

// One operation: something this observer watches has changed.
class IObserver
{
public:
    virtual ~IObserver() = default;
    virtual void Notify() = 0;
};

// The main window as the data layer sees it: the undo history, the commands
// and the control states reach the window, the view and the control settings
// window only through this. Every operation does nothing by default, so a
// test fake overrides just what it watches.
class IEditorWindow
{
public:
    virtual ~IEditorWindow() = default;

    // The template whose edits the window shows; commands for any other are dropped.
    virtual CEditorTemplate* GetCurrentTemplate() { return nullptr; }

    // Undo state changed: the Edit menu, the title, the Template menu, a repaint.
    virtual void UpdateEditMenu(bool /*canUndo*/, bool /*canRedo*/) {}
    virtual void UpdateTitle() {}
    virtual void UpdateTemplateMenu() {}
    virtual void SetNeedsRefresh() {}
    virtual void SetFocusToMainWindow() {}
    virtual void ReselectCurrentTemplate() {}
    // The recent-file list changed: the File menu's "Recent files..." again.
    virtual void UpdateFileMenu() {}
    // A dialog that took over the MIDI input hands it back: the window
    // listens for a template dump again, as it did before the dialog opened.
    virtual void ResumeListening() {}

    // The control settings window beside the main window.
    virtual void HideControlSettings() {}
    // Show this control in the control settings window, at once or (deferred)
    // from the next idle step. The window clones the control if it keeps it.
    virtual void RefreshControl(CPlacedControl& /*control*/, bool /*deferred*/) {}
    virtual bool IsControlSettingsShown() { return false; }
    // Whether a point of the main window's client area lies inside the
    // rectangle the control settings window reports for itself.
    virtual bool ControlSettingsContains(int /*x*/, int /*y*/) { return false; }

    // Field 0 of the main window's status bar.
    virtual void ShowStatus(const std::string& /*text*/) {}

    // The front-panel view: select or deselect the control with this index.
    virtual void SelectControl(int /*index*/, bool /*select*/) {}

    // Observers of the control being edited (snapshot and button panels).
    virtual IObserver* GetValueObserver() { return nullptr; }
    virtual std::vector<IObserver*> GetObservers() { return {}; }
    // The panels register themselves; the control settings window clears
    // both registrations whenever it lets go of its control.
    virtual void SetValueObserver(IObserver* /*observer*/) {}
    virtual void AddObserver(IObserver* /*observer*/) {}
    virtual void ClearObservers() {}

    // Is a template read from or saved to this file open in the window?
    virtual bool IsTemplateFileOpen(const std::string& /*path*/) { return false; }

    // The device commands the front panel's Listen and Send buttons run, as
    // if chosen from the Device menu; StopListening(announce) also says so
    // on the status line.
    virtual void OnListenForTemplate() {}
    virtual void StopListening(bool /*announce*/) {}
    virtual void OnSendTemplate() {}

    // The keyboard zone dialog, modal over the main window, for zone index
    // (0..3) of the current template; false when no dialog was shown.
    virtual bool ShowKeyboardZoneDialog(int /*zoneIndex*/, const std::string& /*title*/) { return false; }
};

// What the data layer asks of, or tells, the application. The application
// installs its own at start-up; until then (and in tests that install none) a
// quiet default answers for the DorvaSynth, shows nothing and has no window.
class IEditorHost
{
public:
    virtual ~IEditorHost() = default;

    virtual const IDeviceAnswers& Device() const = 0;

    // A message box with the program's title; returns a MessageAnswer value.
    virtual int ShowMessage(const std::string& text, int style) = 0;
    // Hands a data-error report to the crash reporter's report dialog.
    virtual void ShowErrorReport(const std::string& message, const std::string& reportFile,
                                 const std::string& reportType) = 0;
    // The "SendErrorsHome" preference.
    virtual bool SendErrorsHome() const = 0;

    // The main window, or null when there is none (loading banks, tests).
    virtual IEditorWindow* Window() = 0;

    // The application's abbreviation dictionary and name-completion word list.
    // By default one process-wide pair, filled as start-up fills them (the 34
    // standard abbreviations; every dictionary word in the list).
    virtual const AbbreviationMap& Abbreviations() const;
    virtual WordList& Words();
};

// The installed host; never null.
IEditorHost& Host();
// Installs a host (not owned); null restores the quiet default.
void InstallHost(IEditorHost* host);
// Shorthand for Host().Device().
const IDeviceAnswers& Device();

// Installs a host for the life of a scope (tests).
class ScopedHost
{
public:
    explicit ScopedHost(IEditorHost* host) : m_previous(&Host()) { InstallHost(host); }
    ~ScopedHost() { InstallHost(m_previous); }
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;

private:
    IEditorHost* m_previous;
};
