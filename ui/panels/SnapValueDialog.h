#pragma once

#include "model/EditorHost.h"
#include "ui/panels/ControlPanel.h"

// The value a control sends first (or its default value). Told by the state
// after every re-clamp of the snapshot and every change of a button's action.
class CSnapValueDialog : public CControlPanel, public IObserver
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;
    void Notify() override { RefreshFromControl(); }

private:
    void BindEntries() override;
    void Register() override;

    NumberTextCtrl* m_value = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CSnapValueDialog);
};
