#include "ui/FrontPanelWindow.h"

#include "app/EditorApp.h"

CFrontPanelWindow::CFrontPanelWindow(wxWindow* parent, std::function<bool()> mayTakeFocus)
    // The whole picture is drawn from a back buffer: no background erase.
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE, "FrontPanel"),
      m_mayTakeFocus(std::move(mayTakeFocus))
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Register();
}

CFrontPanelWindow::~CFrontPanelWindow()
{
    Unregister();
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
