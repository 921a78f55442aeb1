#include "ui/dialogs/UpdateOSDialog.h"

#include <utility>

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/DeviceOS.h"
#include "model/DeviceReply.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "ui/dialogs/DialogResource.h"
#include "ui/dialogs/SelectMIDIDevices.h"

namespace
{
// The unit needs this long to take in one message before the next arrives.
constexpr int kPauseAfterMessageMs = 100;
// How often to look for ports that did not reopen at once.
constexpr int kPortsCheckMs = 250;

wxString VersionText(const OSVersion& version)
{
    return ToWx(version.Format());
}
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CUpdateOSDialog, wxDialog);

CUpdateOSDialog::CUpdateOSDialog() : m_pacer([] {}), m_portsCheck(this)
{
}

CUpdateOSDialog::CUpdateOSDialog(wxWindow* parent)
    : m_pacer([this] {
          if (m_sending)
              SendNextMessage();
      }),
      m_portsCheck(this)
{
    m_image = wxGetApp().Device().CreateDeviceOS();
    m_frameWasListening = MIDIIO::IsReceiving();
    // Takes the input over from the main window: the first dump the unit
    // sends now tells its OS version.
    MIDIIO::BeginReceive(this, nullptr);

    m_loaded = LoadDialogResource(this, parent, "ID_UPDATEOSDIALOG");
    if (!m_loaded)
        return;
    m_current = FindControl<wxTextCtrl>(this, "Current_OS_Version");
    m_new = FindControl<wxTextCtrl>(this, "New_OS_Version");
    m_loadButton = FindControl<wxButton>(this, "Load_New_OS");
    m_devicesButton = FindControl<wxButton>(this, "Select_MIDI_Devices");
    m_sendButton = FindControl<wxButton>(this, "Send_OS_To_Device");
    m_okButton = FindControl<wxButton>(this, "wxID_OK");
    m_progressLine = FindControl<wxStaticLine>(this, "ID_PROGLINE");
    m_gauge = FindControl<wxGauge>(this, "ID_GAUGE");

    if (m_current)
    {
        m_current->ChangeValue("Unknown");
        m_current->Disable();
    }
    if (m_new)
    {
        m_new->ChangeValue("Not loaded");
        m_new->Disable();
    }
    if (m_sendButton)
        m_sendButton->Disable();
    Bind(wxEVT_BUTTON, &CUpdateOSDialog::OnLoad, this, XRCID("Load_New_OS"));
    Bind(wxEVT_BUTTON, &CUpdateOSDialog::OnSelectDevices, this, XRCID("Select_MIDI_Devices"));
    Bind(wxEVT_BUTTON, &CUpdateOSDialog::OnSend, this, XRCID("Send_OS_To_Device"));
    Bind(wxEVT_BUTTON, &CUpdateOSDialog::OnOK, this, wxID_OK);
    Bind(wxEVT_CLOSE_WINDOW, &CUpdateOSDialog::OnClose, this);
    Bind(wxEVT_TIMER, &CUpdateOSDialog::OnPortsCheck, this, m_portsCheck.GetId());
    ShowProgress(false);
    FitAndCentre(this);
}

CUpdateOSDialog::~CUpdateOSDialog()
{
    // Whatever the state, neither the timers nor the MIDI manager may call
    // this dialog once it is gone.
    m_pacer.Stop();
    m_portsCheck.Stop();
    MIDIIO::ReleaseListeners(this, this);
    if (m_frameWasListening)
        if (IEditorWindow* window = Host().Window())
            window->ResumeListening();
}

bool CUpdateOSDialog::OnSysExReceived(const SysExBuffer& bytes)
{
    std::unique_ptr<CEditorTemplate> reply = wxGetApp().Device().CreateTemplate();
    size_t position = 0;
    if (reply && reply->Read(bytes, position))
    {
        m_currentVersion = DeviceReply::GetOSVersion(reply->GetHeader());
        m_currentVersionSet = true;
        if (m_current)
        {
            m_current->ChangeValue(VersionText(m_currentVersion));
            m_current->Enable();
        }
    }
    return true;
}

