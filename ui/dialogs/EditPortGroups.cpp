#include "ui/dialogs/EditPortGroups.h"

#include <wx/checkbox.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "model/EditorTemplate.h"
#include "model/TemplateGroups.h"
#include "model/commands/SetTemplateGroupsCommand.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/DialogResource.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/NumberValidator.h"

namespace
{
void SetBox(wxCheckBox* box, bool value)
{
    if (box)
        box->SetValue(value);
}

uint8_t Ticked(const wxCheckBox* box, uint8_t fallback)
{
    return box ? (box->GetValue() ? 1 : 0) : fallback;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CEditPortGroups, wxDialog);

CEditPortGroups::CEditPortGroups() = default;

CEditPortGroups::CEditPortGroups(wxWindow* parent, CEditorTemplate& target) : m_template(&target)
{
    CTemplateGroups* groups = target.GetGroups();
    if (!groups)
        return;
    m_block = &groups->GetGroups();
    m_working = *m_block;
    m_loaded = LoadDialogResource(this, parent, "ID_DIALOG");
    if (!m_loaded)
        return;
    m_commonChannel = FindControl<wxSpinCtrl>(this, "Common_Channel");
    m_commonMidi1 = FindControl<wxCheckBox>(this, "Common_Midi_Port_1");
    m_commonMidi2 = FindControl<wxCheckBox>(this, "Common_Midi_Port_2");
    m_commonUsb = FindControl<wxCheckBox>(this, "Common_USB_Port");
    m_commonUsbB = FindControl<wxCheckBox>(this, "Common_USB_Port_B");
    m_commonUsbC = FindControl<wxCheckBox>(this, "Common_USB_Port_C");
    m_channel = FindControl<wxSpinCtrl>(this, "Midi_Channel");
    m_channelLabel = FindWindow(XRCID("ID_KBDCHANTEXT"));
    m_asCommonChannel = FindControl<wxCheckBox>(this, "As_Common_Channel");
    m_midi1 = FindControl<wxCheckBox>(this, "Midi_Port_1");
    m_midi2 = FindControl<wxCheckBox>(this, "Midi_Port_2");
    m_usb = FindControl<wxCheckBox>(this, "USB_Port");
    m_usb2 = FindControl<wxCheckBox>(this, "USB_Port_2");
    m_asCommonPorts = FindControl<wxCheckBox>(this, "As_Common_Ports");

    FilterSpinKeys(this);
    const IDeviceAnswers& device = wxGetApp().Device();
    LabelPortCheckBoxes(m_commonMidi1, m_commonMidi2, m_commonUsb, m_commonUsbB);
    LabelPortCheckBoxes(m_midi1, m_midi2, m_usb, m_usb2);
    if (m_commonUsbC)
        m_commonUsbC->SetLabel(ToWx(device.GetUsbPortCLabel()));
    if (auto* group = FindControl<wxStaticBox>(this, "KEYBOARD_GROUP"))
        group->SetLabel(device.HasKeyboard() ? "Keyboard" : "Program");
    RemoveWindowIf(!device.HasMidiPort2(), m_commonMidi2);
    RemoveWindowIf(!device.HasMidiPort2(), m_midi2);
    RemoveWindowIf(!device.HasUsbPortB(), m_commonUsbB);
    RemoveWindowIf(!device.HasUsbPortB(), m_usb2);
    RemoveWindowIf(!device.HasUsbPortC(), m_commonUsbC);
    FillControls();

    Bind(wxEVT_TEXT, &CEditPortGroups::OnChannelText, this, XRCID("Common_Channel"));
    Bind(wxEVT_TEXT, &CEditPortGroups::OnChannelText, this, XRCID("Midi_Channel"));
    for (wxCheckBox* box : {m_commonMidi1, m_commonMidi2, m_commonUsb, m_commonUsbB, m_commonUsbC, m_asCommonChannel,
                            m_midi1, m_midi2, m_usb, m_usb2, m_asCommonPorts})
        if (box)
            box->Bind(wxEVT_CHECKBOX, &CEditPortGroups::OnCheck, this);
    Bind(wxEVT_BUTTON, &CEditPortGroups::OnRestoreDefaults, this, XRCID("Restore_Defaults"));
    Bind(wxEVT_BUTTON, &CEditPortGroups::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(-1); }, wxID_CANCEL);
    FitAndCentre(this);
}

