#include <gtest/gtest.h>

#include <memory>

#include <wx/frame.h>

#include "app/WxText.h"
#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/ControlButton.h"
#include "ui/LCDFont.h"

namespace
{
const wxColour kPaper(200, 210, 190);
const wxColour kMark(238, 238, 238);
const wxColour kHighlight(213, 23, 143);

class ControlButtonTest : public testing::Test
{
protected:
    ControlButtonTest()
    {
        LoadTestFont();
        m_state.SetType(ControlMessageType::CC, false);
        m_state.SetName("AB");
        m_state.SetMIDIControlLSBNum(7);
    }
    ~ControlButtonTest() override
    {
        TestEditorApp::SetHasViewMenu(false);
        App().Prefs().viewType = 1;
        App().Prefs().showCtrlToolTips = 1;
        App().SetMainWindow(nullptr, nullptr);
    }

    std::unique_ptr<CControlButton> Make(int kind, wxPoint at, wxPoint labelOffset = {3, 2},
                                         CaptionOptions caption = {}, int characters = -1,
                                         wxColour frame = *wxBLACK, int index = 5)
    {
        return std::make_unique<CControlButton>(at, kind, std::make_unique<CPlacedControl>(&m_state, index),
                                                "Group A Pot 6", "", caption, characters, kMark, frame,
                                                labelOffset);
    }

    // Black pixels drawn, and where.
    static int CountBlack(const wxImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                count += image.GetRed(x, y) == 0 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 0;
        return count;
    }
    static bool IsBlack(const wxImage& image, int x, int y)
    {
        return image.GetRed(x, y) == 0 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 0;
    }

    CBaseControlState m_state;
};
} // namespace

TEST_F(ControlButtonTest, RectangleAndCaptionPointFollowTheKind)
{
    // Shapes are shrunk to their hit area after the caption point is taken.
    auto button = Make(ControlButtonKind::Button, {570, 73}, {4, 2});
    EXPECT_EQ(button->GetRect(), wxRect(572, 75, 33, 14));
    EXPECT_EQ(button->GetCaption().GetPosition(), wxPoint(574, 93));
    // A text field follows the font (8-pixel cells, 3 characters) and is widened, not shrunk.
    auto wheel = Make(ControlButtonKind::TextField, {9, 267}, {3, 3}, {true, 6, 0, false}, 3);
    EXPECT_EQ(wheel->GetRect(), wxRect(6, 264, 32, 14));
    EXPECT_EQ(wheel->GetCaption().GetPosition(), wxPoint(9, 281));
    EXPECT_EQ(Make(11, {40, 40})->GetRect(), wxRect(0, 0, 0, 0)) << "no such kind";
    EXPECT_EQ(Make(11, {40, 40})->GetCaption().GetPosition(), wxPoint(3, 2));
    EXPECT_EQ(CControlButton::KindSize(10, -1), wxSize(43, 42));
}

TEST_F(ControlButtonTest, HitTestExcludesTheRightAndBottomEdgeLines)
{
    auto pot = Make(ControlButtonKind::Pot, {20, 10}); // (22, 12, 31, 30)
    EXPECT_TRUE(pot->HitTest({22, 12}));
    EXPECT_TRUE(pot->HitTest({52, 41}));
    EXPECT_FALSE(pot->HitTest({53, 20}));
    EXPECT_FALSE(pot->HitTest({30, 42}));
    EXPECT_FALSE(pot->HitTest({21, 20}));
    EXPECT_FALSE(Make(11, {0, 0})->HitTest({0, 0})) << "an empty rectangle is never hit";
}

