#pragma once

#include "ui/panels/ControlPanel.h"

class wxRadioButton;

// A control's MIDI Machine Control command and device number.
class CMMCDialog : public CControlPanel
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;

private:
    void BindEntries() override;

    NumberTextCtrl* m_device = nullptr;
    wxRadioButton* m_commands[14] = {}; // by command number; 0 the hidden "none"

    wxDECLARE_DYNAMIC_CLASS(CMMCDialog);
};
