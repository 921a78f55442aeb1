#include "program/DorvaSynthEditorApp.h"

#include "app/WxText.h"
#include "crashreport/dialog/CrashReporter.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "ui/DorvaSynthTemplateUI.h"
#include "ui/LCDFont.h"
#include "ui/MainFrame.h"
#include "ui/ResourceFiles.h"

CDorvaSynthEditorApp::CDorvaSynthEditorApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}

bool CDorvaSynthEditorApp::InstallCrashReporter()
{
    return InstallCrashHandler(*this);
}

void CDorvaSynthEditorApp::LoadResources()
{
    // A missing file only leaves its dialogs unavailable.
    LoadResourceFiles(ToWx(Device().GetAppKey()));
}

bool CDorvaSynthEditorApp::LoadDisplayFont(const wxString& path)
{
    return LCDFont::Load(path);
}

void CDorvaSynthEditorApp::FreeDisplayFont()
{
    LCDFont::Free();
}

IMainWindow* CDorvaSynthEditorApp::CreateMainWindow()
{
    return new CMainFrame(wxEmptyString, wxDefaultPosition, wxDefaultSize);
}

CTemplateUI* CDorvaSynthEditorApp::CreateTemplateUI() const
{
    return new CDorvaSynthTemplateUI;
}
