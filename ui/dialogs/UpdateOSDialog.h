#pragma once

#include <memory>

#include <wx/dialog.h>
#include <wx/timer.h>

#include "midi/MidiListeners.h"
#include "ui/dialogs/PacedSender.h"
#include "model/OSVersion.h"

class CDeviceOS;
class wxButton;
class wxCloseEvent;
class wxCommandEvent;
class wxGauge;
class wxStaticLine;
class wxTextCtrl;

// Sends a new operating system to the unit, one SysEx message at a time with
// a 100 ms pause after each (on a timer: the window stays live). While open
// it takes over the MIDI input and shows the OS version of the first
// template dump the unit sends. An image older than the unit's, or sent
// without knowing the unit's version, is questioned before the
// confirmation. Devices chosen from here are in use before the next upload:
// the receive ends before the device dialog and starts again once the ports
// have reopened, and Send waits for them. The close box is refused while
// sending. GUI thread only.
class CUpdateOSDialog : public wxDialog, public ISysExListener, public IProgressListener
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CUpdateOSDialog();
    explicit CUpdateOSDialog(wxWindow* parent);
    ~CUpdateOSDialog() override;

    bool IsLoaded() const { return m_loaded; }
    bool IsSending() const { return m_sending; }
    // The ports chosen in the device dialog are open (Send may be used).
    bool ArePortsReady() const { return m_portsReady; }
    // Loads an OS image as "Load_New_OS" does once a file is chosen.
    bool LoadImage(const wxString& path);

    bool OnSysExReceived(const SysExBuffer& bytes) override;
    void OnSysExInterrupted() override {}
    void OnTransferStart() override {}
    void OnTransferWaiting() override {}
    void OnTransferComplete() override;
    void OnTransferFailed() override;

private:
    void OnLoad(wxCommandEvent& event);
    void OnSelectDevices(wxCommandEvent& event);
    void OnSend(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    // Questions and the confirmation; true when the user wants the upload.
    bool ConfirmUpload();
    void StartSending();
    void SendNextMessage();
    // After the device dialog: Send waits until the ports are open on the
    // chosen devices; then the dialog listens again.
    void AwaitPorts();
    void OnPortsCheck(wxTimerEvent& event);
    void EnableSend();
    void ShowProgress(bool show);
    void EndProgress();

    bool m_loaded = false;
    std::unique_ptr<CDeviceOS> m_image;
    OSVersion m_currentVersion;
    OSVersion m_newVersion;
    bool m_currentVersionSet = false;
    bool m_frameWasListening = false;
    size_t m_messageIndex = 0;
    bool m_sending = false;
    bool m_portsReady = true;
    // Sends the image's messages with the pause after each.
    CPacedSender m_pacer;
    // One-shot: looks again for the reopened ports.
    wxTimer m_portsCheck;

    wxTextCtrl* m_current = nullptr;
    wxTextCtrl* m_new = nullptr;
    wxButton* m_loadButton = nullptr;
    wxButton* m_devicesButton = nullptr;
    wxButton* m_sendButton = nullptr;
    wxButton* m_okButton = nullptr;
    wxStaticLine* m_progressLine = nullptr;
    wxGauge* m_gauge = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CUpdateOSDialog);
};

// Asks once more before the upload, with a button that explains how to put
// the unit into its update mode. Ends with 4 on OK, 16 on Cancel.
class CConfirmOSUpdateDialog : public wxDialog
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CConfirmOSUpdateDialog();
    static constexpr int kConfirmed = 4;
    static constexpr int kCancelled = 16;

    explicit CConfirmOSUpdateDialog(wxWindow* parent);
    bool IsLoaded() const { return m_loaded; }

private:
    bool m_loaded = false;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CConfirmOSUpdateDialog);
};
