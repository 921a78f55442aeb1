#pragma once

#include <functional>

#include <wx/dialog.h>

class wxCheckBox;
class wxCommandEvent;
class wxRadioButton;
class wxStaticText;

// What the welcome dialog can start: the main window's commands. An empty
// selectMidiDevices runs the MIDI device dialog itself.
struct WelcomeActions
{
    std::function<void()> newTemplate;
    std::function<void()> listen;
    std::function<void()> updateOS;
    std::function<void()> bulkDump;
    std::function<void()> help;
    std::function<void()> selectMidiDevices;
};

// The first-steps dialog of the start action 0. OK ends it with 0; the chosen
// step then runs through RunChoice, after the dialog has gone, so the
// dialogs it opens stand alone. "Don't show again" changes the in-memory
// "StartupAction" preference (2 after a new template, else 1). Escape and
// the close box end it with wxID_CANCEL: no step runs, nothing is stored.
class CWelcomeDialog : public wxDialog
{
public:
    // Empty, for the toolkit's run-time class table; never shown.
    CWelcomeDialog();
    enum Choice
    {
        kNone, // no choice made (not yet OK)
        kNothing,
        kNewTemplate,
        kListen,
        kUpdateOS,
        kBulkDump,
        kHelp,
    };

    CWelcomeDialog(wxWindow* parent, const wxString& title = "Welcome");

    bool IsLoaded() const { return m_loaded; }
    Choice GetChoice() const { return m_choice; }
    // Runs the step chosen on OK; nothing for kNone and kNothing.
    void RunChoice(const WelcomeActions& actions) const;

private:
    void OnOK(wxCommandEvent& event);
    // Asks for the device kind, then opens the device choice.
    static void RequireMidiDevice(bool input, const WelcomeActions& actions);

    bool m_loaded = false;
    Choice m_choice = kNone;
    wxStaticText* m_text = nullptr;
    wxRadioButton* m_new = nullptr;
    wxRadioButton* m_listen = nullptr;
    wxRadioButton* m_update = nullptr;
    wxRadioButton* m_bulk = nullptr;
    wxRadioButton* m_help = nullptr;
    wxRadioButton* m_nothing = nullptr;
    wxCheckBox* m_doNotShow = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CWelcomeDialog);
};

// Shows the welcome dialog modally and runs the chosen step.
void ShowWelcomeDialog(wxWindow* parent, const WelcomeActions& actions);
