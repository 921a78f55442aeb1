#include "ui/EditControlDialog.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/PlacedControl.h"
#include "model/Selection.h"
#include "model/WordList.h"
#include "ui/MainFrame.h"
#include "ui/TemplateUI.h"

namespace
{
const int kSettingsWindowId = 10007;
const long kSettingsWindowStyle = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW |
                                  wxFRAME_FLOAT_ON_PARENT | wxTAB_TRAVERSAL | wxWANTS_CHARS;
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CEditControlDialog, wxFrame);

wxBEGIN_EVENT_TABLE(CEditControlDialog, wxFrame)
    EVT_CLOSE(CEditControlDialog::OnCloseWindow)
    EVT_SHOW(CEditControlDialog::OnShow)
    EVT_CONTEXT_MENU(CEditControlDialog::OnContextMenu)
    EVT_CHAR(CEditControlDialog::OnChar)
wxEND_EVENT_TABLE()

CEditControlDialog::CEditControlDialog() = default;

CEditControlDialog::CEditControlDialog(wxWindow* parent)
{
    Create(parent, kSettingsWindowId, wxGetTranslation(" Control settings"), wxDefaultPosition, wxDefaultSize,
           kSettingsWindowStyle, "frame");
    SetSizer(new wxBoxSizer(wxVERTICAL));
    GetSizer()->Fit(this);
    Centre(wxBOTH);
}

void CEditControlDialog::SetControl(const CPlacedControl* control)
{
    if (control)
    {
        m_control = control->Clone();
        m_controlIndex = control->GetIndex();
        return;
    }
    m_control.reset();
    if (IEditorWindow* window = Host().Window())
    {
        window->SetValueObserver(nullptr);
        window->ClearObservers();
    }
    m_controlIndex = -1;
}

void CEditControlDialog::OnCloseWindow(wxCloseEvent&)
{
    Show(false);
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParent()))
        frame->UpdateEditMenuFromHistory();
}

void CEditControlDialog::OnShow(wxShowEvent& event)
{
    event.Skip();
    if (event.IsShown())
    {
        // Hidden before the X server had mapped it, the toolkit takes the late
        // map for a new show: a window with no control stays hidden.
        if (!m_control)
            CallAfter([this] {
                if (!m_control)
                    Show(false);
            });
        return;
    }
    // The edited control's name is offered for completion only while the
    // user still has that control selected.
    auto* frame = dynamic_cast<CMainFrame*>(GetParent());
    CTemplateUI* view = frame ? frame->GetView() : nullptr;
    if (view && m_control && !view->GetSelection().Empty())
    {
        const CPlacedControl& first = view->GetSelection().Front();
        if (first.GetIndex() == m_controlIndex && first.GetControl() == m_control->GetControl() &&
            first.GetControl())
            Host().Words().AddName(first.GetControl()->GetName());
    }
    SetControl(nullptr);
}