void CEditPortGroups::FillControls()
{
    const PortChannelGroup& w = m_working;
    if (m_commonChannel)
        m_commonChannel->SetValue(w.common.channel);
    SetBox(m_commonMidi1, w.common.midiPort1);
    SetBox(m_commonMidi2, w.common.midiPort2);
    SetBox(m_commonUsb, w.common.usbPort);
    SetBox(m_commonUsbB, w.common.usbPort2);
    SetBox(m_commonUsbC, w.common.usbPort3);
    if (m_channel)
    {
        m_channel->SetValue(w.GetChannel());
        m_channel->Enable(!w.As_Common_Channel);
    }
    if (m_channelLabel)
        m_channelLabel->Enable(!w.As_Common_Channel);
    SetBox(m_asCommonChannel, w.As_Common_Channel);
    SetBox(m_midi1, w.GetMidiPort1());
    SetBox(m_midi2, w.GetMidiPort2());
    SetBox(m_usb, w.GetUsbPort());
    SetBox(m_usb2, w.GetUsbPort2());
    SetBox(m_asCommonPorts, w.As_Common_Ports);
    for (wxCheckBox* box : {m_midi1, m_midi2, m_usb, m_usb2})
        if (box)
            box->Enable(!w.As_Common_Ports);
}

void CEditPortGroups::OnChannelText(wxCommandEvent& event)
{
    const bool common = event.GetId() == XRCID("Common_Channel");
    wxSpinCtrl* spin = common ? m_commonChannel : m_channel;
    uint8_t& stored = common ? m_working.common.channel : m_working.own.channel;
    int restore = stored;
    if (NumberTextCtrl::ApplyEntry(spin, restore, -1, event))
        stored = static_cast<uint8_t>(restore);
    if (common && m_channel)
        m_channel->SetValue(m_working.GetChannel());
}

void CEditPortGroups::OnCheck(wxCommandEvent& event)
{
    auto* box = dynamic_cast<wxCheckBox*>(event.GetEventObject());
    if (!box)
        return;
    PortChannelGroup& w = m_working;
    const bool ticked = box->GetValue();
    if (box == m_usb || box == m_usb2)
    {
        // One USB port at a time for the group.
        wxCheckBox* other = box == m_usb ? m_usb2 : m_usb;
        if (ticked && other)
            other->SetValue(false);
        w.own.usbPort = Ticked(m_usb, w.own.usbPort);
        w.own.usbPort2 = Ticked(m_usb2, w.own.usbPort2);
        return;
    }
    if (box == m_commonUsb || box == m_commonUsbB || box == m_commonUsbC)
    {
        if (ticked)
            for (wxCheckBox* other : {m_commonUsb, m_commonUsbB, m_commonUsbC})
                if (other && other != box)
                    other->SetValue(false);
        w.common.usbPort = Ticked(m_commonUsb, w.common.usbPort);
        w.common.usbPort2 = Ticked(m_commonUsbB, w.common.usbPort2);
        w.common.usbPort3 = Ticked(m_commonUsbC, w.common.usbPort3);
        FillControls();
        return;
    }
    if (box == m_midi1 || box == m_midi2)
    {
        w.own.midiPort1 = Ticked(m_midi1, w.own.midiPort1);
        w.own.midiPort2 = Ticked(m_midi2, w.own.midiPort2);
        return;
    }
    if (box == m_asCommonPorts)
        w.As_Common_Ports = ticked;
    else if (box == m_asCommonChannel)
        w.As_Common_Channel = ticked;
    else if (box == m_commonMidi1)
        w.common.midiPort1 = ticked;
    else if (box == m_commonMidi2)
        w.common.midiPort2 = ticked;
    FillControls();
}

void CEditPortGroups::OnRestoreDefaults(wxCommandEvent&)
{
    m_working.Reset();
    FillControls();
}

void CEditPortGroups::OnOK(wxCommandEvent&)
{
    PortChannelGroup& w = m_working;
    w.As_Common_Ports = Ticked(m_asCommonPorts, w.As_Common_Ports);
    w.As_Common_Channel = Ticked(m_asCommonChannel, w.As_Common_Channel);
    if (m_commonChannel)
        w.common.channel = static_cast<uint8_t>(GetClampedSpinValue(m_commonChannel));
    w.common.midiPort1 = Ticked(m_commonMidi1, w.common.midiPort1);
    w.common.midiPort2 = Ticked(m_commonMidi2, w.common.midiPort2);
    w.common.usbPort = Ticked(m_commonUsb, w.common.usbPort);
    w.common.usbPort2 = Ticked(m_commonUsbB, w.common.usbPort2);
    w.common.usbPort3 = Ticked(m_commonUsbC, w.common.usbPort3);
    // While the group follows the common set, its own values shown are the
    // common ones: they must not overwrite what the group keeps.
    if (!w.As_Common_Channel && m_channel)
        w.own.channel = static_cast<uint8_t>(GetClampedSpinValue(m_channel));
    if (!w.As_Common_Ports)
    {
        w.own.midiPort1 = Ticked(m_midi1, w.own.midiPort1);
        w.own.midiPort2 = Ticked(m_midi2, w.own.midiPort2);
        w.own.usbPort = Ticked(m_usb, w.own.usbPort);
        w.own.usbPort2 = Ticked(m_usb2, w.own.usbPort2);
    }
    m_template->SubmitCommand(std::make_unique<CSetTemplateGroupsCommand>(*m_block, w));
    EndModal(0);
}
