#include "ui/panels/MMCDialog.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>

#include "model/ControlState.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/commands/ControlEditCommands.h"
#include "ui/validators/NumberTextCtrl.h"

wxIMPLEMENT_DYNAMIC_CLASS(CMMCDialog, wxPanel);

namespace
{
// The radio of each command number of the MIDI Machine Control standard.
const char* const kCommandRadios[] = {"No_MMC_Command", "ID_STOP", "ID_PLAY", "ID_DEFPLAY", "ID_FORWARD",
    "ID_REWIND", "ID_RECORD", "ID_RECEXIT", "ID_RECPAUSE", "ID_PAUSE", "ID_EJECT", "ID_CHASE", "ID_ERRRESET",
    "ID_MMCRESET"};
} // namespace

bool CMMCDialog::Create(wxWindow* parent)
{
    if (!LoadResource(parent, "ID_MMCDIALOG"))
        return false;
    m_device = NumberEntry("MMC_Device_Number");
    if (m_device)
        m_device->SetRange(Device().GetMaxMmcDeviceNumber(), 0);
    for (int command = 0; command < 14; ++command)
    {
        m_commands[command] = Child<wxRadioButton>(kCommandRadios[command]);
        if (command > 0)
            Bind(wxEVT_RADIOBUTTON, [this, command](wxCommandEvent&) {
                if (const CBaseControlState* state = State())
                    SubmitIfChanged<CSetMMCControlTypeCommand>(state->GetMMCControlType(), command);
            }, XRCID(kCommandRadios[command]));
    }
    if (GetSizer())
        GetSizer()->SetSizeHints(this);
    return true;
}

void CMMCDialog::BindEntries()
{
    BindEntry(m_device, CreatorOf<CSetMIDIChannelOrMMCDeviceNumCommand>());
}

void CMMCDialog::RefreshFromControl()
{
    const CBaseControlState* state = State();
    if (!state)
        return;
    const int command = state->GetMMCControlType();
    wxRadioButton* radio = m_commands[command >= 1 && command <= 13 ? command : 0];
    if (radio)
        radio->SetValue(true);
    if (m_device)
        m_device->ShowValue(state->GetMIDIChannelOrMMCDeviceNum());
}
