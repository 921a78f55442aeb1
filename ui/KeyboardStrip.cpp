#include "ui/KeyboardStrip.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/filename.h>
#include <wx/image.h>

#include "model/DeviceAnswers.h"
#include "model/EditorHost.h"
#include "model/EditorTemplate.h"
#include "model/commands/SetKeyboardZoneCommand.h"
#include "model/commands/SubmitCommand.h"

namespace
{
constexpr int kThreshold = 100;
// How far outside its bar a press still takes a zone, and the grip of each end.
constexpr int kSlack = 8;
// The shipped markers' size (resources/images/make-images.py).
const wxSize kMarkerSize(5, 10);

bool LoadPicture(const wxString& path, wxBitmap& bitmap, wxImage* image = nullptr)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxImage picture;
    if (!picture.LoadFile(path, wxBITMAP_TYPE_ANY) || !picture.IsOk())
        return false;
    bitmap = wxBitmap(picture);
    if (image)
        *image = picture;
    return bitmap.IsOk();
}

int Red(const wxImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight())
        return -1;
    return image.GetRed(x, y);
}
} // namespace

KeyboardStrip::KeyboardStrip(const wxString& picturePath)
{
    wxImage image;
    if (!LoadPicture(picturePath, m_keyboard, &image))
        return;
    const int width = image.GetWidth();
    m_pictureHeight = image.GetHeight();
    // Each run stops at the picture's edge, so a picture that breaks the
    // drawing rules gives odd keys but never reads outside it.
    int x = 0;
    while (x < width && Red(image, x, 0) > kThreshold)
        ++x;
    m_firstKeyWidth = x;
    while (x < width && Red(image, x, 0) < kThreshold)
        ++x;
    m_blackKeyWidth = x - m_firstKeyWidth;
    const int gapStart = x;
    while (x < width && Red(image, x, 0) > kThreshold)
        ++x;
    m_blackGap = x - gapStart;
    int y = 0;
    const int column = m_blackGap + m_blackKeyWidth;
    while (y < m_pictureHeight && Red(image, column, y) < kThreshold)
        ++y;
    m_blackKeyHeight = y;
    int c = 0;
    while (c < width && Red(image, c, m_blackKeyHeight) > kThreshold)
        ++c;
    m_whiteKeyWidth = c + 1;
    m_octaveWidth = 7 * m_whiteKeyWidth;

    const int a = m_firstKeyWidth, b = m_blackGap, d = m_blackKeyWidth;
    const int steps[12] = {a, d, b, d, a, a + 1, d, b, d, b, d, a};
    int bound = 0;
    for (int k = 0; k < 12; ++k)
        m_bounds[k] = bound += steps[k];

    const wxString folder = wxFileName(picturePath).GetPath() + "/";
    LoadPicture(folder + "zoneleft.png", m_zoneLeft) && LoadPicture(folder + "zoneleftgrey.png", m_zoneLeftGrey) &&
        LoadPicture(folder + "zoneright.png", m_zoneRight) && LoadPicture(folder + "zonerightgrey.png", m_zoneRightGrey);
}

bool KeyboardStrip::IsInert() const
{
    return !m_keyboard.IsOk() || !m_zoneLeft.IsOk() || !m_zoneLeftGrey.IsOk() || !m_zoneRight.IsOk() ||
           !m_zoneRightGrey.IsOk();
}

void KeyboardStrip::SetTemplate(CEditorTemplate* editorTemplate)
{
    m_template = editorTemplate;
    m_dragZone = -1;
    for (int i = 0; i < kZoneCount; ++i)
        m_zones[i] = editorTemplate ? editorTemplate->GetKeyboardZone(i) : nullptr;
}

int KeyboardStrip::NoteAtX(int x) const
{
    // Left of the picture counts as its first key.
    if (x < 0)
        return 0;
    const int octave = (x / m_whiteKeyWidth) / 7;
    const int r = x - m_octaveWidth * octave;
    int key = 11;
    for (int k = 0; k <= 10; ++k)
        if (r < m_bounds[k])
        {
            key = k;
            break;
        }
    return std::min(octave * 12 + key, 127);
}

int KeyboardStrip::XOfNote(int note) const
{
    return m_octaveWidth * (note / 12) + m_bounds[note % 12];
}

wxSize KeyboardStrip::GetMarkerSize() const
{
    return m_zoneLeft.IsOk() ? m_zoneLeft.GetSize() : kMarkerSize;
}

int KeyboardStrip::RowTop(int zone) const
{
    return 2 + (GetMarkerHeight() + 2) * zone;
}

const CKeyboardZone* KeyboardStrip::GetZone(int index) const
{
    if (index < 0 || index >= kZoneCount)
        return nullptr;
    if (index == m_dragZone)
        return &m_editedZone;
    return m_zones[index];
}

int KeyboardStrip::HitZone(const wxPoint& point, int* left, int* right) const
{
    if (IsInert() || point.x < 0 || point.x > m_keyboard.GetWidth() || point.y < 0 ||
        point.y > m_pictureHeight || point.y <= 1)
        return -1;
    int candidate = -1;
    for (int i = 0; i < kZoneCount; ++i)
        if (point.y >= RowTop(i) && point.y <= RowTop(i) + GetMarkerHeight())
            candidate = i;
    const CKeyboardZone* zone = GetZone(candidate);
    if (!zone)
        return -1;
    const int barLeft = XOfNote(zone->GetLowNote()) - m_blackGap;
    const int barRight = XOfNote(zone->GetHighNote());
    if (point.x < barLeft - kSlack || point.x > barRight + kSlack)
        return -1;
    if (left)
        *left = barLeft;
    if (right)
        *right = barRight;
    return candidate;
}

