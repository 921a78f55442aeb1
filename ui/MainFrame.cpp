#include "ui/MainFrame.h"

#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "midi/MIDIIO.h"
#include "model/ControlState.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "model/WordList.h"
#include "model/commands/ControlClipboard.h"
#include "ui/Accessibility.h"
#include "ui/EditControlDialog.h"
#include "ui/FrontPanelWindow.h"
#include "ui/PanelAtkBridge.h"
#include "ui/StatusLine.h"
#include "ui/StatusLineWidths.h"
#include "ui/SyxFileDropTarget.h"
#include "ui/TemplateUI.h"
#include "ui/WindowFocusGtk.h"
#include "ui/WindowHelpers.h"
#include "ui/panels/PanelBuilders.h"

namespace
{
const wxColour kBackground(170, 170, 170);
} // namespace

CMainFrame::CMainFrame(const wxString& title, const wxPoint& position, const wxSize& size)
    // Not resizable: the client area is the panel picture's size.
    : wxFrame(nullptr, wxID_ANY, title, position, size,
              wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxCLIP_CHILDREN, wxEmptyString)
{
    m_memoryDC.SetBackground(wxBrush(kBackground));
}

CMainFrame::~CMainFrame()
{
    // Screen readers lose the panel before the view's controls go.
    m_atkBridge.reset();
    // Its panels point into the templates deleted below.
    HideControlSettings();
    ControlClipboard::Global().Clear();
    DeleteAllTemplates();
    MIDIIO::RemoveMessageListener(this);
    // A transfer of this window must not call into it once it has gone.
    MIDIIO::AbortTransfer();
    if (wxGetApp().GetEditorWindow() == this)
        wxGetApp().SetMainWindow(nullptr, nullptr);
}

bool CMainFrame::Init()
{
    SetIcon(LoadWindowIcon());
    // The only child besides the bars: the frame keeps it filling the client area.
    m_panel = new CFrontPanelWindow(this, [this] { return !IsControlSettingsShown(); });
    BindPanelEvents();
    m_panel->SetDropTarget(new CSyxFileDropTarget(*this));
    m_view.reset(wxGetApp().CreateTemplateUI());
    // Before anything (the focus below) makes GTK build the panel's own
    // accessible object, which the bridge's type must replace.
    if (m_view)
    {
        m_accessible = std::make_unique<CTemplateUIAccessible>(*m_view, *m_panel);
        m_atkBridge = std::make_unique<CPanelAtkBridge>(*m_panel, *m_accessible);
    }
    m_settings = new CEditControlDialog(this);
    m_memoryDC.SetBackground(wxBrush(kBackground));

    BuildMenuBar();
    const wxSize panel = ViewPanelSize();
    SetStatusBar(new CStatusLine(this, 5));
    SetStatusLineWidths(*GetStatusBar(), panel.GetWidth());
    UpdateEditMenu(false, false);
    UpdateTitle();
    UpdateDeviceMenu();
    UpdateViewMenu();
    SetClientSize(panel);
    m_panel->SetFocus();
    m_clock.Start();

    wxGetApp().SetMainWindow(this, this);
    return true;
}

wxIcon CMainFrame::LoadWindowIcon()
{
    // The image library reports a missing picture; the window then keeps
    // the desktop's default icon.
    wxIcon icon;
    const wxString path = GetImagesPath("mondrian", "png");
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxImage picture;
    if (picture.LoadFile(path, wxBITMAP_TYPE_PNG) && picture.IsOk())
        icon.CopyFromBitmap(wxBitmap(picture));
    return icon;
}

int CMainFrame::ShowMessage(const wxString& text, long style)
{
    return wxGetApp().ShowMessage(text, style);
}

// ---------------------------------------------------------------------------
// The open templates

void CMainFrame::AddTemplate(std::unique_ptr<CEditorTemplate> editorTemplate)
{
    m_templates.insert(m_templates.begin(), std::move(editorTemplate));
    SelectTemplate(0);
}

