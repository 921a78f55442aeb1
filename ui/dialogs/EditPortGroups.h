#pragma once

#include <wx/dialog.h>

#include "model/PortChannelGroup.h"

class CEditorTemplate;
class wxCheckBox;
class wxCommandEvent;
class wxSpinCtrl;

// The modal dialog of a template's port and channel groups: the common
// channel and ports, the group's own, and whether the group follows the
// common ones. It edits a copy; OK hands the template one "Edit Port Groups"
// command and ends with 0; Cancel ends with -1. GUI thread only.
class CEditPortGroups : public wxDialog
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CEditPortGroups();
    // The template must have a groups block (IsLoaded is false otherwise)
    // and outlive the dialog.
    CEditPortGroups(wxWindow* parent, CEditorTemplate& target);

    bool IsLoaded() const { return m_loaded; }
    const PortChannelGroup& Working() const { return m_working; }

private:
    void FillControls();
    void OnChannelText(wxCommandEvent& event);
    void OnCheck(wxCommandEvent& event);
    void OnRestoreDefaults(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);

    bool m_loaded = false;
    CEditorTemplate* m_template = nullptr;
    PortChannelGroup* m_block = nullptr;
    PortChannelGroup m_working;

    wxSpinCtrl* m_commonChannel = nullptr;
    wxCheckBox* m_commonMidi1 = nullptr;
    wxCheckBox* m_commonMidi2 = nullptr;
    wxCheckBox* m_commonUsb = nullptr;
    wxCheckBox* m_commonUsbB = nullptr;
    wxCheckBox* m_commonUsbC = nullptr;
    wxSpinCtrl* m_channel = nullptr;
    wxWindow* m_channelLabel = nullptr;
    wxCheckBox* m_asCommonChannel = nullptr;
    wxCheckBox* m_midi1 = nullptr;
    wxCheckBox* m_midi2 = nullptr;
    wxCheckBox* m_usb = nullptr;
    wxCheckBox* m_usb2 = nullptr;
    wxCheckBox* m_asCommonPorts = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CEditPortGroups);
};
