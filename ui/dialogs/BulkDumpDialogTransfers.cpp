// The bulk dump dialog's transfers: the progress area, sending a bank with a
// pause after each entry, and receiving one entry per message.
#include "ui/dialogs/BulkDumpDialog.h"

#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/gauge.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/EditorTemplate.h"
#include "ui/dialogs/DialogResource.h"

namespace
{
const char* const kReadFailed = "Unable to read dump - either it is not a valid dump or the dump was started "
                                "before listening for it.\n\nPlease exit the program, restart it, listen for the "
                                "dump and then send the dump again.";
} // namespace

void CBulkDumpDialog::ShowProgressArea(bool show)
{
    ShowArea(this, {m_progressLine, m_progressMessage, m_gauge, m_cancel}, show);
}

void CBulkDumpDialog::BeginProgress(const wxString& message, int range, wxWindow* starter)
{
    m_transferStarter = starter;
    ShowProgressArea(true);
    Update();
    if (m_progressMessage)
        m_progressMessage->SetLabel(message);
    if (m_gauge)
    {
        m_gauge->SetRange(range);
        m_gauge->SetValue(0);
    }
    m_busy = true;
    EnableControls(false);
    if (m_cancel)
        m_cancel->Enable();
    // The button that started it has just gone off: Escape and Space cancel.
    GiveKeysToFirst({m_cancel});
}

void CBulkDumpDialog::UpdateProgress(int value, const wxString& message)
{
    if (m_progressMessage && !message.empty())
        m_progressMessage->SetLabel(message);
    // Told on every idle pass of a receive: redrawn only when it moved.
    if (m_gauge && m_gauge->GetValue() != value)
        m_gauge->SetValue(value);
}

void CBulkDumpDialog::EndProgress()
{
    ShowProgressArea(false);
    if (m_progressMessage)
        m_progressMessage->SetLabel(wxString());
    if (m_gauge)
        m_gauge->SetValue(0);
    m_busy = false;
    EnableControls(true);
    if (m_cancel)
        m_cancel->Disable();
    GiveKeysToFirst({m_transferStarter, m_list});
    m_transferStarter = nullptr;
}

void CBulkDumpDialog::MarkIncomplete()
{
    m_bank->SetComplete(false);
    FillList();
}

void CBulkDumpDialog::DisableTransferButtons()
{
    KeepKeysWhile([this] {
        for (wxButton* button : {m_listen, m_upload})
            if (button)
                button->Disable();
    }, {m_list});
    m_portsWatch.Start(250);
}

void CBulkDumpDialog::OnPortsWatch(wxTimerEvent&)
{
    if (m_busy)
        return;
    const bool input = MIDIIO::HasInputPort();
    const bool output = MIDIIO::HasOutputPort();
    if (m_listen && input)
        m_listen->Enable();
    if (m_upload && output && m_bank->IsComplete())
        m_upload->Enable();
    if (input && output)
        m_portsWatch.Stop();
}

void CBulkDumpDialog::OnCancelTransfer(wxCommandEvent&)
{
    if (!m_busy)
        return;
    if (m_writing)
    {
        // Between entries: the pause ends here and nothing more goes out.
        EndSending();
        return;
    }
    MIDIIO::ReleaseListeners(this, this);
    EndReceiveEarly(wxString());
}

// Sending ----------------------------------------------------------------

void CBulkDumpDialog::OnUpload(wxCommandEvent&)
{
    if (m_bank->IsComplete() && !m_busy)
        StartSending(*m_bank, m_upload);
}

void CBulkDumpDialog::OnUploadFactory(wxCommandEvent&)
{
    if (m_busy)
        return;
    if (m_uploadFactory)
        m_uploadFactory->Disable();
    std::unique_ptr<IBulkDump> factory = wxGetApp().Device().CreateTemplateBulkDump();
    if (!factory || !LoadBulkDumpFromFile(*factory, FromWx(m_factoryBankPath)))
    {
        wxGetApp().ShowMessage("Unable to load dump from file: " + m_factoryBankPath, wxOK);
        if (m_uploadFactory)
            m_uploadFactory->Enable();
        return;
    }
    m_factoryBank = std::move(factory);
    StartSending(*m_factoryBank, m_uploadFactory);
}

