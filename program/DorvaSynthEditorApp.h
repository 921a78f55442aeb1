#pragma once

#include "app/EditorApp.h"

// The application for the DorvaSynth: the generic start-up with this
// device's answers, main window, resources, display font and crash reporter.
class CDorvaSynthEditorApp : public CEditorApp
{
public:
    CDorvaSynthEditorApp();

protected:
    bool InstallCrashReporter() override;
    void LoadResources() override;
    bool LoadDisplayFont(const wxString& path) override;
    void FreeDisplayFont() override;
    IMainWindow* CreateMainWindow() override;

public:
    CTemplateUI* CreateTemplateUI() const override;
};
