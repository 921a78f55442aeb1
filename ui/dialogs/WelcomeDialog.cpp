#include "ui/dialogs/WelcomeDialog.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/DialogResource.h"
#include "ui/dialogs/SelectMIDIDevices.h"

wxIMPLEMENT_DYNAMIC_CLASS(CWelcomeDialog, wxDialog);

CWelcomeDialog::CWelcomeDialog() = default;

CWelcomeDialog::CWelcomeDialog(wxWindow* parent, const wxString& title)
{
    m_loaded = LoadDialogResource(this, parent, "ID_WELCOMEDIALOG");
    if (!m_loaded)
        return;
    SetTitle(title);
    m_text = FindControl<wxStaticText>(this, "wxID_STATIC");
    m_new = FindControl<wxRadioButton>(this, "Create_A_New_Template");
    m_listen = FindControl<wxRadioButton>(this, "Listen_For_A_Template");
    m_update = FindControl<wxRadioButton>(this, "Update_The_OS");
    m_bulk = FindControl<wxRadioButton>(this, "Send_Bulk_Dumps");
    m_help = FindControl<wxRadioButton>(this, "Read_The_Help_File");
    m_nothing = FindControl<wxRadioButton>(this, "Nothing");
    m_doNotShow = FindControl<wxCheckBox>(this, "Dont_Show_Again");

    const IDeviceAnswers& device = wxGetApp().Device();
    const wxString product = ToWx(device.GetProductName());
    for (wxWindow* window : {static_cast<wxWindow*>(m_text), static_cast<wxWindow*>(m_new), static_cast<wxWindow*>(m_listen),
                             static_cast<wxWindow*>(m_update), static_cast<wxWindow*>(m_bulk), static_cast<wxWindow*>(m_help),
                             static_cast<wxWindow*>(m_nothing), static_cast<wxWindow*>(m_doNotShow)})
        CEditorApp::ReplaceInWindowLabel(window, "$PRODUCT$", product);

    const bool noDevices = MIDIIO::GetDeviceCount() == 0;
    RemoveWindowIf(noDevices, m_listen);
    RemoveWindowIf(!device.HasOSUpdate() || noDevices, m_update);
    RemoveWindowIf(!device.HasBulkDumps() || device.ReceivesBulkDumpAsOneBuffer() || noDevices, m_bulk);
    // A removed choice must not stay the selected one.
    for (wxRadioButton* removed : {m_listen, m_update, m_bulk})
        if (removed && !removed->IsShown() && removed->GetValue() && m_new)
            m_new->SetValue(true);

    Bind(wxEVT_BUTTON, &CWelcomeDialog::OnOK, this, wxID_OK);
    // With no Cancel button the toolkit would make Escape and the close box
    // press OK, running the selected step: both only leave.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE)
            Close();
        else
            event.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (IsModal())
            EndModal(wxID_CANCEL);
        else
            event.Skip();
    });
    FitAndCentre(this);
}

void CWelcomeDialog::OnOK(wxCommandEvent&)
{
    auto selected = [](const wxRadioButton* button) { return button && button->IsShown() && button->GetValue(); };
    const bool doNotShow = m_doNotShow && m_doNotShow->GetValue();
    int& startupAction = wxGetApp().Prefs().startupAction;

    if (selected(m_nothing))
        m_choice = kNothing;
    else if (selected(m_new))
        m_choice = kNewTemplate;
    else if (selected(m_listen))
        m_choice = kListen;
    else if (selected(m_update))
        m_choice = kUpdateOS;
    else if (selected(m_bulk))
        m_choice = kBulkDump;
    else if (selected(m_help))
        m_choice = kHelp;
    else
        m_choice = kNothing;

    if (doNotShow)
        startupAction = m_choice == kNewTemplate ? 2 : 1;
    EndModal(0);
}

void CWelcomeDialog::RequireMidiDevice(bool input, const WelcomeActions& actions)
{
    wxGetApp().ShowMessage(wxString("You will need to select a MIDI ") + (input ? "input " : "output ") +
                               "device - please do so now before continuing.",
                           wxOK);
    if (actions.selectMidiDevices)
    {
        actions.selectMidiDevices();
        return;
    }
    CSelectMIDIDevices dialog(wxGetApp().GetMainWindow());
    if (dialog.IsLoaded())
        dialog.ShowModal();
    MIDIIO::ApplyRequestsNow();
}

void CWelcomeDialog::RunChoice(const WelcomeActions& actions) const
{
    auto run = [](const std::function<void()>& action) {
        if (action)
            action();
    };
    switch (m_choice)
    {
    case kNewTemplate:
        run(actions.newTemplate);
        break;
    case kListen:
        RequireMidiDevice(true, actions);
        run(actions.listen);
        break;
    case kUpdateOS:
        RequireMidiDevice(false, actions);
        run(actions.updateOS);
        break;
    case kBulkDump:
        RequireMidiDevice(false, actions);
        run(actions.bulkDump);
        break;
    case kHelp:
        run(actions.help);
        break;
    case kNone:
    case kNothing:
        break;
    }
}

void ShowWelcomeDialog(wxWindow* parent, const WelcomeActions& actions)
{
    CWelcomeDialog dialog(parent);
    if (!dialog.IsLoaded())
        return;
    dialog.ShowModal();
    dialog.RunChoice(actions);
}