void CBulkDumpDialog::StartSending(IBulkDump& bank, wxWindow* starter)
{
    OpenPortsForUser();
    m_outgoing = &bank;
    m_transferIndex = 0;
    m_writing = true;
    BeginProgress("Writing dump...", bank.GetCount(), starter);
    SendNextEntry();
}

void CBulkDumpDialog::SendNextEntry()
{
    if (m_transferIndex >= m_outgoing->GetCount())
    {
        EndSending();
        return;
    }
    const int i = m_transferIndex++;
    // Updated first: the entry leaves at once.
    UpdateProgress(i + 1, wxString::Format("Writing %d...", i + 1));
    if (!m_pacer.Send(m_outgoing->GetEntry(i).Write(), this))
    {
        m_transferIndex = 0;
        EndSending();
        DisableTransferButtons();
        m_pacer.ReportLostOutput();
        return;
    }
}

void CBulkDumpDialog::OnTransferComplete()
{
    if (!m_writing)
        return;
    // No handshake with the unit: the pause is the only pacing.
    m_pacer.StartPause(m_sendPauseMs);
}

void CBulkDumpDialog::EndSending()
{
    m_pacer.Stop();
    m_writing = false;
    m_outgoing = m_bank.get();
    m_factoryBank.reset();
    EndProgress();
}

// Receiving --------------------------------------------------------------

void CBulkDumpDialog::OnListen(wxCommandEvent&)
{
    if (m_busy || !AskToSaveChanges())
        return;
    OpenPortsForUser();
    if (!MIDIIO::BeginReceive(this, this))
    {
        DisableTransferButtons();
        wxGetApp().ReportInputDeviceLost(true);
        return;
    }
    m_transferIndex = 0;
    m_writing = false;
    BeginProgress("Awaiting dump...", m_bank->GetCount(), m_listen);
}

void CBulkDumpDialog::OnTransferWaiting()
{
    if (!m_writing && m_busy)
        UpdateProgress(m_transferIndex, wxString());
}

void CBulkDumpDialog::EndReceiveEarly(const wxString& message)
{
    // Nothing received yet leaves the bank as it was; anything else mixes it.
    const bool changed = m_transferIndex > 0 || !message.empty();
    m_transferIndex = 0;
    EndProgress();
    if (changed)
        MarkIncomplete();
    if (!message.empty())
        wxGetApp().ShowMessage(message, wxOK);
}

bool CBulkDumpDialog::OnSysExReceived(const SysExBuffer& bytes)
{
    std::unique_ptr<IBulkEntry> entry = MakeEntry();
    size_t position = 0;
    if (!entry || m_transferIndex >= m_bank->GetCount() || !entry->Read(bytes, position))
    {
        EndReceiveEarly(kReadFailed);
        return true;
    }
    // The n-th message becomes entry n, whatever location it carries; from
    // the first one on, the bank is no longer the one it was.
    m_bank->SetComplete(false);
    m_bank->SetEntry(*entry, m_transferIndex++);
    if (m_transferIndex == m_bank->GetCount())
    {
        m_bank->SetComplete(true);
        EndProgress();
        FillList();
        return true;
    }
    UpdateProgress(m_transferIndex, wxString::Format("Receiving %d...", m_transferIndex + 1));
    if (!MIDIIO::BeginReceive(this, this))
    {
        EndReceiveEarly(wxString());
        DisableTransferButtons();
        wxGetApp().ReportInputDeviceLost(true);
    }
    return true;
}

void CBulkDumpDialog::OnSysExInterrupted()
{
    if (m_busy && !m_writing)
        EndReceiveEarly(wxString());
    m_transferIndex = 0;
}

void CBulkDumpDialog::OnTransferFailed()
{
    if (m_writing)
    {
        m_transferIndex = 0;
        EndSending();
        wxGetApp().ShowMessage("Error sending bulk dump", wxOK);
        return;
    }
    if (m_busy)
        EndReceiveEarly("Error receiving bulk dump");
}