TEST_F(ControlButtonTest, MarksAreTwoPixelFramesOfTheRectangle)
{
    auto pot = Make(ControlButtonKind::Pot, {20, 10}); // (22, 12, 31, 30)
    Canvas canvas(80, 60, kPaper);
    pot->DrawSelectionMark(canvas.DC(), {0, 0});
    for (wxPoint p : {wxPoint(22, 12), wxPoint(52, 41), wxPoint(23, 13), wxPoint(51, 40), wxPoint(37, 12)})
        EXPECT_TRUE(SameColour(canvas.Pixel(p.x, p.y), kHighlight)) << p.x << "," << p.y;
    for (wxPoint p : {wxPoint(24, 14), wxPoint(21, 11), wxPoint(53, 42), wxPoint(37, 27)})
        EXPECT_TRUE(SameColour(canvas.Pixel(p.x, p.y), kPaper)) << p.x << "," << p.y;

    Canvas moved(90, 70, kPaper);
    pot->DrawDropMark(moved.DC(), {5, 7});
    EXPECT_TRUE(SameColour(moved.Pixel(27, 19), kMark));
    EXPECT_TRUE(SameColour(moved.Pixel(56, 47), kMark));
    EXPECT_TRUE(SameColour(moved.Pixel(22, 12), kPaper));
}

TEST_F(ControlButtonTest, OnlyAFrameColourOtherThanBlackDrawsAFrame)
{
    m_state.SetType(ControlMessageType::Disabled, false);
    Canvas plain(80, 60, kPaper);
    Make(ControlButtonKind::Pot, {20, 10})->DrawCaption(plain.DC(), *wxBLACK, {0, 0});
    EXPECT_EQ(CountBlack(plain.Image()), 0) << "no caption for a disabled control, no frame";
    EXPECT_TRUE(SameColour(plain.Pixel(22, 12), kPaper));

    Canvas framed(80, 60, kPaper);
    Make(ControlButtonKind::Pot, {20, 10}, {3, 2}, {}, -1, wxColour(0, 0, 200))
        ->DrawCaption(framed.DC(), *wxBLACK, {0, 0});
    EXPECT_TRUE(SameColour(framed.Pixel(22, 12), wxColour(0, 0, 200)));
    EXPECT_TRUE(SameColour(framed.Pixel(52, 41), wxColour(0, 0, 200)));
    EXPECT_TRUE(SameColour(framed.Pixel(23, 13), kPaper)) << "one pixel thick";
}

TEST_F(ControlButtonTest, ThreeCentredLinesUnderAPot)
{
    // View type 3 on the DorvaSynth: name "AB", "CC007", "CH:01", 10 pixels apart.
    auto pot = Make(ControlButtonKind::Pot, {20, 10}); // caption point (23, 46)
    Canvas canvas(120, 90, kPaper);
    pot->DrawCaption(canvas.DC(), *wxBLACK, {0, 0});
    const wxImage image = canvas.Image();
    EXPECT_EQ(CountBlack(image), 24) << "two dots for each of 12 glyphs";
    const int nameX = 23 + 13; // (2 + (1 - 2) / 2) * 9, truncated
    EXPECT_TRUE(IsBlack(image, nameX + 0, 46)) << "A is cell (0, 0)";
    EXPECT_TRUE(IsBlack(image, nameX + 9 + 1, 46)) << "B is cell (1, 0)";
    EXPECT_TRUE(IsBlack(image, 23 + 2, 56)) << "C of CC007, not moved: (2 - 2) * 9 = 0";
    EXPECT_TRUE(IsBlack(image, 23 + 36 + 1, 56 + 4)) << "7 is cell (1, 4)";
    EXPECT_TRUE(IsBlack(image, 23 + 18 + 0, 66 + 5)) << ": of CH:01 is cell (0, 5)";

    // The origin moves everything.
    Canvas shifted(130, 100, kPaper);
    pot->DrawCaption(shifted.DC(), *wxBLACK, {4, 6});
    EXPECT_TRUE(IsBlack(shifted.Image(), nameX + 4, 46 + 6));
}

