#pragma once

#include <wx/dialog.h>

class IBulkEntry;
class wxTextCtrl;

// Renames one patch of a bank. OK gives the entry the typed text as its name
// and as its file path (so saving it alone proposes that name) and ends with
// 0; Cancel ends with -1 and leaves the entry alone. The entry must outlive
// the dialog.
class CBulkEntryRenameDialog : public wxDialog
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CBulkEntryRenameDialog();
    static constexpr int kMaxNameLength = 16;

    CBulkEntryRenameDialog(wxWindow* parent, IBulkEntry& entry, int index);
    bool IsLoaded() const { return m_loaded; }

private:
    bool m_loaded = false;
    IBulkEntry* m_entry = nullptr;
    wxTextCtrl* m_name = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CBulkEntryRenameDialog);
};
