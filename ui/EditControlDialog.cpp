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
#include "ui/WindowFocusGtk.h"

namespace
{
const int kSettingsWindowId = 10007;
const long kSettingsWindowStyle = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW |
                                  wxFRAME_FLOAT_ON_PARENT | wxTAB_TRAVERSAL | wxWANTS_CHARS;

bool CanTakeKeys(const wxWindow* window)
{
    return window && window->IsShown() && window->IsEnabled() && window->AcceptsFocusFromKeyboard();
}

// The first field, in the order Tab goes, that can take the keys.
wxWindow* FirstField(wxWindow* window)
{
    for (wxWindow* child : window->GetChildren())
    {
        if (!child->IsShown() || !child->IsEnabled() || child->IsTopLevel())
            continue;
        if (!child->GetChildren().empty())
        {
            if (wxWindow* field = FirstField(child))
                return field;
        }
        else if (CanTakeKeys(child))
            return child;
    }
    return nullptr;
}
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CEditControlDialog, wxFrame);

wxBEGIN_EVENT_TABLE(CEditControlDialog, wxFrame)
    EVT_CLOSE(CEditControlDialog::OnCloseWindow)
    EVT_SHOW(CEditControlDialog::OnShow)
    EVT_CONTEXT_MENU(CEditControlDialog::OnContextMenu)
    EVT_CHAR(CEditControlDialog::OnChar)
    EVT_CHAR_HOOK(CEditControlDialog::OnCharHook)
wxEND_EVENT_TABLE()

CEditControlDialog::CEditControlDialog() = default;

CEditControlDialog::CEditControlDialog(wxWindow* parent)
{
    Create(parent, kSettingsWindowId, wxGetTranslation(" Control settings"), wxDefaultPosition, wxDefaultSize,
           kSettingsWindowStyle, "frame");
    SetSizer(new wxBoxSizer(wxVERTICAL));
    GetSizer()->Fit(this);
    Centre(wxBOTH | wxCENTRE_ON_SCREEN);
}

bool CEditControlDialog::Show(bool show)
{
    // Empty, the window had no size to centre by: it is centred again once,
    // at its first showing, with the size of its first panels.
    if (show && !m_placed)
    {
        m_placed = true;
        Centre(wxBOTH | wxCENTRE_ON_SCREEN);
    }
    return wxNavigationEnabled<wxFrame>::Show(show);
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

wxString CEditControlDialog::FocusedFieldName() const
{
    const wxWindow* field = FocusedDescendant(*this);
    return field ? field->GetName() : wxString();
}

void CEditControlDialog::TakeKeys(const wxString& fieldName)
{
    wxWindow* field = fieldName.empty() ? nullptr : FindWindow(fieldName);
    if (!CanTakeKeys(field))
        field = FirstField(this);
    Raise();
    if (field)
        field->SetFocus();
}

void CEditControlDialog::OnCloseWindow(wxCloseEvent&)
{
    Show(false);
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParent()))
    {
        frame->UpdateEditMenuFromHistory();
        // The keys go back to the front panel, as they came.
        frame->SetFocusToMainWindow();
    }
}

void CEditControlDialog::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers())
        Close();
    else
        event.Skip();
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
