// Loading the display font and the shipped picture; how text draws is in
// PanelPictureTest.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>

#include <wx/image.h>

#include "tests/model/TempFolder.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/LCDFont.h"

TEST(LCDFontTest, LoadingChecksTheShapeOfThePicture)
{
    TempFolder folder;
    WriteTestFont(folder.File("60.png"), 60);
    WriteTestFont(folder.File("96.png"), 96);
    wxImage(64, 56).SaveFile(folder.File("wide.png"), wxBITMAP_TYPE_PNG);
    std::ofstream(folder.File("broken.png")) << "not a picture";
    const std::pair<const char*, const char*> refused[] = {
        {"60.png", "the picture is 60 x 60 pixels; it must be a square whose side is a multiple of 8"},
        {"wide.png", "the picture is 64 x 56 pixels; it must be a square whose side is a multiple of 8"},
        {"missing.png", "the file is missing"},
        {"broken.png", "the file is not a picture the program can read"},
    };
    for (const auto& [file, why] : refused)
    {
        wxString problem;
        EXPECT_FALSE(LCDFont::Load(folder.File(file), &problem)) << file;
        EXPECT_EQ(problem, why) << file;
        EXPECT_FALSE(LCDFont::IsLoaded()) << file;
        EXPECT_EQ(LCDFont::CellWidth(), 0) << file;
    }
    // Drawing while unloaded draws nothing and does not fail.
    Canvas canvas(20, 20, *wxWHITE);
    EXPECT_FALSE(LCDFont::DrawChar(canvas.DC(), 'A', wxPoint(0, 0)));
    LCDFont::DrawText(canvas.DC(), "AB", wxPoint(0, 0), *wxBLACK);
    EXPECT_TRUE(SameColour(canvas.Pixel(0, 0), *wxWHITE));

    ASSERT_TRUE(LCDFont::Load(folder.File("96.png")));
    EXPECT_EQ(LCDFont::CellWidth(), 12);
    EXPECT_EQ(LCDFont::CellHeight(), 12);
    // The atlas's empty cells hold no character.
    EXPECT_EQ(LCDFont::GetGlyphCell('\0'), wxPoint(-1, -1));
    EXPECT_EQ(LCDFont::GetGlyphCell(static_cast<char>(0xC4)), wxPoint(-1, -1));
    LoadTestFont();
}

TEST(LCDFontTest, TheShippedFontHoldsADistinctGlyphInEveryCell)
{
    ASSERT_TRUE(LCDFont::Load(DORVA_IMAGES_DIR "/Font.png"));
    const int cell = LCDFont::CellWidth();
    EXPECT_EQ(cell, 6) << "the panel's text fields are laid out for 6-pixel cells";
    const wxImage picture(DORVA_IMAGES_DIR "/Font.png", wxBITMAP_TYPE_PNG);
    auto glyph = [&](int n) { return picture.GetSubImage(wxRect(n % 8 * cell, n / 8 * cell, cell, cell)); };
    const wxImage blank = glyph(63); // the space
    for (int a = 0; a < 59; ++a) // every cell holding a character, but the space
        for (int b = a + 1; b < 64; ++b)
            EXPECT_NE(0, memcmp(glyph(a).GetData(), glyph(b).GetData(), cell * cell * 3)) << a << " and " << b;
    EXPECT_TRUE(std::all_of(blank.GetData(), blank.GetData() + cell * cell * 3, [](unsigned char c) { return c == 255; }))
        << "the space is blank";
    LoadTestFont();
}
