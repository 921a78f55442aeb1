// The DorvaSynth's front-panel view: its layout, its Listen and Send states,
// and, on a device with keyboard zones, the strip and zone rows it draws.
#include <gtest/gtest.h>

#include <set>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/KeyboardZone.h"
#include "model/PlacedControl.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/ZonedTemplate.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/DorvaSynthTemplateUI.h"
#include "ui/FrameRect.h"
#include "ui/KeyboardStrip.h"
#include "ui/WindowHelpers.h"

namespace
{
class TemplateUITest : public testing::Test
{
protected:
    TemplateUITest()
    {
        EXPECT_TRUE(LCDFont::Load(DORVA_IMAGES_DIR "/Font.png"));
        App().SetMainWindow(m_window.Frame(), &m_window);
    }
    ~TemplateUITest() override
    {
        App().SetMainWindow(nullptr, nullptr);
        UiTestApp::SetHasKeyboardZones(false);
        MIDIIO::Shutdown();
        LoadTestFont();
    }
    static wxImage Drawn(CTemplateUI& view)
    {
        Canvas canvas(view.GetPanelWidth(), view.GetPanelHeight(), wxColour(1, 2, 3));
        view.Draw(canvas.DC());
        return canvas.Image();
    }
    static wxColour Pixel(const wxImage& image, const wxPoint& p)
    {
        return wxColour(image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y));
    }

    FakeMainWindow m_window;
    CDorvaSynthTemplate m_template;
    CDorvaSynthTemplateUI m_view;
};
} // namespace

// Nothing is drawn before the first layout; then each control has one
// button, in the panel's order, inside the picture and clear of the others;
// a second layout replaces them and clears the selection.
TEST_F(TemplateUITest, TheLayoutPlacesEveryControlOnceInsideThePanel)
{
    ASSERT_GT(m_view.GetPanelWidth(), 0) << "the panel picture beside the program";
    EXPECT_EQ(Pixel(Drawn(m_view), {100, 100}), wxColour(1, 2, 3));
    m_view.CreateControls(&m_template);
    EXPECT_EQ(m_window.calls, std::vector<std::string>{"hide settings"});
    const auto& buttons = m_view.GetControlButtons();
    ASSERT_EQ(buttons.size(), 51u);
    struct Row
    {
        int position, index;
        const char* name;
        wxRect rect;
    };
    const Row rows[] = {
        {0, 0, "Group A Pot 1", {23, 13, 31, 30}},      {11, 11, "Group B Pot 1", {23, 127, 31, 30}},
        {32, 32, "Group A Button 11", {572, 75, 33, 14}}, {43, 43, "Group B Button 11", {}},
        {44, 50, "Sustain Pedal", {573, 259, 31, 30}},  {45, 45, "Mod Wheel", {6, 264, 26, 12}},
        {46, 48, "Pad Y1", {}},                           {47, 49, "Pad Y2", {}},
        {48, 44, "Pitch Bend", {}},                       {49, 46, "Pad X1", {154, 297, 19, 12}},
        {50, 47, "Pad X2", {154, 309, 19, 12}},
    };
    for (const Row& row : rows)
    {
        const CControlButton& button = *buttons[row.position];
        EXPECT_EQ(button.GetName(), row.name);
        EXPECT_EQ(button.GetIndex(), row.index) << row.name;
        if (!row.rect.IsEmpty())
            EXPECT_EQ(button.GetRect(), row.rect) << row.name;
    }
    EXPECT_EQ(m_view.FindControlButton(49)->GetMarkColour(), wxColour(221, 221, 221));
    EXPECT_EQ(m_view.FindControlButton(44)->GetCaption().GetPosition(), wxPoint(45 + 21, 294 + 12 - 8));
    EXPECT_TRUE(m_view.FindControlButton(44)->GetCaption().IsSingleLine());
    EXPECT_FALSE(m_view.FindControlButton(0)->GetCaption().IsSingleLine());

    const wxRect panel(0, 0, m_view.GetPanelWidth(), m_view.GetPanelHeight());
    std::set<int> indices;
    for (const auto& button : buttons)
    {
        indices.insert(button->GetIndex());
        EXPECT_EQ(button->GetControl(), m_template.GetControl(button->GetIndex())) << button->GetName();
        EXPECT_TRUE(button->GetDescription().empty());
        EXPECT_TRUE(panel.Contains(button->GetRect())) << button->GetName();
        const ControlCaption& caption = button->GetCaption();
        const wxRect lines(caption.GetPosition().x + caption.CentreOffset("12345678"), caption.GetPosition().y,
                           8 * (LCDFont::CellWidth() + 1) - 1,
                           caption.IsSingleLine() ? LCDFont::CellHeight() : 3 * LCDFont::CellHeight() + 4);
        EXPECT_TRUE(panel.Contains(lines)) << button->GetName() << " caption";
        for (const auto& other : buttons)
            EXPECT_TRUE(other == button || !button->GetRect().Intersects(other->GetRect()))
                << button->GetName() << " and " << other->GetName();
        for (const CToggleButton* panelButton : {&m_view.GetListenButton(), &m_view.GetSendButton()})
            EXPECT_FALSE(button->GetRect().Intersects(panelButton->GetRect())) << button->GetName();
    }
    EXPECT_EQ(indices.size(), 51u);

    m_view.GetSelection().Add(CPlacedControl(m_template.GetControl(3), 3));
    CDorvaSynthTemplate other;
    m_view.CreateControls(&other);
    EXPECT_EQ(m_view.GetControlButtons().size(), 51u);
    EXPECT_TRUE(m_view.GetSelection().Empty());
    EXPECT_EQ(m_view.GetTemplate(), &other);
    EXPECT_EQ(m_view.FindControlButton(3)->GetControl(), other.GetControl(3));
}

