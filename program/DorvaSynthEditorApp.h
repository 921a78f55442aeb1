#pragma once

#include "app/EditorApp.h"

class wxLog;

// The application for the DorvaSynth: the generic start-up with this
// device's answers, main window, resources, display font and crash reporter.
class CDorvaSynthEditorApp : public CEditorApp
{
public:
    CDorvaSynthEditorApp();

    // Errors and warnings shown in message boxes are also written to stderr,
    // for a user who started the program from a terminal; then the start-up.
    bool OnInit() override;
    // The terminal's log goes before the toolkit deletes the active target,
    // which would otherwise be the only one of the chain it deletes.
    int OnExit() override;

protected:
    bool InstallCrashReporter() override;
    void LoadResources() override;
    bool LoadDisplayFont(const wxString& path, wxString& problem) override;
    void FreeDisplayFont() override;
    IMainWindow* CreateMainWindow() override;

public:
    CTemplateUI* CreateTemplateUI() const override;

private:
    void RemoveTerminalLog();

    wxLog* m_terminalLog = nullptr; // the chain in front of the message boxes' log
};
