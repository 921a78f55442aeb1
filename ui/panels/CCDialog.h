#pragma once

#include "ui/panels/ControlPanel.h"

// The controller number of a CC control.
class CCCDialog : public CControlPanel
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;

private:
    void BindEntries() override;

    NumberTextCtrl* m_number = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CCCDialog);
};
