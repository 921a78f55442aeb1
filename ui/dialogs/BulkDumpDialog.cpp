#include "ui/dialogs/BulkDumpDialog.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/dnd.h>
#include <wx/filename.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"
#include "app/ReaderAtk.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/BulkDump.h"
#include "model/BulkDumpFile.h"
#include "model/EditorTemplate.h"
#include "model/NameText.h"
#include "model/SysExFile.h"
#include "ui/ListCursorGtk.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/BulkEntryRenameDialog.h"
#include "ui/dialogs/DialogResource.h"

namespace
{
constexpr int kIndexColumnWidth = 30;
constexpr int kNameColumnWidth = 160;
// Room around a column heading's text in the header.
constexpr int kHeaderMargin = 20;

bool IsSyxFile(const wxString& path)
{
    return wxFileName(path).GetExt().Lower() == "syx";
}

// Accepts ".syx" files dropped onto the dialog for the entries under the
// drop point.
class CEntryFileDropTarget : public wxFileDropTarget
{
public:
    CEntryFileDropTarget(CBulkDumpDialog* dialog, wxDataViewListCtrl* list) : m_dialog(dialog), m_list(list) {}

    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override
    {
        if (files.empty() || !m_list)
            return false;
        for (const wxString& file : files)
            if (!IsSyxFile(file))
                return false;
        wxDataViewItem item;
        wxDataViewColumn* column = nullptr;
        m_list->HitTest(m_list->ScreenToClient(m_dialog->ClientToScreen(wxPoint(x, y))), item, column);
        const int row = std::max(m_list->ItemToRow(item), 0);
        m_dialog->LoadDroppedFiles(row, std::vector<wxString>(files.begin(), files.end()));
        m_dialog->SetFocus();
        return true;
    }

private:
    CBulkDumpDialog* m_dialog;
    wxDataViewListCtrl* m_list;
};

// Path made of a folder and a file name; the name keeps no character the
// platform forbids.
wxString SafeFileName(wxString name)
{
    for (wxUniChar forbidden : wxFileName::GetForbiddenChars())
        name.Replace(wxString(forbidden), " ");
    name.Trim(true);
    if (!name.Contains(".syx"))
        name += ".syx";
    return name;
}
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CBulkDumpDialog, wxDialog);

CBulkDumpDialog::CBulkDumpDialog() : m_pacer([] {})
{
}

