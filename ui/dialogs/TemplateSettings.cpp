#include "ui/dialogs/TemplateSettings.h"

#include <cstdint>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/WxText.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/commands/SetTemplateLocalsCommand.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/DialogResource.h"
#include "ui/validators/NameValidator.h"
#include "ui/validators/NumberTextCtrl.h"
#include "ui/validators/NumberValidator.h"

namespace
{
void SetSpin(wxSpinCtrl* spin, int value)
{
    if (spin)
        spin->SetValue(value);
}

void SetCheck(wxCheckBox* box, bool value)
{
    if (box)
        box->SetValue(value);
}

// Removes a control together with its label or spacer.
void RemoveRow(wxWindow* root, bool condition, wxWindow* control, const char* labelName)
{
    RemoveWindowIf(condition, control);
    if (labelName)
        RemoveWindowIf(condition, root->FindWindow(XRCID(labelName)));
}
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CTemplateSettings, wxDialog);

CTemplateSettings::CTemplateSettings() = default;

CTemplateSettings::CTemplateSettings(wxWindow* parent, CEditorTemplate& target) : m_template(&target)
{
    m_working.Assign(target.GetLocals());
    m_loaded = LoadDialogResource(this, parent, "ID_TEMPLATEDIALOG");
    if (!m_loaded)
        return;
    FindControls();
    RemoveRows();
    FillPadChoice(m_padX, true);
    FillPadChoice(m_padY, false);
    FillControls();

    for (const char* name : {"Keybaord_Midi_Channel", "Override_Midi_Channel", "Velocity_Curve", "Octave_Setting",
                             "Transpose", "Number_Of_Group_Pages", "Group_Page_Number"})
        Bind(wxEVT_TEXT, &CTemplateSettings::OnSpinText, this, XRCID(name));
    FilterSpinKeys(this);
    Bind(wxEVT_BUTTON, &CTemplateSettings::OnRestoreDefaults, this, XRCID("Restore_Defaults"));
    Bind(wxEVT_BUTTON, &CTemplateSettings::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CTemplateSettings::OnCancel, this, wxID_CANCEL);

    FitAndCentre(this);
}

void CTemplateSettings::FindControls()
{
    m_notebook = FindControl<wxNotebook>(this, "Template_Settings");
    m_name = FindControl<wxTextCtrl>(this, "Template_Name");
    m_manufacturer = FindControl<wxTextCtrl>(this, "Manufacturer_Name");
    m_overrideChannel = FindControl<wxSpinCtrl>(this, "Override_Midi_Channel");
    m_groupPageCount = FindControl<wxSpinCtrl>(this, "Number_Of_Group_Pages");
    m_groupPage = FindControl<wxSpinCtrl>(this, "Group_Page_Number");
    m_padX = FindControl<wxChoice>(this, "Pad_X_Type");
    m_padY = FindControl<wxChoice>(this, "Pad_Y_Type");
    m_synthByControl = FindControl<wxChoice>(this, "Synth_By_Control");
    m_synthByMidi = FindControl<wxCheckBox>(this, "Synth_By_MIDI");
    m_hybrid = FindControl<wxCheckBox>(this, "Hybrid");
    m_autoSnapshot = FindControl<wxCheckBox>(this, "Auto_Snapshot");
    m_synthTemplate = FindControl<wxCheckBox>(this, "Synth_Template");
    m_potPickup = FindControl<wxCheckBox>(this, "Pot_Pickup");
    m_keyboardChannel = FindControl<wxSpinCtrl>(this, "Keybaord_Midi_Channel");
    m_velocityCurve = FindControl<wxSpinCtrl>(this, "Velocity_Curve");
    m_octave = FindControl<wxSpinCtrl>(this, "Octave_Setting");
    m_transpose = FindControl<wxSpinCtrl>(this, "Transpose");
    m_aftertouch = FindControl<wxCheckBox>(this, "After_Touch");
    m_midiPort1 = FindControl<wxCheckBox>(this, "Enable_Midi_Port_1");
    m_midiPort2 = FindControl<wxCheckBox>(this, "Enable_Midi_Port_2");
    m_usbPort = FindControl<wxCheckBox>(this, "Enable_USB_Port");
    m_usbPortB = FindControl<wxCheckBox>(this, "Enable_USB_Port_B");
}

