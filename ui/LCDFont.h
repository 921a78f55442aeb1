#pragma once

#include <string>

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxDC;

// The display font: one square picture of 8 x 8 glyph cells (capitals,
// digits, a few signs and "b"), pure white being transparent. Process-wide:
// loaded once by start-up, freed at exit. Drawing in a colour other than the
// default uses a tinted copy of the atlas, made once per colour, since a
// masked blit keeps the picture's own colour. GUI thread only.
class LCDFont
{
public:
    // The colour of the glyphs in the picture.
    static wxColour DefaultColour() { return *wxBLACK; }

    // False, leaving the font unloaded, for a picture that cannot be read or
    // is not a square whose side is a multiple of 8; problem then says which.
    static bool Load(const wxString& path, wxString* problem = nullptr);
    // Call before the toolkit shuts down (application exit).
    static void Free();
    static bool IsLoaded();

    // Cell size in pixels; 0 while unloaded. Characters advance by cell + 1.
    static int CellWidth();
    static int CellHeight();

    // (column, row) of the character's cell, (-1, -1) when it has none.
    static wxPoint GetGlyphCell(char character);

    // Draws one character in the default colour at point; false, drawing
    // nothing, for a character without a cell or while unloaded.
    static bool DrawChar(wxDC& dc, char character, const wxPoint& point);
    // Character i goes to point + ((cell width + 1) i, 0); a character
    // without a cell leaves its place empty.
    static bool DrawText(wxDC& dc, const std::string& text, const wxPoint& point,
                         const wxColour& colour);
};
