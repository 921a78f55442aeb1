#include "ui/dialogs/KbdZoneDialog.h"

#include <cstdint>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/NoteName.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/DialogResource.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/NumberValidator.h"

namespace
{
void FillGroupChoice(wxChoice* choice, int group)
{
    if (!choice)
        return;
    choice->Clear();
    const char* const names[] = {"As below:", "Common", "Keyboard"};
    for (int i = 0; i < 3; ++i)
        choice->Append(names[i], reinterpret_cast<void*>(static_cast<intptr_t>(i)));
    choice->SetSelection(group >= 0 && group < 3 ? group : wxNOT_FOUND);
}

int ChoiceGroup(const wxChoice* choice, int fallback)
{
    return choice && choice->GetSelection() != wxNOT_FOUND ? choice->GetSelection() : fallback;
}

void SetBox(wxCheckBox* box, bool value)
{
    if (box)
        box->SetValue(value);
}

bool Ticked(const wxCheckBox* box, bool fallback)
{
    return box ? box->GetValue() : fallback;
}
// What the empty dialog of the class table refers to.
const CKeyboardZone& NoZone()
{
    static const CKeyboardZone zone;
    return zone;
}
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CKbdZoneDialog, wxDialog);

CKbdZoneDialog::CKbdZoneDialog() : m_zone(NoZone())
{
}

CKbdZoneDialog::CKbdZoneDialog(wxWindow* parent, const CKeyboardZone& zone, const wxString& title,
                               SubmitZone submit)
    : m_zone(zone), m_submit(std::move(submit))
{
    m_loaded = LoadDialogResource(this, parent, "ID_KBDZONEDIALOG");
    if (!m_loaded)
        return;
    m_top = FindControl<wxSpinCtrl>(this, "Top_Note");
    m_topName = FindControl<wxStaticText>(this, "Top_Note_Name");
    m_bottom = FindControl<wxSpinCtrl>(this, "Bottom_Note");
    m_bottomName = FindControl<wxStaticText>(this, "Bottom_Note_Name");
    m_velocity = FindControl<wxSpinCtrl>(this, "Velocity_Offset");
    m_transpose = FindControl<wxSpinCtrl>(this, "Transpose");
    m_aftertouch = FindControl<wxCheckBox>(this, "After_Touch");
    m_pitchBend = FindControl<wxCheckBox>(this, "Pitch_Bend");
    m_modWheel = FindControl<wxCheckBox>(this, "Mod_Wheel");
    m_channelGroup = FindControl<wxChoice>(this, "Midi_Channel_Group");
    m_channel = FindControl<wxSpinCtrl>(this, "Midi_Channel");
    m_portGroup = FindControl<wxChoice>(this, "Midi_Port_Group");
    m_usb = FindControl<wxCheckBox>(this, "Enable_USB_Port");
    m_usb2 = FindControl<wxCheckBox>(this, "Enable_USB_Port_2");
    m_midi1 = FindControl<wxCheckBox>(this, "Enable_Midi_Port_1");
    m_midi2 = FindControl<wxCheckBox>(this, "Enable_Midi_Port_2");

    if (m_channel)
        m_channel->SetValue(zone.GetChannel() + 1);
    if (m_velocity)
        m_velocity->SetValue(zone.GetVelocityOffset() + 1);
    if (m_transpose)
        m_transpose->SetValue(zone.GetTranspose() - 64);
    SetBox(m_midi1, zone.GetMidiPort1());
    SetBox(m_midi2, zone.GetMidiPort2());
    SetBox(m_usb, zone.GetUsbPort());
    SetBox(m_usb2, zone.GetUsbPort2());
    SetBox(m_aftertouch, zone.GetAftertouch());
    SetBox(m_pitchBend, zone.GetPitchBend());
    SetBox(m_modWheel, zone.GetModWheel());
    FillGroupChoice(m_channelGroup, zone.GetChannelGroup());
    FillGroupChoice(m_portGroup, zone.GetPortGroup());

    const IDeviceAnswers& device = wxGetApp().Device();
    LabelPortCheckBoxes(m_midi1, m_midi2, m_usb, m_usb2);
    RemoveWindowIf(true, FindWindow(XRCID("ID_TEXTSPACER2")));
    for (const char* name : {"Midi_Port_Group", "ID_MIDIGROUPTEXT", "Midi_Channel_Group", "ID_MIDICHANGROUPTEXT",
                             "ID_TEXTSPACER1"})
        RemoveWindowIf(true, FindWindow(XRCID(name)));
    RemoveWindowIf(!device.HasMidiPort2(), m_midi2);
    RemoveWindowIf(!device.HasUsbPortB(), m_usb2);

    if (m_top)
        m_top->SetValue(zone.GetHighNote());
    if (m_bottom)
        m_bottom->SetValue(zone.GetLowNote());
    OnNoteShown(m_top);
    OnNoteShown(m_bottom);
    FilterSpinKeys(this);

    for (const char* name : {"Top_Note", "Bottom_Note", "Velocity_Offset", "Transpose", "Midi_Channel"})
        Bind(wxEVT_TEXT, &CKbdZoneDialog::OnSpinText, this, XRCID(name));
    for (wxCheckBox* box : {m_usb, m_usb2})
        if (box)
            box->Bind(wxEVT_CHECKBOX, [this, box](wxCommandEvent&) {
                wxCheckBox* other = box == m_usb ? m_usb2 : m_usb;
                if (box->GetValue() && other)
                    other->SetValue(false);
            });
    Bind(wxEVT_BUTTON, &CKbdZoneDialog::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(-1); }, wxID_CANCEL);
    FitAndCentre(this);
    SetTitle(title);
    MIDIIO::AddMessageListener(this);
}

