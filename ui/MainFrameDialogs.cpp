// The main window's modal dialogs: preferences, about, help pages, template
// settings, the device dialogs, the welcome dialog and the old-OS notice.

#include <wx/menu.h>

#include "app/EditorApp.h"
#include "app/WebAddresses.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/DeviceReply.h"
#include "model/EditorTemplate.h"
#include "model/KeyboardZone.h"
#include "model/commands/SetKeyboardZoneCommand.h"
#include "model/commands/SubmitCommand.h"
#include "ui/MainFrame.h"
#include "ui/MenuIds.h"
#include "ui/OpenInBrowser.h"
#include "ui/TemplateUI.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/BulkDumpDialog.h"
#include "ui/dialogs/EditPortGroups.h"
#include "ui/dialogs/KbdZoneDialog.h"
#include "ui/dialogs/PreferencesDialog.h"
#include "ui/dialogs/SelectMIDIDevices.h"
#include "ui/dialogs/TemplateSettings.h"
#include "ui/dialogs/UpdateOSDialog.h"
#include "ui/dialogs/WelcomeDialog.h"

namespace
{
// A dialog made from the resources runs only when its resource loaded.
template <typename Dialog, typename... Arguments>
int RunDialog(Arguments&&... arguments)
{
    Dialog dialog(std::forward<Arguments>(arguments)...);
    return dialog.IsLoaded() ? dialog.ShowModal() : wxID_CANCEL;
}
} // namespace

void CMainFrame::OnPreferences(wxCommandEvent&)
{
    HideControlSettings();
    RunDialog<CPreferencesDialog>(this);
    MarkNeedsRefresh();
}

void CMainFrame::OnAbout(wxCommandEvent&)
{
    HideControlSettings();
    const IDeviceAnswers& device = wxGetApp().Device();
    CFFAboutDialog about(this, "About " + ToWx(device.GetAppTitle()), GetImagesPath("signatures", "png"),
                         ToWx(device.GetAboutText()));
    about.ShowModal();
}

void CMainFrame::OnHelp(wxCommandEvent& event)
{
    switch (event.GetId())
    {
    case MenuId::ViewHelp:
        ShowHelpPage();
        break;
    case MenuId::VisitWebsite:
        OpenInBrowser(WebAddresses::kWebSite);
        break;
    default:
        OpenInBrowser(WebAddresses::kSupport);
        break;
    }
}

void CMainFrame::ShowHelpPage()
{
    OpenPageInBrowser(GetResourceFilePath("help", "html"));
}

void CMainFrame::OpenInBrowser(const wxString& address)
{
    ::OpenInBrowser(address);
}

void CMainFrame::OnTemplateSettings(wxCommandEvent& event)
{
    HideControlSettings();
    if (!m_currentTemplate)
        return;
    switch (event.GetId())
    {
    case MenuId::TemplateSettings:
        RunDialog<CTemplateSettings>(this, *m_currentTemplate);
        ReselectCurrentTemplate();
        break;
    case MenuId::MidiGroups:
        RunDialog<CEditPortGroups>(this, *m_currentTemplate);
        break;
    case MenuId::AudioFxSettings:
        if (m_view)
            m_view->OnAudioFxSettings();
        break;
    default: // a keyboard zone
        if (m_view)
            m_view->EditKeyboardZone(event.GetId() - MenuId::EditZone);
        MarkNeedsRefresh();
        break;
    }
}

bool CMainFrame::ShowKeyboardZoneDialog(int zoneIndex, const std::string& title)
{
    CKeyboardZone* zone = m_currentTemplate ? m_currentTemplate->GetKeyboardZone(zoneIndex) : nullptr;
    if (!zone)
        return false;
    HideControlSettings();
    bool changed = false;
    CKbdZoneDialog dialog(this, *zone, ToWx(title), [&](const CKeyboardZone& edited) {
        changed = SubmitToCurrentTemplate(std::make_unique<CSetKeyboardZoneCommand>(zone, edited));
    });
    if (dialog.IsLoaded())
        dialog.ShowModal();
    return changed;
}

void CMainFrame::OnDeviceDialog(wxCommandEvent& event)
{
    // The device and bank dialogs take the input over; a dump they receive
    // must not open a template behind them. The OS update dialog gives the
    // listen back itself.
    if (event.GetId() != MenuId::UpdateOS)
        StopListening(MIDIIO::IsReceiving());
    HideControlSettings();
    switch (event.GetId())
    {
    case MenuId::SelectMidiDevices:
        RunDialog<CSelectMIDIDevices>(this);
        // On demand the new ports would open only on later idle passes,
        // after a listen that follows at once had taken the old input.
        MIDIIO::ApplyRequestsNow();
        break;
    case MenuId::BulkDumps:
        RunDialog<CBulkDumpDialog>(this, true, "Bulk dump");
        break;
    case MenuId::PatchLibrarian:
        RunDialog<CBulkDumpDialog>(this, false, "Patch librarian");
        break;
    default:
        RunDialog<CUpdateOSDialog>(this);
        break;
    }
    UpdateDeviceMenu();
}

void CMainFrame::ShowWelcome()
{
    WelcomeActions actions;
    actions.newTemplate = [this] { NewTemplate(); };
    actions.listen = [this] { OnListenForTemplate(); };
    actions.updateOS = [this] { OnDeviceCommand(MenuId::UpdateOS); };
    actions.bulkDump = [this] { OnDeviceCommand(MenuId::BulkDumps); };
    actions.help = [this] { ShowHelpPage(); };
    actions.selectMidiDevices = [this] { OnDeviceCommand(MenuId::SelectMidiDevices); };
    ShowWelcomeDialog(this, actions);
}

void CMainFrame::OnDeviceCommand(int id)
{
    wxCommandEvent command(wxEVT_MENU, id);
    OnDeviceDialog(command);
}

void CMainFrame::WarnIfOldOS(const CEditorTemplate& received)
{
    CEditorApp& app = wxGetApp();
    if (app.Prefs().showOldOSDialog != 1 || !app.Device().ChecksOSVersion())
        return;
    if (OSVersion::IsOlder(DeviceReply::GetOSVersion(received.GetHeader()), app.Device().GetRequiredOSVersion()))
        app.ShowNotice([this] { RunDialog<COldOSDialog>(this); });
}
