#pragma once

#include "ui/panels/AutoCompleteMenu.h"
#include "ui/panels/ControlPanel.h"

class wxCheckBox;
class wxChoice;
class wxTextCtrl;

// Heads every control's column: name, message type and output ports.
class CGenericDialog : public CControlPanel, public IAutoCompleteClient
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;
    bool OnAutoComplete() override;

    // The builders fill the message type choice: one item per type code.
    void ClearTypes();
    void AppendType(int type);
    void UpdatePortControls();
    // The name field's completion pop-up; null when completion is off.
    CAutoCompleteMenu* GetCompletion() const { return m_completion; }

private:
    void OnName(wxCommandEvent& event);
    void OnNameKey(wxKeyEvent& event);
    void OnType(wxCommandEvent& event);
    void OnPortGroup(wxCommandEvent& event);
    // Turns one USB port on and the other two off as one undo step.
    void EnableOneUsbPort(int port, bool on);

    wxTextCtrl* m_name = nullptr;
    wxChoice* m_type = nullptr;
    wxChoice* m_portGroup = nullptr;
    wxCheckBox* m_usb = nullptr;
    wxCheckBox* m_usbB = nullptr;
    wxCheckBox* m_usbC = nullptr;
    wxCheckBox* m_midi1 = nullptr;
    wxCheckBox* m_midi2 = nullptr;
    wxWindow* m_separator = nullptr;
    CAutoCompleteMenu* m_completion = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CGenericDialog);
};

// Whether the name field of this control may be edited.
bool IsNameEditable(const CBaseControlState& state);
