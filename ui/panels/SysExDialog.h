#pragma once

#include "model/SysExDef.h"
#include "ui/panels/ControlPanel.h"

class wxButton;
class wxTextCtrl;

// A control's own SysEx message as hexadecimal text. Typing only checks the
// text; "Set" submits it.
class CSysExDialog : public CControlPanel
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;

private:
    // Parses the field into a fresh record and shows the verdict.
    bool CheckText(SysExDef& parsed);

    wxTextCtrl* m_message = nullptr;
    wxTextCtrl* m_status = nullptr;
    wxButton* m_set = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CSysExDialog);
};