void CTemplateSettings::RemoveRows()
{
    const IDeviceAnswers& device = Device();
    const int maxName = device.GetMaxTemplateNameLength();
    if (m_name)
    {
        m_name->SetMaxLength(maxName);
        m_name->SetValidator(CNameValidator(maxName));
    }
    if (m_manufacturer)
    {
        const int maxManufacturer = static_cast<int>(CTemplateLocalData::kMaxManufacturerNameLength);
        m_manufacturer->SetMaxLength(maxManufacturer);
        m_manufacturer->SetValidator(CNameValidator(maxManufacturer));
    }
    LabelPortCheckBoxes(m_midiPort1, m_midiPort2, m_usbPort, m_usbPortB);

    const bool groups = device.HasPortGroups();
    RemoveRow(this, !device.HasManufacturerName(), m_manufacturer, "ID_MFRNAMELABEL");
    RemoveRow(this, groups, m_overrideChannel, "ID_OVERRIDE_TEXT");
    RemoveRow(this, !device.HasGroupPages(), m_groupPageCount, "ID_GROUPPAGECOUNTTEXT");
    RemoveRow(this, !device.HasGroupPages(), m_groupPage, "ID_CURRENTPAGETEXT");
    RemoveRow(this, !device.HasPadSpringTypes(), m_padX, "PADXTYPE_TEXT");
    RemoveRow(this, !device.HasPadSpringTypes(), m_padY, "PADYTYPE_TEXT");
    RemoveRow(this, !device.HasSynthModes(), m_synthByControl, "Synth_By_Control_Text");
    RemoveRow(this, !device.HasSynthModes(), m_synthByMidi, "Synth_By_Midi_Text");
    RemoveRow(this, !device.HasSynthModes(), m_hybrid, "Global_Hybrid");
    RemoveRow(this, !device.HasAutoSnapshot(), m_autoSnapshot, "ID_SNAPSPACER");
    RemoveRow(this, !device.HasSynthTemplateOption(), m_synthTemplate, "ID_SYNTHSPACER");
    RemoveRow(this, !device.HasPotPickup(), m_potPickup, "ID_CATCHUPSPACER");
    RemoveRow(this, groups, m_keyboardChannel, "ID_KBDCHANTEXT");
    RemoveRow(this, !device.HasKeyboard(), m_velocityCurve, "ID_VELCURVETEXT");
    RemoveRow(this, !device.HasKeyboard(), m_octave, "OCTAVE_TEXT");
    RemoveRow(this, !device.HasTranspose(), m_transpose, "TRANSPOSE_TEXT");
    RemoveRow(this, !device.HasAftertouchSetting(), m_aftertouch, "ID_AFTERSPACER");
    RemoveRow(this, groups, m_midiPort1, "ID_MIDI1SPACER");
    RemoveRow(this, groups || !device.HasMidiPort2(), m_midiPort2, "ID_MIDI2SPACER");
    RemoveRow(this, groups, m_usbPort, "IUD_USBSPACER");
    RemoveRow(this, groups || !device.HasUsbPortB(), m_usbPortB, "ID_USB2SPACER");

    if (m_notebook)
    {
        // The later page first, so the earlier index still names its page.
        if (!device.HasKeyboard() && m_notebook->GetPageCount() > 2)
            m_notebook->DeletePage(2);
        const bool anyModePage = device.HasSynthModes() || device.HasPadSpringTypes() || device.HasPotPickup() ||
                                 device.HasAutoSnapshot();
        if (!anyModePage && m_notebook->GetPageCount() > 1)
            m_notebook->DeletePage(1);
    }
}

