#include "ui/TemplateUI.h"

#include <wx/dc.h>
#include <wx/image.h>
#include <wx/window.h>

#include "app/EditorApp.h"
#include "midi/MIDIIO.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/KeyboardZone.h"
#include "model/NoteName.h"
#include "model/PlacedControl.h"
#include "model/commands/EnableZonesCommand.h"
#include "ui/Accessibility.h"
#include "ui/FrameRect.h"
#include "ui/KeyboardStrip.h"
#include "ui/LCDFont.h"
#include "ui/WindowHelpers.h"

CTemplateUI::CTemplateUI()
{
    // Whatever changes the selection (a gesture, an undo, a new layout),
    // screen readers must not go on believing the old one.
    m_selection.SetOnChange([] { Accessibility::NotifySelectionChanged(); });
    if (Device().HasKeyboardZones())
        m_keyboardStrip = std::make_unique<KeyboardStrip>(GetImagesPath("Keyboard", "png"));
    const wxString path = GetImagesPath("Background", "png");
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    // A missing picture leaves the panel empty (0 x 0); the image library
    // reports what went wrong.
    wxImage picture;
    if (picture.LoadFile(path, wxBITMAP_TYPE_ANY) && picture.IsOk())
        m_background = wxBitmap(picture);
    if (m_background.IsOk())
    {
        m_panelWidth = m_background.GetWidth();
        m_panelHeight = m_background.GetHeight();
    }
}

CTemplateUI::~CTemplateUI() = default;

void CTemplateUI::OnPaneCollapsed()
{
    if (wxWindow* window = wxGetApp().GetMainWindow())
        window->SetClientSize(m_panelWidth, m_panelHeight);
    for (auto& button : m_controlButtons)
        button->GetCaption().MarkDirty();
}

void CTemplateUI::OnPaneExpanded()
{
    OnPaneCollapsed();
    for (auto& pane : m_panes)
        pane->Collapse();
}

bool CTemplateUI::OnMidiMessage(int status, int /*data1*/, int /*data2*/)
{
    return ZonesAvailable() && (status == 0x80 || status == 0x90);
}

void CTemplateUI::SetListening()
{
    m_listenButton.SetLatched(true);
    m_listenButton.SetPressed(false);
}

void CTemplateUI::SetIdle()
{
    m_listenButton.SetLatched(false);
    m_listenButton.SetPressed(false);
}

void CTemplateUI::SetSending()
{
    SetIdle();
    m_sendButton.SetLatched(true);
    m_sendButton.SetPressed(false);
}

bool CTemplateUI::OnMouseWheel(int /*steps*/)
{
    return false;
}

bool CTemplateUI::OnPageUp()
{
    return false;
}

bool CTemplateUI::OnPageDown()
{
    return false;
}

bool CTemplateUI::Animate(int elapsedMs)
{
    if (!Preferences::IsOn(wxGetApp().Prefs().useExpandPanes))
        for (auto& pane : m_panes)
            pane->Collapse();
    bool repaint = m_listenButton.Step(elapsedMs);
    if (m_sendButtonShown && m_sendButton.Step(elapsedMs))
        repaint = true;
    return repaint;
}

bool CTemplateUI::IsAnimating() const
{
    return m_listenButton.IsLatched() || (m_sendButtonShown && m_sendButton.IsLatched());
}

void CTemplateUI::Draw(wxDC& dc)
{
    if (!m_built)
        return;
    if (m_background.IsOk())
        dc.DrawBitmap(m_background, 0, 0, true);
    DrawOverlay(dc);
    const wxPoint stripOrigin(m_stripOrigin[0], m_stripOrigin[1]);
    const bool zones = ZonesAvailable();
    // Under the controls, so their captions and marks stay readable.
    if (zones && m_keyboardStrip)
        m_keyboardStrip->DrawKeyboard(dc, stripOrigin);
    for (const auto& pane : m_panes)
        pane->Draw(dc, false);
    m_listenButton.Draw(dc);
    if (m_sendButtonShown)
        m_sendButton.Draw(dc);
    DrawControls(dc);
    if (zones)
    {
        m_zonesButton.Draw(dc);
        CEditorTemplate* editorTemplate = GetTemplate();
        if (editorTemplate && editorTemplate->GetZonesEnabled())
        {
            if (m_keyboardStrip)
                m_keyboardStrip->Draw(dc, stripOrigin);
            DrawZoneLabels(dc);
            LCDFont::DrawText(dc, "ON", m_zonesTextPoint, LCDFont::DefaultColour());
        }
        else
        {
            LCDFont::DrawText(dc, "OFF", m_zonesTextPoint - wxPoint(3, 0), LCDFont::DefaultColour());
        }
    }
    for (const auto& pane : m_panes)
        pane->Draw(dc, true);
    if (m_rubberBandActive)
        DrawDottedRect(dc, m_rubberBand, wxColour(68, 68, 68));
}

void CTemplateUI::DrawZoneLabels(wxDC& dc)
{
    CEditorTemplate* editorTemplate = GetTemplate();
    if (!editorTemplate)
        return;
    const bool twoUsbPorts = Device().HasUsbPortB();
    const wxColour ink = LCDFont::DefaultColour();
    for (int z = 0; z < KeyboardStrip::kZoneCount; ++z)
    {
        const CKeyboardZone* zone = editorTemplate->GetKeyboardZone(z);
        if (!zone)
            continue;
        const int y = m_zoneLabelOrigin[1] + 15 * z;
        const int x0 = m_zoneLabelOrigin[0], x1 = x0 + 50, x2 = x1 + 30, x3 = x2 + 30;
        std::string ports;
        if (twoUsbPorts)
        {
            ports += zone->GetUsbPort() ? 'A' : '-';
            ports += zone->GetUsbPort2() ? 'B' : '-';
        }
        else
        {
            ports += zone->GetUsbPort() ? 'U' : '-';
        }
        ports += zone->GetMidiPort1() ? '1' : '-';
        ports += zone->GetMidiPort2() ? '2' : '-';
        LCDFont::DrawText(dc, "ZONE " + std::to_string(z + 1) + ":", wxPoint(x0, y), ink);
        LCDFont::DrawText(dc, ports, wxPoint(x1, y), ink);
        LCDFont::DrawText(dc, NoteName(zone->GetLowNote()), wxPoint(x2, y), ink);
        LCDFont::DrawText(dc, NoteName(zone->GetHighNote()), wxPoint(x3, y), ink);
    }
}

