#include "plugins/dialogs/VSTSelector.h"

#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"
#include "app/ProgramFiles.h"
#include "app/ReaderAtk.h"
#include "app/WxText.h"
#include "plugins/VSTPluginExaminer.h"
#include "plugins/dialogs/ExaminingPlugins.h"

namespace
{
const int kManufacturerColumnWidth = 120;
const int kNameColumnWidth = 155;
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CVSTSelector, wxDialog);

wxBEGIN_EVENT_TABLE(CVSTSelector, wxDialog)
    EVT_BUTTON(XRCID("Choose_VST_Directory"), CVSTSelector::OnChooseVSTDirectory)
    EVT_DATAVIEW_SELECTION_CHANGED(XRCID("VST_Plugins_Found"), CVSTSelector::OnSelectionChanged)
    EVT_DATAVIEW_ITEM_ACTIVATED(XRCID("VST_Plugins_Found"), CVSTSelector::OnPluginActivated)
    EVT_BUTTON(wxID_OK, CVSTSelector::EndModalOk)
    EVT_BUTTON(wxID_CANCEL, CVSTSelector::EndModalCancel)
wxEND_EVENT_TABLE()

CVSTSelector::CVSTSelector() = default;

CVSTSelector::~CVSTSelector() = default;

bool CVSTSelector::Create(wxWindow* parent, Preferences* preferences)
{
    if (!LoadDialogLayout(this, parent, "ID_VSTSELECTOR", kCommonResourceName))
        return false;
    m_pluginList = XRCCTRL(*this, "VST_Plugins_Found", wxDataViewListCtrl);
    m_createAsLabel = FindWindow(XRCID("ID_CREATEAS"));
    m_createAsNormalTemplate = FindWindow(XRCID("Create_As_Normal_Template"));
    m_createAsMap = FindWindow(XRCID("Create_As_Cubase_Map"));
    m_okButton = XRCCTRL(*this, "wxID_OK", wxButton);
    if (!m_pluginList || !m_okButton)
    {
        wxLogError("The resource \"ID_VSTSELECTOR\" lacks its list \"VST_Plugins_Found\" or its OK button.");
        return false;
    }

    // As the label over it calls it; the toolkit ties that label to the
    // scrolled window around the list, which readers pass through.
    SetReaderName(*m_pluginList, "VST plug-ins found");
    m_preferences = preferences ? preferences : &wxGetApp().Prefs();
    m_examiner = std::make_unique<CVSTPluginExaminer>(m_preferences);
    m_okButton->Enable(false);
    // Building a map for another host is not offered.
    for (wxWindow* unused : {m_createAsNormalTemplate, m_createAsMap, m_createAsLabel})
        if (unused)
            unused->Hide();
    // Placed before the scan, so that its progress window is centred where
    // the selector will appear.
    Fit();
    Centre(wxBOTH);
    RefreshPluginList();
    m_pluginList->Bind(wxEVT_KEY_DOWN, &CVSTSelector::OnListKey, this);
    m_pluginList->Bind(wxEVT_KEY_UP, &CVSTSelector::OnListKey, this);
    return true;
}

const VSTPluginInfo* CVSTSelector::GetSelectedPlugin() const
{
    if (!m_examiner || m_selectedRow < 0 || static_cast<std::size_t>(m_selectedRow) >= m_examiner->GetPluginCount())
        return nullptr;
    return &m_examiner->GetPlugin(static_cast<std::size_t>(m_selectedRow));
}

void CVSTSelector::RefreshPluginList()
{
    m_pluginList->DeleteAllItems();
    m_pluginList->ClearColumns();
    Refresh();
    Update();
    m_pluginList->AppendTextColumn("Manufacturer", wxDATAVIEW_CELL_INERT, kManufacturerColumnWidth);
    m_pluginList->AppendTextColumn("Name", wxDATAVIEW_CELL_INERT, kNameColumnWidth);

    {
        // Gone when the scan is: nothing of it waits for an idle pass.
        CExaminingPlugins progress;
        const bool showProgress = progress.Create(this);
        if (showProgress)
            progress.Show();
        m_examiner->ExamineFolder(m_preferences->vstDir, showProgress ? &progress : nullptr);
        if (showProgress)
            progress.Hide();
    }

    for (std::size_t i = 0; i < m_examiner->GetPluginCount(); ++i)
    {
        const VSTPluginInfo& plugin = m_examiner->GetPlugin(i);
        wxVector<wxVariant> row;
        row.push_back(ToWx(plugin.vendor).Trim(true));
        row.push_back(ToWx(plugin.effectName).Trim(false));
        m_pluginList->AppendItem(row);
    }
    // A row number kept from the old list would name another plug-in now.
    m_selectedRow = -1;
    m_okButton->Enable(false);
    if (m_pluginList->GetItemCount() > 0)
    {
        m_pluginList->SelectRow(0);
        TakeRow(0);
    }
}

void CVSTSelector::OnChooseVSTDirectory(wxCommandEvent&)
{
    FolderDialogRequest request;
    request.parent = this;
    request.message = "Select VST plugins directory";
    request.folder = ToWx(m_preferences->vstDir);
    wxString chosen;
    const bool changed = RunFolderDialog(request, chosen);
    if (changed)
    {
        // Stored by the scan's first save.
        m_preferences->vstDir = FromWx(chosen);
        RefreshPluginList();
    }
    // The chooser and the scan's window had the keys, and without a window
    // manager nothing gives them back: Escape would reach no window. After a
    // scan they go to the new rows.
    Raise();
    wxWindow* keys = changed ? m_pluginList : FindWindow(XRCID("Choose_VST_Directory"));
    if (keys)
        keys->SetFocus();
}

void CVSTSelector::EnableOkForSelection()
{
    m_okButton->Enable(m_pluginList->GetSelectedItemsCount() == 1);
}

void CVSTSelector::TakeRow(int row)
{
    EnableOkForSelection();
    m_okButton->SetDefault();
    m_selectedRow = row;
}

void CVSTSelector::OnSelectionChanged(wxDataViewEvent&)
{
    // With none selected, the row chosen last stays the answer.
    const int row = m_pluginList->GetSelectedRow();
    if (row >= 0)
        TakeRow(row);
    else
        EnableOkForSelection();
}

void CVSTSelector::OnListKey(wxKeyEvent& event)
{
    // GTK's list selects the row under its cursor on Space and then takes it
    // as Enter: the activation that comes while Space is down is not one.
    m_spaceDown = event.GetEventType() == wxEVT_KEY_DOWN && event.GetKeyCode() == WXK_SPACE && !event.HasAnyModifiers();
    event.Skip();
}

void CVSTSelector::OnPluginActivated(wxDataViewEvent& event)
{
    if (m_spaceDown)
        return;
    m_selectedRow = m_pluginList->ItemToRow(event.GetItem());
    Finish(wxOK);
}

void CVSTSelector::EndModalOk(wxCommandEvent&)
{
    Finish(wxOK);
}

void CVSTSelector::EndModalCancel(wxCommandEvent&)
{
    Finish(wxCANCEL);
}

void CVSTSelector::Finish(int answer)
{
    if (IsModal())
    {
        EndModal(answer);
        return;
    }
    SetReturnCode(answer);
    Hide();
}
