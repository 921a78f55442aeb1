#include "ui/FrontPanelWindow.h"

#include "app/EditorApp.h"
#include "ui/PanelTipWindow.h"

CFrontPanelWindow::CFrontPanelWindow(wxWindow* parent, std::function<bool()> mayTakeFocus)
    // The whole picture is drawn from a back buffer: no background erase.
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE, "FrontPanel"),
      m_mayTakeFocus(std::move(mayTakeFocus))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Register();
    m_tipTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &CFrontPanelWindow::OnTipTimer, this, m_tipTimer.GetId());
}

CFrontPanelWindow::~CFrontPanelWindow()
{
    Unregister();
    m_tipTimer.Stop();
    if (m_tip)
        m_tip->Destroy();
}

const CPanelTipWindow* CFrontPanelWindow::GetShownTip() const
{
    return m_tip && m_tip->IsShown() ? m_tip : nullptr;
}

void CFrontPanelWindow::DoSetToolTipText(const wxString& tip)
{
    // The base keeps the text in the tooltip object; GTK never sees it.
    wxWindowBase::DoSetToolTipText(tip);
    RestartTip();
}

void CFrontPanelWindow::DoSetToolTip(wxToolTip* tip)
{
    wxWindowBase::DoSetToolTip(tip);
    RestartTip();
}

bool CFrontPanelWindow::TryBefore(wxEvent& event)
{
    // Before the main window's handlers, which need not pass these on.
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEAVE_WINDOW || type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN ||
        type == wxEVT_MIDDLE_DOWN || type == wxEVT_MOUSEWHEEL || type == wxEVT_KEY_DOWN)
    {
        HideTip();
        m_tipTimer.Stop();
    }
    return wxWindow::TryBefore(event);
}

void CFrontPanelWindow::RestartTip()
{
    HideTip();
    if (GetToolTipText().empty())
        m_tipTimer.Stop();
    else
        m_tipTimer.StartOnce(kTipDelayMs);
}

void CFrontPanelWindow::HideTip()
{
    if (m_tip && m_tip->IsShown())
        m_tip->Hide();
}

void CFrontPanelWindow::OnTipTimer(wxTimerEvent&)
{
    const wxString text = GetToolTipText();
    const wxPoint pointer = wxGetMousePosition();
    if (text.empty() || !IsShownOnScreen() || !GetScreenRect().Contains(pointer))
        return;
    if (!m_tip)
        m_tip = new CPanelTipWindow(this);
    m_tip->ShowAt(text, pointer);
}

void CFrontPanelWindow::TakeFocus()
{
    if (m_openDialogs == 0 && (!m_mayTakeFocus || m_mayTakeFocus()))
        SetFocus();
}

int CFrontPanelWindow::Enter(wxDialog*)
{
    ++m_openDialogs;
    return wxID_NONE;
}

void CFrontPanelWindow::Exit(wxDialog*)
{
    // A hook registered while a dialog was open sees its end only.
    if (m_openDialogs > 0)
        --m_openDialogs;
    // After the dialog has gone: GTK would otherwise leave no window focused.
    if (m_openDialogs == 0)
        CallAfter(&CFrontPanelWindow::TakeFocus);
}

wxWindow* GetFrontPanelWindow()
{
    wxWindow* main = wxGetApp().GetMainWindow();
    if (!main)
        return nullptr;
    for (wxWindow* child : main->GetChildren())
        if (auto* panel = dynamic_cast<CFrontPanelWindow*>(child))
            return panel;
    return main;
}