void CTemplateUI::DrawControls(wxDC& dc)
{
    const int dropTarget = m_hoverList.Size() == 1 ? m_hoverList.Front().GetIndex() : -1;
    const wxPoint origin(0, 0);
    for (auto& button : m_controlButtons)
    {
        button->DrawCaption(dc, m_textColour, origin);
        if (button->GetIndex() == dropTarget)
            button->DrawDropMark(dc, origin);
        for (std::size_t i = 0; i < m_selection.Size(); ++i)
            if (m_selection[i].GetIndex() == button->GetIndex())
                button->DrawSelectionMark(dc, origin);
    }
}

void CTemplateUI::OnButtonsMouseButton(const wxPoint& point, bool up)
{
    if (m_zonesButton.OnMouseButton(point, up))
    {
        CEditorTemplate* editorTemplate = GetTemplate();
        if (editorTemplate && m_zonesButton.IsLatched() != editorTemplate->GetZonesEnabled())
            SetZonesEnabled(m_zonesButton.IsLatched());
    }
    IEditorWindow* window = Host().Window();
    if (MIDIIO::GetSelectedInputDevice() >= 0 && m_listenButton.OnMouseButton(point, up) && window)
    {
        if (m_listenButton.IsLatched())
            window->OnListenForTemplate();
        else
            window->StopListening(true);
    }
    if (MIDIIO::GetSelectedOutputDevice() >= 0 && m_sendButtonShown && m_sendButton.OnMouseButton(point, up) &&
        m_sendButton.IsLatched() && window)
        window->OnSendTemplate();
}

bool CTemplateUI::UpdateButtonsHover(const wxPoint& point)
{
    bool changed = m_zonesButton.OnMouseMove(point);
    if (MIDIIO::GetSelectedInputDevice() >= 0 && m_listenButton.OnMouseMove(point))
        changed = true;
    if (MIDIIO::GetSelectedOutputDevice() >= 0 && m_sendButtonShown && m_sendButton.OnMouseMove(point))
        changed = true;
    return changed;
}

bool CTemplateUI::ZonesAvailable() const
{
    return Device().HasKeyboardZones() && m_zonesShown;
}

void CTemplateUI::SetZonesEnabled(bool on)
{
    CEditorTemplate* editorTemplate = GetTemplate();
    if (!ZonesAvailable() || !editorTemplate)
        return;
    m_zonesButton.SetLatched(on);
    m_zonesButton.SetPressed(false);
    editorTemplate->SubmitCommand(std::make_unique<CEnableZonesCommand>(editorTemplate, on));
}

void CTemplateUI::EditKeyboardZone(int zone)
{
    if (ZonesAvailable() && m_keyboardStrip)
        m_keyboardStrip->EditZone(zone);
}

void CTemplateUI::DeleteSelection(std::unique_ptr<Selection> list)
{
    if (list)
        list->Clear();
}

void CTemplateUI::ResetSendButton()
{
    if (!m_sendButtonShown)
        return;
    m_sendButton.SetLatched(false);
    m_sendButton.SetPressed(false);
}

CControlButton* CTemplateUI::ControlButtonAt(const wxPoint& point) const
{
    for (const auto& button : m_controlButtons)
        if (button->HitTest(point))
            return button.get();
    return nullptr;
}

void CTemplateUI::SetRubberBand(bool active, const wxRect& band)
{
    m_rubberBandActive = active;
    m_rubberBand = band;
}

void CTemplateUI::BeginLayout()
{
    m_built = false;
    m_selection.Clear();
    // The drag and hover copies point into the template being replaced.
    m_dragList.reset();
    m_dropReady = false;
    m_hoverList.Clear();
    m_bandStartSelection.Clear();
    m_rubberBandActive = false;
    // The pointer's control is looked up again, with the new template's tip.
    m_hoverIndex = -1;
    ClearPanelTip();
    if (IEditorWindow* window = Host().Window())
        window->HideControlSettings();
    m_controlButtons.clear();
    // With a template, EndLayout tells once the new buttons are there.
    if (!GetTemplate())
        Accessibility::NotifyEvent(Accessibility::EventObjectReorder, 0);
}

void CTemplateUI::AddControlButton(std::unique_ptr<CControlButton> button)
{
    m_controlButtons.push_back(std::move(button));
}

void CTemplateUI::EndLayout()
{
    if (m_keyboardStrip)
        m_keyboardStrip->SetTemplate(GetTemplate());
    m_built = true;
    Accessibility::NotifyEvent(Accessibility::EventObjectReorder, 0);
}

void CTemplateUI::SetZoneLayout(const wxPoint& stripOrigin, const wxPoint& zoneLabelOrigin,
                                const wxPoint& zonesTextPoint)
{
    m_stripOrigin[0] = stripOrigin.x;
    m_stripOrigin[1] = stripOrigin.y;
    m_zoneLabelOrigin[0] = zoneLabelOrigin.x;
    m_zoneLabelOrigin[1] = zoneLabelOrigin.y;
    m_zonesTextPoint = zonesTextPoint;
}
