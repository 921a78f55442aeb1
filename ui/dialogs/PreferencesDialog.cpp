#include "ui/dialogs/PreferencesDialog.h"

#include <wx/checkbox.h>
#include <wx/choice.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"
#include "app/WxText.h"
#include "model/EditorHost.h"
#include "ui/FrontPanelWindow.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/DialogResource.h"

namespace
{
void ShowValue(wxCheckBox* box, int value)
{
    if (box)
        box->SetValue(Preferences::IsOn(value));
}

void Store(const wxCheckBox* box, int& value)
{
    if (box)
        value = box->GetValue() ? 1 : 0;
}
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CPreferencesDialog, wxDialog);

CPreferencesDialog::CPreferencesDialog() = default;

CPreferencesDialog::CPreferencesDialog(wxWindow* parent)
{
    m_loaded = LoadDialogResource(this, parent, "ID_PREFSDIALOG");
    if (!m_loaded)
        return;
    m_startupAction = FindControl<wxChoice>(this, "Startup_Action");
    m_warnOldOS = FindControl<wxCheckBox>(this, "Warn_On_Old_OS");
    m_sendErrorReports = FindControl<wxCheckBox>(this, "Send_Error_Reports");
    m_showTooltips = FindControl<wxCheckBox>(this, "Show_Control_Tooltips");
    m_abbreviateNames = FindControl<wxCheckBox>(this, "Abbreviate_Names");
    m_autoComplete = FindControl<wxCheckBox>(this, "Auto_Complete_Names");
    m_expandingPages = FindControl<wxCheckBox>(this, "Use_Expanding_Pages");
    m_releaseDriver = FindControl<wxCheckBox>(this, "Release_Midi_Driver_In_Background");

    const IDeviceAnswers& device = Device();
    RemoveWindowIf(!device.HasExpandingPages(), m_expandingPages);
    // Names never longer than the display shows have nothing to abbreviate.
    const bool noAbbreviation = device.GetMaxControlNameLength() <= device.GetDisplayNameLength();
    RemoveWindowIf(noAbbreviation, m_abbreviateNames);
    RemoveWindowIf(noAbbreviation, FindWindow(XRCID("ID_ABBREV_SPACER")));
    FillControls();

    Bind(wxEVT_BUTTON, &CPreferencesDialog::OnPurgeRecentFiles, this, XRCID("Purge_Recent_Files"));
    Bind(wxEVT_BUTTON, &CPreferencesDialog::OnChooseVstDirectory, this, XRCID("Choose_VST_Directory"));
    Bind(wxEVT_BUTTON, &CPreferencesDialog::OnRestoreDefaults, this, XRCID("Restore_Defaults"));
    Bind(wxEVT_BUTTON, &CPreferencesDialog::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CPreferencesDialog::OnCancel, this, wxID_CANCEL);
    FitAndCentre(this);
    SetTitle(ToWx(device.GetAppTitle()) + " preferences");
}

std::vector<std::pair<wxCheckBox*, int PreferenceValues::*>> CPreferencesDialog::CheckBoxes() const
{
    return {{m_warnOldOS, &PreferenceValues::showOldOSDialog},
            {m_sendErrorReports, &PreferenceValues::sendErrorsHome},
            {m_showTooltips, &PreferenceValues::showCtrlToolTips},
            {m_abbreviateNames, &PreferenceValues::abbreviateNames},
            {m_autoComplete, &PreferenceValues::shouldUseAutoComplete},
            {m_expandingPages, &PreferenceValues::useExpandPanes},
            {m_releaseDriver, &PreferenceValues::releaseDriver}};
}

void CPreferencesDialog::FillControls()
{
    const Preferences& prefs = wxGetApp().Prefs();
    if (m_startupAction)
    {
        const int action = prefs.startupAction;
        const bool known = action >= 0 && action < static_cast<int>(m_startupAction->GetCount());
        m_startupAction->SetSelection(known ? action : wxNOT_FOUND);
    }
    for (const auto& [box, value] : CheckBoxes())
        ShowValue(box, prefs.*value);
}

void CPreferencesDialog::OnPurgeRecentFiles(wxCommandEvent&)
{
    wxGetApp().Recent().Clear();
    if (IEditorWindow* window = Host().Window())
        window->UpdateFileMenu();
}

void CPreferencesDialog::OnChooseVstDirectory(wxCommandEvent&)
{
    Preferences& prefs = wxGetApp().Prefs();
    FolderDialogRequest request;
    request.parent = this;
    request.message = "Select VST plugins directory";
    request.folder = ToWx(prefs.vstDir);
    if (wxString folder; RunFolderDialog(request, folder))
        prefs.vstDir = FromWx(folder);
}

void CPreferencesDialog::OnRestoreDefaults(wxCommandEvent&)
{
    if (m_startupAction && m_startupAction->GetCount() > 3)
        m_startupAction->SetSelection(3);
    for (const auto& entry : CheckBoxes())
        if (entry.first)
            entry.first->SetValue(true);
}

void CPreferencesDialog::OnOK(wxCommandEvent&)
{
    CEditorApp& app = wxGetApp();
    Preferences& prefs = app.Prefs();
    if (m_startupAction && m_startupAction->GetSelection() != wxNOT_FOUND)
        prefs.startupAction = m_startupAction->GetSelection();
    for (const auto& [box, value] : CheckBoxes())
        if (box != m_releaseDriver)
            Store(box, prefs.*value);
    if (m_releaseDriver && m_releaseDriver->GetValue() != Preferences::IsOn(prefs.releaseDriver))
    {
        // The ports are opened in one mode at start-up and stay in it.
        app.ShowMessage("Please restart the " + ToWx(app.Device().GetAppTitle()) + " for your changes to take effect",
                        wxOK);
        prefs.releaseDriver = m_releaseDriver->GetValue() ? 1 : 0;
    }
    if (m_showTooltips && !m_showTooltips->GetValue())
        if (wxWindow* panel = GetFrontPanelWindow())
            panel->SetToolTip(wxString());
    prefs.Save();
    EndModal(0);
}

void CPreferencesDialog::OnCancel(wxCommandEvent&)
{
    EndModal(-1);
}

wxIMPLEMENT_DYNAMIC_CLASS(COldOSDialog, wxDialog);

COldOSDialog::COldOSDialog() = default;

COldOSDialog::COldOSDialog(wxWindow* parent)
{
    m_loaded = LoadDialogResource(this, parent, "ID_OLDOSDIALOG");
    if (!m_loaded)
        return;
    m_dontShowAgain = FindControl<wxCheckBox>(this, "Dont_Show_This_Message_Again");
    Bind(wxEVT_BUTTON, &COldOSDialog::OnOK, this, wxID_OK);
    FitAndCentre(this);
    // The keys start on OK: Space or Enter must not opt out of the notice.
    if (wxWindow* ok = FindWindow(wxID_OK))
        ok->SetFocus();
}

void COldOSDialog::OnOK(wxCommandEvent&)
{
    // Kept in memory; the preferences are written at exit.
    if (m_dontShowAgain && m_dontShowAgain->GetValue())
        wxGetApp().Prefs().showOldOSDialog = 0;
    EndModal(0);
}
