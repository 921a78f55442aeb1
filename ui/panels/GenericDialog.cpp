#include "ui/panels/GenericDialog.h"

#include <algorithm>
#include <cstdint>

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/PortChannelGroup.h"
#include "model/commands/ControlEditCommands.h"
#include "model/commands/MetaCommand.h"
#include "ui/WindowHelpers.h"
#include "ui/panels/MIDIChannelDialog.h"
#include "ui/validators/NameValidator.h"

wxIMPLEMENT_DYNAMIC_CLASS(CGenericDialog, wxPanel);

namespace
{
// The "ShouldUseAutoComplete" preference; on where no editor application runs.
bool UseAutoComplete()
{
    if (const CEditorApp* app = dynamic_cast<const CEditorApp*>(wxApp::GetInstance()))
        return Preferences::IsOn(app->Prefs().shouldUseAutoComplete);
    return true;
}
} // namespace

bool IsNameEditable(const CBaseControlState& state)
{
    return state.GetType() != ControlMessageType::MMC || Device().AllowsNamedMmcControls();
}

bool CGenericDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_GENERICDIALOG"))
        return false;
    const IDeviceAnswers& device = Device();
    m_name = Child<wxTextCtrl>("Name");
    m_type = Child<wxChoice>("Type");
    m_portGroup = Child<wxChoice>("Midi_Port_Group");
    m_usb = Child<wxCheckBox>("Enable_USB_Port");
    m_usbB = Child<wxCheckBox>("Enable_USB_Port_B");
    m_usbC = Child<wxCheckBox>("Enable_USB_Port_C");
    m_midi1 = Child<wxCheckBox>("Enable_Midi_Port_1");
    m_midi2 = Child<wxCheckBox>("Enable_Midi_Port_2");
    m_separator = Child("ID_SEPARATOR");

    const int maxLength = device.GetMaxControlNameLength();
    if (m_name)
    {
        if (UseAutoComplete())
            m_completion = new CAutoCompleteMenu(this, m_name, maxLength, this);
        m_name->SetValidator(CNameValidator(maxLength));
        m_name->Bind(wxEVT_KEY_DOWN, &CGenericDialog::OnNameKey, this);
    }
    AppendGroupItems(m_portGroup, "Common ports", "Keyboard ports", "Program ports");
    if (m_midi1)
        m_midi1->SetLabel(ToWx(device.GetMidiPort1Label()));
    if (m_midi2)
        m_midi2->SetLabel(ToWx(device.GetMidiPort2Label()));
    if (m_usb)
        m_usb->SetLabel(ToWx(device.GetUsbPortLabel()));
    if (m_usbB)
        m_usbB->SetLabel(ToWx(device.GetUsbPortBLabel()));
    if (m_usbC)
        m_usbC->SetLabel(ToWx(device.GetUsbPortCLabel()));

    RemoveWindowIf(!device.HasMidiPort2(), m_midi2);
    RemoveWindowIf(!device.HasUsbPortB(), m_usbB);
    RemoveWindowIf(!device.HasUsbPortC(), m_usbC);
    RemoveWindowIf(!device.HasPortGroups(), m_portGroup);
    RemoveWindowIf(!device.HasPortGroups(), Child("ID_MIDIGROUPTEXT"));
    RemoveWindowIf(true, Child("Parameter_Name"));
    RemoveWindowIf(true, Child("ID_PARAMNAMETEXT"));

    Bind(wxEVT_TEXT, &CGenericDialog::OnName, this, XRCID("Name"));
    Bind(wxEVT_CHOICE, &CGenericDialog::OnType, this, XRCID("Type"));
    Bind(wxEVT_CHOICE, &CGenericDialog::OnPortGroup, this, XRCID("Midi_Port_Group"));
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
        Submit<CEnableMIDIPort1Command>(event.IsChecked());
    }, XRCID("Enable_Midi_Port_1"));
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
        Submit<CEnableMIDIPort2Command>(event.IsChecked());
    }, XRCID("Enable_Midi_Port_2"));
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) { EnableOneUsbPort(1, event.IsChecked()); },
         XRCID("Enable_USB_Port"));
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) { EnableOneUsbPort(2, event.IsChecked()); },
         XRCID("Enable_USB_Port_B"));
    Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) { EnableOneUsbPort(3, event.IsChecked()); },
         XRCID("Enable_USB_Port_C"));
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CGenericDialog::ClearTypes()
{
    if (m_type)
        m_type->Clear();
}

void CGenericDialog::AppendType(int type)
{
    if (m_type)
        m_type->Append(ToWx(CBaseControlState::MessageTypeName(type)), reinterpret_cast<void*>(intptr_t(type)));
}

void CGenericDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state)
        return;
    if (m_name)
    {
        m_name->Enable(IsNameEditable(*state));
        ShowText(m_name, ToWx(state->GetName()));
    }
    if (m_type)
    {
        int position = wxNOT_FOUND;
        for (unsigned int i = 0; i < m_type->GetCount() && position == wxNOT_FOUND; ++i)
            if (reinterpret_cast<intptr_t>(m_type->GetClientData(i)) == state->GetType())
                position = static_cast<int>(i);
        m_type->SetSelection(position);
    }
    UpdatePortControls();
    const bool disabled = state->GetType() == ControlMessageType::Disabled;
    if (m_separator)
        m_separator->Show(!disabled);
    if (disabled)
        for (wxWindow* window : std::initializer_list<wxWindow*>{m_usb, m_usbB, m_usbC, m_midi1, m_midi2, m_portGroup})
            if (window)
                window->Disable();
}

void CGenericDialog::UpdatePortControls()
{
    const CBaseControlState* state = State();
    if (!state)
        return;
    bool own = true;
    if (m_portGroup)
    {
        SelectPosition(m_portGroup, state->GetMIDIPortGroup());
        m_portGroup->Enable();
        own = m_portGroup->GetSelection() == ControlGroup::Own;
    }
    bool flags[5] = {state->GetMIDIPort1Enabled(), state->GetMIDIPort2Enabled(), state->GetUSBPortEnabled(),
                     state->GetUSBPort2Enabled(), state->GetUSBPort3Enabled()};
    const PortChannelGroup* groups = own ? nullptr : TemplateGroups();
    if (groups && m_portGroup->GetSelection() == ControlGroup::Common)
    {
        const PortChannelSet& common = groups->common;
        const bool shared[5] = {common.midiPort1 != 0, common.midiPort2 != 0, common.usbPort != 0,
                                common.usbPort2 != 0, common.usbPort3 != 0};
        std::copy(shared, shared + 5, flags);
    }
    else if (groups && m_portGroup->GetSelection() == ControlGroup::Keyboard)
    {
        const bool effective[5] = {groups->GetMidiPort1(), groups->GetMidiPort2(), groups->GetUsbPort(),
                                   groups->GetUsbPort2(), groups->GetUsbPort3()};
        std::copy(effective, effective + 5, flags);
    }
    wxCheckBox* const boxes[5] = {m_midi1, m_midi2, m_usb, m_usbB, m_usbC};
    for (int i = 0; i < 5; ++i)
        if (boxes[i])
        {
            boxes[i]->SetValue(flags[i]);
            boxes[i]->Enable(own);
        }
}

bool CGenericDialog::OnAutoComplete()
{
    const CBaseControlState* state = State();
    return state && m_name && FromWx(m_name->GetValue()) != state->GetName();
}

void CGenericDialog::OnName(wxCommandEvent& event)
{
    event.Skip();
    const CBaseControlState* state = State();
    if (!state || !m_name)
        return;
    const std::string name = FromWx(m_name->GetValue());
    if (name != state->GetName())
        Submit<CSetNameCommand>(name);
}

void CGenericDialog::OnNameKey(wxKeyEvent& event)
{
    // Enter ends the entry: nothing stays selected for the next key to
    // replace (GTK selects the whole name when the field takes the keys).
    const int key = event.GetKeyCode();
    if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && !(m_completion && m_completion->IsShown()))
        m_name->SetInsertionPointEnd();
    event.Skip();
}

void CGenericDialog::OnType(wxCommandEvent& event)
{
    if (const CBaseControlState* state = State())
        SubmitIfChanged<CSetControlTypeCommand>(state->GetType(),
                                                static_cast<int>(reinterpret_cast<intptr_t>(event.GetClientData())));
}

void CGenericDialog::OnPortGroup(wxCommandEvent& event)
{
    if (const CBaseControlState* state = State())
        SubmitIfChanged<CSetMIDIPortGroupCommand>(state->GetMIDIPortGroup(), ChosenGroup(event));
    UpdatePortControls();
}

void CGenericDialog::EnableOneUsbPort(int port, bool on)
{
    if (!m_control)
        return;
    if (!on)
    {
        if (port == 1)
            Submit<CEnableMIDIPortUSBCommand>(false);
        else if (port == 2)
            Submit<CEnableMIDIPortUSB2Command>(false);
        else
            Submit<CEnableMIDIPortUSB3Command>(false);
        return;
    }
    auto meta = std::make_unique<CMetaCommand>(wxString::Format("Enable Control USB Port %d", port).ToStdString());
    meta->Add(std::make_unique<CEnableMIDIPortUSBCommand>(*m_control, port == 1));
    meta->Add(std::make_unique<CEnableMIDIPortUSB2Command>(*m_control, port == 2));
    meta->Add(std::make_unique<CEnableMIDIPortUSB3Command>(*m_control, port == 3));
    SubmitCommand(std::move(meta));
    UpdatePortControls();
}
