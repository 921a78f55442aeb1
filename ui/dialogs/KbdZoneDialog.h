#pragma once

#include <functional>

#include <wx/dialog.h>

#include "midi/MidiListeners.h"
#include "model/KeyboardZone.h"

class wxCheckBox;
class wxChoice;
class wxCommandEvent;
class wxSpinCtrl;
class wxStaticText;

// The modal dialog of one keyboard zone. While it is open a key played on
// the unit fills the focused note field. OK hands the edited zone to submit
// (the opener wraps it in its undoable zone command) only when something
// changed, and ends with 0; Cancel ends with -1. GUI thread only.
class CKbdZoneDialog : public wxDialog, public IMessageListener
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CKbdZoneDialog();
    using SubmitZone = std::function<void(const CKeyboardZone& edited)>;

    // The zone must outlive the dialog.
    CKbdZoneDialog(wxWindow* parent, const CKeyboardZone& zone, const wxString& title, SubmitZone submit);
    ~CKbdZoneDialog() override;

    bool IsLoaded() const { return m_loaded; }
    // The zone as the controls show it now.
    CKeyboardZone ReadControls() const;

    void OnMidiMessage(uint8_t status, int data1, int data2) override;

private:
    void ShowNoteName(wxSpinCtrl* note, wxStaticText* name);
    // A note field shows a new value: its name and the other note's range follow.
    void OnNoteShown(wxSpinCtrl* note);
    void OnSpinText(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);

    bool m_loaded = false;
    const CKeyboardZone& m_zone;
    SubmitZone m_submit;

    wxSpinCtrl* m_top = nullptr;
    wxStaticText* m_topName = nullptr;
    wxSpinCtrl* m_bottom = nullptr;
    wxStaticText* m_bottomName = nullptr;
    wxSpinCtrl* m_velocity = nullptr;
    wxSpinCtrl* m_transpose = nullptr;
    wxCheckBox* m_aftertouch = nullptr;
    wxCheckBox* m_pitchBend = nullptr;
    wxCheckBox* m_modWheel = nullptr;
    wxChoice* m_channelGroup = nullptr;
    wxSpinCtrl* m_channel = nullptr;
    wxChoice* m_portGroup = nullptr;
    wxCheckBox* m_usb = nullptr;
    wxCheckBox* m_usb2 = nullptr;
    wxCheckBox* m_midi1 = nullptr;
    wxCheckBox* m_midi2 = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CKbdZoneDialog);
};
