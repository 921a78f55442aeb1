// The main window's calls into the front-panel view. Until the view is built
// the window has none: it paints its plain background, its panel has a
// fixed size and the view's answers are "nothing changed".

#include "ui/MainFrame.h"

namespace
{
const wxSize kPanelSize(800, 400);
} // namespace

Selection& CMainFrame::GetSelection()
{
    return m_noSelection;
}

void CMainFrame::ViewCreateControls() {}

void CMainFrame::ViewDraw(wxDC& dc)
{
    dc.Clear();
}

bool CMainFrame::ViewAnimate(int)
{
    return false;
}

bool CMainFrame::ViewOnMidiMessage(int, int, int)
{
    return false;
}

bool CMainFrame::ViewMouseMove(const wxPoint&)
{
    return false;
}

bool CMainFrame::ViewMouseButton(const wxPoint&, bool, bool, bool, bool, bool)
{
    return false;
}

void CMainFrame::ViewSetListening() {}
void CMainFrame::ViewSetIdle() {}
void CMainFrame::ViewSetSending() {}
void CMainFrame::ViewResetSendButton() {}

wxSize CMainFrame::ViewPanelSize() const
{
    return kPanelSize;
}

void CMainFrame::HideControlSettings() {}

bool CMainFrame::IsControlSettingsShown() const
{
    return false;
}

void CMainFrame::SelectControl(int, bool) {}