bool CUpdateOSDialog::LoadImage(const wxString& path)
{
    // Read into an image of its own: a file that fails leaves the loaded
    // image, and its version, as they were, ready to upload.
    std::unique_ptr<CDeviceOS> image = wxGetApp().Device().CreateDeviceOS();
    if (!image || !image->LoadFromFile(FromWx(path)))
    {
        wxGetApp().ShowMessage("The file \"" + path + "\" is not a valid operating system.", wxOK);
        return false;
    }
    m_image = std::move(image);
    m_newVersion = m_image->GetVersion();
    if (m_new)
    {
        m_new->ChangeValue(VersionText(m_newVersion));
        m_new->Enable();
    }
    EnableSend();
    return true;
}

void CUpdateOSDialog::EnableSend()
{
    if (!m_sendButton || !m_portsReady || !m_image || m_image->GetCount() == 0)
        return;
    m_sendButton->Enable();
    m_sendButton->SetDefault();
}

void CUpdateOSDialog::OnLoad(wxCommandEvent&)
{
    wxString path;
    if (wxGetApp().ChooseOpenFile(path, "SysEx Dump (*.syx)|*.syx"))
        LoadImage(path);
}

void CUpdateOSDialog::OnSelectDevices(wxCommandEvent&)
{
    // The ports may change under the receive: it ends here and starts again
    // on the chosen input.
    MIDIIO::ReleaseListeners(this, this);
    {
        CSelectMIDIDevices dialog(this);
        if (dialog.IsLoaded())
            dialog.ShowModal();
    }
    AwaitPorts();
}

void CUpdateOSDialog::AwaitPorts()
{
    m_portsReady = false;
    if (m_sendButton)
        m_sendButton->Disable();
    wxTimerEvent check(m_portsCheck);
    OnPortsCheck(check);
}

void CUpdateOSDialog::OnPortsCheck(wxTimerEvent&)
{
    // On demand the ports reopen here; a device that does not open yet is
    // tried again by the idle pass about once a second.
    MIDIIO::ApplyRequestsNow();
    const bool outputOpen = MIDIIO::GetSelectedOutputDevice() == -1 || MIDIIO::HasOutputPort();
    if (MIDIIO::GetState() != MIDIIO::kIdle || !outputOpen)
    {
        m_portsCheck.StartOnce(kPortsCheckMs);
        return;
    }
    m_portsReady = true;
    EnableSend();
    MIDIIO::BeginReceive(this, nullptr);
}

bool CUpdateOSDialog::ConfirmUpload()
{
    CEditorApp& app = wxGetApp();
    if (!m_currentVersionSet && Preferences::IsOn(app.Prefs().showOldOSDialog))
    {
        if (app.ShowMessage("You have not established the current OS version on your unit,\n"
                            "and it may be a later version than the one you are about to upload.\n\n"
                            "Do you wish to upload the selected OS anyway?",
                            wxYES_NO) != wxYES)
            return false;
    }
    else if (OSVersion::IsOlder(m_newVersion, m_currentVersion))
    {
        if (app.ShowMessage("The version of the operating system you are about to upload is older than the one "
                            "currently installed on the unit.\n\nDo you still want to upload it?",
                            wxYES_NO) != wxYES)
            return false;
    }
    CConfirmOSUpdateDialog confirm(this);
    return confirm.IsLoaded() && confirm.ShowModal() == CConfirmOSUpdateDialog::kConfirmed;
}

void CUpdateOSDialog::OnSend(wxCommandEvent&)
{
    if (m_sending || !m_portsReady || !m_image || m_image->GetCount() == 0)
        return;
    if (ConfirmUpload())
        StartSending();
}