TEST_F(ControlButtonTest, CentreOffsetOfALine)
{
    auto pot = Make(ControlButtonKind::Pot, {0, 0});
    const ControlCaption& caption = pot->GetCaption();
    EXPECT_EQ(caption.CentreOffset("CC007"), 0);
    EXPECT_EQ(caption.CentreOffset("X"), 18);
    EXPECT_EQ(caption.CentreOffset("ABCDEFGH"), -13) << "-13.5 truncated toward zero";
    EXPECT_EQ(caption.CentreOffset("FLT."), caption.CentreOffset("FLTX") + 2);
    auto field = Make(ControlButtonKind::TextField, {0, 0}, {3, 3}, {true, 6, 0, false}, 3);
    EXPECT_EQ(field->GetCaption().CentreOffset("ABCDEFGH"), 0);
    EXPECT_EQ(field->GetCaption().CentreOffset("FLT."), 0);
    // Cache width: (characters + 1) x cell + 2, characters at least 6.
    EXPECT_EQ(caption.GetSize(), wxSize(9 * 8 + 2, 8)) << "display name length 8";
    EXPECT_EQ(field->GetCaption().GetSize(), wxSize(9 * 8 + 2, 8)) << "name length 6 + 2";
    EXPECT_EQ(Make(ControlButtonKind::TextField, {0, 0}, {3, 3}, {true, 2, 0, false}, 3)->GetCaption().GetSize(),
              wxSize(7 * 8 + 2, 8))
        << "at least 6 characters";
}

TEST_F(ControlButtonTest, SingleLineCaptionIsRenderedOnceAndRedrawnFromItsCache)
{
    TestEditorApp::SetHasViewMenu(true);
    App().Prefs().viewType = 0; // caption line only
    auto pot = Make(ControlButtonKind::Pot, {20, 10}); // caption point (23, 46)
    Canvas canvas(120, 90, kPaper);
    pot->DrawCaption(canvas.DC(), *wxBLACK, {0, 0});
    EXPECT_EQ(CountBlack(canvas.Image()), 10) << "CC007 alone";
    EXPECT_TRUE(IsBlack(canvas.Image(), 25, 46));

    // Same text and colour: the cached pixels are copied back, background and all.
    canvas.DC().SetBackground(wxBrush(*wxWHITE));
    canvas.DC().Clear();
    pot->DrawCaption(canvas.DC(), *wxBLACK, {0, 0});
    EXPECT_TRUE(SameColour(canvas.Pixel(24, 47), kPaper)) << "from the cache";
    EXPECT_TRUE(IsBlack(canvas.Image(), 25, 46));

    // A new text renders again over the panel as it is now (the view draws
    // its picture before the captions).
    canvas.DC().Clear();
    m_state.SetMIDIControlLSBNum(8);
    pot->DrawCaption(canvas.DC(), *wxBLACK, {0, 0});
    EXPECT_TRUE(SameColour(canvas.Pixel(24, 47), *wxWHITE));
    EXPECT_TRUE(IsBlack(canvas.Image(), 23 + 36 + 2, 46 + 4)) << "8 is cell (2, 4)";
    EXPECT_FALSE(IsBlack(canvas.Image(), 23 + 36 + 1, 46 + 4)) << "the 7 is gone";

    // A new colour renders again too.
    pot->DrawCaption(canvas.DC(), wxColour(0, 0, 255), {0, 0});
    EXPECT_TRUE(SameColour(canvas.Pixel(25, 46), wxColour(0, 0, 255)));

    App().Prefs().viewType = 2;
    Canvas channel(120, 90, kPaper);
    pot->DrawCaption(channel.DC(), *wxBLACK, {0, 0});
    EXPECT_EQ(CountBlack(channel.Image()), 10) << "CH:01 alone";
    EXPECT_TRUE(IsBlack(channel.Image(), 23 + 18, 46 + 5));
}

