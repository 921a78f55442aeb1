#pragma once

#include <memory>
#include <vector>

#include <wx/dialog.h>
#include <wx/timer.h>

#include "midi/MidiListeners.h"
#include "ui/dialogs/PacedSender.h"

class IBulkDump;
class IBulkEntry;
class wxButton;
class wxCloseEvent;
class wxCommandEvent;
class wxContextMenuEvent;
class wxDataViewEvent;
class wxDataViewListCtrl;
class wxGauge;
class wxKeyEvent;
class wxStaticLine;
class wxStaticText;

// The librarian of one bank of the unit: the 16 templates or the 100 patches.
// It receives a bank one entry per SysEx message, sends one entry per
// message with a pause after each, loads and saves bank files, extracts
// every entry to its own file, and edits single entries (context menu from
// a right click, the menu key or Shift+F10; F2 renames a patch; dropped
// ".syx" files). The list is the toolkit's native one, whose rows and
// columns a screen reader can read. Transfers advance through the MIDI manager's
// listener calls; the pauses run on a timer of the dialog, so the window
// stays live and the progress area's Cancel ends a transfer at once. A
// bank that a transfer or a file left part old, part new is marked not
// complete and is neither listed, sent nor saved. GUI thread only.
class CBulkDumpDialog : public wxDialog, public ISysExListener, public IProgressListener
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CBulkDumpDialog();
    // Context menu commands.
    enum MenuId
    {
        kSaveEntryAs = wxID_HIGHEST + 180,
        kReplaceEntry,
        kClearEntry,
        kRenameEntry,
    };

    CBulkDumpDialog(wxWindow* parent, bool templateBank, const wxString& title);
    ~CBulkDumpDialog() override;

    bool IsLoaded() const { return m_loaded; }
    IBulkDump& Bank() { return *m_bank; }
    bool IsBusy() const { return m_busy; }
    // Between two entries of a send: the pause timer runs.
    bool IsPausing() const { return m_pacer.IsPausing(); }
    // The pause after each sent entry, in ms; tests shorten it.
    int GetSendPause() const { return m_sendPauseMs; }
    void SetSendPause(int ms) { m_sendPauseMs = ms; }
    // The factory bank file, beside the program unless a test moves it.
    void SetFactoryBankPath(const wxString& path) { m_factoryBankPath = path; }
    // The row that the context menu acts on, as a right click selects it.
    void SelectRow(int row);
    // Loads the files into consecutive entries from row on, as a drop does.
    void LoadDroppedFiles(int row, const std::vector<wxString>& paths);
    // Loads a bank file as "Open_Dump" does once a file is chosen.
    bool OpenBankFile(const wxString& path);

    bool OnSysExReceived(const SysExBuffer& bytes) override;
    void OnSysExInterrupted() override;
    void OnTransferStart() override {}
    void OnTransferWaiting() override;
    void OnTransferComplete() override;
    void OnTransferFailed() override;

private:
    // What the dialog calls what it lists: "bulk dump" or "patch bank".
    wxString BankWords() const;
    void UpdateMoveButtons();
    void FillList();
    void ShowRow(int row);
    // Selects the row, puts the list's cursor on it and shows it.
    void MarkRow(int row);
    void EnableControls(bool enable);
    // False when the changes are to stay: the question or the save was
    // cancelled, or the save failed.
    bool AskToSaveChanges();
    void ShowProgressArea(bool show);
    // starter: the button that began the transfer; the keys go back to it
    // when the transfer ends.
    void BeginProgress(const wxString& message, int range, wxWindow* starter);
    void UpdateProgress(int value, const wxString& message);
    void EndProgress();
    // The bank now holds a mix of old and new entries (or fewer than a
    // whole bank): not complete, and the list shows as much.
    void MarkIncomplete();
    // A device went away: Listen and Upload go off until its port is open
    // again (the watch looks every quarter second).
    void DisableTransferButtons();
    void OnPortsWatch(wxTimerEvent& event);
    void StartSending(IBulkDump& bank, wxWindow* starter);
    void SendNextEntry();
    void EndSending();
    // A receive that ends before the whole bank came; message may be empty.
    void EndReceiveEarly(const wxString& message);
    // A fresh entry of the bank's kind, from the device's factory.
    std::unique_ptr<IBulkEntry> MakeEntry() const;
    void LoadEntry(int index, const wxString& path);
    bool SaveBank(const wxString& path);
    wxString BankFilter() const;

    void OnSelectionChanged(wxDataViewEvent& event);
    void OnItemContextMenu(wxDataViewEvent& event);
    void OnListContextMenu(wxContextMenuEvent& event);
    void OnListKey(wxKeyEvent& event);
    // The entry commands for the selected row, at point (dialog coordinates).
    void ShowEntryMenu(const wxPoint& point);
    void OnMove(wxCommandEvent& event);
    void OnListen(wxCommandEvent& event);
    void OnUpload(wxCommandEvent& event);
    void OnUploadFactory(wxCommandEvent& event);
    void OnOpen(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void OnSaveAll(wxCommandEvent& event);
    void OnMenu(wxCommandEvent& event);
    void RenameSelected();
    void OnOK(wxCommandEvent& event);
    void OnCancelTransfer(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    bool m_loaded = false;
    bool m_templateBank = true;
    std::unique_ptr<IBulkDump> m_bank;
    int m_selected = -1;
    int m_transferIndex = 0;
    bool m_writing = false;
    bool m_busy = false;
    int m_sendPauseMs = 0;
    // The bank being sent: the dialog's own or the factory bank, which is
    // loaded for the send alone and leaves the dialog's bank untouched.
    IBulkDump* m_outgoing = nullptr;
    std::unique_ptr<IBulkDump> m_factoryBank;
    wxString m_factoryBankPath;
    // Sends the entries with the pause after each.
    CPacedSender m_pacer;
    wxTimer m_portsWatch;
    wxWindow* m_transferStarter = nullptr;

    wxDataViewListCtrl* m_list = nullptr;
    wxButton* m_up = nullptr;
    wxButton* m_down = nullptr;
    wxButton* m_listen = nullptr;
    wxButton* m_upload = nullptr;
    wxButton* m_uploadFactory = nullptr;
    wxButton* m_open = nullptr;
    wxButton* m_save = nullptr;
    wxButton* m_saveAll = nullptr;
    wxButton* m_ok = nullptr;
    wxButton* m_cancel = nullptr;
    wxStaticLine* m_progressLine = nullptr;
    wxStaticText* m_progressMessage = nullptr;
    wxGauge* m_gauge = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CBulkDumpDialog);
};
