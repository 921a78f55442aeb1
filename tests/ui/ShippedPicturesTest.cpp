#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <wx/image.h>

#include "tests/ui/PanelTestSupport.h"

namespace
{
wxImage Picture(const std::string& name)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    return wxImage(DORVA_IMAGES_DIR "/" + name + ".png", wxBITMAP_TYPE_PNG);
}
} // namespace

// The keyboard strip measures its keys from the picture: row 0 runs through
// the top of the first white key (red above 100), the first black key (below
// 100) and the next gap; below the black keys each white key ends in a dark line.
TEST(ShippedPicturesTest, KeyboardFollowsTheMeasuringRules)
{
    const wxImage keyboard = Picture("Keyboard");
    ASSERT_TRUE(keyboard.IsOk());
    auto red = [&](int x, int y) { return int(keyboard.GetRed(x, y)); };
    int a = 0;
    while (a < keyboard.GetWidth() && red(a, 0) > 100)
        ++a;
    int d = 0;
    while (red(a + d, 0) < 100)
        ++d;
    int b = 0;
    while (red(a + d + b, 0) > 100)
        ++b;
    int e = 0;
    while (e < keyboard.GetHeight() && red(b + d, e) < 100)
        ++e;
    int c = 0;
    while (red(c, e) > 100)
        ++c;
    const int white = c + 1;
    EXPECT_EQ(white, 10);
    EXPECT_EQ(d, 6);
    EXPECT_EQ(e, 30);
    // The twelve boundaries of an octave must add up to seven white keys,
    // or every note after the first octave lands on the wrong key.
    const int boundaries = a + d + b + d + a + (a + 1) + d + b + d + b + d + a;
    EXPECT_EQ(boundaries, 7 * white);
    // Every black key of every octave starts where the boundaries put it.
    const int blackStarts[] = {a, a + d + b, 3 * a + 2 * d + b + 1, 3 * a + 3 * d + 2 * b + 1,
                               3 * a + 4 * d + 3 * b + 1};
    for (int octave = 0; octave < 10; ++octave)
        for (int start : blackStarts)
        {
            const int x = octave * 7 * white + start;
            EXPECT_LT(red(x, 0), 100) << "octave " << octave << " at " << x;
            EXPECT_GT(red(x - 1, 0), 100) << "octave " << octave << " at " << x;
        }
    EXPECT_EQ(keyboard.GetWidth(), 75 * white) << "128 notes: 10 octaves and C to G";
}

// The Listen and Send squares are lit only by the frame the view draws round
// them while listening or sending; in the picture they look switched off.
TEST(ShippedPicturesTest, ListenAndSendSquaresLookUnlit)
{
    const wxImage panel = Picture("Background");
    ASSERT_TRUE(panel.IsOk());
    for (wxRect button : {wxRect(297, 256, 32, 28), wxRect(352, 256, 32, 28)})
    {
        const wxRect inside = button.Deflate(4);
        for (int y = inside.GetTop(); y <= inside.GetBottom(); ++y)
            for (int x = inside.GetLeft(); x <= inside.GetRight(); ++x)
            {
                const int r = panel.GetRed(x, y), g = panel.GetGreen(x, y), b = panel.GetBlue(x, y);
                const int brightest = std::max({r, g, b}), dullest = std::min({r, g, b});
                ASSERT_LE(brightest, 100) << "dark at " << x << "," << y;
                ASSERT_LE(brightest - dullest, 12) << "without colour at " << x << "," << y;
            }
    }
}
