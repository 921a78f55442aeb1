#include "app/EditorApp.h"

#include <exception>

#include <wx/button.h>
#include <wx/control.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/snglinst.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include "app/DialogHooks.h"
#include "app/MainWindow.h"
#include "app/WxText.h"

CEditorApp& wxGetApp()
{
    return *static_cast<CEditorApp*>(wxApp::GetInstance());
}

namespace
{
// The window a message belongs to: the innermost modal dialog that is running
// (the last one made), else the active window, else none.
wxWindow* MessageParent()
{
    wxWindow* modal = nullptr;
    for (wxWindow* window : wxTopLevelWindows)
    {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog && dialog->IsModal() && dialog->IsShown() && !dialog->IsBeingDeleted())
            modal = dialog;
    }
    if (modal)
        return modal;
    wxWindow* active = wxGetActiveWindow();
    return active ? wxGetTopLevelParent(active) : nullptr;
}

// A Return or Space meant for a notice, or typed once it has gone, must not
// press a button that starts something again (a send that the notice has
// just said failed): keys on such a button of the dialog go to its OK.
void KeysOffActionButton(wxWindow* parent)
{
    auto* dialog = dynamic_cast<wxDialog*>(parent);
    auto* button = dynamic_cast<wxButton*>(wxWindow::FindFocus());
    if (!dialog || !button || wxGetTopLevelParent(button) != dialog)
        return;
    const int id = button->GetId();
    if (id == dialog->GetAffirmativeId() || id == wxID_CANCEL || id == dialog->GetEscapeId())
        return;
    wxWindow* ok = dialog->FindWindow(dialog->GetAffirmativeId());
    if (ok && ok->IsShownOnScreen() && ok->IsEnabled())
        ok->SetFocus();
}
} // namespace

CEditorApp::CEditorApp(std::unique_ptr<IDeviceAnswers> device)
    : m_device(std::move(device)), m_host(*this)
{
    InstallHost(&m_host);
}

CEditorApp::~CEditorApp()
{
    if (&Host() == &m_host)
        InstallHost(nullptr);
}

int CEditorApp::GetViewType() const
{
    return Device().HasViewMenu() ? m_preferences.viewType : 3;
}

void CEditorApp::ApplyDefaultViewType()
{
    Device().ApplyDefaultViewType(m_preferences.viewType);
}

void CEditorApp::SetMainWindow(wxWindow* window, IEditorWindow* editorWindow)
{
    m_mainWindow = window;
    m_editorWindow = editorWindow;
    // The window's going (null) ends the idle pass's calls into it as well,
    // and the notices that wait for it.
    if (!window)
    {
        m_mainWindowObject = nullptr;
        m_notices.clear();
    }
}

int CEditorApp::ShowMessage(const wxString& text, long style)
{
    const wxString caption = ToWx(Device().GetAppTitle());
    if (style & (wxYES | wxNO | wxCANCEL))
        return ShowMessageBox(text, caption, style | wxCENTRE, MessageParent());
    ShowNotice([text, caption, style] { ShowMessageBox(text, caption, style | wxCENTRE, MessageParent()); });
    return wxOK;
}

void CEditorApp::ShowErrorReport(const wxString& message, const wxString& reportFile,
                                 const wxString& reportType)
{
    ShowNotice([this, message, reportFile, reportType] {
        ShowErrorReportDialog(m_mainWindow, message, reportFile, reportType);
    });
}

void CEditorApp::ShowNotice(std::function<void()> show)
{
    m_notices.push_back(std::move(show));
    ShowWaitingNotices();
}

bool CEditorApp::UserIsHere() const
{
    // The toolkit tells the program's activation in its idle rounds only,
    // a window's at once.
    if (IsActive())
        return true;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* top = dynamic_cast<wxTopLevelWindow*>(window); top && top->IsActive())
            return true;
    return false;
}

void CEditorApp::ShowWaitingNotices()
{
    // One at a time: a notice that comes while one is up follows it.
    if (m_showingNotice)
        return;
    m_showingNotice = true;
    while (!m_notices.empty() && UserIsHere())
    {
        const std::function<void()> show = std::move(m_notices.front());
        m_notices.pop_front();
        KeysOffActionButton(MessageParent());
        show();
    }
    m_showingNotice = false;
}

void CEditorApp::ReportInputDeviceLost(bool userStarted)
{
    ReportDeviceLost(wxString("The input MIDI device is no longer accessible!\n\n"
                              "Please ensure the device is turned on and plugged in correctly, "
                              "then restart the editor"),
                     userStarted);
}

void CEditorApp::ReportOutputDeviceLost(bool userStarted)
{
    ReportDeviceLost(wxString("The output MIDI device is no longer accessible!\n\n"
                              "Please ensure the device is turned on and plugged in correctly, "
                              "then restart the editor"),
                     userStarted);
}

void CEditorApp::ReportDeviceLost(const wxString& text, bool userStarted)
{
    // The flag goes up before the box: the toolkit runs idle passes inside
    // it, and the idle pass's liveness check would otherwise raise the same
    // notice again and again on top of this one.
    if (m_inputLostShown && !userStarted)
        return;
    m_inputLostShown = true;
    ++m_deviceLostNotices;
    ShowMessage(text, wxOK);
}

bool CEditorApp::ChooseOpenFile(wxString& path, const wxString& wildcard)
{
    return ChooseFile(path, wildcard, false);
}

bool CEditorApp::ChooseSaveFile(wxString& path, const wxString& wildcard)
{
    return ChooseFile(path, wildcard, true);
}

bool CEditorApp::ChooseFile(wxString& path, const wxString& wildcard, bool save)
{
    const wxFileName start(path);
    FileDialogRequest request;
    request.parent = m_mainWindow;
    request.folder = start.GetPath();
    request.file = start.GetFullName();
    request.wildcard = wildcard;
    request.save = save;

    // The chooser must not open over the control settings window.
    if (m_mainWindowObject)
        m_mainWindowObject->HideControlSettings();
    wxString chosen;
    if (!RunFileDialog(request, chosen))
        return false;
    path = chosen;
    if (save && m_editorWindow && m_editorWindow->IsTemplateFileOpen(FromWx(path)))
    {
        ShowMessage("A template with the same filename is already loaded.\n"
                    "Please choose a different filename.",
                    wxOK);
        return false;
    }
    return true;
}

void CEditorApp::ReplaceInWindowLabel(wxWindow* window, const wxString& placeholder,
                                      const wxString& value)
{
    if (!window || placeholder.empty())
        return;
    // A control's label keeps its mnemonics; the value is plain text, so an
    // "&" in it must not become one.
    const bool hasMnemonics = dynamic_cast<wxControl*>(window) != nullptr;
    wxString label = window->GetLabel();
    label.Replace(placeholder, hasMnemonics ? wxControl::EscapeMnemonics(value) : value);
    window->SetLabel(label);
}

void CEditorApp::OnUnhandledException()
{
    // Called inside the toolkit's catch-all: the exception is still current.
    std::terminate();
}

void CEditorApp::OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                                 const wxChar* msg)
{
    wxLogDebug("The toolkit's check \"%s\" failed in %s (%s:%d)%s%s", cond, func, file, line,
               msg && *msg ? ": " : "", msg ? msg : wxS(""));
}
