#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include <wx/app.h>

#include "app/EditorAppHost.h"
#include "app/IdleClock.h"
#include "app/Preferences.h"
#include "model/AbbreviationMap.h"
#include "model/WordList.h"
#include "model/DeviceAnswers.h"

class IEditorWindow;
class IMainWindow;
class IMidiDriver;
class CTemplateUI;
class wxSingleInstanceChecker;
class wxWindow;

// The application object. It owns the preferences with the recent-file list
// and the device's answers, and gives the whole program its small services:
// message boxes with the program's title, the device-lost notices, the file
// choosers, label placeholders. While it exists it is the data layer's host.
// Start-up, the idle tick and shutdown live in OnInit, IdleTick and OnExit.
// GUI thread only.
class CEditorApp : public wxApp
{
public:
    explicit CEditorApp(std::unique_ptr<IDeviceAnswers> device);
    ~CEditorApp() override;

    // Every device question of the application is answered here.
    const IDeviceAnswers& Device() const { return *m_device; }

    Preferences& Prefs() { return m_preferences; }
    const Preferences& Prefs() const { return m_preferences; }
    RecentFiles& Recent() { return m_preferences.recentFiles; }

    // The abbreviation dictionary and the name-completion word list, filled
    // by start-up; until then the data layer uses its standard pair.
    const AbbreviationMap& Abbreviations() const { return m_abbreviations; }
    WordList& Words() { return m_words; }
    bool DictionariesFilled() const { return m_dictionariesFilled; }

    // The caption mode of the view: the "ViewType" preference on a device with
    // a View menu, else 3 (every line), whatever the preference holds.
    int GetViewType() const;
    // Lets the device fix the "ViewType" preference; start-up calls it once
    // the preferences are read.
    void ApplyDefaultViewType();

    // The main window, once start-up has made it; null before. The window
    // registers itself twice over: as a toolkit window (parent of the file
    // choosers and report dialog) and as the data layer's IEditorWindow.
    wxWindow* GetMainWindow() const { return m_mainWindow; }
    IEditorWindow* GetEditorWindow() const { return m_editorWindow; }
    // Null (the window is going) also stops the idle pass's calls into it.
    void SetMainWindow(wxWindow* window, IEditorWindow* editorWindow);

    // A message box titled with the program's name, centred, parented to the
    // modal dialog that is running or else to the active window. Returns the
    // button chosen (wxYES, wxNO, wxOK, wxCANCEL). A box with only OK is a
    // notice (ShowNotice) and answers wxOK, maybe before it is shown; a
    // question shows at once.
    int ShowMessage(const wxString& text, long style);
    // A data-error report, handed to the crash reporter's report dialog; a notice.
    void ShowErrorReport(const wxString& message, const wxString& reportFile,
                         const wxString& reportType);
    // Every notice (something told, nothing asked) comes up through here;
    // show runs its modal window. One that comes while the user is in another
    // program (a transfer ended, a dump arrived, the unit went) takes nothing
    // from there: it waits until the user is back, then shows once, in turn.
    // Keys on a dialog's button that would start something again go to its
    // OK first. Notices still waiting go with the main window.
    void ShowNotice(std::function<void()> show);
    bool NoticesWaiting() const { return !m_notices.empty(); }
    // The program is active, or one of its windows is: the user is in it.
    bool UserIsHere() const;
    // Each shows its notice once per run; the two share one flag, so after
    // either, neither shows again. A transfer the user started and that
    // cannot start or stops is said every time (userStarted).
    void ReportInputDeviceLost(bool userStarted = false);
    void ReportOutputDeviceLost(bool userStarted = false);
    // The device-lost notices said so far (shown, or waiting for the user):
    // a transfer that stops can tell whether its device's loss has been said
    // while it ran.
    int DeviceLostNotices() const { return m_deviceLostNotices; }
    // A file chooser starting at path; on OK the path becomes the chosen one.
    // Saving refuses (false, path already changed) a file that an open
    // template came from.
    bool ChooseOpenFile(wxString& path, const wxString& wildcard);
    bool ChooseSaveFile(wxString& path, const wxString& wildcard);
    // Replaces every placeholder in the window's label (text from resources).
    static void ReplaceInWindowLabel(wxWindow* window, const wxString& placeholder,
                                     const wxString& value);

