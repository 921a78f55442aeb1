#include "ui/dialogs/BulkEntryRenameDialog.h"

#include <wx/textctrl.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "model/BulkEntry.h"
#include "ui/dialogs/DialogResource.h"
#include "ui/validators/NameValidator.h"

wxIMPLEMENT_DYNAMIC_CLASS(CBulkEntryRenameDialog, wxDialog);

CBulkEntryRenameDialog::CBulkEntryRenameDialog() = default;

CBulkEntryRenameDialog::CBulkEntryRenameDialog(wxWindow* parent, IBulkEntry& entry, int /*index*/) : m_entry(&entry)
{
    SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
    m_loaded = LoadDialogResource(this, parent, "ID_BULKENTRYRENAMEDIALOG");
    if (!m_loaded)
        return;
    FitAndCentre(this);
    CEditorApp::ReplaceInWindowLabel(FindWindow(XRCID("ID_TEXT")), "$ENTRY$", "Patch");
    m_name = FindControl<wxTextCtrl>(this, "Control_Name");
    if (m_name)
    {
        m_name->SetMaxLength(kMaxNameLength);
        m_name->SetValidator(CNameValidator(kMaxNameLength));
        // A name read from a dump fills its 16 places with blanks; the field
        // shows only the name, so that there is room to type on.
        m_name->ChangeValue(ToWx(entry.GetName()).Left(kMaxNameLength).Trim(true));
    }
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (m_name)
        {
            const std::string name = FromWx(m_name->GetValue());
            m_entry->SetName(name);
            m_entry->SetFilePath(name);
        }
        EndModal(0);
    }, wxID_OK);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(-1); }, wxID_CANCEL);
}
