#pragma once

#include <memory>

#include <wx/dialog.h>

class CVSTPluginExaminer;
class Preferences;
class wxButton;
class wxDataViewEvent;
class wxDataViewListCtrl;
class wxKeyEvent;
struct VSTPluginInfo;

// The modal list of the plug-ins found in the "VSTDir" folder, from which the
// user picks the one to build a template from. Create runs a whole scan
// before the dialog is shown; the rows are the scan's records in scan order,
// in the toolkit's native list, which screen readers read. The first row
// starts selected, so Enter takes it. Ends with wxOK (OK, or a row
// activated) or wxCANCEL. GUI thread only.
class CVSTSelector : public wxDialog
{
public:
    // Empty, for the toolkit's run-time class table; Create fills it.
    CVSTSelector();
    ~CVSTSelector() override;

    // Loads the resource "ID_VSTSELECTOR" and scans the folder named by the
    // preferences' "VSTDir" (the application's preferences when null; the scan
    // saves them, with its guard). False when the resource or one of its
    // controls is missing; nothing is scanned then.
    bool Create(wxWindow* parent, Preferences* preferences = nullptr);

    // The plug-in of the selected row; null when no row is selected.
    const VSTPluginInfo* GetSelectedPlugin() const;

    // Scans the folder again and lists what it holds, with a progress window
    // while the scan runs. The rows are new: the first is selected, or with
    // none OK is disabled.
    void RefreshPluginList();

private:
    void OnChooseVSTDirectory(wxCommandEvent& event);
    void OnSelectionChanged(wxDataViewEvent& event);
    void OnPluginActivated(wxDataViewEvent& event);
    void OnListKey(wxKeyEvent& event);
    void EndModalOk(wxCommandEvent& event);
    void EndModalCancel(wxCommandEvent& event);
    void Finish(int answer);
    void EnableOkForSelection();
    // The row becomes the answer and OK the default button.
    void TakeRow(int row);

    wxDataViewListCtrl* m_pluginList = nullptr;
    wxWindow* m_createAsLabel = nullptr;
    wxWindow* m_createAsNormalTemplate = nullptr;
    wxWindow* m_createAsMap = nullptr;
    wxButton* m_okButton = nullptr;
    Preferences* m_preferences = nullptr;
    std::unique_ptr<CVSTPluginExaminer> m_examiner;
    long m_selectedRow = -1;
    bool m_spaceDown = false;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CVSTSelector);
    wxDECLARE_EVENT_TABLE();
};