void CTemplateSettings::FillPadChoice(wxChoice* choice, bool horizontal)
{
    if (!choice)
        return;
    choice->Clear();
    std::vector<int> modes{0};
    if (Device().HasDirectionalSpringModes())
        modes.push_back(3);
    modes.push_back(2);
    modes.push_back(1);
    for (int mode : modes)
        choice->Append(ToWx(SpringModeName(mode, horizontal)), reinterpret_cast<void*>(static_cast<intptr_t>(mode)));
}

namespace
{
void SelectByData(wxChoice* choice, int mode)
{
    if (!choice)
        return;
    choice->SetSelection(wxNOT_FOUND);
    for (unsigned i = 0; i < choice->GetCount(); ++i)
        if (reinterpret_cast<intptr_t>(choice->GetClientData(i)) == mode)
            choice->SetSelection(static_cast<int>(i));
}

int SelectedData(const wxChoice* choice, int fallback)
{
    if (!choice || choice->GetSelection() == wxNOT_FOUND)
        return fallback;
    return static_cast<int>(reinterpret_cast<intptr_t>(choice->GetClientData(choice->GetSelection())));
}

bool Checked(const wxCheckBox* box, bool fallback)
{
    return box ? box->GetValue() : fallback;
}

int Clamped(const wxSpinCtrl* spin, int fallback)
{
    return spin ? GetClampedSpinValue(spin) : fallback;
}
} // namespace

void CTemplateSettings::FillControls()
{
    const CTemplateLocalData& w = m_working;
    if (m_name)
        m_name->ChangeValue(ToWx(w.GetName()));
    if (m_manufacturer)
        m_manufacturer->ChangeValue(ToWx(w.GetManufacturerName()));
    SetSpin(m_keyboardChannel, w.Keybaord_Midi_Channel + 1);
    SetSpin(m_velocityCurve, w.Velocity_Curve + 1);
    SetSpin(m_octave, w.Octave_Setting - 4);
    SetCheck(m_midiPort1, w.Enable_Midi_Port_1);
    SetCheck(m_midiPort2, w.Enable_Midi_Port_2);
    SetCheck(m_usbPort, w.Enable_USB_Port);
    SetCheck(m_aftertouch, w.After_Touch);
    SetCheck(m_potPickup, w.LocalsByte13 != 0);
    SetCheck(m_autoSnapshot, w.LocalsByte14 != 0);
    SetCheck(m_synthTemplate, w.LocalsByte15 != 0);
    SetSpin(m_overrideChannel, w.Override_Midi_Channel);
    SelectByData(m_padX, w.Pad_X_Type);
    SelectByData(m_padY, w.Pad_Y_Type);
    SetSpin(m_groupPageCount, w.LocalsByte21);
    SetSpin(m_groupPage, w.LocalsByte22);
    if (m_synthByControl)
    {
        const bool inRange = w.Synth_By_Control >= 0 && w.Synth_By_Control < static_cast<int>(m_synthByControl->GetCount());
        m_synthByControl->SetSelection(inRange ? w.Synth_By_Control : wxNOT_FOUND);
    }
    SetCheck(m_synthByMidi, w.Synth_By_MIDI != 0);
    SetSpin(m_transpose, w.Transpose);
    SetCheck(m_hybrid, w.Hybrid != 0);
}

