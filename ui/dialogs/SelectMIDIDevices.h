#pragma once

#include <wx/dialog.h>

class wxChoice;
class wxCommandEvent;

// The modal choice of the MIDI input and output device from the MIDI
// manager's combined list. OK selects both (a list with no device, or with
// nothing chosen, is left alone), remembers the names of the devices that opened for the
// preferences, and ends with 0 only when both opened; a device that cannot
// be opened is reported and the dialog stays open. Cancel ends with -1.
// GUI thread only.
class CSelectMIDIDevices : public wxDialog
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CSelectMIDIDevices();
    explicit CSelectMIDIDevices(wxWindow* parent);

    bool IsLoaded() const { return m_loaded; }

private:
    void FillLists();
    // Selects the chosen entry of one list; false when it did not open.
    bool ApplyChoice(wxChoice* list, bool input);
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

    bool m_loaded = false;
    wxChoice* m_input = nullptr;
    wxChoice* m_output = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CSelectMIDIDevices);
};
