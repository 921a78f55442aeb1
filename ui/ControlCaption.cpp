#include "ui/ControlCaption.h"

#include <wx/dcmemory.h>

#include "app/EditorApp.h"
#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "ui/CaptionText.h"
#include "ui/LCDFont.h"

void ControlCaption::Init(CPlacedControl* control, bool singleLine, int nameLength, int shorteningMode,
                          bool useParamName)
{
    m_control = control;
    m_singleLine = singleLine;
    m_nameLength = nameLength;
    m_shorteningMode = shorteningMode;
    m_useParamName = useParamName;
    m_dirty = true;
}

void ControlCaption::SetPosition(const wxPoint& position)
{
    m_position = position;
    int characters = m_nameLength == -1 ? Device().GetDisplayNameLength() : m_nameLength + 2;
    if (characters < 6)
        characters = 6;
    const int cell = LCDFont::CellWidth();
    m_size = wxSize((characters + 1) * cell + 2, LCDFont::CellHeight());
    // No cache without a cell size: a bitmap of height 0 is invalid.
    if (m_size.x > 0 && m_size.y > 0)
        m_cache.Create(m_size.x, m_size.y);
    else
        m_cache = wxNullBitmap;
    m_dirty = true;
}

int ControlCaption::CentreOffset(const std::string& text) const
{
    if (m_singleLine)
        return 0;
    const int n = static_cast<int>(text.size());
    int offset = static_cast<int>((2 + (1 - n) * 0.5) * (LCDFont::CellWidth() + 1));
    if (!text.empty() && text.back() == '.')
        offset += 2;
    return offset;
}

std::string ControlCaption::NameText() const
{
    const CBaseControlState* control = m_control ? m_control->GetControl() : nullptr;
    if (!control)
        return std::string();
    return ControlNameText(*control, m_nameLength, m_shorteningMode, m_useParamName);
}

void ControlCaption::Draw(wxDC& dc, const wxColour& colour, const wxPoint& origin)
{
    const CBaseControlState* control = m_control ? m_control->GetControl() : nullptr;
    if (!control || control->GetType() == ControlMessageType::Disabled || !LCDFont::IsLoaded())
        return;

    int mode = wxGetApp().GetViewType();
    if (mode < 0 || mode > 3)
        mode = 3;
    if (m_singleLine && mode == 3)
        mode = 1;

    const wxPoint at = origin + m_position;
    if (mode == 3)
    {
        const int step = LCDFont::CellHeight() + 2;
        const std::string lines[3] = {NameText(), FormatControlCaption(*control),
                                      FormatControlChannel(*control)};
        for (int i = 0; i < 3; ++i)
            LCDFont::DrawText(dc, lines[i], wxPoint(at.x + CentreOffset(lines[i]), at.y + step * i),
                              colour);
        return;
    }
    const std::string text = mode == 0   ? FormatControlCaption(*control)
                             : mode == 1 ? NameText()
                                         : FormatControlChannel(*control);
    DrawCached(dc, text, colour, wxPoint(at.x + CentreOffset(text), at.y));
}

void ControlCaption::DrawCached(wxDC& dc, const std::string& text, const wxColour& colour,
                                const wxPoint& at)
{
    if (!m_cache.IsOk())
        return;
    wxMemoryDC cache;
    cache.SelectObject(m_cache);
    if (m_dirty || text != m_cachedText || colour != m_cachedColour)
    {
        m_dirty = false;
        m_cachedText = text;
        m_cachedColour = colour;
        // The cache holds the panel under the text too, so that copying it
        // back restores the background wherever a glyph leaves a gap.
        cache.Blit(0, 0, m_size.x, m_size.y, &dc, at.x, at.y);
        LCDFont::DrawText(cache, text, wxPoint(0, 0), colour);
    }
    dc.Blit(at.x, at.y, m_size.x, m_size.y, &cache, 0, 0);
    cache.SelectObject(wxNullBitmap);
}