TEST_F(ControlButtonTest, TextFieldsShowOnlyTheNameEvenWithEveryLineAsked)
{
    m_state.SetName("Mod Wheel");
    auto wheel = Make(ControlButtonKind::TextField, {9, 267}, {3, 3}, {true, 6, 0, false}, 3);
    Canvas canvas(120, 300, kPaper);
    wheel->DrawCaption(canvas.DC(), *wxBLACK, {0, 0}); // caption point (9, 281), not centred
    // "Mod Wheel" in 6 characters: both words lose their inner vowels.
    EXPECT_EQ(wheel->GetCaption().NameText(), "MD WHL");
    EXPECT_EQ(CountBlack(canvas.Image()), 11) << "the test font's space has one dot";
    EXPECT_TRUE(IsBlack(canvas.Image(), 9 + 4, 281 + 1)) << "M is cell (4, 1)";
}

TEST_F(ControlButtonTest, LabelAndTooltipTexts)
{
    EXPECT_EQ(Make(ControlButtonKind::Pot, {0, 0})->GetLabelText(), "Group A Pot 6\n");
    CControlButton described({0, 0}, 0, std::make_unique<CPlacedControl>(&m_state, 1), "Pad X1", "Touch pad",
                             {}, -1, kMark, *wxBLACK, {0, 0});
    EXPECT_EQ(described.GetLabelText(), "Pad X1 - Touch pad\n");

    ControlInfoRecord bare;
    bare.typeName = "CC";
    EXPECT_EQ(CControlButton::ControlInfoText(bare), "Unnamed\n-------------------------\nCC");
    ControlInfoRecord full{"Cutoff", "Channel: 1", "NRPN", "LSB: 3", "MSB: 1", "High: 127", "Low: 0"};
    EXPECT_EQ(CControlButton::ControlInfoText(full),
              "Cutoff\n-------------------------\nNRPN\nChannel: 1\nLSB: 3\nMSB: 1\nHigh: 127\nLow: 0");
    ControlInfoRecord gaps{"X", "", "SysEx", "", "F0 DV F7", "", "Low: 0"};
    EXPECT_EQ(CControlButton::ControlInfoText(gaps), "X\n-------------------------\nSysEx\nF0 DV F7\nLow: 0");
}

TEST_F(ControlButtonTest, TooltipFollowsThePreferenceAndTheMessageType)
{
    wxFrame main(nullptr, wxID_ANY, "Main");
    App().SetMainWindow(&main, nullptr);
    auto pot = Make(ControlButtonKind::Pot, {0, 0});
    pot->UpdateToolTip();
    EXPECT_EQ(FromWx(main.GetToolTipText()), CControlButton::ControlInfoText(m_state.Describe()));

    m_state.SetType(ControlMessageType::Disabled, false);
    pot->UpdateToolTip();
    EXPECT_EQ(main.GetToolTipText(), "") << "an unassigned control has no tip";

    m_state.SetType(ControlMessageType::CC, false);
    App().Prefs().showCtrlToolTips = 0;
    pot->UpdateToolTip();
    EXPECT_EQ(main.GetToolTipText(), "") << "tips switched off: left as it was";
    main.SetToolTip("before");
    pot->UpdateToolTip();
    EXPECT_EQ(main.GetToolTipText(), "before");

    App().SetMainWindow(nullptr, nullptr);
    App().Prefs().showCtrlToolTips = 1;
    pot->UpdateToolTip(); // no main window: nothing to set, no failure
}

TEST_F(ControlButtonTest, WithoutTheFontNothingIsDrawnAndNoBitmapIsMadeEmpty)
{
    LCDFont::Free();
    auto pot = Make(ControlButtonKind::Pot, {20, 10});
    auto field = Make(ControlButtonKind::TextField, {9, 267}, {3, 3}, {true, 6, 0, false}, 3);
    EXPECT_EQ(field->GetRect(), wxRect(6, 264, 8, 6)) << "cells of 0 pixels, 1-pixel gaps";
    TestEditorApp::SetHasViewMenu(true);
    App().Prefs().viewType = 0;
    Canvas canvas(80, 300, kPaper);
    pot->DrawCaption(canvas.DC(), *wxBLACK, {0, 0});
    field->DrawCaption(canvas.DC(), *wxBLACK, {0, 0});
    EXPECT_EQ(CountBlack(canvas.Image()), 0);
}
