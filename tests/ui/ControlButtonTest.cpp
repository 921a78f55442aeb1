// What a control button answers; how it draws is in PanelPictureTest.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/ControlButton.h"
#include "ui/LCDFont.h"

namespace
{
std::unique_ptr<CControlButton> Make(CBaseControlState& state, int kind, wxPoint at, const char* description = "")
{
    const bool field = kind == ControlButtonKind::TextField;
    return std::make_unique<CControlButton>(at, kind, std::make_unique<CPlacedControl>(&state, 5), "Group A Pot 6",
                                            description, field ? CaptionOptions{true, 6, 0, false} : CaptionOptions{},
                                            3, *wxWHITE, *wxBLACK, wxPoint(3, 2));
}
} // namespace

TEST(ControlButtonTest, HitTestExcludesTheRightAndBottomEdgeLines)
{
    LoadTestFont();
    CBaseControlState state;
    auto pot = Make(state, ControlButtonKind::Pot, {20, 10});
    ASSERT_EQ(pot->GetRect(), wxRect(22, 12, 31, 30));
    for (wxPoint inside : {wxPoint(22, 12), wxPoint(52, 41)})
        EXPECT_TRUE(pot->HitTest(inside)) << inside.x << "," << inside.y;
    for (wxPoint outside : {wxPoint(53, 20), wxPoint(30, 42), wxPoint(21, 20)})
        EXPECT_FALSE(pot->HitTest(outside)) << outside.x << "," << outside.y;
    EXPECT_FALSE(Make(state, 11, {0, 0})->HitTest({0, 0})) << "no such kind: an empty rectangle is never hit";
}

TEST(ControlButtonTest, LabelAndTooltipTexts)
{
    CBaseControlState state;
    EXPECT_EQ(Make(state, ControlButtonKind::Pot, {0, 0})->GetLabelText(), "Group A Pot 6\n");
    EXPECT_EQ(Make(state, ControlButtonKind::Pot, {0, 0}, "Touch pad")->GetLabelText(),
              "Group A Pot 6 - Touch pad\n");

    ControlInfoRecord bare;
    bare.typeName = "CC";
    EXPECT_EQ(CControlButton::ControlInfoText(bare), "Unnamed\n-------------------------\nCC");
    ControlInfoRecord full{"Cutoff", "Channel: 1", "NRPN", "LSB: 3", "MSB: 1", "High: 127", "Low: 0"};
    EXPECT_EQ(CControlButton::ControlInfoText(full),
              "Cutoff\n-------------------------\nNRPN\nChannel: 1\nLSB: 3\nMSB: 1\nHigh: 127\nLow: 0");
    ControlInfoRecord gaps{"X", "", "SysEx", "", "F0 DV F7", "", "Low: 0"};
    EXPECT_EQ(CControlButton::ControlInfoText(gaps), "X\n-------------------------\nSysEx\nF0 DV F7\nLow: 0");
}

// A caption sizes a bitmap from the font's cell; without a font there is no
// cell, and a bitmap of no height would be a toolkit failure.
TEST(ControlButtonTest, WithoutTheFontNothingIsDrawnAndNoBitmapIsMadeEmpty)
{
    LCDFont::Free();
    CBaseControlState state;
    state.SetType(ControlMessageType::CC, false);
    auto pot = Make(state, ControlButtonKind::Pot, {20, 10});
    auto field = Make(state, ControlButtonKind::TextField, {9, 267});
    EXPECT_EQ(field->GetRect(), wxRect(6, 264, 8, 6)) << "cells of 0 pixels, 1-pixel gaps";
    TestEditorApp::SetHasViewMenu(true);
    App().Prefs().viewType = 0;
    Canvas canvas(80, 300, *wxWHITE);
    pot->DrawCaption(canvas.DC(), *wxBLACK, {0, 0});
    field->DrawCaption(canvas.DC(), *wxBLACK, {0, 0});
    const wxImage image = canvas.Image();
    EXPECT_TRUE(std::all_of(image.GetData(), image.GetData() + 80 * 300 * 3, [](unsigned char c) { return c == 255; }));
    TestEditorApp::SetHasViewMenu(false);
    App().Prefs().viewType = 1;
    LoadTestFont();
}
