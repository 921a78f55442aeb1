#pragma once

#include <wx/colour.h>
#include <wx/gdicmn.h>

class wxDC;

// The magenta of the selection and of active panel buttons.
inline wxColour HighlightColour() { return wxColour(213, 23, 143); }
// The light grey of a panel button under the pointer.
inline wxColour HoverGrey() { return wxColour(238, 238, 238); }

// A 1-pixel frame of the rectangle in the colour (the highlight colour when
// highlight is set); thickness 2 adds a second frame inset by one pixel.
// The outer frame covers exactly the rectangle's border pixels.
void DrawFrameRect(wxDC& dc, const wxRect& rect, bool highlight, int thickness, const wxColour& colour);

// A 1-pixel dotted outline (every other border pixel) in the colour, drawn
// pixel by pixel so that the dots stay crisp where the toolkit's dotted pen
// is blended.
void DrawDottedRect(wxDC& dc, const wxRect& rect, const wxColour& colour);