TEST_F(TemplateUITest, ListenAndSendStates)
{
    m_view.SetListening();
    EXPECT_TRUE(m_view.GetListenButton().IsLatched());
    m_view.SetSending();
    EXPECT_FALSE(m_view.GetListenButton().IsLatched()) << "sending ends listening in the same call";
    EXPECT_TRUE(m_view.GetSendButton().IsLatched());
    EXPECT_TRUE(m_view.Animate(60)) << "the send pulse moved";
    m_view.ResetSendButton();
    EXPECT_FALSE(m_view.GetSendButton().IsLatched());
    m_view.SetIdle();
    EXPECT_FALSE(m_view.Animate(200));

    m_view.SetSending();
    m_view.SetSendButtonShown(false);
    EXPECT_FALSE(m_view.Animate(200)) << "a hidden send button is ignored";
    m_view.ResetSendButton();
    EXPECT_TRUE(m_view.GetSendButton().IsLatched());
    EXPECT_FALSE(m_view.ZonesAvailable()) << "no keyboard zones on this unit";
    for (int status : {0x90, 0x80})
        EXPECT_FALSE(m_view.OnMidiMessage(status, 60, 100));
    EXPECT_FALSE(m_view.OnMouseWheel(3));
    EXPECT_FALSE(m_view.OnPageUp());
    EXPECT_FALSE(m_view.OnPageDown());
}

// With keyboard zones a note on channel 1 repaints the view, and the zones
// button switches the zones as an undo step; without them nothing happens.
TEST_F(TemplateUITest, WithKeyboardZonesNotesRepaintAndTheSwitchIsAnUndoStep)
{
    UiTestApp::SetHasKeyboardZones(true);
    ZonedTemplate zoned;
    m_view.CreateControls(&zoned);
    ASSERT_TRUE(m_view.ZonesAvailable());
    const std::pair<int, bool> messages[] = {{0x90, true}, {0x80, true}, {0x91, false}, {0xB0, false}};
    for (const auto& [status, repaint] : messages)
        EXPECT_EQ(m_view.OnMidiMessage(status, 60, 100), repaint) << status;

    m_view.SetZonesEnabled(true);
    EXPECT_TRUE(zoned.GetZonesEnabled());
    EXPECT_TRUE(m_view.GetZonesButton().IsLatched());
    EXPECT_EQ(zoned.GetUndoText(), "Enable Keyboard Zones");
    zoned.Undo();
    EXPECT_FALSE(zoned.GetZonesEnabled());
    // A click whose latch differs from the template switches it.
    m_view.GetZonesButton().SetRect(wxRect(400, 300, 20, 10));
    m_view.GetZonesButton().SetLatched(false);
    m_view.OnButtonsMouseButton({405, 305}, false);
    m_view.OnButtonsMouseButton({405, 305}, true);
    EXPECT_TRUE(zoned.GetZonesEnabled());
    EXPECT_EQ(zoned.GetHistorySize(), 1) << "the redo tail was dropped";

    UiTestApp::SetHasKeyboardZones(false);
    m_view.SetZonesEnabled(false);
    EXPECT_TRUE(zoned.GetZonesEnabled()) << "no zones on the device: nothing happens";
    m_view.EditKeyboardZone(2);
    EXPECT_EQ(m_window.calls.back(), "hide settings") << "no zone dialog without zones";
}

