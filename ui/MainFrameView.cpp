// The main window's calls into the front-panel view. Without a view (an
// application that makes none) the window paints its plain background at a
// fixed size and the answers are "nothing changed".

#include "ui/MainFrame.h"
#include "ui/EditControlDialog.h"
#include "ui/TemplateUI.h"

namespace
{
const wxSize kNoPanelSize(800, 400);
} // namespace

Selection& CMainFrame::GetSelection()
{
    return m_view ? m_view->GetSelection() : m_noSelection;
}

void CMainFrame::ViewCreateControls()
{
    if (m_view)
        m_view->CreateControls(m_currentTemplate);
}

void CMainFrame::ViewDraw(wxDC& dc)
{
    if (m_view)
        m_view->Draw(dc);
    else
        dc.Clear();
}

bool CMainFrame::ViewAnimate(int elapsedMs)
{
    return m_view && m_view->Animate(elapsedMs);
}

bool CMainFrame::ViewOnMidiMessage(int status, int data1, int data2)
{
    return m_view && m_view->OnMidiMessage(status, data1, data2);
}

bool CMainFrame::ViewMouseMove(const wxPoint& point)
{
    return m_view && m_view->OnMouseMove(point);
}

bool CMainFrame::ViewMouseButton(const wxPoint& point, bool ctrl, bool doubleClick, bool button, bool up,
                                 bool right)
{
    return m_view && m_view->OnMouseButton(point, ctrl, doubleClick, button, up, right);
}

void CMainFrame::ViewSetListening()
{
    if (m_view)
        m_view->SetListening();
}

void CMainFrame::ViewSetIdle()
{
    if (m_view)
        m_view->SetIdle();
}

void CMainFrame::ViewSetSending()
{
    if (m_view)
        m_view->SetSending();
}

void CMainFrame::ViewResetSendButton()
{
    if (m_view)
        m_view->ResetSendButton();
}

wxSize CMainFrame::ViewPanelSize() const
{
    if (!m_view || m_view->GetPanelWidth() <= 0)
        return kNoPanelSize;
    return wxSize(m_view->GetPanelWidth(), m_view->GetPanelHeight());
}

void CMainFrame::HideControlSettings()
{
    if (m_settings)
        m_settings->Show(false);
}

bool CMainFrame::IsControlSettingsShown()
{
    return m_settings && m_settings->IsShown();
}

bool CMainFrame::ControlSettingsContains(int x, int y)
{
    return m_settings && m_settings->GetScreenRect().Contains(ClientToScreen(wxPoint(x, y)));
}

void CMainFrame::SetNeedsRefresh()
{
    MarkNeedsRefresh();
    if (m_view)
        m_view->RefreshHoverTip();
}

void CMainFrame::SelectControl(int index, bool select)
{
    if (m_view && m_view->SelectControl(index, select))
        MarkNeedsRefresh();
}