void KeyboardStrip::OnMouseDown(const wxPoint& point)
{
    int left = 0, right = 0;
    const int hit = HitZone(point, &left, &right);
    if (hit < 0)
        return;
    m_editedZone.Assign(*m_zones[hit]);
    m_dragZone = hit;
    const int low = m_editedZone.GetLowNote();
    if (low == m_editedZone.GetHighNote())
    {
        m_dragMode = low < 65 ? 1 : 0;
        return;
    }
    const int markerWidth = GetMarkerSize().GetWidth();
    const int span = (right - markerWidth) - (left + markerWidth);
    const int handle = span < 2 * kSlack ? span / 2 : kSlack;
    if (point.x < left + markerWidth + handle)
        m_dragMode = 0;
    else if (point.x > right - markerWidth - handle)
        m_dragMode = 1;
    else
    {
        m_dragMode = 2;
        m_anchorNote = NoteAtX(point.x);
    }
}

bool KeyboardStrip::OnMouseDrag(const wxPoint& point)
{
    if (m_dragZone < 0)
        return false;
    const int n = NoteAtX(point.x);
    CKeyboardZone& zone = m_editedZone;
    const int low = zone.GetLowNote(), high = zone.GetHighNote();
    if (m_dragMode == 0)
    {
        const int note = std::clamp(n, 0, 127);
        if (note == low)
            return false;
        zone.SetNoteRange(std::min(note, high), high);
    }
    else if (m_dragMode == 1)
    {
        const int note = std::clamp(n, 0, 127);
        if (note == high)
            return false;
        zone.SetNoteRange(low, std::max(note, low));
    }
    else
    {
        int delta = n - m_anchorNote;
        if (delta == 0)
            return false;
        // The zone keeps its width: the move stops at either end of the keyboard.
        if (delta > 0)
            delta = std::min(delta, 127 - high);
        else
            delta = std::max(delta, -low);
        if (n <= 127)
            m_anchorNote = n;
        if (delta == 0)
            return false;
        zone.SetNoteRange(low + delta, high + delta);
    }
    if (IEditorWindow* window = Host().Window())
        window->SetNeedsRefresh();
    return true;
}

void KeyboardStrip::OnMouseUp()
{
    const int dragged = m_dragZone;
    m_dragZone = -1;
    if (dragged < 0 || !m_zones[dragged] || !m_editedZone.Differs(*m_zones[dragged]))
        return;
    SubmitToCurrentTemplate(std::make_unique<CSetKeyboardZoneCommand>(m_zones[dragged], m_editedZone));
}

bool KeyboardStrip::OnDoubleClick(const wxPoint& point)
{
    if (!m_template || !m_template->GetZonesEnabled())
        return false;
    const int hit = HitZone(point);
    return hit >= 0 && EditZone(hit);
}

bool KeyboardStrip::EditZone(int index)
{
    IEditorWindow* window = Host().Window();
    if (!window || index < 0 || index >= kZoneCount || !m_zones[index])
        return false;
    return window->ShowKeyboardZoneDialog(index, "Keyboard zone " + std::to_string(index + 1) + " settings");
}

bool KeyboardStrip::IsActive(const CKeyboardZone& zone) const
{
    const IDeviceAnswers& device = Device();
    return zone.GetMidiPort1() || zone.GetUsbPort() || (device.HasMidiPort2() && zone.GetMidiPort2()) ||
           (device.HasUsbPortB() && zone.GetUsbPort2());
}

bool KeyboardStrip::DrawKeyboard(wxDC& dc, const wxPoint& origin) const
{
    if (!m_keyboard.IsOk())
        return false;
    dc.DrawBitmap(m_keyboard, origin.x, origin.y, false);
    return true;
}

bool KeyboardStrip::Draw(wxDC& dc, const wxPoint& origin) const
{
    if (!m_keyboard.IsOk())
        return false;
    const int markerHeight = GetMarkerHeight();
    for (int i = 0; i < kZoneCount; ++i)
    {
        const CKeyboardZone* zone = GetZone(i);
        if (!zone)
            continue;
        const bool active = IsActive(*zone);
        const int top = origin.y + RowTop(i);
        const int left = origin.x + XOfNote(zone->GetLowNote()) - m_blackGap;
        const int right = origin.x + XOfNote(zone->GetHighNote()) - m_blackGap;
        const wxColour fill = active ? wxColour(213, 23, 143) : wxColour(153, 153, 153);
        dc.SetPen(wxPen(fill));
        dc.SetBrush(wxBrush(fill));
        dc.DrawRectangle(left, top + 1, right - left, markerHeight - 2);
        const wxBitmap& leftMarker = active ? m_zoneLeft : m_zoneLeftGrey;
        const wxBitmap& rightMarker = active ? m_zoneRight : m_zoneRightGrey;
        if (leftMarker.IsOk())
            dc.DrawBitmap(leftMarker, left, top, false);
        if (rightMarker.IsOk())
            dc.DrawBitmap(rightMarker, right, top, false);
    }
    return true;
}
