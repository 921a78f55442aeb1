#include "ui/dialogs/SelectMIDIDevices.h"

#include <cstdint>

#include <wx/choice.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "ui/dialogs/DialogResource.h"

namespace
{
int EntryOf(const wxChoice* list)
{
    const int selection = list->GetSelection();
    if (selection == wxNOT_FOUND)
        return -1;
    return static_cast<int>(reinterpret_cast<intptr_t>(list->GetClientData(selection)));
}
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CSelectMIDIDevices, wxDialog);

CSelectMIDIDevices::CSelectMIDIDevices() = default;

CSelectMIDIDevices::CSelectMIDIDevices(wxWindow* parent)
{
    m_loaded = LoadDialogResource(this, parent, "ID_SELECTMIDIDEVICESDIALOG");
    if (!m_loaded)
        return;
    m_input = FindControl<wxChoice>(this, "Input_Midi_Device");
    m_output = FindControl<wxChoice>(this, "Output_Midi_Device");
    FillLists();
    Bind(wxEVT_BUTTON, &CSelectMIDIDevices::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CSelectMIDIDevices::OnCancel, this, wxID_CANCEL);
    FitAndCentre(this);
}

void CSelectMIDIDevices::FillLists()
{
    for (wxChoice* list : {m_input, m_output})
        if (list)
            list->Clear();
    const int selectedInput = MIDIIO::GetSelectedInputDevice();
    const int selectedOutput = MIDIIO::GetSelectedOutputDevice();
    // The count and the kinds come from the one list the manager made at
    // start-up, so both lists stay filled when devices come later.
    const int count = MIDIIO::GetDeviceCount();
    for (int i = 0; i < count; ++i)
    {
        const bool input = MIDIIO::IsInputDevice(i);
        wxChoice* list = input ? m_input : m_output;
        if (!list)
            continue;
        const int item = list->Append(ToWx(MIDIIO::GetDeviceName(i)), reinterpret_cast<void*>(static_cast<intptr_t>(i)));
        if (i == (input ? selectedInput : selectedOutput))
            list->SetSelection(item);
    }
    for (wxChoice* list : {m_input, m_output})
        if (list && list->IsEmpty())
            list->Disable();
}

bool CSelectMIDIDevices::ApplyChoice(wxChoice* list, bool input)
{
    // A list without a choice leaves that side as it is.
    if (!list || !list->IsEnabled() || list->GetSelection() == wxNOT_FOUND)
        return true;
    const int entry = EntryOf(list);
    const bool opened = input ? MIDIIO::SelectInputDevice(entry) : MIDIIO::SelectOutputDevice(entry);
    if (!opened)
    {
        wxGetApp().ShowMessage(input ? "Unable to set the input device.\n\n"
                                       "Perhaps it has been removed since the program was launched,\n"
                                       "or is already in use by another program."
                                     : "Unable to set the output device.\n\n"
                                       "Perhaps it has been removed since the program was launched,\n"
                                       "or is already in use by another program.",
                               wxOK);
        return false;
    }
    Preferences& prefs = wxGetApp().Prefs();
    (input ? prefs.inputDevice : prefs.outputDevice) = MIDIIO::GetDeviceName(entry);
    return true;
}

void CSelectMIDIDevices::OnOK(wxCommandEvent&)
{
    // The output is applied even when the input failed; the user sees both
    // outcomes before choosing again.
    const bool inputSet = ApplyChoice(m_input, true);
    const bool outputSet = ApplyChoice(m_output, false);
    MIDIIO::RequestClose();
    MIDIIO::RequestOpen();
    if (inputSet && outputSet)
        EndModal(0);
}

void CSelectMIDIDevices::OnCancel(wxCommandEvent&)
{
    EndModal(-1);
}
