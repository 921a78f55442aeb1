#pragma once

#include <array>
#include <memory>

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include "model/KeyboardZone.h"

class CEditorTemplate;
class wxDC;

// The keyboard picture of devices with zones, with the template's four zones
// drawn over it as bars between end markers. The key geometry is measured
// from the picture (red channel, threshold 100), so any picture drawn by the
// same rules works. A drag on a bar edits a copy of the zone; the release
// submits the change as one command. Points are relative to the strip's
// origin. GUI thread only.
class KeyboardStrip
{
public:
    static constexpr int kZoneCount = 4;

    // Loads and measures the keyboard picture, then the four markers from the
    // picture's folder (the images folder). A picture that fails to load
    // stays null and the later ones are not loaded; without the keyboard the
    // strip draws nothing.
    explicit KeyboardStrip(const wxString& picturePath);

    bool IsOk() const { return m_keyboard.IsOk(); }
    // Without the keyboard or any of its marker pictures no bar can be
    // grabbed: presses, drags and double clicks do nothing.
    bool IsInert() const;
    // Binds the strip to a template's zones (not owned); null unbinds.
    void SetTemplate(CEditorTemplate* editorTemplate);

    int NoteAtX(int x) const;
    int XOfNote(int note) const;
    // The zone whose bar row holds the point, within 8 pixels of its bar;
    // -1 when none. left and right receive the bar's ends.
    int HitZone(const wxPoint& point, int* left = nullptr, int* right = nullptr) const;

    void OnMouseDown(const wxPoint& point);
    // True when the dragged zone changed.
    bool OnMouseDrag(const wxPoint& point);
    // Submits the edited zone when it differs; ends the drag.
    void OnMouseUp();
    // Opens the zone dialog for a bar while the zones are on; true when shown.
    bool OnDoubleClick(const wxPoint& point);
    // The keyboard picture at origin; false without it.
    bool DrawKeyboard(wxDC& dc, const wxPoint& origin) const;
    // The zones over the keyboard: each a bar with its end markers (bars
    // alone where a marker picture is missing); nothing without the keyboard.
    bool Draw(wxDC& dc, const wxPoint& origin) const;
    // The keyboard zone dialog for zone index.
    bool EditZone(int index);

    // The edited copy while that zone is dragged, else the template's zone
    // (null when unbound).
    const CKeyboardZone* GetZone(int index) const;
    int GetDraggedZone() const { return m_dragZone; }
    // 0 low end, 1 high end, 2 whole zone.
    int GetDragMode() const { return m_dragMode; }
    int GetWhiteKeyWidth() const { return m_whiteKeyWidth; }
    int GetBlackKeyGap() const { return m_blackGap; }
    // The markers' size; the shipped markers' size without the pictures, so
    // the zone rows keep their places.
    wxSize GetMarkerSize() const;
    int GetMarkerHeight() const { return GetMarkerSize().GetHeight(); }
    // Top of zone i's bar row, relative to the origin.
    int RowTop(int zone) const;

private:
    bool IsActive(const CKeyboardZone& zone) const;

    wxBitmap m_keyboard;
    wxBitmap m_zoneLeft;
    wxBitmap m_zoneLeftGrey;
    wxBitmap m_zoneRight;
    wxBitmap m_zoneRightGrey;
    int m_firstKeyWidth = 0;
    int m_blackGap = 0;
    int m_whiteKeyWidth = 1;
    int m_pictureHeight = 0;
    int m_blackKeyWidth = 0;
    int m_blackKeyHeight = 0;
    CEditorTemplate* m_template = nullptr;
    std::array<CKeyboardZone*, kZoneCount> m_zones{};
    int m_dragZone = -1;
    CKeyboardZone m_editedZone;
    int m_dragMode = 0;
    int m_anchorNote = 0;
    int m_octaveWidth = 7;
    std::array<int, 12> m_bounds{};
};
