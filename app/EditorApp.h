#pragma once

#include <memory>

#include <wx/app.h>

#include "app/EditorAppHost.h"
#include "app/Preferences.h"
#include "model/DeviceAnswers.h"

class IEditorWindow;
class wxWindow;

// The application object. It owns the preferences with the recent-file list
// and the device's answers, and gives the whole program its small services:
// message boxes with the program's title, the device-lost notices, the file
// choosers, label placeholders. While it exists it is the data layer's host.
// Start-up, the idle pass and shutdown live in OnInit, ProcessIdle and OnExit.
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
    void SetMainWindow(wxWindow* window, IEditorWindow* editorWindow);

    // A message box titled with the program's name, centred, parented to the
    // modal dialog that is running or else to the active window. Returns the
    // button chosen (wxYES, wxNO, wxOK, wxCANCEL).
    int ShowMessage(const wxString& text, long style);
    // A data-error report, handed to the crash reporter's report dialog.
    void ShowErrorReport(const wxString& message, const wxString& reportFile,
                         const wxString& reportType);
    // Each shows its notice once per run; the two share one flag, so after
    // either, neither shows again.
    void ReportInputDeviceLost();
    void ReportOutputDeviceLost();
    // A file chooser starting at path; on OK the path becomes the chosen one.
    // Saving refuses (false, path already changed) a file that an open
    // template came from.
    bool ChooseOpenFile(wxString& path, const wxString& wildcard);
    bool ChooseSaveFile(wxString& path, const wxString& wildcard);
    // Replaces every placeholder in the window's label (text from resources).
    static void ReplaceInWindowLabel(wxWindow* window, const wxString& placeholder,
                                     const wxString& value);

    int OnExit() override;

protected:
    // Set once a device-lost notice has been shown; start-up clears it.
    bool m_inputLostShown = false;

private:
    bool ChooseFile(wxString& path, const wxString& wildcard, bool save);
    void ReportDeviceLost(const wxString& text);

    std::unique_ptr<IDeviceAnswers> m_device;
    Preferences m_preferences;
    wxWindow* m_mainWindow = nullptr;
    IEditorWindow* m_editorWindow = nullptr;
    CEditorAppHost m_host;
};

// The one application object. Defined by this library, so the program makes
// its application with wxIMPLEMENT_WXWIN_MAIN and its own wxCreateApp rather
// than wxIMPLEMENT_APP, which would define wxGetApp a second time.
wxDECLARE_APP(CEditorApp);
