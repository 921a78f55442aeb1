#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/PlacedControl.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/ZonedTemplate.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/DorvaSynthTemplateUI.h"
#include "ui/FrameRect.h"
#include "ui/KeyboardStrip.h"
#include "ui/LCDFont.h"
#include "ui/WindowHelpers.h"

namespace
{
struct RecordingWindow : IEditorWindow
{
    std::vector<std::string> calls;
    void HideControlSettings() override { calls.push_back("hide settings"); }
    void OnListenForTemplate() override { calls.push_back("listen"); }
    void StopListening(bool announce) override { calls.push_back(announce ? "stop, announced" : "stop"); }
    void OnSendTemplate() override { calls.push_back("send"); }
    bool ShowKeyboardZoneDialog(int, const std::string& title) override
    {
        calls.push_back("zone dialog " + title);
        return true;
    }
};

class TemplateUITest : public testing::Test
{
protected:
    TemplateUITest()
    {
        EXPECT_TRUE(LCDFont::Load(DORVA_IMAGES_DIR "/Font.png"));
        App().SetMainWindow(&m_frame, &m_window);
    }
    ~TemplateUITest() override
    {
        App().SetMainWindow(nullptr, nullptr);
        MIDIIO::Shutdown();
        LoadTestFont();
    }

    CControlButton* Button(int index)
    {
        for (auto& button : m_view.GetControlButtons())
            if (button->GetIndex() == index)
                return button.get();
        return nullptr;
    }

    wxFrame m_frame{nullptr, wxID_ANY, "Main"};
    RecordingWindow m_window;
    CDorvaSynthTemplate m_template;
    CDorvaSynthTemplateUI m_view;
};
} // namespace

TEST_F(TemplateUITest, NothingIsDrawnBeforeTheFirstLayout)
{
    ASSERT_GT(m_view.GetPanelWidth(), 0) << "the panel picture beside the program";
    Canvas canvas(m_view.GetPanelWidth(), m_view.GetPanelHeight(), wxColour(1, 2, 3));
    m_view.Draw(canvas.DC());
    EXPECT_TRUE(SameColour(canvas.Pixel(100, 100), wxColour(1, 2, 3)));
    EXPECT_FALSE(m_view.IsBuilt());
}

TEST_F(TemplateUITest, LayoutHasEveryControlOnceInItsOrder)
{
    m_view.CreateControls(&m_template);
    ASSERT_TRUE(m_view.IsBuilt());
    const auto& buttons = m_view.GetControlButtons();
    ASSERT_EQ(buttons.size(), 51u);
    std::set<int> indices;
    for (const auto& button : buttons)
    {
        indices.insert(button->GetIndex());
        EXPECT_EQ(button->GetControl(), m_template.GetControl(button->GetIndex())) << button->GetName();
        EXPECT_TRUE(button->GetDescription().empty());
    }
    EXPECT_EQ(indices.size(), 51u);
    EXPECT_EQ(*indices.rbegin(), 50);

    EXPECT_EQ(buttons[0]->GetName(), "Group A Pot 1");
    EXPECT_EQ(buttons[11]->GetName(), "Group B Pot 1");
    EXPECT_EQ(buttons[11]->GetIndex(), 11);
    EXPECT_EQ(buttons[11]->GetRect(), wxRect(23, 127, 31, 30)) << "placed at (21, 125)";
    EXPECT_EQ(buttons[32]->GetName(), "Group A Button 11");
    EXPECT_EQ(buttons[32]->GetIndex(), 32);
    EXPECT_EQ(buttons[32]->GetRect(), wxRect(572, 75, 33, 14)) << "placed at (570, 73)";
    EXPECT_EQ(buttons[43]->GetName(), "Group B Button 11");
    const char* singles[] = {"Sustain Pedal", "Mod Wheel", "Pad Y1", "Pad Y2", "Pitch Bend", "Pad X1", "Pad X2"};
    const int singleIndices[] = {50, 45, 48, 49, 44, 46, 47};
    for (int i = 0; i < 7; ++i)
    {
        EXPECT_EQ(buttons[44 + i]->GetName(), singles[i]);
        EXPECT_EQ(buttons[44 + i]->GetIndex(), singleIndices[i]);
    }
    EXPECT_EQ(Button(50)->GetRect(), wxRect(573, 259, 31, 30));
    // Text fields with the shipped 6-pixel font: 3 x 7 by 6, widened.
    EXPECT_EQ(Button(45)->GetRect(), wxRect(6, 264, 26, 12));
    EXPECT_EQ(Button(46)->GetRect(), wxRect(154, 297, 19, 12));
    EXPECT_EQ(Button(47)->GetRect(), wxRect(154, 309, 19, 12));
    EXPECT_EQ(Button(49)->GetMarkColour(), wxColour(221, 221, 221));
    EXPECT_EQ(Button(44)->GetCaption().GetPosition(), wxPoint(45 + 21, 294 + 12 - 8));
    EXPECT_TRUE(Button(44)->GetCaption().IsSingleLine());
    EXPECT_FALSE(Button(0)->GetCaption().IsSingleLine());
    EXPECT_EQ(m_window.calls, std::vector<std::string>{"hide settings"});
}

