#include "plugins/dialogs/VSTSelector.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include "app/DialogHooks.h"
#include "app/EditorApp.h"
#include "app/ProgramFiles.h"
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
    EVT_LIST_ITEM_SELECTED(XRCID("VST_Plugins_Found"), CVSTSelector::OnPluginSelected)
    EVT_LIST_ITEM_DESELECTED(XRCID("VST_Plugins_Found"), CVSTSelector::OnPluginDeselected)
    EVT_LIST_ITEM_ACTIVATED(XRCID("VST_Plugins_Found"), CVSTSelector::OnPluginActivated)
    EVT_BUTTON(wxID_OK, CVSTSelector::EndModalOk)
    EVT_BUTTON(wxID_CANCEL, CVSTSelector::EndModalCancel)
wxEND_EVENT_TABLE()

CVSTSelector::CVSTSelector() = default;

CVSTSelector::~CVSTSelector() = default;

bool CVSTSelector::Create(wxWindow* parent, Preferences* preferences)
{
    if (!LoadDialogLayout(this, parent, "ID_VSTSELECTOR", kCommonResourceName))
        return false;
    m_pluginList = XRCCTRL(*this, "VST_Plugins_Found", wxListCtrl);
    m_createAsLabel = FindWindow(XRCID("ID_CREATEAS"));
    m_createAsNormalTemplate = FindWindow(XRCID("Create_As_Normal_Template"));
    m_createAsMap = FindWindow(XRCID("Create_As_Cubase_Map"));
    m_okButton = XRCCTRL(*this, "wxID_OK", wxButton);
    if (!m_pluginList || !m_okButton)
    {
        wxLogError("The resource \"ID_VSTSELECTOR\" lacks its list \"VST_Plugins_Found\" or its OK button.");
        return false;
    }

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
    m_pluginList->ClearAll();
    Refresh();
    Update();
    m_pluginList->InsertColumn(0, "Manufacturer", wxLIST_FORMAT_LEFT, kManufacturerColumnWidth);
    m_pluginList->InsertColumn(1, "Name", wxLIST_FORMAT_LEFT, kNameColumnWidth);

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
        const long row = m_pluginList->InsertItem(static_cast<long>(i), ToWx(plugin.vendor).Trim(true));
        m_pluginList->SetItem(row, 1, ToWx(plugin.effectName).Trim(false));
    }
    // A row number kept from the old list would name another plug-in now.
    m_selectedRow = -1;
    m_okButton->Enable(false);
}

void CVSTSelector::OnChooseVSTDirectory(wxCommandEvent&)
{
    FolderDialogRequest request;
    request.parent = this;
    request.message = "Select VST plugins directory";
    request.folder = ToWx(m_preferences->vstDir);
    wxString chosen;
    if (!RunFolderDialog(request, chosen))
        return;
    // Stored by the scan's first save.
    m_preferences->vstDir = FromWx(chosen);
    RefreshPluginList();
}

void CVSTSelector::EnableOkForSelection()
{
    m_okButton->Enable(m_pluginList->GetSelectedItemCount() == 1);
}

void CVSTSelector::OnPluginSelected(wxListEvent& event)
{
    EnableOkForSelection();
    m_okButton->SetDefault();
    m_selectedRow = event.GetIndex();
}

void CVSTSelector::OnPluginDeselected(wxListEvent&)
{
    EnableOkForSelection();
}

void CVSTSelector::OnPluginActivated(wxListEvent& event)
{
    m_selectedRow = event.GetIndex();
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
