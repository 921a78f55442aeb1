#pragma once

#include "ui/panels/ControlPanel.h"

// The NRPN or RPN parameter number as its two bytes.
class CNRPNDialog : public CControlPanel
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;

private:
    void BindEntries() override;

    NumberTextCtrl* m_msb = nullptr;
    NumberTextCtrl* m_lsb = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CNRPNDialog);
};