    // The toolkit's own start. Without a display it would try to show its
    // complaint in a message box and die; the user is told on the terminal
    // instead, and the program ends.
    bool Initialize(int& argc, wxChar** argv) override;
    // Start-up: single instance, names, crash handler, dictionaries, image
    // handlers, resources, preferences, display font, MIDI, the plug-in scan
    // warning, the main window, then the files named on the command line or
    // the start-up action. False ends the program before the event loop.
    bool OnInit() override;
    // The program's clock (IdleClock), from the start of OnInit to OnExit:
    // activation changes, one MIDI step, the main window's idle step and its
    // repaint, then the notices that waited for the user. It runs every 20 ms
    // while anything needs it (an event came
    // since the last tick, the MIDI layer woke it a moment ago, the
    // activation changed, the MIDI manager has work, the main window has a
    // step to take) and rests otherwise: every event
    // but the toolkit's idle rounds, and the MIDI layer's wake-up, start it
    // again at once. A tick started from inside a message box of a tick does
    // nothing (and rests the clock until the outer tick is over).
    void IdleTick();
    static constexpr int kIdleTickMs = 20;
    // Whether the clock would go on after a tick now.
    bool NeedsIdlePass() const;
    bool IsIdleClockResting() const { return m_idleClock.IsResting(); }
    // Every event passes here first: it wakes the resting clock.
    int FilterEvent(wxEvent& event) override;
    // Saves the preferences, closes the MIDI ports, frees the display font.
    int OnExit() override;
    // An exception that escaped an event handler or start-up reaches the
    // toolkit's entry, which would end the program quietly: it ends as an
    // uncaught exception instead, so the crash handler reports it.
    void OnUnhandledException() override;
    // A failed check inside the toolkit would show a box whose Stop ends the
    // program, unsaved templates and all: it goes to the log instead (debug
    // level: on the terminal, never in a box) and the program goes on.
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                         const wxChar* msg) override;

    // The folder beside the program that holds the resources and images.
    const wxString& GetProgramFolder() const { return m_programFolder; }
    IMainWindow* GetMainWindowObject() const { return m_mainWindowObject; }
    // Start-up's device choice: the remembered input and output, else the
    // first of each, with at most one notice.
    void OpenMidiDevices();
    // The welcome dialog of the start-up action 0.
    virtual void ShowWelcome();
    // The device's front-panel view, made once by the main window, which
    // owns it from then on; null when the application has none.
    virtual CTemplateUI* CreateTemplateUI() const { return nullptr; }

protected:
    // The user interface's part of start-up, supplied by the program's
    // application class.
    virtual bool InstallCrashReporter() { return true; }
    // XRC resources: "Common", then the device's own file when it exists.
    virtual void LoadResources() {}
    // The display font image; false, with what went wrong in problem, ends
    // the start-up.
    virtual bool LoadDisplayFont(const wxString& /*path*/, wxString& /*problem*/) { return true; }
    virtual void FreeDisplayFont() {}
    // A new main window (owned by the toolkit), or null.
    virtual IMainWindow* CreateMainWindow() { return nullptr; }
    // The MIDI layer the manager runs on; null picks the system's.
    virtual std::unique_ptr<IMidiDriver> MakeMidiDriver();
    // Tests start from elsewhere than the program's own folder.
    void SetProgramFolder(const wxString& folder) { m_programFolder = folder; }
    // The lock files of the single-instance check go here (empty: home).
    void SetInstanceLockFolder(const wxString& folder);
    // The start-up action preference (no files named on the command line).
    void RunStartupAction();
    // A failure that ends start-up before any window could say it: one line
    // on stderr, after the program's title.
    void WriteStartupFailure(const wxString& text) const;
    // What exit releases: the preferences are saved, the MIDI ports closed,
    // the display font and the single-instance guard freed, the log watch
    // taken out.
    void ReleaseResources();

    // Set once a device-lost notice has been shown; start-up clears it.
    bool m_inputLostShown = false;
    int m_deviceLostNotices = 0;

private:
    bool ChooseFile(wxString& path, const wxString& wildcard, bool save);
    void ReportDeviceLost(const wxString& text, bool userStarted);
    // Shows the notices that wait, one after the other, while the user is here.
    void ShowWaitingNotices();

    std::unique_ptr<IDeviceAnswers> m_device;
    Preferences m_preferences;
    bool CheckSingleInstance();
    void WarnUnfinishedPluginScan();

    wxWindow* m_mainWindow = nullptr;
    IEditorWindow* m_editorWindow = nullptr;
    IMainWindow* m_mainWindowObject = nullptr;
    AbbreviationMap m_abbreviations;
    WordList m_words;
    bool m_dictionariesFilled = false;
    CEditorAppHost m_host;
    std::unique_ptr<wxSingleInstanceChecker> m_instanceGuard;
    wxString m_instanceLockFolder;
    wxString m_programFolder;
    bool m_wasActive = false;
    bool m_inIdle = false;
    std::deque<std::function<void()>> m_notices;
    bool m_showingNotice = false;
    // An event came since the last tick began.
    bool m_eventSinceTick = false;
    // After the MIDI layer woke the clock the ticks go on this long, so that
    // the next message of a run (notes played, a knob turned) finds the
    // program's thread awake: one woken from a long sleep answers later.
    static constexpr std::chrono::milliseconds kAwakeAfterMidi{250};
    std::chrono::steady_clock::time_point m_awakeUntil;
    IdleClock m_idleClock;
};

// The one application object. Defined by this library, so the program makes
// its application with wxIMPLEMENT_WXWIN_MAIN and its own wxCreateApp rather
// than wxIMPLEMENT_APP, which would define wxGetApp a second time.
wxDECLARE_APP(CEditorApp);
