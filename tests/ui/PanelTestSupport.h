#pragma once

#include <string>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "app/EditorApp.h"

// The application object of the UI tests: the toolkit runs, start-up does not.
// The device answers as the DorvaSynth, except that the View menu (for the
// single-line caption modes) and keyboard zones can be switched on.
class TestEditorApp : public CEditorApp
{
public:
    TestEditorApp();
    static void SetHasViewMenu(bool on);
    static void SetHasKeyboardZones(bool on);
};

TestEditorApp& App();

// A bitmap filled with one colour, drawn on through a memory context.
class Canvas
{
public:
    Canvas(int width, int height, const wxColour& fill);
    ~Canvas();
    wxMemoryDC& DC() { return m_dc; }
    // Reads back what was drawn (the context lets go of the bitmap first).
    wxColour Pixel(int x, int y);
    wxImage Image();

private:
    wxBitmap m_bitmap;
    wxMemoryDC m_dc;
};

// Writes a font picture of side pixels: in the cell of column c and row r the
// pixels (c, r) and (cell - 1, cell - 1) are black, the rest white; so every
// glyph is told apart by where its first dot sits.
void WriteTestFont(const std::string& path, int side);

// Loads the font picture written by WriteTestFont with 8-pixel cells.
void LoadTestFont();

inline bool SameColour(const wxColour& a, const wxColour& b)
{
    return a.Red() == b.Red() && a.Green() == b.Green() && a.Blue() == b.Blue();
}
