#include <gtest/gtest.h>

#include <memory>

#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "tests/app/DisplayTestMain.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/LCDFont.h"

namespace
{
bool g_hasViewMenu = false;
bool g_hasKeyboardZones = false;

class SwitchableAnswers : public CDorvaSynthAnswers
{
public:
    bool HasViewMenu() const override { return g_hasViewMenu; }
    bool HasKeyboardZones() const override { return g_hasKeyboardZones; }
};
} // namespace

TestEditorApp::TestEditorApp() : CEditorApp(std::make_unique<SwitchableAnswers>()) {}

void TestEditorApp::SetHasViewMenu(bool on)
{
    g_hasViewMenu = on;
}

void TestEditorApp::SetHasKeyboardZones(bool on)
{
    g_hasKeyboardZones = on;
}

TestEditorApp& App()
{
    return static_cast<TestEditorApp&>(wxGetApp());
}

Canvas::Canvas(int width, int height, const wxColour& fill) : m_bitmap(width, height, 24)
{
    m_dc.SelectObject(m_bitmap);
    m_dc.SetBackground(wxBrush(fill));
    m_dc.Clear();
}

Canvas::~Canvas()
{
    m_dc.SelectObject(wxNullBitmap);
}

wxImage Canvas::Image()
{
    m_dc.SelectObject(wxNullBitmap);
    wxImage image = m_bitmap.ConvertToImage();
    m_dc.SelectObject(m_bitmap);
    return image;
}

wxColour Canvas::Pixel(int x, int y)
{
    const wxImage image = Image();
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

void WriteTestFont(const std::string& path, int side)
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

void LoadTestFont()
{
    static TempFolder folder;
    static const std::string path = folder.File("Font8.png");
    static const bool written = (WriteTestFont(path, 64), true);
    (void)written;
    if (!LCDFont::Load(path))
        ADD_FAILURE() << "the test font did not load";
}

int main(int argc, char** argv)
{
    return RunDisplayTests(argc, argv, [] { return new TestEditorApp; });
}
