#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include <wx/image.h>

#include "tests/model/TempFolder.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/LCDFont.h"

namespace
{
const wxColour kPaper(200, 10, 10);

// Every character a caption can print, with its cell.
const char* const kRows[8] = {"ABCDEFGH", "IJKLMNOP", "QRSTUVWX", "YZ012345",
                              "6789#b-+", ":.!/()\"?", "=<>;$%&'", "*@,"};

class LCDFontTest : public testing::Test
{
protected:
    void SetUp() override { LoadTestFont(); }
    TempFolder m_folder;
};
} // namespace

TEST_F(LCDFontTest, EveryCharacterOfTheAtlasHasItsCellAndNoOtherHasOne)
{
    for (int row = 0; row < 8; ++row)
        for (int column = 0; kRows[row][column]; ++column)
            EXPECT_EQ(LCDFont::GetGlyphCell(kRows[row][column]), wxPoint(column, row)) << kRows[row][column];
    EXPECT_EQ(LCDFont::GetGlyphCell(' '), wxPoint(7, 7));
    for (char c : std::string("acxz_[]{}\\^`|~\t"))
        EXPECT_EQ(LCDFont::GetGlyphCell(c), wxPoint(-1, -1)) << c;
    EXPECT_EQ(LCDFont::GetGlyphCell('\0'), wxPoint(-1, -1));
    EXPECT_EQ(LCDFont::GetGlyphCell(static_cast<char>(0xC4)), wxPoint(-1, -1));
}

TEST_F(LCDFontTest, LoadingChecksTheShapeOfThePicture)
{
    EXPECT_EQ(LCDFont::CellWidth(), 8);
    EXPECT_EQ(LCDFont::CellHeight(), 8);

    WriteTestFont(m_folder.File("60.png"), 60);
    wxImage(64, 56).SaveFile(m_folder.File("wide.png"), wxBITMAP_TYPE_PNG);
    std::ofstream(m_folder.File("broken.png")) << "not a picture";
    const std::pair<const char*, const char*> refused[] = {
        {"60.png", "the picture is 60 x 60 pixels; it must be a square whose side is a multiple of 8"},
        {"wide.png", "the picture is 64 x 56 pixels; it must be a square whose side is a multiple of 8"},
        {"missing.png", "the file is missing"},
        {"broken.png", "the file is not a picture the program can read"},
    };
    for (const auto& [file, why] : refused)
    {
        wxString problem;
        EXPECT_FALSE(LCDFont::Load(m_folder.File(file), &problem)) << file;
        EXPECT_EQ(problem, why) << file;
        EXPECT_FALSE(LCDFont::IsLoaded());
        EXPECT_EQ(LCDFont::CellWidth(), 0);
    }

    // Drawing while unloaded draws nothing and does not fail.
    Canvas canvas(20, 20, kPaper);
    EXPECT_FALSE(LCDFont::DrawChar(canvas.DC(), 'A', wxPoint(0, 0)));
    LCDFont::DrawText(canvas.DC(), "AB", wxPoint(0, 0), *wxBLACK);
    EXPECT_TRUE(SameColour(canvas.Pixel(0, 0), kPaper));

    WriteTestFont(m_folder.File("96.png"), 96);
    ASSERT_TRUE(LCDFont::Load(m_folder.File("96.png")));
    EXPECT_EQ(LCDFont::CellWidth(), 12);
}

