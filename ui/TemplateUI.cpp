#include "ui/TemplateUI.h"

#include <wx/dc.h>
#include <wx/image.h>
#include <wx/window.h>

#include "midi/MIDIIO.h"
#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/PlacedControl.h"
#include "model/commands/EnableZonesCommand.h"
#include "ui/FrameRect.h"
#include "ui/KeyboardStrip.h"
#include "ui/LCDFont.h"
#include "ui/WindowHelpers.h"

CTemplateUI::CTemplateUI()
{
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
    bool repaint = m_listenButton.Step(elapsedMs);
    if (m_sendButtonShown && m_sendButton.Step(elapsedMs))
        repaint = true;
    return repaint;
}

void CTemplateUI::Draw(wxDC& dc)
{
    if (!m_built)
        return;
    if (m_background.IsOk())
        dc.DrawBitmap(m_background, 0, 0, true);
    DrawOverlay(dc);
    m_listenButton.Draw(dc);
    if (m_sendButtonShown)
        m_sendButton.Draw(dc);
    DrawControls(dc);
    if (ZonesAvailable())
    {
        if (m_keyboardStrip)
            m_keyboardStrip->Draw(dc, wxPoint(m_stripOrigin[0], m_stripOrigin[1]));
        m_zonesButton.Draw(dc);
        CEditorTemplate* editorTemplate = GetTemplate();
        if (editorTemplate && editorTemplate->GetZonesEnabled())
            LCDFont::DrawText(dc, "ON", m_zonesTextPoint, LCDFont::DefaultColour());
        else
            LCDFont::DrawText(dc, "OFF", m_zonesTextPoint - wxPoint(3, 0), LCDFont::DefaultColour());
    }
    if (m_rubberBandActive)
        DrawDottedRect(dc, m_rubberBand, wxColour(68, 68, 68));
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
    if (IEditorWindow* window = Host().Window())
        window->HideControlSettings();
    m_controlButtons.clear();
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
}

void CTemplateUI::SetKeyboardStrip(std::unique_ptr<KeyboardStrip> strip, const wxPoint& origin)
{
    m_keyboardStrip = std::move(strip);
    m_stripOrigin[0] = origin.x;
    m_stripOrigin[1] = origin.y;
    if (m_keyboardStrip)
        m_keyboardStrip->SetTemplate(GetTemplate());
}