CTemplateLocalData CTemplateSettings::ReadControls() const
{
    // Starts from the working copy rather than from defaults: the settings
    // this dialog has no control for keep their values.
    CTemplateLocalData s(m_working);
    if (m_name)
        s.SetName(FromWx(m_name->GetValue()));
    if (m_manufacturer)
        s.SetManufacturerName(FromWx(m_manufacturer->GetValue()));
    s.Keybaord_Midi_Channel = static_cast<uint8_t>(Clamped(m_keyboardChannel, s.Keybaord_Midi_Channel + 1) - 1);
    s.Velocity_Curve = static_cast<uint8_t>(Clamped(m_velocityCurve, s.Velocity_Curve + 1) - 1);
    s.Enable_Midi_Port_1 = Checked(m_midiPort1, s.Enable_Midi_Port_1);
    s.Enable_Midi_Port_2 = Checked(m_midiPort2, s.Enable_Midi_Port_2);
    s.Enable_USB_Port = Checked(m_usbPort, s.Enable_USB_Port);
    s.LocalsByte15 = Checked(m_synthTemplate, s.LocalsByte15 != 0) ? 1 : 0;
    s.LocalsByte13 = Checked(m_potPickup, s.LocalsByte13 != 0) ? 1 : 0;
    s.After_Touch = Checked(m_aftertouch, s.After_Touch);
    s.LocalsByte14 = Checked(m_autoSnapshot, s.LocalsByte14 != 0) ? 1 : 0;
    s.Octave_Setting = static_cast<uint8_t>(Clamped(m_octave, s.Octave_Setting - 4) + 4);
    s.Override_Midi_Channel = static_cast<uint8_t>(Clamped(m_overrideChannel, s.Override_Midi_Channel));
    s.Pad_X_Type = SelectedData(m_padX, s.Pad_X_Type);
    s.Pad_Y_Type = SelectedData(m_padY, s.Pad_Y_Type);
    s.LocalsByte21 = static_cast<uint8_t>(Clamped(m_groupPageCount, s.LocalsByte21));
    s.LocalsByte22 = static_cast<uint8_t>(Clamped(m_groupPage, s.LocalsByte22));
    if (m_synthByControl && m_synthByControl->GetSelection() != wxNOT_FOUND)
        s.Synth_By_Control = m_synthByControl->GetSelection();
    s.Synth_By_MIDI = Checked(m_synthByMidi, s.Synth_By_MIDI != 0) ? 1 : 0;
    if (m_transpose)
        s.Transpose = m_transpose->GetValue();
    s.Hybrid = Checked(m_hybrid, s.Hybrid != 0) ? 1 : 0;
    return s;
}

void CTemplateSettings::OnSpinText(wxCommandEvent& event)
{
    const int id = event.GetId();
    auto* spin = dynamic_cast<wxSpinCtrl*>(event.GetEventObject());
    if (!spin)
        return;
    const CTemplateLocalData& w = m_working;
    int restore = 0;
    int limit = -1;
    if (id == XRCID("Keybaord_Midi_Channel"))
        restore = w.Keybaord_Midi_Channel + 1;
    else if (id == XRCID("Override_Midi_Channel"))
        restore = w.Override_Midi_Channel;
    else if (id == XRCID("Velocity_Curve"))
        restore = w.Velocity_Curve + 1;
    else if (id == XRCID("Octave_Setting"))
        restore = w.Octave_Setting - 4;
    else if (id == XRCID("Transpose"))
        restore = w.Transpose;
    else if (id == XRCID("Number_Of_Group_Pages"))
        restore = w.LocalsByte21;
    else if (id == XRCID("Group_Page_Number"))
    {
        restore = w.LocalsByte22;
        if (m_groupPageCount)
            limit = m_groupPageCount->GetValue();
    }
    NumberTextCtrl::ApplyEntry(spin, restore, limit, event);
    if (id == XRCID("Number_Of_Group_Pages") && m_groupPage && m_groupPage->GetValue() > spin->GetValue())
        m_groupPage->SetValue(spin->GetValue());
}

void CTemplateSettings::OnRestoreDefaults(wxCommandEvent&)
{
    m_working.Reset();
    FillControls();
}

void CTemplateSettings::OnOK(wxCommandEvent&)
{
    // The command goes into this template's own history: it edits nothing else.
    m_template->SubmitCommand(std::make_unique<CSetTemplateLocalsCommand>(*m_template, ReadControls()));
    EndModal(0);
}

void CTemplateSettings::OnCancel(wxCommandEvent&)
{
    EndModal(-1);
}
