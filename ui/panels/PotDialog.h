#pragma once

#include "ui/panels/ControlPanel.h"

class NumberTextCtrl;
class wxCheckBox;
class wxChoice;
class wxRadioButton;

// Pot settings: low and high values, pick-up strategy, display format and
// 14-bit mode. The rows a device or a place lacks are taken out.
class CPotDialog : public CControlPanel
{
public:
    bool Create(wxWindow* parent) override;
    bool SetControl(const CPlacedControl& control) override { return UpdateFromControl(control); }
    bool UpdateFromControl(const CPlacedControl& control);
    void RefreshFromControl() override;

private:
    void OnDisplayFormatRadio(int format);

    NumberTextCtrl* m_high = nullptr;
    NumberTextCtrl* m_low = nullptr;
    wxWindow* m_strategyLabel = nullptr;
    wxChoice* m_strategy = nullptr;
    wxCheckBox* m_pickup = nullptr;
    wxCheckBox* m_send14Bit = nullptr;
    wxWindow* m_formatLabel = nullptr;
    wxRadioButton* m_format0To127 = nullptr;
    wxRadioButton* m_formatMinus64 = nullptr;
    wxRadioButton* m_rel1 = nullptr;
    wxRadioButton* m_rel2 = nullptr;
    wxRadioButton* m_aPot = nullptr;
    wxRadioButton* m_noFormat = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CPotDialog);
};
