#include "ui/panels/PanelBuilders.h"

#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statline.h>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/PlacedControl.h"
#include "ui/panels/ButtonDialog.h"
#include "ui/panels/CCDialog.h"
#include "ui/panels/DrumnoteDialog.h"
#include "ui/panels/GenericDialog.h"
#include "ui/panels/MIDIChannelDialog.h"
#include "ui/panels/MMCDialog.h"
#include "ui/panels/NRPNDialog.h"
#include "ui/panels/NoteOnDialog.h"
#include "ui/panels/PotDialog.h"
#include "ui/panels/SnapValueDialog.h"
#include "ui/panels/SysExDialog.h"

namespace PlacedControlPanels
{
namespace
{
template <class Panel>
Panel* AddPanel(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    Panel* panel = new Panel;
    panel->Create(parent);
    sizer->Add(panel, 0, wxEXPAND | wxALL, 5);
    panel->SetControl(control);
    return panel;
}

CGenericDialog* AddGeneric(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control,
                           const std::vector<int>& types)
{
    CGenericDialog* panel = new CGenericDialog;
    panel->Create(parent);
    sizer->Add(panel, 0, wxEXPAND | wxALL, 5);
    panel->ClearTypes();
    for (int type : types)
        panel->AppendType(type);
    panel->SetControl(control);
    return panel;
}

bool HasSnapshot(const CPlacedControl& control)
{
    return Device().HasSnapshotPanel(control.GetIndex());
}
} // namespace

bool BuildContinuousPanels(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    const IDeviceAnswers& device = Device();
    const int index = control.GetIndex();
    std::vector<int> types = {ControlMessageType::Disabled, ControlMessageType::CC, ControlMessageType::NRPN,
                              ControlMessageType::RPN};
    if (device.SupportsSysExMessages())
        types.push_back(ControlMessageType::SysEx);
    if (device.SupportsPitchBend(index))
        types.push_back(ControlMessageType::PitchBend);
    if (device.SupportsAftertouch(index))
        types.push_back(ControlMessageType::Aftertouch);
    AddGeneric(parent, sizer, control, types);
    return true;
}

bool BuildButtonPanels(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    const IDeviceAnswers& device = Device();
    std::vector<int> types = {ControlMessageType::Disabled, ControlMessageType::CC, ControlMessageType::NRPN,
                              ControlMessageType::RPN};
    if (device.SupportsSysExMessages())
        types.push_back(ControlMessageType::SysEx);
    types.push_back(ControlMessageType::ProgramChange);
    types.push_back(ControlMessageType::MMC);
    types.push_back(device.SupportsDrumNote(control.GetIndex()) ? ControlMessageType::DrumNote
                                                                : ControlMessageType::NoteOn);
    AddGeneric(parent, sizer, control, types);
    return true;
}

bool ShowContinuousPanelsNone(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return BuildContinuousPanels(parent, sizer, control);
}

bool ShowContinuousPanelsCC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildContinuousPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    AddPanel<CCCDialog>(parent, sizer, control);
    if (HasSnapshot(control))
        AddPanel<CSnapValueDialog>(parent, sizer, control);
    AddPanel<CPotDialog>(parent, sizer, control);
    return true;
}

bool ShowContinuousPanelsNRPN(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildContinuousPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    AddPanel<CNRPNDialog>(parent, sizer, control);
    if (HasSnapshot(control))
        AddPanel<CSnapValueDialog>(parent, sizer, control);
    AddPanel<CPotDialog>(parent, sizer, control);
    return true;
}

bool ShowContinuousPanelsSysEx(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildContinuousPanels(parent, sizer, control);
    AddPanel<CSysExDialog>(parent, sizer, control);
    AddPanel<CSnapValueDialog>(parent, sizer, control);
    AddPanel<CPotDialog>(parent, sizer, control);
    return true;
}

bool ShowContinuousPanelsPitchBend(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildContinuousPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    AddPanel<CPotDialog>(parent, sizer, control);
    return true;
}

bool ShowContinuousPanelsAftertouch(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildContinuousPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    sizer->Add(new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE,
                           "panel"),
               0, wxEXPAND | wxALL, 5);
    return true;
}

bool ShowButtonPanelsNone(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return BuildButtonPanels(parent, sizer, control);
}