void CMainFrame::SelectTemplate(int index)
{
    ReleaseTemplateViews();
    if (index < 0 || index >= GetTemplateCount())
    {
        m_currentIndex = -1;
        m_currentTemplate = nullptr;
    }
    else
    {
        m_currentIndex = index;
        m_currentTemplate = m_templates[index].get();
    }
    // Without a template the view lets go of the buttons and selection that
    // point into the one closed.
    ViewCreateControls();
    m_pointerWatch.MarkChanged();
    if (m_currentTemplate && m_currentTemplate->IsPathValid())
        wxGetApp().Recent().Add(m_currentTemplate->GetDefaultFileName());
    UpdateEditMenuFromHistory();
    if (m_currentTemplate)
    {
        WordList& words = Host().Words();
        for (int i = 0; i <= m_currentTemplate->GetLastControlIndex(); ++i)
            if (const CBaseControlState* control = m_currentTemplate->GetControl(i))
                words.AddName(control->GetName());
    }
    UpdateTemplateMenu();
    UpdateDeviceMenu();
    UpdateFileMenu();
    UpdateTitle();
    MarkNeedsRefresh();
    RefreshIfNeeded();
    SetFocusToMainWindow();
}

void CMainFrame::SetFocusToMainWindow()
{
    m_deferredTakesKeys = false;
    if (!m_panel || m_panel->IsDialogOpen())
        return;
    // Never from another program (a template arrived, a transfer ended):
    // the panel only gets the keys for when the user comes back.
    if (!wxGetApp().UserIsHere())
    {
        FocusInsideWindow(*m_panel);
        return;
    }
    // From the settings window too.
    if (IsShown())
    {
        Raise();
        // Without a window manager raising this window would cover it.
        if (IsControlSettingsShown())
            RaiseWithoutFocus(*m_settings);
    }
    m_panel->SetFocus();
}

wxWindow* CMainFrame::GetPanelWindow() const
{
    return m_panel;
}

void CMainFrame::ReselectCurrentTemplate()
{
    SelectTemplate(m_currentIndex);
}

void CMainFrame::MoveCurrentTemplateToFront()
{
    if (m_currentIndex < 0)
        return;
    std::unique_ptr<CEditorTemplate> current = std::move(m_templates[m_currentIndex]);
    m_templates.erase(m_templates.begin() + m_currentIndex);
    AddTemplate(std::move(current));
}

wxString CMainFrame::QuestionName(const CEditorTemplate& editorTemplate)
{
    return ToWx(editorTemplate.IsPathValid() ? editorTemplate.GetDefaultFileName()
                                             : editorTemplate.GetDisplayName());
}

void CMainFrame::CloseTemplate()
{
    HideControlSettings();
    if (!m_currentTemplate)
        return;
    if (m_currentTemplate->IsModified())
    {
        const int answer = ShowMessage(
            wxString::Format("Save changes to template \"%s\"?", QuestionName(*m_currentTemplate)), wxYES_NO);
        // Escape or the box's close button answers neither: the edits stay.
        if (answer != wxYES && answer != wxNO)
            return;
        if (answer == wxYES)
        {
            SaveTemplate();
            if (m_currentTemplate->IsModified())
                return;
        }
    }
    // Commands and panels may point at the template: out of the list first.
    std::unique_ptr<CEditorTemplate> closing = std::move(m_templates[m_currentIndex]);
    m_templates.erase(m_templates.begin() + m_currentIndex);
    m_currentTemplate = nullptr;
    m_currentIndex = -1;
    SelectTemplate(m_templates.empty() ? -1 : 0);
}

void CMainFrame::DeleteAllTemplates()
{
    ReleaseTemplateViews();
    m_currentTemplate = nullptr;
    m_currentIndex = -1;
    ViewCreateControls();
    m_templates.clear();
}

void CMainFrame::ReleaseTemplateViews()
{
    m_deferredControl.reset();
    HideControlSettings();
    if (m_settings)
        m_settings->SetControl(nullptr);
}

