#include "ui/ControlButton.h"

#include <wx/tooltip.h>
#include <wx/window.h>

#include "app/EditorApp.h"
#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "ui/FrameRect.h"
#include "ui/FrontPanelWindow.h"
#include "ui/LCDFont.h"

CControlButton::CControlButton(const wxPoint& position, int kind, std::unique_ptr<CPlacedControl> control,
                               const std::string& name, const std::string& description,
                               const CaptionOptions& caption, int characters, const wxColour& markColour,
                               const wxColour& frameColour, const wxPoint& labelOffset)
    : m_kind(kind),
      m_control(std::move(control)),
      m_labelOffset(labelOffset),
      m_name(name),
      m_description(description),
      m_markColour(markColour),
      m_frameColour(frameColour)
{
    m_caption.Init(m_control.get(), caption.singleLine, caption.nameLength, caption.shorteningMode,
                   caption.useParamName);
    const wxSize size = KindSize(kind, characters);
    m_rect = wxRect(position, size);
    if (kind == ControlButtonKind::TextField)
        m_rect = wxRect(position.x - 3, position.y - 3, size.x + 5, size.y + 6);
    else if (size.x == 0 && size.y == 0)
        m_rect = wxRect();
    m_caption.SetPosition(wxPoint(m_rect.x + labelOffset.x, m_rect.y + m_rect.height + labelOffset.y));
    // The hit and mark area sits inside the drawn shape.
    if (kind != ControlButtonKind::TextField && !m_rect.IsEmpty())
        m_rect = wxRect(m_rect.x + 2, m_rect.y + 2, m_rect.width - 3, m_rect.height - 4);
}

CControlButton::~CControlButton() = default;

wxSize CControlButton::KindSize(int kind, int characters)
{
    static const wxSize kSizes[] = {{34, 34}, {34, 34}, {36, 90}, {36, 18}, {34, 34}, {36, 34},
                                    {0, 0},   {41, 27}, {43, 44}, {44, 90}, {43, 42}};
    if (kind == ControlButtonKind::TextField)
        return wxSize((LCDFont::CellWidth() + 1) * characters, LCDFont::CellHeight());
    if (kind < 0 || kind > 10)
        return wxSize(0, 0);
    return kSizes[kind];
}

CBaseControlState* CControlButton::GetControl()
{
    return m_control->GetControl();
}

int CControlButton::GetIndex() const
{
    return m_control->GetIndex();
}

void CControlButton::DrawDropMark(wxDC& dc, const wxPoint& origin)
{
    DrawFrameRect(dc, wxRect(m_rect.GetPosition() + origin, m_rect.GetSize()), false, 2, m_markColour);
}

void CControlButton::DrawSelectionMark(wxDC& dc, const wxPoint& origin)
{
    DrawFrameRect(dc, wxRect(m_rect.GetPosition() + origin, m_rect.GetSize()), true, 2, HighlightColour());
}

void CControlButton::DrawCaption(wxDC& dc, const wxColour& textColour, const wxPoint& origin)
{
    DrawCaptionTexts(dc, textColour, origin);
    if (m_frameColour != *wxBLACK)
        DrawFrameRect(dc, wxRect(m_rect.GetPosition() + origin, m_rect.GetSize()), false, 1, m_frameColour);
}

void CControlButton::DrawCaptionTexts(wxDC& dc, const wxColour& textColour, const wxPoint& origin)
{
    m_caption.Draw(dc, textColour, origin);
}

std::string CControlButton::GetLabelText() const
{
    std::string text = m_name;
    if (!m_description.empty())
        text += " - " + m_description;
    return text + "\n";
}

void CControlButton::UpdateToolTip()
{
    if (!Preferences::IsOn(wxGetApp().Prefs().showCtrlToolTips))
        return;
    // Switching tooltips off and on again restarts the tip for the new control.
    wxToolTip::Enable(false);
    wxToolTip::Enable(true);
    wxWindow* window = GetFrontPanelWindow();
    const wxString text = ToolTipText();
    if (!text.empty())
    {
        if (window)
            window->SetToolTip(text);
        wxToolTip::SetDelay(300);
    }
    else if (window)
    {
        window->UnsetToolTip();
    }
}

wxString CControlButton::ToolTipText()
{
    const CBaseControlState* control = GetControl();
    if (!control || control->GetType() == ControlMessageType::Disabled)
        return wxString();
    return ToWx(ControlInfoText(control->Describe()));
}

std::string CControlButton::ControlInfoText(const ControlInfoRecord& record)
{
    std::string text = record.nameLine.empty() ? "Unnamed\n" : record.nameLine + "\n";
    text += std::string(25, '-') + "\n";
    text += record.typeName + "\n";
    for (const std::string* line : {&record.channelLine, &record.detail1, &record.detail2,
                                    &record.highLine, &record.lowLine})
        if (!line->empty())
            text += *line + "\n";
    text.pop_back();
    return text;
}
