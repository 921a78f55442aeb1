#pragma once

#include <utility>
#include <vector>

#include <wx/dialog.h>

#include "app/Preferences.h"

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
    // Empty, for the toolkit's run-time class table; never shown.
    CPreferencesDialog();
    explicit CPreferencesDialog(wxWindow* parent);

    bool IsLoaded() const { return m_loaded; }

private:
    // Each check box with the preference value it shows and stores.
    std::vector<std::pair<wxCheckBox*, int PreferenceValues::*>> CheckBoxes() const;
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

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CPreferencesDialog);
};

// The notice that the unit's OS is older than the editor needs; it can be
// switched off for later runs.
class COldOSDialog : public wxDialog
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    COldOSDialog();
    explicit COldOSDialog(wxWindow* parent);
    bool IsLoaded() const { return m_loaded; }

private:
    void OnOK(wxCommandEvent& event);

    bool m_loaded = false;
    wxCheckBox* m_dontShowAgain = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(COldOSDialog);
};
