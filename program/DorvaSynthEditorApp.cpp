#include "program/DorvaSynthEditorApp.h"

#include <wx/log.h>

#include "app/WxText.h"
#include "crashreport/dialog/CrashReporter.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "ui/DorvaSynthTemplateUI.h"
#include "ui/LCDFont.h"
#include "ui/MainFrame.h"
#include "ui/ResourceFiles.h"

CDorvaSynthEditorApp::CDorvaSynthEditorApp() : CEditorApp(std::make_unique<CDorvaSynthAnswers>()) {}

namespace
{
// The terminal's copy of what the message boxes say; the toolkit's debug
// messages already reach stderr by themselves.
class TerminalLog : public wxLogStderr
{
protected:
    void DoLogTextAtLevel(wxLogLevel level, const wxString& text) override
    {
        if (level <= wxLOG_Warning)
            wxLogStderr::DoLogTextAtLevel(level, text);
    }
};
} // namespace

bool CDorvaSynthEditorApp::OnInit()
{
    wxLog::GetActiveTarget(); // the message boxes' log, made before it is chained
    wxLog::DisableTimestamp();
    new wxLogChain(new TerminalLog); // the active log from now on, deleted by the toolkit
    return CEditorApp::OnInit();
}

bool CDorvaSynthEditorApp::InstallCrashReporter()
{
    return InstallCrashHandler(*this);
}

void CDorvaSynthEditorApp::LoadResources()
{
    // A missing file only leaves its dialogs unavailable.
    LoadResourceFiles(ToWx(Device().GetAppKey()));
}

bool CDorvaSynthEditorApp::LoadDisplayFont(const wxString& path, wxString& problem)
{
    return LCDFont::Load(path, &problem);
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