CKbdZoneDialog::~CKbdZoneDialog()
{
    MIDIIO::RemoveMessageListener(this);
}

void CKbdZoneDialog::ShowNoteName(wxSpinCtrl* note, wxStaticText* name)
{
    if (note && name)
        name->SetLabel(ToWx(NoteName(note->GetValue())));
}

void CKbdZoneDialog::OnMidiMessage(uint8_t status, int data1, int /*data2*/)
{
    // A note on of any channel and velocity names the key; the focused note
    // field takes it.
    if ((status & 0xF0) != 0x90)
        return;
    const wxWindow* focus = FindFocus();
    for (auto [field, name] : {std::make_pair(m_top, m_topName), std::make_pair(m_bottom, m_bottomName)})
        if (field && (focus == field || (focus && focus->GetParent() == field)))
        {
            // SetValue sends no text event: the note's followers are told here.
            field->SetValue(data1);
            OnNoteShown(field);
        }
}

void CKbdZoneDialog::OnNoteShown(wxSpinCtrl* note)
{
    // Each note bounds the other; a note the new bound moves is named anew.
    if (!note)
        return;
    if (note == m_top)
    {
        ShowNoteName(m_top, m_topName);
        if (m_bottom)
            m_bottom->SetRange(0, m_top->GetValue());
        ShowNoteName(m_bottom, m_bottomName);
    }
    else if (note == m_bottom)
    {
        ShowNoteName(m_bottom, m_bottomName);
        if (m_top)
            m_top->SetRange(m_bottom->GetValue(), 127);
        ShowNoteName(m_top, m_topName);
    }
}

void CKbdZoneDialog::OnSpinText(wxCommandEvent& event)
{
    auto* spin = dynamic_cast<wxSpinCtrl*>(event.GetEventObject());
    if (!spin)
        return;
    int restore = 0;
    if (spin == m_top)
        restore = m_zone.GetHighNote();
    else if (spin == m_bottom)
        restore = m_zone.GetLowNote();
    else if (spin == m_velocity)
        restore = m_zone.GetVelocityOffset() + 1;
    else if (spin == m_transpose)
        restore = m_zone.GetTranspose() - 64;
    else if (spin == m_channel)
        restore = m_zone.GetChannel() + 1;
    NumberTextCtrl::ApplyEntry(spin, restore, -1, event);
    // An entry on its way (emptied, a first digit) bounds nothing yet.
    if (NumberTextCtrl::HoldsWholeValue(spin))
        OnNoteShown(spin);
}

CKeyboardZone CKbdZoneDialog::ReadControls() const
{
    CKeyboardZone zone;
    zone.SetChannelGroup(ChoiceGroup(m_channelGroup, m_zone.GetChannelGroup()));
    zone.SetPortGroup(ChoiceGroup(m_portGroup, m_zone.GetPortGroup()));
    zone.SetChannel(m_channel ? GetClampedSpinValue(m_channel) - 1 : m_zone.GetChannel());
    zone.SetVelocityOffset(m_velocity ? GetClampedSpinValue(m_velocity) - 1 : m_zone.GetVelocityOffset());
    zone.SetTranspose(m_transpose ? GetClampedSpinValue(m_transpose) + 64 : m_zone.GetTranspose());
    zone.SetMidiPort1(Ticked(m_midi1, m_zone.GetMidiPort1()));
    zone.SetMidiPort2(Ticked(m_midi2, m_zone.GetMidiPort2()));
    zone.SetUsbPort(Ticked(m_usb, m_zone.GetUsbPort()));
    zone.SetUsbPort2(Ticked(m_usb2, m_zone.GetUsbPort2()));
    // No control shows the third USB port: it keeps what the zone holds.
    zone.SetUsbPort3(m_zone.GetUsbPort3());
    zone.SetAftertouch(Ticked(m_aftertouch, m_zone.GetAftertouch()));
    zone.SetPitchBend(Ticked(m_pitchBend, m_zone.GetPitchBend()));
    zone.SetModWheel(Ticked(m_modWheel, m_zone.GetModWheel()));
    // A note still below its bound (Enter ends the dialog before the field
    // is left) counts as the bound, as it would once left.
    zone.SetHighNote(m_top ? GetClampedSpinValue(m_top) : m_zone.GetHighNote());
    zone.SetLowNote(m_bottom ? GetClampedSpinValue(m_bottom) : m_zone.GetLowNote());
    return zone;
}

void CKbdZoneDialog::OnOK(wxCommandEvent&)
{
    const CKeyboardZone edited = ReadControls();
    if (edited.Differs(m_zone) && m_submit)
        m_submit(edited);
    EndModal(0);
}
