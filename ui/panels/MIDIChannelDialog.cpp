#include "ui/panels/MIDIChannelDialog.h"

#include <cstdint>

#include <wx/choice.h>
#include <wx/sizer.h>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/PortChannelGroup.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/WindowHelpers.h"
#include "ui/validators/NumberTextCtrl.h"

wxIMPLEMENT_DYNAMIC_CLASS(CMIDIChannelDialog, wxPanel);

void AppendGroupItems(wxChoice* choice, const wxString& common, const wxString& keyboard,
                      const wxString& program)
{
    if (!choice)
        return;
    choice->Append("As below:", reinterpret_cast<void*>(intptr_t(ControlGroup::Own)));
    choice->Append(common, reinterpret_cast<void*>(intptr_t(ControlGroup::Common)));
    choice->Append(Device().HasKeyboard() ? keyboard : program,
                   reinterpret_cast<void*>(intptr_t(ControlGroup::Keyboard)));
}

int ChosenGroup(const wxCommandEvent& event)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(event.GetClientData()));
}

bool CMIDIChannelDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_MIDICHANNELDIALOG"))
        return false;
    m_group = Child<wxChoice>("Midi_Chanel_Group");
    m_channel = NumberEntry("Midi_Channel");
    AppendGroupItems(m_group, "Common", "Keyboard", "Program");
    if (m_channel)
        m_channel->SetRange(16, 1);
    const bool noGroups = !Device().HasPortGroups();
    RemoveWindowIf(noGroups, m_group);
    RemoveWindowIf(noGroups, Child("ID_MIDICHANGROUPTEXT"));
    if (noGroups)
        m_group = nullptr;
    Bind(wxEVT_CHOICE, &CMIDIChannelDialog::OnGroup, this, XRCID("Midi_Chanel_Group"));
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CMIDIChannelDialog::BindEntries()
{
    BindEntry(m_channel, CreatorOf<CSetMIDIChannelOrMMCDeviceNumCommand>());
}

void CMIDIChannelDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state || !m_channel)
        return;
    // Shown within 1..16 only; a stored 0 stays 0 until the user sets one.
    const int channel = state->GetMIDIChannelOrMMCDeviceNum();
    m_channel->ShowValue(channel < 1 ? 1 : channel > 16 ? 16 : channel);
    if (m_group)
    {
        SelectPosition(m_group, state->GetMIDIChanGroup());
        const int position = m_group->GetSelection();
        m_channel->Enable(position == ControlGroup::Own);
        if (const PortChannelGroup* groups = TemplateGroups())
        {
            if (position == ControlGroup::Common)
                m_channel->ShowValue(groups->common.channel);
            else if (position == ControlGroup::Keyboard)
                m_channel->ShowValue(groups->GetChannel());
        }
    }
}

void CMIDIChannelDialog::OnGroup(wxCommandEvent& event)
{
    if (const CBaseControlState* state = State())
        SubmitIfChanged<CSetMIDIChanGroupCommand>(state->GetMIDIChanGroup(), ChosenGroup(event));
    RefreshFromControl();
}
