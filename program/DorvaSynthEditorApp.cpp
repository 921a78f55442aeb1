#include "program/DorvaSynthEditorApp.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/xrc/xmlres.h>

#include "app/WxText.h"
#include "crashreport/dialog/CrashReporter.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "ui/MainFrame.h"

CDorvaSynthEditorApp::CDorvaSynthEditorApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}

bool CDorvaSynthEditorApp::InstallCrashReporter()
{
    return InstallCrashHandler(*this);
}

void CDorvaSynthEditorApp::LoadResources()
{
    wxXmlResource& resources = *wxXmlResource::Get();
    resources.InitAllHandlers();
    // A missing file only leaves its dialogs unavailable.
    resources.Load(GetProgramFolder() + "/Common.xrc");
    const wxString deviceFile = GetProgramFolder() + "/" + ToWx(Device().GetAppKey()) + ".xrc";
    if (wxFileName::FileExists(deviceFile))
        resources.Load(deviceFile);
}

bool CDorvaSynthEditorApp::LoadDisplayFont(const wxString& path)
{
    return wxFileName::FileExists(path) && wxImage(path, wxBITMAP_TYPE_PNG).IsOk();
}

void CDorvaSynthEditorApp::FreeDisplayFont() {}

IMainWindow* CDorvaSynthEditorApp::CreateMainWindow()
{
    return new CMainFrame(wxEmptyString, wxDefaultPosition, wxDefaultSize);
}
