#include "tests/plugins/dialogs/PluginDialogTestSupport.h"

#include <cstdlib>
#include <stdexcept>

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/EditorApp.h"
#include "app/Preferences.h"
#include "plugins/dialogs/ExaminingPlugins.h"
#include "tests/app/ModalWatchdog.h"
#include "tests/plugins/PluginTestSupport.h"

namespace
{
const char* const kApp = "Dorva Editor";
} // namespace

PluginDialogTest::PluginDialogTest()
{
    setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
    unsetenv("VST_PATH");
    Preferences& preferences = wxGetApp().Prefs();
    EXPECT_TRUE(preferences.Load(kApp));
    preferences.vstDir = VstDir();
    m_previousFolder = SetFolderDialogFunction([this](const FolderDialogRequest& request, wxString& chosen) {
        m_folderRequests.push_back(request);
        chosen = m_folderAnswer;
        return !m_folderAnswer.empty();
    });
}

PluginDialogTest::~PluginDialogTest()
{
    SetFolderDialogFunction(m_previousFolder);
}

std::string PluginDialogTest::Stored(const std::string& key)
{
    return StoredPreference(kApp, key);
}

ModalScript::ModalScript(std::function<void(wxDialog&)> script) : m_script(std::move(script))
{
    Register();
}

ModalScript::~ModalScript()
{
    Unregister();
}

int ModalScript::Enter(wxDialog* dialog)
{
    titles.push_back(dialog->GetTitle());
    MarkScripted(*dialog);
    dialog->CallAfter([this, dialog] {
        m_script(*dialog);
        if (dialog->IsModal())
        {
            ADD_FAILURE() << "the script left the dialog open";
            dialog->EndModal(wxID_ABORT);
        }
    });
    return wxID_NONE;
}

void ModalScript::Exit(wxDialog*)
{
}

ProgressWatcher::ProgressWatcher()
{
    wxEvtHandler::AddFilter(this);
}

ProgressWatcher::~ProgressWatcher()
{
    wxEvtHandler::RemoveFilter(this);
}

int ProgressWatcher::FilterEvent(wxEvent& event)
{
    if (event.GetEventType() != wxEVT_SHOW)
        return Event_Skip;
    auto* progress = wxDynamicCast(event.GetEventObject(), CExaminingPlugins);
    if (!progress)
        return Event_Skip;
    auto* name = XRCCTRL(*progress, "ID_PLUGNAME", wxStaticText);
    const std::string label = name ? std::string(name->GetLabelText().utf8_str()) : "(no label)";
    events.push_back((static_cast<wxShowEvent&>(event).IsShown() ? "shown:" : "hidden:") + label);
    return Event_Skip;
}

void SelectRow(wxListCtrl& list, long row, bool select)
{
    ASSERT_LT(row, list.GetItemCount());
    list.SetItemState(row, select ? wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED : 0, wxLIST_STATE_SELECTED);
}

void ActivateRow(wxListCtrl& list, long row)
{
    ASSERT_LT(row, list.GetItemCount());
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, list.GetId());
    activated.SetEventObject(&list);
    activated.m_itemIndex = row;
    list.ProcessWindowEvent(activated);
}

wxListCtrl& PluginList(wxDialog& dialog)
{
    auto* list = XRCCTRL(dialog, "VST_Plugins_Found", wxListCtrl);
    if (!list)
        throw std::runtime_error("no plug-in list");
    return *list;
}
