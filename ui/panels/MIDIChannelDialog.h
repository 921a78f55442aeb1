#pragma once

#include "ui/panels/ControlPanel.h"

class wxChoice;

// The MIDI channel, and on devices with port groups the channel group.
class CMIDIChannelDialog : public CControlPanel
{
public:
    bool Create(wxWindow* parent) override;
    void RefreshFromControl() override;

private:
    void BindEntries() override;
    void OnGroup(wxCommandEvent& event);

    wxChoice* m_group = nullptr;
    NumberTextCtrl* m_channel = nullptr;

    wxDECLARE_DYNAMIC_CLASS(CMIDIChannelDialog);
};

// Appends "As below:", the common item and the keyboard or program item,
// each with its group code as client data.
void AppendGroupItems(wxChoice* choice, const wxString& common, const wxString& keyboard,
                      const wxString& program);
// The group code kept with the chosen item.
int ChosenGroup(const wxCommandEvent& event);