CBulkDumpDialog::CBulkDumpDialog(wxWindow* parent, bool templateBank, const wxString& title)
    : m_templateBank(templateBank), m_pacer([this] {
          if (m_writing)
              SendNextEntry();
      })
{
    const IDeviceAnswers& device = wxGetApp().Device();
    m_bank = templateBank ? device.CreateTemplateBulkDump() : device.CreatePatchBulkDump();
    // The unit takes a template in about a second and a patch in well under one.
    m_sendPauseMs = device.GetModelCode() == 2 ? 500 : (templateBank ? 1000 : 300);
    m_outgoing = m_bank.get();
    m_factoryBankPath = GetResourceFilePath("FactorySettings", "blk");
    m_loaded = m_bank && LoadDialogResource(this, parent, "ID_BULKDUMPDIALOG");
    if (!m_loaded)
        return;
    m_list = FindControl<wxDataViewListCtrl>(this, "Dump_Contents");
    m_up = FindControl<wxButton>(this, "Move_Item_Up");
    m_down = FindControl<wxButton>(this, "Move_Item_Down");
    m_listen = FindControl<wxButton>(this, "Listen_For_Dump");
    m_upload = FindControl<wxButton>(this, "Upload_Dump");
    m_uploadFactory = FindControl<wxButton>(this, "Upload_Factory_Settings");
    m_open = FindControl<wxButton>(this, "Open_Dump");
    m_save = FindControl<wxButton>(this, "Save_Dump");
    m_saveAll = FindControl<wxButton>(this, "Save_All");
    m_ok = FindControl<wxButton>(this, "wxID_OK");
    m_cancel = FindControl<wxButton>(this, "wxID_CANCEL");
    m_progressLine = FindControl<wxStaticLine>(this, "ID_PROGLINE");
    m_progressMessage = FindControl<wxStaticText>(this, "ID_PORGMESSAGE");
    m_gauge = FindControl<wxGauge>(this, "ID_PROGRESS");

    if (auto* hint = FindControl<wxStaticText>(this, "wxID_STATIC"))
        hint->SetLabel("Right click to modify contents");
    if (m_list)
    {
        // Wide enough for its header, which 30 pixels cut short.
        const int indexWidth = std::max(kIndexColumnWidth, m_list->GetTextExtent("Index").x + kHeaderMargin);
        m_list->AppendTextColumn("Index", wxDATAVIEW_CELL_INERT, indexWidth);
        m_list->AppendTextColumn("Name", wxDATAVIEW_CELL_INERT, kNameColumnWidth);
        SetReaderName(*m_list, BankWords().Capitalize());
    }
    for (wxButton* button : {m_save, m_saveAll, m_upload})
        if (button)
            button->Disable();
    if (m_listen)
        m_listen->Enable(MIDIIO::GetSelectedInputDevice() >= 0);
    UpdateMoveButtons();
    const bool oneBuffer = device.ReceivesBulkDumpAsOneBuffer();
    RemoveWindowIf(oneBuffer, m_upload);
    RemoveWindowIf(!templateBank || oneBuffer, m_uploadFactory);
    ShowProgressArea(false);

    Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, &CBulkDumpDialog::OnSelectionChanged, this, XRCID("Dump_Contents"));
    Bind(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, &CBulkDumpDialog::OnItemContextMenu, this, XRCID("Dump_Contents"));
    if (m_list)
    {
        m_list->Bind(wxEVT_CONTEXT_MENU, &CBulkDumpDialog::OnListContextMenu, this);
        m_list->Bind(wxEVT_KEY_DOWN, &CBulkDumpDialog::OnListKey, this);
        // GTK gives the keys to the first button it can when the dialog
        // opens, Receive most often, and Space would start a listen: the
        // list takes them, once it is on screen (before, GTK keeps no
        // cursor in it).
        Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
            if (event.IsShown())
                m_list->SetFocus();
            event.Skip();
        });
    }
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnMove, this, XRCID("Move_Item_Up"));
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnMove, this, XRCID("Move_Item_Down"));
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnListen, this, XRCID("Listen_For_Dump"));
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnUpload, this, XRCID("Upload_Dump"));
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnUploadFactory, this, XRCID("Upload_Factory_Settings"));
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnOpen, this, XRCID("Open_Dump"));
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnSave, this, XRCID("Save_Dump"));
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnSaveAll, this, XRCID("Save_All"));
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CBulkDumpDialog::OnCancelTransfer, this, wxID_CANCEL);
    Bind(wxEVT_MENU, &CBulkDumpDialog::OnMenu, this, kSaveEntryAs, kRenameEntry);
    Bind(wxEVT_CLOSE_WINDOW, &CBulkDumpDialog::OnClose, this);
    m_portsWatch.SetOwner(this);
    Bind(wxEVT_TIMER, &CBulkDumpDialog::OnPortsWatch, this, m_portsWatch.GetId());

    FitAndCentre(this);
    SetTitle(title);
    SetDropTarget(new CEntryFileDropTarget(this, m_list));
}

CBulkDumpDialog::~CBulkDumpDialog()
{
    // Whatever the state, neither the timer nor the MIDI manager may call
    // this dialog once it is gone.
    m_pacer.Stop();
    m_portsWatch.Stop();
    MIDIIO::ReleaseListeners(this, this);
}

wxString CBulkDumpDialog::BankWords() const
{
    return m_templateBank ? "bulk dump" : "patch bank";
}

void CBulkDumpDialog::UpdateMoveButtons()
{
    if (m_up)
        m_up->Enable(m_selected > 0);
    if (m_down)
        m_down->Enable(m_selected >= 0 && m_selected < m_bank->GetCount() - 1);
}