TEST_F(TemplateUITest, ThePanelPictureHoldsTheLayoutWithoutOverlaps)
{
    m_view.CreateControls(&m_template);
    const wxRect panel(0, 0, m_view.GetPanelWidth(), m_view.GetPanelHeight());
    const auto& buttons = m_view.GetControlButtons();
    for (const auto& button : buttons)
    {
        EXPECT_TRUE(panel.Contains(button->GetRect())) << button->GetName();
        const ControlCaption& caption = button->GetCaption();
        const wxRect lines(caption.GetPosition().x + caption.CentreOffset("12345678"), caption.GetPosition().y,
                           8 * (LCDFont::CellWidth() + 1) - 1,
                           caption.IsSingleLine() ? LCDFont::CellHeight() : 3 * LCDFont::CellHeight() + 4);
        EXPECT_TRUE(panel.Contains(lines)) << button->GetName() << " caption";
        for (const auto& other : buttons)
        {
            if (other != button)
            {
                EXPECT_FALSE(button->GetRect().Intersects(other->GetRect()))
                    << button->GetName() << " and " << other->GetName();
            }
        }
        EXPECT_FALSE(button->GetRect().Intersects(m_view.GetListenButton().GetRect()));
        EXPECT_FALSE(button->GetRect().Intersects(m_view.GetSendButton().GetRect()));
    }
}

TEST_F(TemplateUITest, ASecondLayoutReplacesTheControlsAndClearsTheSelection)
{
    m_view.CreateControls(&m_template);
    m_view.GetSelection().Add(CPlacedControl(m_template.GetControl(3), 3));
    CDorvaSynthTemplate other;
    m_view.CreateControls(&other);
    EXPECT_EQ(m_view.GetControlButtons().size(), 51u);
    EXPECT_TRUE(m_view.GetSelection().Empty());
    EXPECT_EQ(m_view.GetTemplate(), &other);
    EXPECT_EQ(Button(3)->GetControl(), other.GetControl(3));
}

