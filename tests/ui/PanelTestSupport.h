#pragma once

#include <string>

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "tests/model/TempFolder.h"
#include "tests/ui/UiTestApp.h"
#include "ui/LCDFont.h"

using TestEditorApp = UiTestApp;
inline UiTestApp& App()
{
    return TestApp();
}

// A bitmap filled with one colour, drawn on through a memory context.
class Canvas
{
public:
    Canvas(int width, int height, const wxColour& fill) : m_bitmap(width, height, 24)
    {
        m_dc.SelectObject(m_bitmap);
        m_dc.SetBackground(wxBrush(fill));
        m_dc.Clear();
    }
    ~Canvas() { m_dc.SelectObject(wxNullBitmap); }
    wxMemoryDC& DC() { return m_dc; }
    // Reads back what was drawn (the context lets go of the bitmap first).
    wxImage Image()
    {
        m_dc.SelectObject(wxNullBitmap);
        wxImage image = m_bitmap.ConvertToImage();
        m_dc.SelectObject(m_bitmap);
        return image;
    }
    wxColour Pixel(int x, int y)
    {
        const wxImage image = Image();
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }

private:
    wxBitmap m_bitmap;
    wxMemoryDC m_dc;
};

// Writes a font picture of side pixels: in the cell of column c and row r the
// pixels (c, r) and (cell - 1, cell - 1) are black, the rest white; so every
// glyph is told apart by where its first dot sits.
inline void WriteTestFont(const std::string& path, int side)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    const int cell = side / 8;
    wxImage image(side, side);
    image.SetRGB(wxRect(0, 0, side, side), 255, 255, 255);
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column)
        {
            image.SetRGB(column * cell + column % cell, row * cell + row % cell, 0, 0, 0);
            image.SetRGB(column * cell + cell - 1, row * cell + cell - 1, 0, 0, 0);
        }
    image.SaveFile(path, wxBITMAP_TYPE_PNG);
}

// Loads the font picture written by WriteTestFont with 8-pixel cells.
inline void LoadTestFont()
{
    static TempFolder folder;
    static const std::string path = folder.File("Font8.png");
    static const bool written = (WriteTestFont(path, 64), true);
    (void)written;
    if (!LCDFont::Load(path))
        ADD_FAILURE() << "the test font did not load";
}

inline bool SameColour(const wxColour& a, const wxColour& b)
{
    return a.Red() == b.Red() && a.Green() == b.Green() && a.Blue() == b.Blue();
}
