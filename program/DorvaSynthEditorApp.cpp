#include "program/DorvaSynthEditorApp.h"

#include <wx/log.h>

#include "app/LogWatch.h"
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
    m_terminalLog = new wxLogChain(new TerminalLog); // the active log from now on
    if (CEditorApp::OnInit())
        return true;
    // The toolkit runs no OnExit after a failed start.
    LogWatch::Uninstall();
    RemoveTerminalLog();
    return false;
}

int CDorvaSynthEditorApp::OnExit()
{
    const int result = CEditorApp::OnExit();
    RemoveTerminalLog();
    return result;
}

void CDorvaSynthEditorApp::RemoveTerminalLog()
{
    // Deleting the chain puts the message boxes' log back as the active one,
    // for the toolkit to delete; with another target in front it stays.
    if (m_terminalLog && wxLog::GetActiveTarget() == m_terminalLog)
        delete m_terminalLog;
    m_terminalLog = nullptr;
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