bool CMainFrame::FindOpenTemplate(const std::string& path) const
{
    for (const auto& editorTemplate : m_templates)
        if (editorTemplate.get() != m_currentTemplate && editorTemplate->GetDefaultFileName() == path)
            return true;
    return false;
}

void CMainFrame::OnCloseWindow(wxCloseEvent& event)
{
    HideControlSettings();
    bool cancel = false;
    for (int i = 0; i < GetTemplateCount(); ++i)
    {
        CEditorTemplate& editorTemplate = *m_templates[i];
        if (!editorTemplate.IsModified())
            continue;
        if (i != m_currentIndex)
        {
            SelectTemplate(i);
            Update();
        }
        const int answer = ShowMessage(
            wxString::Format("Save changes to template \"%s\"?", QuestionName(editorTemplate)), wxYES_NO | wxCANCEL);
        if (answer == wxYES)
        {
            SaveTemplate();
            if (editorTemplate.IsModified())
                cancel = true;
        }
        else if (answer == wxCANCEL)
        {
            cancel = true;
        }
    }
    if (cancel && event.CanVeto())
    {
        event.Veto();
        return;
    }
    // No more idle steps or refreshes into a window that is going.
    wxGetApp().SetMainWindow(nullptr, nullptr);
    Destroy();
}

// ---------------------------------------------------------------------------
// Painting and the idle step

void CMainFrame::RefreshIfNeeded()
{
    if (!m_needsRefresh)
        return;
    if (m_panel)
        m_panel->Refresh(false);
    m_needsRefresh = false;
}

void CMainFrame::OnPaint(wxPaintEvent&)
{
    wxPaintDC paintDC(m_panel);
    if (m_currentTemplate)
        ViewAnimate(static_cast<int>(m_clock.Time()));
    m_clock.Start();
    const wxSize size = m_panel->GetClientSize();
    if (size.GetWidth() <= 0 || size.GetHeight() <= 0)
        return;
    wxBitmap buffer(size);
    m_memoryDC.SelectObject(buffer);
    m_memoryDC.SetBackground(wxBrush(kBackground));
    if (m_currentTemplate)
        ViewDraw(m_memoryDC);
    else
        m_memoryDC.Clear();
    paintDC.Blit(0, 0, size.GetWidth(), size.GetHeight(), &m_memoryDC, 0, 0);
    m_memoryDC.SelectObject(wxNullBitmap);
}

void CMainFrame::IdleStep()
{
    if (!m_currentTemplate)
        return;
    // A hidden window has no client coordinates; while the left button that
    // went down inside is held, its release may come outside unannounced.
    if (IsShown() && (m_pointerWatch.TakeChange() || m_leftButtonHeld))
        TrackPointer();
    if (ViewAnimate(static_cast<int>(m_clock.Time())))
        MarkNeedsRefresh();
    m_clock.Start();
    if (m_deferredControl && m_settings)
    {
        std::unique_ptr<CPlacedControl> control = std::move(m_deferredControl);
        m_settings->SetControl(nullptr);
        ShowControlSettings(*control, m_deferredTakesKeys, m_deferredField);
    }
}

bool CMainFrame::NeedsIdleStep() const
{
    if (m_needsRefresh)
        return true;
    if (!m_currentTemplate)
        return false;
    return m_deferredControl || (IsShown() && (m_pointerWatch.HasChange() || m_leftButtonHeld)) ||
           (m_view && m_view->IsAnimating());
}

void CMainFrame::TrackPointer()
{
    const wxPoint point = ScreenToClient(wxGetMousePosition());
    const bool inside = wxRect(GetClientSize()).Contains(point);
    if (!inside)
    {
        if (ViewMouseMove(point))
        {
            MarkNeedsRefresh();
            UpdateEditMenuFromHistory();
        }
        if (m_leftButtonHeld && !wxGetMouseState().LeftIsDown())
        {
            // A press inside that was released outside still ends there.
            ViewMouseButton(point, false, false, true, true, false);
            m_leftButtonHeld = false;
            // The toolkit may still hand the same release to OnLeftUp.
            m_releaseDeliveredByIdle = true;
        }
    }
    else
    {
        m_leftButtonHeld = wxGetMouseState().LeftIsDown();
    }
}

