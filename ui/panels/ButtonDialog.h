#pragma once

#include "model/EditorHost.h"
#include "ui/panels/ControlPanel.h"

class wxRadioButton;
class wxSpinCtrl;

// A button's press and release values, display format, action and step size.
// Told when the action changes, so the release entry follows it.
class CButtonDialog : public CControlPanel, public IObserver
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override { UpdateUI(); }
    void UpdateUI();
    void Notify() override { UpdateUI(); }

private:
    void BindEntries() override;
    void Register() override { RegisterObserver(this); }
    void OnAction(int action);
    void OnStepSize(wxCommandEvent& event);

    NumberTextCtrl* m_release = nullptr;
    NumberTextCtrl* m_press = nullptr;
    wxRadioButton* m_format0To127 = nullptr;
    wxRadioButton* m_formatMinus64 = nullptr;
    wxRadioButton* m_formatOnOff = nullptr;
    wxRadioButton* m_actions[4] = {};
    wxSpinCtrl* m_stepSize = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CButtonDialog);
};