void CBulkDumpDialog::ShowRow(int row)
{
    if (!m_list || row < 0 || row >= m_list->GetItemCount())
        return;
    wxDataViewListStore* store = m_list->GetStore();
    store->SetValueByRow(wxString::Format("%d", m_templateBank ? row + 1 : row), row, 0);
    // The unit pads a patch's name to 16 places; a reader would speak them.
    store->SetValueByRow(ToWx(TrimTrailingBlanks(m_bank->GetEntry(row).GetName())), row, 1);
    // A changed row, not only a changed value: the toolkit then tells a
    // screen reader the new texts as well as repainting them.
    store->RowChanged(row);
}

void CBulkDumpDialog::MarkRow(int row)
{
    if (!m_list || row < 0 || row >= m_list->GetItemCount())
        return;
    // The arrows go on from here, and a reader hears where the entry is.
    SetListCursor(*m_list, row);
    m_list->EnsureVisible(m_list->RowToItem(row));
}

void CBulkDumpDialog::FillList()
{
    if (!m_list)
        return;
    m_list->DeleteAllItems();
    m_selected = -1;
    if (!m_bank->IsComplete())
    {
        for (wxButton* button : {m_save, m_upload, m_saveAll})
            if (button)
                button->Disable();
        UpdateMoveButtons();
        return;
    }
    for (int i = 0; i < m_bank->GetCount(); ++i)
    {
        wxVector<wxVariant> row;
        row.push_back(wxString());
        row.push_back(wxString());
        m_list->AppendItem(row);
        ShowRow(i);
    }
    for (wxButton* button : {m_save, m_upload, m_saveAll})
        if (button)
            button->Enable();
    UpdateMoveButtons();
}

void CBulkDumpDialog::EnableControls(bool enable)
{
    const bool complete = m_bank->IsComplete();
    for (wxWindow* window : {static_cast<wxWindow*>(m_uploadFactory), static_cast<wxWindow*>(m_list),
                             static_cast<wxWindow*>(m_open), static_cast<wxWindow*>(m_ok)})
        if (window)
            window->Enable(enable);
    if (m_listen)
        m_listen->Enable(enable && MIDIIO::GetSelectedInputDevice() >= 0);
    if (m_upload)
        m_upload->Enable(enable && complete && MIDIIO::GetSelectedOutputDevice() >= 0);
    for (wxButton* button : {m_save, m_saveAll})
        if (button)
            button->Enable(enable && complete);
    if (enable && complete)
        UpdateMoveButtons();
    else
        for (wxButton* button : {m_up, m_down})
            if (button)
                button->Disable();
}

bool CBulkDumpDialog::AskToSaveChanges()
{
    // A bank that is not complete (a receive ended early) cannot be saved:
    // Yes would write old and new entries as one bank.
    if (!m_bank->IsModified() || !m_bank->IsComplete())
        return true;
    const int answer = wxGetApp().ShowMessage("Do you want to save your changes to the dump?", wxYES_NO | wxCANCEL);
    if (answer == wxNO)
        return true;
    if (answer != wxYES)
        return false;
    // A save cancelled in the chooser, or one that failed, keeps the changes here.
    wxCommandEvent save;
    OnSave(save);
    return !m_bank->IsModified();
}

// Files ------------------------------------------------------------------

std::unique_ptr<IBulkEntry> CBulkDumpDialog::MakeEntry() const
{
    const IDeviceAnswers& device = wxGetApp().Device();
    if (m_templateBank)
        return device.CreateTemplate();
    return device.CreatePatch();
}

wxString CBulkDumpDialog::BankFilter() const
{
    return m_templateBank ? "Bulk Dumps(*.blk)|*.blk" : "SysEx Dump (*.syx)|*.syx";
}