void CMainFrame::OnApplicationDeactivated()
{
    if (!m_currentTemplate || !IsShown())
        return;
    const wxPoint point = ScreenToClient(wxGetMousePosition());
    if (ViewMouseButton(point, false, false, true, true, false))
    {
        MarkNeedsRefresh();
        UpdateEditMenuFromHistory();
    }
}

void CMainFrame::RefreshControl(CPlacedControl& control, bool deferred)
{
    if (!m_settings)
        return;
    if (deferred)
    {
        // Asked now: the rebuild comes when the focus may have moved on.
        m_deferredTakesKeys = !m_undoing;
        m_deferredField = m_settings->IsShown() ? m_settings->FocusedFieldName() : wxString();
        m_settings->SetControl(nullptr);
        m_deferredControl = control.Clone();
        SelectControl(control.GetIndex(), true);
        return;
    }
    if (m_settings->IsShown() && m_settings->GetControlIndex() == control.GetIndex())
    {
        // Same control still shown: its panels follow the new state in place.
        m_settings->SetControl(&control);
        PlacedControlPanels::RefreshPanels(m_settings);
        m_settings->Refresh();
        SelectControl(control.GetIndex(), true);
        return;
    }
    // The keys go to the window as it opens, to the field that had them
    // when it had them; an undo or redo leaves them here.
    ShowControlSettings(control, !m_undoing, m_settings->IsActive() ? m_settings->FocusedFieldName() : wxString());
}

void CMainFrame::ShowControlSettings(CPlacedControl& control, bool takeKeys, const wxString& field)
{
    PlacedControlPanels::PrepareEditDialog(m_settings);
    m_settings->SetControl(&control);
    PlacedControlPanels::BuildPanels(m_settings, m_settings->GetSizer(), control);
    PlacedControlPanels::ShowEditDialog(m_settings, control, takeKeys);
    if (takeKeys)
        m_settings->TakeKeys(field);
    // The edit items are off while the window is shown.
    UpdateEditMenuFromHistory();
}

void CMainFrame::GiveControlSettingsTheKeys()
{
    const Selection& selection = GetSelection();
    if (IsControlSettingsShown() && selection.Size() == 1 &&
        selection.Front().GetIndex() == m_settings->GetControlIndex())
        m_settings->TakeKeys(m_settings->FocusedFieldName());
}

// ---------------------------------------------------------------------------
// Transfer and MIDI callbacks

void CMainFrame::OnTransferStart()
{
    ViewAnimate(static_cast<int>(m_clock.Time()));
    m_clock.Start();
    SetStatus("Template dump in progress...");
}

void CMainFrame::OnTransferComplete()
{
    ViewResetSendButton();
    SetStatus("Template dump completed");
}

void CMainFrame::OnTransferFailed()
{
    ViewResetSendButton();
    ShowMessage("Template dump failed!  Perhaps the USB connection to the " +
                    ToWx(wxGetApp().Device().GetProductName()) +
                    " was lost, or the driver is in use by another application.\n\n"
                    "Close all other MIDI applications and try again.",
                wxOK);
    SetStatus("Template dump failed!");
}

void CMainFrame::OnMidiMessage(uint8_t status, int data1, int data2)
{
    SetStatus("Received MIDI message");
    const std::array<std::string, 4> lines = MIDIIO::FormatMessage(status, data1, data2);
    for (int i = 0; i < 4; ++i)
        SetStatus(ToWx(lines[i]), i + 1);
    if (ViewOnMidiMessage(status, data1, data2))
        MarkNeedsRefresh();
}

void CMainFrame::OnSysExInterrupted()
{
    // The receive has ended: the Listen item and button go off with it.
    UpdateListenItem(false);
    ViewSetIdle();
    MarkNeedsRefresh();
    ShowMessage("The dump was interrupted - please try sending it again", wxOK);
}
