#include "ui/panels/ControlPanel.h"

#include <algorithm>

#include <wx/choice.h>
#include <wx/log.h>
#include <wx/textctrl.h>

#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/TemplateGroups.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/ResourceContract.h"
#include "app/ProgramFiles.h"
#include "ui/ResourceFiles.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/NumberValidator.h"

CControlPanel::~CControlPanel()
{
    // The fields outlive this part of the panel: an entry still being typed
    // is kept, but nothing may call back into a panel being destroyed.
    for (wxWindow* child : GetChildren())
        if (NumberTextCtrl* entry = dynamic_cast<NumberTextCtrl*>(child))
            entry->CommitAndRelease();
    IEditorWindow* window = Host().Window();
    if (!window)
        return;
    if (m_valueObserver && window->GetValueObserver() == m_valueObserver)
        window->SetValueObserver(nullptr);
    if (m_observer)
    {
        const std::vector<IObserver*> observers = window->GetObservers();
        if (std::find(observers.begin(), observers.end(), m_observer) != observers.end())
            window->ClearObservers();
    }
}

bool CControlPanel::LoadResource(wxWindow* parent, const char* name)
{
    if (!LoadPanelLayout(this, parent, name, ResourceFileStemOf(name)))
        return false;
    // A resource file that lacks a control leaves that row dead, not the panel.
    if (const ContractResource* contract = FindContractResource(name))
        for (const std::string& problem : ContractProblems(this, *contract))
            wxLogWarning("%s: %s", name, problem.c_str());
    return true;
}

bool CControlPanel::SetControl(const CPlacedControl& control)
{
    m_control = control.Clone();
    BindEntries();
    Register();
    RefreshFromControl();
    return true;
}

NumberTextCtrl* CControlPanel::NumberEntry(const char* name)
{
    NumberTextCtrl* entry = Child<NumberTextCtrl>(name);
    if (entry)
    {
        entry->SetValidator(CNumberValidator());
        RefuseNonNumberPastes(*entry);
    }
    return entry;
}

void CControlPanel::BindEntry(NumberTextCtrl* entry, const ICommandCreator& creator)
{
    if (entry && m_control)
        entry->BindCommandCreator(&creator, *m_control, [this] { RefreshAll(GetParent()); });
}

bool CControlPanel::SubmitCommand(std::unique_ptr<ICommand> command)
{
    if (!SubmitToCurrentTemplate(std::move(command)))
        return false;
    RefreshAll(GetParent());
    return true;
}

const PortChannelGroup* CControlPanel::TemplateGroups()
{
    IEditorWindow* window = Host().Window();
    CEditorTemplate* current = window ? window->GetCurrentTemplate() : nullptr;
    const CTemplateGroups* groups = current ? current->GetGroups() : nullptr;
    return groups ? &groups->GetGroups() : nullptr;
}

void CControlPanel::RefreshAll(wxWindow* window)
{
    if (!window)
        return;
    for (wxWindow* child : window->GetChildren())
        if (CControlPanel* panel = dynamic_cast<CControlPanel*>(child))
            panel->RefreshFromControl();
}

void CControlPanel::SubmitDisplayFormat(int format)
{
    if (const CBaseControlState* state = State())
        SubmitIfChanged<CSetDisplayFormatCommand>(state->GetDisplayFormat(), format);
}

void CControlPanel::RegisterValueObserver(IObserver* observer)
{
    if (IEditorWindow* window = Host().Window())
    {
        window->SetValueObserver(observer);
        m_valueObserver = observer;
    }
}

void CControlPanel::RegisterObserver(IObserver* observer)
{
    if (IEditorWindow* window = Host().Window())
    {
        window->AddObserver(observer);
        m_observer = observer;
    }
}

void ShowText(wxTextCtrl* text, const wxString& value)
{
    if (text && text->GetValue() != value)
        text->ChangeValue(value);
}

void SelectPosition(wxChoice* choice, int position)
{
    if (!choice)
        return;
    choice->SetSelection(position >= 0 && position < static_cast<int>(choice->GetCount()) ? position : wxNOT_FOUND);
}