void CUpdateOSDialog::StartSending()
{
    OpenPortsForUser();
    ShowProgress(true);
    if (m_gauge)
    {
        m_gauge->SetRange(static_cast<int>(m_image->GetCount()));
        m_gauge->SetValue(0);
    }
    m_sending = true;
    for (wxButton* button : {m_sendButton, m_okButton, m_loadButton, m_devicesButton})
        if (button)
            button->Disable();
    if (m_sendButton)
        m_sendButton->SetLabel("Please wait...");
    m_messageIndex = 0;
    SendNextMessage();
}

void CUpdateOSDialog::SendNextMessage()
{
    if (m_messageIndex >= m_image->GetCount())
    {
        wxGetApp().ShowMessage("OS update completed!\n\n"
                               "Please click \"OK\" and exit the program before switching the hardware back on.",
                               wxOK);
        EndProgress();
        return;
    }
    const size_t i = m_messageIndex++;
    if (m_gauge)
        m_gauge->SetValue(static_cast<int>(i + 1));
    if (!m_pacer.Send(m_image->GetMessage(i), this))
    {
        m_messageIndex = 0;
        EndProgress();
        m_pacer.ReportLostOutput();
        return;
    }
}

void CUpdateOSDialog::OnTransferComplete()
{
    if (!m_sending)
        return;
    // The only pacing: the unit has no handshake for OS messages.
    m_pacer.StartPause(kPauseAfterMessageMs);
}

void CUpdateOSDialog::OnTransferFailed()
{
    if (!m_sending)
        return;
    m_messageIndex = 0;
    EndProgress();
    wxGetApp().ShowMessage("Error uploading OS", wxOK);
}

void CUpdateOSDialog::ShowProgress(bool show)
{
    ShowArea(this, {m_progressLine, m_gauge}, show);
}

void CUpdateOSDialog::EndProgress()
{
    m_pacer.Stop();
    ShowProgress(false);
    if (m_gauge)
        m_gauge->SetValue(0);
    for (wxButton* button : {m_sendButton, m_okButton, m_loadButton, m_devicesButton})
        if (button)
            button->Enable();
    if (m_sendButton)
        m_sendButton->SetLabel("&Upload OS");
    m_sending = false;
    // Enter must not start the next upload: the keys and the default go to
    // the button that closes (a focused button takes Enter itself).
    if (m_okButton)
    {
        m_okButton->SetDefault();
        GiveKeysToFirst({m_okButton});
    }
}

void CUpdateOSDialog::OnOK(wxCommandEvent&)
{
    if (m_sending)
        return;
    EndModal(0);
}

void CUpdateOSDialog::OnClose(wxCloseEvent& event)
{
    if (m_sending && event.CanVeto())
    {
        event.Veto();
        return;
    }
    if (IsModal())
        EndModal(0);
    else
        event.Skip();
}

wxIMPLEMENT_DYNAMIC_CLASS(CConfirmOSUpdateDialog, wxDialog);

CConfirmOSUpdateDialog::CConfirmOSUpdateDialog() = default;

CConfirmOSUpdateDialog::CConfirmOSUpdateDialog(wxWindow* parent)
{
    SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
    m_loaded = LoadDialogResource(this, parent, "ID_CONFIRMOSUPDATEDIALOG");
    if (!m_loaded)
        return;
    CEditorApp::ReplaceInWindowLabel(FindWindow(XRCID("ID_MESSAGE")), "PRODUCTNAME",
                                     ToWx(wxGetApp().Device().GetProductName()));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        ShowMessageBox(ToWx(wxGetApp().Device().GetOSUpdateInstructions()), "OS Update Instructions",
                       wxOK | wxCENTRE, this);
    }, XRCID("Tell_Me_How"));
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kConfirmed); }, wxID_OK);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(kCancelled); }, wxID_CANCEL);
    FitAndCentre(this);
}
