#pragma once

#include "ui/panels/ControlPanel.h"

class wxChoice;
class wxStaticText;

// A drum pad's note, velocity curve, auto-off time and off sync.
class CDrumnoteDialog : public CControlPanel
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;

private:
    void BindEntries() override;

    NumberTextCtrl* m_note = nullptr;
    wxStaticText* m_noteName = nullptr;
    NumberTextCtrl* m_curve = nullptr;
    NumberTextCtrl* m_autoOff = nullptr;
    wxChoice* m_offSync = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CDrumnoteDialog);
};
