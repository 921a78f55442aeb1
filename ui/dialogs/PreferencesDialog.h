#pragma once

#include <wx/dialog.h>

class wxCheckBox;
class wxChoice;
class wxCommandEvent;

// The modal dialog of the stored preferences. OK stores every control and
// saves the preferences, ending with 0; Cancel ends with -1 and stores
// nothing. Purging the recent files and choosing the plug-in folder take
// effect at once, whatever ends the dialog. GUI thread only.
class CPreferencesDialog : public wxDialog
{
public:
    explicit CPreferencesDialog(wxWindow* parent);

    bool IsLoaded() const { return m_loaded; }

private:
    void FillControls();
    void OnPurgeRecentFiles(wxCommandEvent& event);
    void OnChooseVstDirectory(wxCommandEvent& event);
    void OnRestoreDefaults(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

    bool m_loaded = false;
    wxChoice* m_startupAction = nullptr;
    wxCheckBox* m_warnOldOS = nullptr;
    wxCheckBox* m_sendErrorReports = nullptr;
    wxCheckBox* m_showTooltips = nullptr;
    wxCheckBox* m_abbreviateNames = nullptr;
    wxCheckBox* m_autoComplete = nullptr;
    wxCheckBox* m_expandingPages = nullptr;
    wxCheckBox* m_releaseDriver = nullptr;
};

// The notice that the unit's OS is older than the editor needs; it can be
// switched off for later runs.
class COldOSDialog : public wxDialog
{
public:
    explicit COldOSDialog(wxWindow* parent);
    bool IsLoaded() const { return m_loaded; }

private:
    void OnOK(wxCommandEvent& event);

    bool m_loaded = false;
    wxCheckBox* m_dontShowAgain = nullptr;
};
