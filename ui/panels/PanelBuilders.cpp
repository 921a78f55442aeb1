#include "ui/panels/PanelBuilders.h"

#include <memory>

#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/toplevel.h>

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
// Creates a panel into the column; a panel whose layout cannot be loaded is
// left out (Create has logged why).
template <class Panel>
Panel* Created(wxWindow* parent, wxSizer* sizer)
{
    auto panel = std::make_unique<Panel>();
    if (!panel->Create(parent))
        return nullptr;
    sizer->Add(panel.get(), 0, wxEXPAND | wxALL, 5);
    return panel.release();
}

template <class Panel>
Panel* AddPanel(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    Panel* panel = Created<Panel>(parent, sizer);
    if (panel)
        panel->SetControl(control);
    return panel;
}

CGenericDialog* AddGeneric(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control,
                           const std::vector<int>& types)
{
    CGenericDialog* panel = Created<CGenericDialog>(parent, sizer);
    if (!panel)
        return nullptr;
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

// The panels a column may hold below the generic panel.
enum class Row
{
    Channel,
    CC,
    NRPN,
    Snapshot,
    SnapshotWhereHeld, // only where the device keeps a snapshot value for the index
    Pot,
    Button,
    SysEx,
    MMC,
    NoteOn,
    Drum,
    EmptyPanel, // spacing under an Aftertouch control
    Line,       // spacing in a Program Change column
};

void AddRow(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control, Row row)
{
    switch (row)
    {
    case Row::Channel: AddPanel<CMIDIChannelDialog>(parent, sizer, control); break;
    case Row::CC: AddPanel<CCCDialog>(parent, sizer, control); break;
    case Row::NRPN: AddPanel<CNRPNDialog>(parent, sizer, control); break;
    case Row::SnapshotWhereHeld:
        if (!HasSnapshot(control))
            break;
        [[fallthrough]];
    case Row::Snapshot: AddPanel<CSnapValueDialog>(parent, sizer, control); break;
    case Row::Pot: AddPanel<CPotDialog>(parent, sizer, control); break;
    case Row::Button: AddPanel<CButtonDialog>(parent, sizer, control); break;
    case Row::SysEx: AddPanel<CSysExDialog>(parent, sizer, control); break;
    case Row::MMC: AddPanel<CMMCDialog>(parent, sizer, control); break;
    case Row::NoteOn: AddPanel<CNoteOnDialog>(parent, sizer, control); break;
    case Row::Drum: AddPanel<CDrumnoteDialog>(parent, sizer, control); break;
    case Row::EmptyPanel:
        sizer->Add(new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE,
                               "panel"),
                   0, wxEXPAND | wxALL, 5);
        break;
    case Row::Line:
        sizer->Add(new wxStaticLine(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL,
                                    "staticText"),
                   0, wxEXPAND | wxALL, 10);
        break;
    }
}

bool AddColumn(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control, bool button,
               std::initializer_list<Row> rows)
{
    if (button)
        BuildButtonPanels(parent, sizer, control);
    else
        BuildContinuousPanels(parent, sizer, control);
    for (Row row : rows)
        AddRow(parent, sizer, control, row);
    return true;
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
    return AddColumn(parent, sizer, control, false, {});
}

bool ShowContinuousPanelsCC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, false, {Row::Channel, Row::CC, Row::SnapshotWhereHeld, Row::Pot});
}

bool ShowContinuousPanelsNRPN(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, false, {Row::Channel, Row::NRPN, Row::SnapshotWhereHeld, Row::Pot});
}

bool ShowContinuousPanelsSysEx(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, false, {Row::SysEx, Row::Snapshot, Row::Pot});
}

bool ShowContinuousPanelsPitchBend(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, false, {Row::Channel, Row::Pot});
}

bool ShowContinuousPanelsAftertouch(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, false, {Row::Channel, Row::EmptyPanel});
}

bool ShowButtonPanelsNone(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, true, {});
}

bool ShowButtonPanelsCC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, true, {Row::Channel, Row::CC, Row::Snapshot, Row::Button});
}

bool ShowButtonPanelsNRPN(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, true, {Row::Channel, Row::NRPN, Row::Snapshot, Row::Button});
}

bool ShowButtonPanelsSysEx(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, true, {Row::SysEx, Row::Snapshot, Row::Button});
}

bool ShowButtonPanelsMMC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, true, {Row::MMC});
}

bool ShowButtonPanelsNote(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, true, {Row::Channel, Row::NoteOn});
}

bool ShowButtonPanelsProgramChange(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, true, {Row::Channel, Row::Line, Row::Snapshot, Row::Button});
}

bool ShowButtonPanelsDrum(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control)
{
    return AddColumn(parent, sizer, control, true, {Row::Channel, Row::Drum});
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
        // A type the place cannot send (read from a file): the type choice
        // alone, so that the user can give it one that can.
        default: return ShowButtonPanelsNone(parent, sizer, control);
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
        default: return ShowContinuousPanelsNone(parent, sizer, control);
        }
    }
    return false;
}

void PrepareEditDialog(wxWindow* window)
{
    window->Hide();
    window->DestroyChildren();
}

void ShowEditDialog(wxWindow* window, const CPlacedControl& control, bool activate)
{
    if (wxSizer* sizer = window->GetSizer())
    {
        sizer->Fit(window);
        sizer->Layout();
    }
    window->Enable();
    auto* topLevel = dynamic_cast<wxTopLevelWindow*>(window);
    if (topLevel && !activate)
        topLevel->ShowWithoutActivating();
    else
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