bool ShowButtonPanelsCC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildButtonPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    AddPanel<CCCDialog>(parent, sizer, control);
    AddPanel<CSnapValueDialog>(parent, sizer, control);
    AddPanel<CButtonDialog>(parent, sizer, control);
    return true;
}

bool ShowButtonPanelsNRPN(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildButtonPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    AddPanel<CNRPNDialog>(parent, sizer, control);
    AddPanel<CSnapValueDialog>(parent, sizer, control);
    AddPanel<CButtonDialog>(parent, sizer, control);
    return true;
}

bool ShowButtonPanelsSysEx(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildButtonPanels(parent, sizer, control);
    AddPanel<CSysExDialog>(parent, sizer, control);
    AddPanel<CSnapValueDialog>(parent, sizer, control);
    AddPanel<CButtonDialog>(parent, sizer, control);
    return true;
}

bool ShowButtonPanelsMMC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildButtonPanels(parent, sizer, control);
    AddPanel<CMMCDialog>(parent, sizer, control);
    return true;
}

bool ShowButtonPanelsNote(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildButtonPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    AddPanel<CNoteOnDialog>(parent, sizer, control);
    return true;
}

bool ShowButtonPanelsProgramChange(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildButtonPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    sizer->Add(new wxStaticLine(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL, "staticText"),
               0, wxEXPAND | wxALL, 10);
    AddPanel<CSnapValueDialog>(parent, sizer, control);
    AddPanel<CButtonDialog>(parent, sizer, control);
    return true;
}

bool ShowButtonPanelsDrum(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    BuildButtonPanels(parent, sizer, control);
    AddPanel<CMIDIChannelDialog>(parent, sizer, control);
    AddPanel<CDrumnoteDialog>(parent, sizer, control);
    return true;
}

bool BuildPanels(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    const CBaseControlState* state = control.GetControl();
    if (!state)
        return false;
    using namespace ControlMessageType;
    if (IsPlacedControlButton(control))
    {
        switch (state->GetType())
        {
        case Disabled: return ShowButtonPanelsNone(parent, sizer, control);
        case CC: return ShowButtonPanelsCC(parent, sizer, control);
        case NRPN:
        case RPN: return ShowButtonPanelsNRPN(parent, sizer, control);
        case SysEx: return ShowButtonPanelsSysEx(parent, sizer, control);
        case MMC: return ShowButtonPanelsMMC(parent, sizer, control);
        case NoteOn:
        case NoteOff: return ShowButtonPanelsNote(parent, sizer, control);
        case ProgramChange: return ShowButtonPanelsProgramChange(parent, sizer, control);
        case DrumNote: return ShowButtonPanelsDrum(parent, sizer, control);
        default: return false;
        }
    }
    if (IsPlacedControlContinuous(control))
    {
        switch (state->GetType())
        {
        case Disabled: return ShowContinuousPanelsNone(parent, sizer, control);
        case CC: return ShowContinuousPanelsCC(parent, sizer, control);
        case NRPN:
        case RPN: return ShowContinuousPanelsNRPN(parent, sizer, control);
        case SysEx: return ShowContinuousPanelsSysEx(parent, sizer, control);
        case PitchBend: return ShowContinuousPanelsPitchBend(parent, sizer, control);
        case Aftertouch: return ShowContinuousPanelsAftertouch(parent, sizer, control);
        default: return false;
        }
    }
    return false;
}

void PrepareEditDialog(wxWindow* window)
{
    window->Hide();
    window->DestroyChildren();
}

void ShowEditDialog(wxWindow* window, const CPlacedControl& control)
{
    if (wxSizer* sizer = window->GetSizer())
    {
        sizer->Fit(window);
        sizer->Layout();
    }
    window->Enable();
    window->Show();
    if (IEditorWindow* main = Host().Window())
        main->SelectControl(control.GetIndex(), true);
}

void RebuildEditDialog(wxWindow* window, const CPlacedControl& control)
{
    PrepareEditDialog(window);
    if (!window->GetSizer())
        window->SetSizer(new wxBoxSizer(wxVERTICAL));
    BuildPanels(window, window->GetSizer(), control);
    ShowEditDialog(window, control);
}

void RefreshPanels(wxWindow* window)
{
    CControlPanel::RefreshAll(window);
}
} // namespace PlacedControlPanels