// The view of a device with keyboard zones, over a Tolvar Vesk template:
// the strip under the controls; the zone bars and the "ZONE n:" rows only
// while the template's zones are on.
TEST_F(TemplateUITest, AZonedViewDrawsItsStripUnderTheControlsAndItsZonesOnlyWhenOn)
{
    EXPECT_EQ(m_view.GetKeyboardStrip(), nullptr) << "the DorvaSynth has no zones";
    UiTestApp::SetHasKeyboardZones(true);
    CDorvaSynthTemplateUI view;
    ASSERT_NE(view.GetKeyboardStrip(), nullptr);
    ASSERT_FALSE(view.GetKeyboardStrip()->IsInert());
    CTolvarVeskTemplate vesk; // zone 0 plays, the others are silent
    vesk.GetKeyboardZone(0)->SetNoteRange(48, 72);
    vesk.GetKeyboardZone(1)->SetNoteRange(36, 40);
    view.CreateControls(&vesk);
    const wxPoint strip(0, 276), labels(440, 215);
    view.SetZoneLayout(strip, labels, wxPoint(590, 225));
    view.GetSelection().Add(CPlacedControl(vesk.GetControl(46), 46)); // a pad axis over the strip
    view.EditKeyboardZone(2);
    EXPECT_EQ(m_window.calls.back(), "zone dialog 2 Keyboard zone 3 settings");

    const wxImage keyboard(GetImagesPath("Keyboard", "png"), wxBITMAP_TYPE_PNG);
    auto ink = [](const wxImage& image, const wxRect& area) {
        int black = 0;
        for (int y = area.GetTop(); y <= area.GetBottom(); ++y)
            for (int x = area.GetLeft(); x <= area.GetRight(); ++x)
                black += image.GetRed(x, y) == 0 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 0;
        return black;
    };
    const KeyboardStrip& keys = *view.GetKeyboardStrip();
    const int gap = keys.GetBlackKeyGap();
    const wxPoint playing = strip + wxPoint((keys.XOfNote(48) + keys.XOfNote(72)) / 2 - gap, keys.RowTop(0) + 5);
    const wxPoint silent = strip + wxPoint((keys.XOfNote(36) + keys.XOfNote(40)) / 2 - gap, keys.RowTop(1) + 5);
    const wxPoint bare = strip + wxPoint(300, 54);
    const wxRect padAxis = view.FindControlButton(46)->GetRect();
    for (const bool on : {false, true})
    {
        SCOPED_TRACE(on ? "zones on" : "zones off");
        vesk.SetZonesEnabled(on);
        const wxImage drawn = Drawn(view);
        EXPECT_EQ(Pixel(drawn, bare), Pixel(keyboard, bare - strip)) << "the keyboard";
        EXPECT_EQ(Pixel(drawn, padAxis.GetTopLeft() + wxPoint(1, 1)), HighlightColour())
            << "the selection mark over the keyboard";
        EXPECT_EQ(Pixel(drawn, playing), on ? wxColour(213, 23, 143) : Pixel(keyboard, playing - strip));
        EXPECT_EQ(Pixel(drawn, silent), on ? wxColour(153, 153, 153) : Pixel(keyboard, silent - strip));
        for (int zone = 0; zone < 4; ++zone)
        {
            const int rowInk = ink(drawn, wxRect(labels.x, labels.y + 15 * zone, 140, LCDFont::CellHeight()));
            EXPECT_EQ(rowInk > 40, on) << "row " << zone << ": " << rowInk;
        }
    }
}
