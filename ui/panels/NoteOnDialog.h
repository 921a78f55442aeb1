#pragma once

#include "ui/panels/ControlPanel.h"

class wxRadioButton;
class wxStaticText;

// A Note On button's note, velocity and action (no Step for notes).
class CNoteOnDialog : public CControlPanel
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;

private:
    void BindEntries() override;

    NumberTextCtrl* m_note = nullptr;
    wxStaticText* m_noteName = nullptr;
    NumberTextCtrl* m_velocity = nullptr;
    wxRadioButton* m_actions[3] = {};

    wxDECLARE_DYNAMIC_CLASS(CNoteOnDialog);
};