TEST_F(LCDFontTest, TextIsCopiedCellByCellThroughTheMask)
{
    // "B" is cell (1, 0), "3" is cell (5, 3); "a" has none, so its place stays empty.
    Canvas canvas(60, 20, kPaper);
    EXPECT_TRUE(LCDFont::DrawText(canvas.DC(), "BaB3", wxPoint(2, 5), LCDFont::DefaultColour()));
    const wxImage image = canvas.Image();
    int black = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const bool isBlack = image.GetRed(x, y) == 0 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 0;
            black += isBlack;
            if (!isBlack)
            {
                EXPECT_EQ(wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)), kPaper)
                    << "the white of the picture is transparent, at " << x << "," << y;
            }
        }
    EXPECT_EQ(black, 6) << "two dots for each of the three glyphs";
    auto isBlack = [&](int x, int y) { return image.GetRed(x, y) == 0 && image.GetBlue(x, y) == 0; };
    // Characters advance by cell + 1 = 9 pixels.
    EXPECT_TRUE(isBlack(2 + 1, 5 + 0));
    EXPECT_TRUE(isBlack(2 + 7, 5 + 7));
    EXPECT_TRUE(isBlack(2 + 18 + 1, 5 + 0));
    EXPECT_TRUE(isBlack(2 + 27 + 5, 5 + 3));
    EXPECT_TRUE(isBlack(2 + 27 + 7, 5 + 7));

    Canvas single(10, 10, kPaper);
    EXPECT_TRUE(LCDFont::DrawChar(single.DC(), 'Z', wxPoint(0, 0)));
    EXPECT_FALSE(LCDFont::DrawChar(single.DC(), 'z', wxPoint(0, 0)));
    EXPECT_TRUE(SameColour(single.Pixel(1, 3), *wxBLACK)) << "Z is cell (1, 3)";
}

TEST_F(LCDFontTest, GlyphsTakeTheColourAskedFor)
{
    for (const wxColour& colour : {wxColour(0, 160, 0), wxColour(255, 255, 255), wxColour(0, 160, 0)})
    {
        Canvas canvas(20, 10, kPaper);
        LCDFont::DrawText(canvas.DC(), "A", wxPoint(0, 0), colour);
        EXPECT_TRUE(SameColour(canvas.Pixel(0, 0), colour)) << colour.GetAsString();
        EXPECT_TRUE(SameColour(canvas.Pixel(7, 7), colour));
        EXPECT_TRUE(SameColour(canvas.Pixel(3, 3), kPaper)) << "still transparent around the glyph";
    }
    // The default colour after a tinted one is the picture's own again.
    Canvas canvas(20, 10, kPaper);
    LCDFont::DrawText(canvas.DC(), "A", wxPoint(0, 0), LCDFont::DefaultColour());
    EXPECT_TRUE(SameColour(canvas.Pixel(0, 0), *wxBLACK));
}

TEST_F(LCDFontTest, TheShippedFontHoldsEveryGlyphInItsCell)
{
    ASSERT_TRUE(LCDFont::Load(DORVA_IMAGES_DIR "/Font.png"));
    const int cell = LCDFont::CellWidth();
    EXPECT_EQ(cell, 6) << "the panel's text fields are laid out for 6-pixel cells";
    wxImage picture(DORVA_IMAGES_DIR "/Font.png", wxBITMAP_TYPE_PNG);
    auto inked = [&](int column, int row) {
        int dots = 0;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x)
            {
                const int px = column * cell + x, py = row * cell + y;
                const bool white = picture.GetRed(px, py) == 255 && picture.GetGreen(px, py) == 255 &&
                                   picture.GetBlue(px, py) == 255;
                dots += !white;
            }
        return dots;
    };
    for (int row = 0; row < 8; ++row)
        for (int column = 0; kRows[row][column]; ++column)
            EXPECT_GT(inked(column, row), 0) << "no glyph for " << kRows[row][column];
    EXPECT_EQ(inked(7, 7), 0) << "the space is blank";
    // Glyphs must differ, or two characters would read alike.
    for (int a = 0; a < 64; ++a)
        for (int b = a + 1; b < 64; ++b)
        {
            const wxImage first = picture.GetSubImage(wxRect(a % 8 * cell, a / 8 * cell, cell, cell));
            const wxImage second = picture.GetSubImage(wxRect(b % 8 * cell, b / 8 * cell, cell, cell));
            if (inked(a % 8, a / 8) > 0)
            {
                EXPECT_NE(0, memcmp(first.GetData(), second.GetData(), cell * cell * 3)) << a << " " << b;
            }
        }
    LoadTestFont();
}