bool CBulkDumpDialog::OpenBankFile(const wxString& path)
{
    const bool loaded = LoadBulkDumpFromFile(*m_bank, FromWx(path));
    // A failed load leaves the entries read before the failure in place.
    FillList();
    if (!loaded)
    {
        // Read once more only to learn whether the system refused the file.
        std::string reason;
        SysExBuffer probe;
        ReadSysExFromFile(FromWx(path), probe, reason);
        wxGetApp().ShowMessage("Unable to load dump from file: " + path + Because(reason), wxOK);
    }
    return loaded;
}

void CBulkDumpDialog::OnOpen(wxCommandEvent&)
{
    if (!AskToSaveChanges())
        return;
    wxString path;
    if (wxGetApp().ChooseOpenFile(path, BankFilter()))
        OpenBankFile(path);
}

bool CBulkDumpDialog::SaveBank(const wxString& path)
{
    std::string reason;
    if (SaveBulkDumpToFile(*m_bank, FromWx(path), reason))
        return true;
    wxGetApp().ShowMessage("Unable to save file: " + path + Because(reason) + "\nCheck the file is not read only.", wxOK);
    return false;
}

void CBulkDumpDialog::OnSave(wxCommandEvent&)
{
    const wxString extension = m_templateBank ? ".blk" : ".syx";
    wxString path;
    if (!wxGetApp().ChooseSaveFile(path, BankFilter()))
        return;
    path.Trim(true);
    if (!path.Contains(extension))
        path += extension;
    SaveBank(path);
}

void CBulkDumpDialog::OnSaveAll(wxCommandEvent&)
{
    FolderDialogRequest request;
    request.parent = this;
    request.message = "Select a location to extract the contents of the " + BankWords() + " to:";
    wxString folder;
    if (!RunFolderDialog(request, folder))
        return;
    for (int i = 0; i < m_bank->GetCount(); ++i)
    {
        IBulkEntry& entry = m_bank->GetEntry(i);
        const wxString name = SafeFileName(wxString::Format("%2.2d - ", i + 1) + ToWx(entry.GetDefaultFileName()));
        const wxString path = folder + "/" + name;
        if (std::string reason; !SaveBulkEntryToFile(entry, FromWx(path), reason))
            wxGetApp().ShowMessage("Unable to save \"" + path + "\"" + Because(reason) + " - Check the file is not read only.",
                                   wxOK);
    }
}

void CBulkDumpDialog::LoadEntry(int index, const wxString& path)
{
    std::unique_ptr<IBulkEntry> entry = MakeEntry();
    SysExBuffer message;
    size_t position = 0;
    std::string reason;
    if (!ReadSysExFromFile(FromWx(path), message, reason))
        wxGetApp().ShowMessage("Unable to load \"" + path + "\"" + Because(reason) +
                                   " - The file may have been moved or deleted.",
                               wxOK);
    else if (!entry || !entry->Read(message, position))
        wxGetApp().ShowMessage("The file \"" + path + "\" is not a valid " + (m_templateBank ? "template" : "patch") +
                                   " file.",
                               wxOK);
    else
        m_bank->SetEntry(*entry, index);
    ShowRow(index);
    MarkRow(index);
}

void CBulkDumpDialog::LoadDroppedFiles(int row, const std::vector<wxString>& paths)
{
    for (const wxString& path : paths)
    {
        if (row >= m_bank->GetCount())
            break;
        LoadEntry(row++, path);
    }
}

// Rows and the context menu ---------------------------------------------

void CBulkDumpDialog::SelectRow(int row)
{
    m_selected = row;
    MarkRow(row);
    UpdateMoveButtons();
}

void CBulkDumpDialog::OnSelectionChanged(wxDataViewEvent&)
{
    m_selected = m_list ? m_list->GetSelectedRow() : -1;
    UpdateMoveButtons();
}

void CBulkDumpDialog::OnItemContextMenu(wxDataViewEvent& event)
{
    const int row = m_list->ItemToRow(event.GetItem());
    if (row < 0)
        return;
    SelectRow(row);
    ShowEntryMenu(wxDefaultPosition);
}

