#include "plugins/dialogs/ExaminingPlugins.h"

#include <chrono>

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "app/ProgramFiles.h"
#include "app/WxText.h"

namespace
{
// A frame per file would cost more than most files take to examine: the name
// on screen is brought up to date this often instead.
constexpr std::chrono::milliseconds kRepaintInterval{80};
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CExaminingPlugins, wxDialog);

bool CExaminingPlugins::Create(wxWindow* parent)
{
    if (!LoadDialogLayout(this, parent, "ID_EXAMINEPROGRESS", kCommonResourceName))
        return false;
    m_pluginName = XRCCTRL(*this, "ID_PLUGNAME", wxStaticText);
    if (!m_pluginName)
    {
        wxLogError("The resource \"ID_EXAMINEPROGRESS\" has no label \"ID_PLUGNAME\".");
        return false;
    }
    m_pluginName->SetLabel(wxString());
    Fit();
    Centre(wxBOTH);
    Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
        m_painted = true;
        event.Skip();
    });
    // It goes when the scan is over, not before.
    Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& event) {
        if (event.CanVeto())
            event.Veto();
        else
            event.Skip();
    });
    return true;
}

bool CExaminingPlugins::Show(bool show)
{
    if (show && !m_othersDisabled)
        m_othersDisabled = std::make_unique<wxWindowDisabler>(this);
    else if (!show)
        m_othersDisabled.reset();
    return wxDialog::Show(show);
}

void CExaminingPlugins::PaintNow()
{
    m_painted = false;
    Refresh();
    std::unique_ptr<wxEventLoopBase> ownLoop;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (!loop)
    {
        ownLoop.reset(wxTheApp->GetTraits()->CreateEventLoop());
        loop = ownLoop.get();
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(250);
    while (!m_painted && std::chrono::steady_clock::now() < end)
    {
        if (!loop->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT))
            break; // already inside a yield: nothing more can be done here
        if (!m_painted)
            wxMilliSleep(1);
    }
}

std::string CExaminingPlugins::FileNameOf(const std::string& path)
{
    std::string::size_type separator = path.rfind('/');
    if (separator == std::string::npos)
        separator = path.rfind('\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

void CExaminingPlugins::ShowName(const std::string& path, bool force)
{
    if (!m_pluginName)
        return;
    // A file name is shown as it is: "&" is no mnemonic here. Its bytes
    // that are no text show as the replacement character.
    m_pluginName->SetLabelText(Readable(ToWx(FileNameOf(path))));
    Layout();
    if (IsShown() &&
        (force || !m_lastPaint || std::chrono::steady_clock::now() - *m_lastPaint >= kRepaintInterval))
    {
        PaintNow();
        m_lastPaint = std::chrono::steady_clock::now();
    }
}

void CExaminingPlugins::OnExamining(const std::string& path)
{
    ShowName(path, false);
}

void CExaminingPlugins::OnPluginExamined(const VSTPluginInfo&)
{
}

void CExaminingPlugins::OnWaiting(const std::string& path)
{
    ShowName(path, true);
}