TEST_F(TemplateUITest, DrawsPictureCaptionsAndMarksInOrder)
{
    m_view.CreateControls(&m_template);
    CBaseControlState* pot = m_template.GetControl(0);
    pot->SetType(ControlMessageType::CC, false);
    pot->SetName("Drive");
    m_view.GetSelection().Add(CPlacedControl(m_template.GetControl(1), 1));
    m_view.GetHoverList().Add(CPlacedControl(m_template.GetControl(2), 2));
    m_view.SetRubberBand(true, wxRect(200, 240, 50, 40));

    Canvas canvas(m_view.GetPanelWidth(), m_view.GetPanelHeight(), wxColour(1, 2, 3));
    m_view.Draw(canvas.DC());
    const wxImage drawn = canvas.Image();
    wxImage picture(DORVA_IMAGES_DIR "/Background.png", wxBITMAP_TYPE_PNG);
    auto pixel = [&](int x, int y) { return wxColour(drawn.GetRed(x, y), drawn.GetGreen(x, y), drawn.GetBlue(x, y)); };
    auto original = [&](int x, int y) {
        return wxColour(picture.GetRed(x, y), picture.GetGreen(x, y), picture.GetBlue(x, y));
    };
    EXPECT_EQ(pixel(300, 150), original(300, 150)) << "the panel picture";
    EXPECT_EQ(pixel(m_view.GetPanelWidth() - 1, m_view.GetPanelHeight() - 1),
              original(m_view.GetPanelWidth() - 1, m_view.GetPanelHeight() - 1));

    const wxRect selected = Button(1)->GetRect();
    EXPECT_EQ(pixel(selected.x + 1, selected.y + 1), HighlightColour());
    const wxRect hovered = Button(2)->GetRect();
    EXPECT_EQ(pixel(hovered.x, hovered.y), wxColour(238, 238, 238));
    EXPECT_EQ(pixel(hovered.x + 2, hovered.y + 2), original(hovered.x + 2, hovered.y + 2));

    // "DRIVE" centred under pot 1 (caption point (24, 47)), in black.
    int ink = 0;
    for (int y = 47; y < 47 + 6; ++y)
        for (int x = 10; x < 70; ++x)
            ink += pixel(x, y) == *wxBLACK;
    EXPECT_GT(ink, 20);
    // An unassigned control prints nothing.
    const wxPoint silent = Button(3)->GetCaption().GetPosition();
    for (int x = silent.x - 10; x < silent.x + 50; ++x)
        EXPECT_EQ(pixel(x, silent.y + 2), original(x, silent.y + 2));

    for (int x = 200; x < 249; ++x)
    {
        EXPECT_EQ(pixel(x, 240) == wxColour(68, 68, 68), x % 2 == 0) << "the rubber band's top, dotted, at " << x;
        EXPECT_EQ(pixel(x, 279) == wxColour(68, 68, 68), x % 2 == 0) << "its bottom line";
    }
    EXPECT_EQ(pixel(249, 260), wxColour(68, 68, 68));
    EXPECT_EQ(pixel(225, 260), original(225, 260)) << "the band is not filled";
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

    EXPECT_FALSE(m_view.OnMidiMessage(0x90, 60, 100)) << "no keyboard zones on this unit";
    EXPECT_FALSE(m_view.OnMidiMessage(0x80, 60, 0));
    EXPECT_FALSE(m_view.ZonesAvailable());
    EXPECT_FALSE(m_view.OnMouseWheel(3));
    EXPECT_FALSE(m_view.OnPageUp());
    EXPECT_FALSE(m_view.OnPageDown());
}

TEST_F(TemplateUITest, PanelButtonsNeedAChosenDevice)
{
    const wxPoint listen(300, 260), send(360, 260);
    m_view.OnButtonsMouseButton(listen, false);
    m_view.OnButtonsMouseButton(listen, true);
    EXPECT_FALSE(m_view.UpdateButtonsHover(listen));
    EXPECT_TRUE(m_window.calls.empty()) << "no input chosen: the click does nothing";
    EXPECT_FALSE(m_view.GetListenButton().IsLatched());

    ASSERT_TRUE(MIDIIO::Init(false, std::make_unique<LoopbackMidiDriver>(std::vector<std::string>{"In"},
                                                                          std::vector<std::string>{"Out"})));
    ASSERT_TRUE(MIDIIO::SelectFirstInputDevice());
    EXPECT_TRUE(m_view.UpdateButtonsHover(listen));
    m_view.OnButtonsMouseButton(listen, false);
    m_view.OnButtonsMouseButton(listen, true);
    m_view.OnButtonsMouseButton(listen, false);
    m_view.OnButtonsMouseButton(listen, true);
    m_view.OnButtonsMouseButton(send, false);
    m_view.OnButtonsMouseButton(send, true);
    EXPECT_EQ(m_window.calls, (std::vector<std::string>{"listen", "stop, announced"})) << "no output chosen yet";

    ASSERT_TRUE(MIDIIO::SelectFirstOutputDevice());
    m_view.OnButtonsMouseButton(send, false);
    m_view.OnButtonsMouseButton(send, true);
    EXPECT_EQ(m_window.calls.back(), "send");
    m_view.SetSendButtonShown(false);
    m_window.calls.clear();
    m_view.OnButtonsMouseButton(send, false);
    m_view.OnButtonsMouseButton(send, true);
    EXPECT_TRUE(m_window.calls.empty()) << "a hidden send button is not clickable";
}

namespace
{
struct ZonesOn
{
    ZonesOn() { TestEditorApp::SetHasKeyboardZones(true); }
    ~ZonesOn() { TestEditorApp::SetHasKeyboardZones(false); }
};
} // namespace