void CBulkDumpDialog::OnListContextMenu(wxContextMenuEvent& event)
{
    // A click comes as an item's context menu; this is the menu key or
    // Shift+F10, for the selected row, shown beside it.
    if (event.GetPosition() != wxDefaultPosition || m_selected < 0 || m_selected >= m_list->GetItemCount())
        return;
    const wxRect row = m_list->GetItemRect(m_list->RowToItem(m_selected));
    const wxPoint beside(row.x + row.height, row.y + row.height / 2);
    ShowEntryMenu(ScreenToClient(m_list->ClientToScreen(beside)));
}

void CBulkDumpDialog::OnListKey(wxKeyEvent& event)
{
    // Only patches have names of their own to change.
    if (event.GetKeyCode() == WXK_F2 && !event.HasAnyModifiers() && !m_templateBank)
        RenameSelected();
    else
        event.Skip();
}

void CBulkDumpDialog::ShowEntryMenu(const wxPoint& point)
{
    wxMenu menu;
    menu.Append(kSaveEntryAs, "&Save as...");
    menu.Append(kReplaceEntry, "&Replace with...");
    menu.AppendSeparator();
    if (m_templateBank)
        menu.Append(kClearEntry, "&Clear");
    else
        menu.Append(kRenameEntry, "&Rename...");
    PopupMenu(&menu, point);
}

void CBulkDumpDialog::OnMenu(wxCommandEvent& event)
{
    if (m_selected < 0 || m_selected >= m_bank->GetCount())
        return;
    IBulkEntry& entry = m_bank->GetEntry(m_selected);
    switch (event.GetId())
    {
    case kSaveEntryAs:
    {
        wxString path = ToWx(entry.GetDefaultFileName());
        std::string reason;
        if (wxGetApp().ChooseSaveFile(path, "SysEx Dump (*.syx)|*.syx") &&
            !SaveBulkEntryToFile(entry, FromWx(path), reason))
            wxGetApp().ShowMessage("Unable to save \"" + path + "\"" + Because(reason) + " - Check the file is not read only.",
                                   wxOK);
        break;
    }
    case kReplaceEntry:
    {
        wxString path;
        if (wxGetApp().ChooseOpenFile(path, "SysEx Dump (*.syx)|*.syx"))
            LoadEntry(m_selected, path);
        break;
    }
    case kClearEntry:
        m_bank->ResetEntry(m_selected);
        ShowRow(m_selected);
        break;
    case kRenameEntry:
        RenameSelected();
        break;
    default:
        break;
    }
}

void CBulkDumpDialog::RenameSelected()
{
    if (m_selected < 0 || m_selected >= m_bank->GetCount())
        return;
    CBulkEntryRenameDialog rename(this, m_bank->GetEntry(m_selected), m_selected);
    rename.SetTitle("Rename");
    if (rename.IsLoaded() && rename.ShowModal() == 0)
    {
        m_bank->SetModified(true);
        ShowRow(m_selected);
    }
}

void CBulkDumpDialog::OnMove(wxCommandEvent& event)
{
    const bool up = event.GetId() == XRCID("Move_Item_Up");
    const int target = up ? m_selected - 1 : m_selected + 1;
    if (m_selected < 0 || target < 0 || target >= m_bank->GetCount())
        return;
    m_bank->SwapEntries(m_selected, target);
    ShowRow(m_selected);
    ShowRow(target);
    // The selection moves straight to the target, never through none: a
    // move button that went off for a moment would lose the keys.
    m_selected = target;
    KeepKeysWhile([this, target] {
        MarkRow(target);
        UpdateMoveButtons();
    }, {m_list});
}

// Closing ----------------------------------------------------------------

void CBulkDumpDialog::OnOK(wxCommandEvent&)
{
    if (!m_busy && AskToSaveChanges())
        EndModal(0);
}

void CBulkDumpDialog::OnClose(wxCloseEvent& event)
{
    if (m_busy && event.CanVeto())
    {
        event.Veto();
        return;
    }
    if (!IsModal())
    {
        event.Skip();
        return;
    }
    if (AskToSaveChanges())
        EndModal(0);
    else if (event.CanVeto())
        event.Veto();
}
