#pragma once

class CPlacedControl;
class wxSizer;
class wxWindow;

// The column of property panels for one control, chosen by its place (button
// or continuous) and its message type, the generic panel always on top.
// Every builder takes the settings window (the panels' parent), its vertical
// sizer and the control; each panel keeps its own clone of the control.
namespace PlacedControlPanels
{
bool BuildContinuousPanels(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool BuildButtonPanels(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);

bool ShowContinuousPanelsNone(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowContinuousPanelsCC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowContinuousPanelsNRPN(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowContinuousPanelsSysEx(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowContinuousPanelsPitchBend(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowContinuousPanelsAftertouch(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);

bool ShowButtonPanelsNone(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowButtonPanelsCC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowButtonPanelsNRPN(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowButtonPanelsSysEx(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowButtonPanelsMMC(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowButtonPanelsNote(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowButtonPanelsProgramChange(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);
bool ShowButtonPanelsDrum(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);

// The builder for the control's place and type; a type without panels of
// its own gets the generic panel alone. False for a control with no state or
// on no place (the window then shows no panels).
bool BuildPanels(wxWindow* parent, wxSizer* sizer, const CPlacedControl& control);

// The settings window's side of showing a control. Prepare hides the window
// and destroys its panels (the caller points the window at the control);
// Show fits and shows it (activate false: the keys stay where they are) and
// selects the control on the view; Rebuild is Prepare, the builder and Show,
// and gives the window a vertical sizer when it has none.
void PrepareEditDialog(wxWindow* window);
void ShowEditDialog(wxWindow* window, const CPlacedControl& control, bool activate = true);
void RebuildEditDialog(wxWindow* window, const CPlacedControl& control);
// Every panel of the window shows its control's current state again (after a
// command, an undo or a redo that keeps the window's panels).
void RefreshPanels(wxWindow* window);
} // namespace PlacedControlPanels