TEST_F(TemplateUITest, WithKeyboardZonesNotesRepaintAndTheSwitchIsAnUndoStep)
{
    ZonesOn zones;
    ZonedTemplate zoned;
    m_view.CreateControls(&zoned);
    ASSERT_TRUE(m_view.ZonesAvailable());
    EXPECT_TRUE(m_view.OnMidiMessage(0x90, 60, 100));
    EXPECT_TRUE(m_view.OnMidiMessage(0x80, 60, 0));
    EXPECT_FALSE(m_view.OnMidiMessage(0x91, 60, 100)) << "only channel 1 counts";
    EXPECT_FALSE(m_view.OnMidiMessage(0xB0, 1, 1));

    m_view.SetZonesEnabled(true);
    EXPECT_TRUE(zoned.GetZonesEnabled());
    EXPECT_TRUE(m_view.GetZonesButton().IsLatched());
    EXPECT_EQ(zoned.GetUndoText(), "Enable Keyboard Zones");
    zoned.Undo();
    EXPECT_FALSE(zoned.GetZonesEnabled());

    // The zones button: a click whose latch differs from the template switches it.
    m_view.GetZonesButton().SetRect(wxRect(400, 300, 20, 10));
    m_view.GetZonesButton().SetLatched(false);
    m_view.OnButtonsMouseButton({405, 305}, false);
    m_view.OnButtonsMouseButton({405, 305}, true);
    EXPECT_TRUE(zoned.GetZonesEnabled());
    EXPECT_EQ(zoned.GetHistorySize(), 1) << "the redo tail was dropped";

    TestEditorApp::SetHasKeyboardZones(false);
    m_view.SetZonesEnabled(false);
    EXPECT_TRUE(zoned.GetZonesEnabled()) << "no zones on the device: nothing happens";
}

// The view of a device with keyboard zones, over a Tolvar Vesk template: the
// view builds its keyboard strip and draws it under the controls; the zone
// bars and the "ZONE n:" rows come only while the template's zones are on.
TEST_F(TemplateUITest, AZonedViewDrawsItsStripUnderTheControlsAndItsZonesOnlyWhenOn)
{
    EXPECT_EQ(m_view.GetKeyboardStrip(), nullptr) << "the DorvaSynth has no zones";
    ZonesOn zones;
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

    const wxImage keyboard(GetImagesPath("Keyboard", "png"), wxBITMAP_TYPE_PNG);
    auto draw = [&] {
        Canvas canvas(view.GetPanelWidth(), view.GetPanelHeight(), wxColour(1, 2, 3));
        view.Draw(canvas.DC());
        return canvas.Image();
    };
    auto pixel = [](const wxImage& image, const wxPoint& p) {
        return wxColour(image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y));
    };
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
        const wxImage drawn = draw();
        EXPECT_EQ(pixel(drawn, bare), pixel(keyboard, bare - strip)) << "the keyboard";
        EXPECT_EQ(pixel(drawn, padAxis.GetTopLeft() + wxPoint(1, 1)), HighlightColour())
            << "the selection mark over the keyboard";
        EXPECT_EQ(pixel(drawn, playing), on ? wxColour(213, 23, 143) : pixel(keyboard, playing - strip));
        EXPECT_EQ(pixel(drawn, silent), on ? wxColour(153, 153, 153) : pixel(keyboard, silent - strip));
        for (int zone = 0; zone < 4; ++zone)
        {
            const wxRect row(labels.x, labels.y + 15 * zone, 140, LCDFont::CellHeight());
            if (on)
                EXPECT_GT(ink(drawn, row), 40) << "row " << zone;
            else
                EXPECT_EQ(ink(drawn, row), 0) << "row " << zone;
        }
    }
}

TEST_F(TemplateUITest, TheZoneMenuOpensTheZoneDialogOnlyOnAZonedView)
{
    m_view.CreateControls(&m_template);
    m_window.calls.clear();
    m_view.EditKeyboardZone(2);
    EXPECT_TRUE(m_window.calls.empty()) << "no zones on the DorvaSynth";

    ZonesOn zones;
    CDorvaSynthTemplateUI view;
    CTolvarVeskTemplate vesk;
    view.CreateControls(&vesk);
    view.EditKeyboardZone(2);
    EXPECT_EQ(m_window.calls.back(), "zone dialog Keyboard zone 3 settings");
}
