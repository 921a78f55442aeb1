#include "ui/LCDFont.h"

#include <map>
#include <memory>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>

namespace
{
// Cell rows of the atlas, top to bottom; '\0' marks an empty cell.
const char kAtlas[8][8] = {
    {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'},
    {'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P'},
    {'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X'},
    {'Y', 'Z', '0', '1', '2', '3', '4', '5'},
    {'6', '7', '8', '9', '#', 'b', '-', '+'},
    {':', '.', '!', '/', '(', ')', '"', '?'},
    {'=', '<', '>', ';', '$', '%', '&', '\''},
    {'*', '@', ',', '\0', '\0', '\0', '\0', ' '},
};

// A bitmap held in its own memory context, ready to blit from.
struct Atlas
{
    wxBitmap bitmap;
    wxMemoryDC dc;

    explicit Atlas(const wxBitmap& picture) : bitmap(picture) { dc.SelectObject(bitmap); }
    ~Atlas() { dc.SelectObject(wxNullBitmap); }
};

struct FontState
{
    wxImage picture;
    std::unique_ptr<Atlas> atlas;
    std::map<wxUint32, std::unique_ptr<Atlas>> tinted;
    int cell = 0;
};

// Never destroyed: bitmaps must not outlive the toolkit, and a program that
// ends without Free would otherwise release them after it.
FontState& State()
{
    static FontState* state = new FontState;
    return *state;
}

wxUint32 Key(const wxColour& colour)
{
    return (wxUint32(colour.Red()) << 16) | (wxUint32(colour.Green()) << 8) | colour.Blue();
}

// The atlas for a colour: the picture itself for the default colour, else
// a copy with every glyph pixel in that colour. Its transparent pixels take
// another colour when the glyphs are to be white.
Atlas* AtlasFor(const wxColour& colour)
{
    FontState& state = State();
    if (!state.atlas)
        return nullptr;
    if (Key(colour) == Key(LCDFont::DefaultColour()))
        return state.atlas.get();
    auto found = state.tinted.find(Key(colour));
    if (found != state.tinted.end())
        return found->second.get();

    // Few colours are ever asked for; a runaway caller must not grow this forever.
    if (state.tinted.size() >= 16)
        state.tinted.clear();
    const unsigned char clear = Key(colour) == 0xFFFFFF ? 0 : 255;
    wxImage image = state.picture.Copy();
    unsigned char* data = image.GetData();
    const long pixels = long(image.GetWidth()) * image.GetHeight();
    for (long i = 0; i < pixels; ++i, data += 3)
    {
        const bool transparent = data[0] == 255 && data[1] == 255 && data[2] == 255;
        data[0] = transparent ? clear : colour.Red();
        data[1] = transparent ? clear : colour.Green();
        data[2] = transparent ? clear : colour.Blue();
    }
    image.SetMaskColour(clear, clear, clear);
    image.SetMask(true);
    auto& slot = state.tinted[Key(colour)];
    slot = std::make_unique<Atlas>(wxBitmap(image));
    return slot.get();
}

bool Blit(wxDC& dc, Atlas& atlas, char character, const wxPoint& point)
{
    const wxPoint cell = LCDFont::GetGlyphCell(character);
    if (cell.x < 0)
        return false;
    const int size = State().cell;
    dc.Blit(point.x, point.y, size, size, &atlas.dc, cell.x * size, cell.y * size, wxCOPY, true);
    return true;
}
} // namespace

bool LCDFont::Load(const wxString& path, wxString* problem)
{
    Free();
    auto refuse = [problem](const wxString& why) {
        if (problem)
            *problem = why;
        return false;
    };
    if (!wxFileExists(path))
        return refuse("the file is missing");
    if (!wxFileName::IsFileReadable(path))
        return refuse("the file cannot be read (no permission)");
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);

    wxImage picture;
    {
        wxLogNull quiet; // the caller says what went wrong, in its own words
        if (!picture.LoadFile(path, wxBITMAP_TYPE_ANY) || !picture.IsOk())
            return refuse("the file is not a picture the program can read");
    }
    const int side = picture.GetWidth();
    if (side <= 0 || side != picture.GetHeight() || side % 8 != 0)
        return refuse(wxString::Format("the picture is %d x %d pixels; it must be a square whose side is a "
                                       "multiple of 8",
                                       picture.GetWidth(), picture.GetHeight()));
    if (picture.HasAlpha())
        picture.ClearAlpha();
    picture.SetMaskColour(255, 255, 255);
    picture.SetMask(true);

    FontState& state = State();
    state.picture = picture;
    state.atlas = std::make_unique<Atlas>(wxBitmap(picture));
    state.cell = side / 8;
    return true;
}

void LCDFont::Free()
{
    FontState& state = State();
    state.tinted.clear();
    state.atlas.reset();
    state.picture.Destroy();
    state.cell = 0;
}

bool LCDFont::IsLoaded()
{
    return State().atlas != nullptr;
}

int LCDFont::CellWidth()
{
    return State().cell;
}

int LCDFont::CellHeight()
{
    return State().cell;
}

wxPoint LCDFont::GetGlyphCell(char character)
{
    if (character == '\0')
        return wxPoint(-1, -1);
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column)
            if (kAtlas[row][column] == character)
                return wxPoint(column, row);
    return wxPoint(-1, -1);
}

bool LCDFont::DrawChar(wxDC& dc, char character, const wxPoint& point)
{
    Atlas* atlas = AtlasFor(DefaultColour());
    return atlas && Blit(dc, *atlas, character, point);
}

bool LCDFont::DrawText(wxDC& dc, const std::string& text, const wxPoint& point,
                       const wxColour& colour)
{
    Atlas* atlas = AtlasFor(colour);
    if (!atlas)
        return true;
    const int advance = State().cell + 1;
    for (size_t i = 0; i < text.size(); ++i)
        Blit(dc, *atlas, text[i], wxPoint(point.x + advance * int(i), point.y));
    return true;
}
