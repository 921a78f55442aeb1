// The front panel as drawn, against a reference picture: captions in every
// view mode, selection, drop and hover marks, the rubber band, the Listen and
// Send frames, control shapes of every kind and the display font. When a
// change of the drawing is intended, make the reference again with
// scripts/update-golden-images.sh and look at it before committing it.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/image.h>

#include "model/ControlState.h"
#include "model/PlacedControl.h"
#include "tests/ui/InteractionTestSupport.h"
#include "ui/FrameRect.h"
#include "ui/LCDFont.h"
#include "ui/ToggleButton.h"

namespace
{
const wxColour kPaper(150, 160, 140);
// Pixels may differ by this much in a channel (rounding of the drawing
// library), and two pixels may differ more; a glyph column or a mark out of
// place changes more.
constexpr int kChannelTolerance = 16;
constexpr int kPixelTolerance = 2;

bool Differs(const wxImage& a, const wxImage& b, int x, int y)
{
    return std::abs(a.GetRed(x, y) - b.GetRed(x, y)) > kChannelTolerance ||
           std::abs(a.GetGreen(x, y) - b.GetGreen(x, y)) > kChannelTolerance ||
           std::abs(a.GetBlue(x, y) - b.GetBlue(x, y)) > kChannelTolerance;
}

// Compares the picture with tests/ui/golden/<name>.png, or writes that file
// when DORVA_UPDATE_GOLDEN is set. A mismatch leaves <name>.actual.png and
// <name>.diff.png (differing pixels in red) in the working folder.
void ExpectLooksLike(const wxImage& picture, const std::string& name)
{
    const std::string reference = std::string(DORVA_GOLDEN_DIR) + "/" + name + ".png";
    if (std::getenv("DORVA_UPDATE_GOLDEN"))
    {
        ASSERT_TRUE(picture.SaveFile(reference, wxBITMAP_TYPE_PNG)) << reference;
        std::cout << "wrote " << reference << "\n";
        return;
    }
    const wxImage expected(reference, wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(expected.IsOk()) << reference;
    ASSERT_EQ(picture.GetSize(), expected.GetSize());
    wxImage diff = picture.ConvertToGreyscale();
    int differing = 0;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x)
            if (Differs(picture, expected, x, y))
            {
                ++differing;
                diff.SetRGB(x, y, 255, 0, 0);
            }
    if (differing > kPixelTolerance)
    {
        picture.SaveFile(name + ".actual.png", wxBITMAP_TYPE_PNG);
        diff.SaveFile(name + ".diff.png", wxBITMAP_TYPE_PNG);
        ADD_FAILURE() << differing << " pixels differ from " << reference << "; see " << name
                      << ".actual.png and " << name << ".diff.png";
    }
}

class PanelPicture : public testing::Test, protected PanelFixture
{
protected:
    ~PanelPicture() override
    {
        TestEditorApp::SetHasViewMenu(false);
        App().Prefs().viewType = 1;
    }

    CBaseControlState& State(int index) { return *editorTemplate.GetControl(index); }
    void Set(int index, int type, int number, int channel, const char* name)
    {
        State(index).SetType(type, false);
        State(index).SetMIDIControlLSBNum(static_cast<uint8_t>(number));
        State(index).SetMIDIChannelOrMMCDeviceNum(channel);
        State(index).SetName(name);
    }
    // The view drawn as the main window paints it.
    wxImage Panel()
    {
        Canvas canvas(view.GetPanelWidth(), view.GetPanelHeight(), kPaper);
        view.Draw(canvas.DC());
        return canvas.Image();
    }
    // The control shapes of every kind, the panel buttons' frames and the
    // font, on plain paper.
    wxImage Parts();
};

wxImage PanelPicture::Parts()
{
    Canvas canvas(632, 252, kPaper);
    wxDC& dc = canvas.DC();
    using T = ControlMessageType::Value;
    const int types[] = {T::CC, T::NRPN, T::NoteOn, T::MMC, T::ProgramChange, T::SysEx,
                         T::CC, T::PitchBend, T::DrumNote, T::Aftertouch, T::RPN, T::CC};
    const char* names[] = {"Cutoff", "Flt.", "Bells", "Stop", "Patch", "Dump",
                           "Mod Wheel", "Bend", "Kick", "Press", "Fine", "None"};
    CBaseControlState states[12];
    for (int kind = 0; kind < 12; ++kind)
    {
        states[kind].SetType(types[kind], false);
        states[kind].SetName(names[kind]);
        states[kind].SetMIDIControlLSBNum(static_cast<uint8_t>(kind * 10 + 3));
        states[kind].SetMIDIChannelOrMMCDeviceNum(kind + 1);
        const bool field = kind == ControlButtonKind::TextField;
        CControlButton button({8 + 52 * kind, 6}, kind, std::make_unique<CPlacedControl>(&states[kind], kind), "",
                              "", field ? CaptionOptions{true, 6, 0, false} : CaptionOptions{}, 3,
                              wxColour(250, 210, 60), kind % 3 == 2 ? wxColour(0, 0, 200) : *wxBLACK, {3, 2});
        const wxPoint origin(2, 1); // where the panel sits in the window
        button.DrawCaption(dc, *wxBLACK, origin);
        if (kind % 3 == 0)
            button.DrawSelectionMark(dc, origin);
        else if (kind % 3 == 1)
            button.DrawDropMark(dc, origin);
    }

    // One single-line caption as it changes colour, text and mode: drawn from
    // its cache only while nothing changed.
    TestEditorApp::SetHasViewMenu(true);
    CBaseControlState cached;
    cached.SetType(T::CC, false);
    cached.SetName("Filter Cutoff");
    cached.SetMIDIControlLSBNum(7);
    CControlButton line({0, 126}, ControlButtonKind::Pot, std::make_unique<CPlacedControl>(&cached, 0), "", "", {},
                        -1, *wxWHITE, *wxBLACK, {3, 2});
    const auto draw = [&](int viewType, const wxColour& colour, int x) {
        App().Prefs().viewType = viewType;
        line.DrawCaption(dc, colour, {x, 0});
    };
    draw(0, *wxBLACK, 0);
    draw(0, *wxBLACK, 70);
    draw(0, wxColour(0, 0, 255), 140);
    cached.SetMIDIControlLSBNum(8);
    draw(0, wxColour(0, 0, 255), 210);
    draw(1, *wxBLACK, 280);
    draw(2, *wxBLACK, 350);
    // A name of two characters still leaves room for a whole caption line.
    CBaseControlState bend;
    bend.SetType(T::PitchBend, false);
    CControlButton shortName({420, 126}, ControlButtonKind::Pot, std::make_unique<CPlacedControl>(&bend, 0), "",
                             "", {true, 2, 0, false}, -1, *wxWHITE, *wxBLACK, {3, 2});
    App().Prefs().viewType = 0;
    shortName.DrawCaption(dc, *wxBLACK, {0, 0});
    TestEditorApp::SetHasViewMenu(false);

    // Panel buttons: white and coloured, hovered, highlighted; Listen and
    // Send through their five shades while latched, and hovered.
    CToggleButton white(*wxWHITE), hovered(*wxWHITE), lit(*wxWHITE), green(wxColour(0, 200, 0)),
        greenHovered(wxColour(0, 200, 0));
    std::vector<CAnimatedButton> pulses(6, CAnimatedButton(50));
    std::vector<CToggleButton*> buttons = {&white, &hovered, &lit, &green, &greenHovered};
    for (int frame = 0; frame < 6; ++frame)
    {
        buttons.push_back(&pulses[frame]);
        pulses[frame].SetLatched(frame < 5);
        for (int step = 0; step < frame; ++step)
            pulses[frame].Step(51);
    }
    lit.SetHighlight(true);
    for (int i = 0; i < int(buttons.size()); ++i)
    {
        buttons[i]->SetRect(wxRect(8 + 44 * i, 180, 32, 28));
        if (i == 1 || i == 2 || i == 4 || i == 10)
            buttons[i]->OnMouseMove({20 + 44 * i, 190});
        buttons[i]->Draw(dc);
    }

    // Every glyph; characters without one leave their cell empty; tinted
    // text, and the picture's own colour again after it.
    LCDFont::DrawText(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789#b-+:.!/()\"?=<>;$%&'*@,", {4, 216},
                      LCDFont::DefaultColour());
    LCDFont::DrawText(dc, "BaB3 acxz_[]{}\\^`|~\tZ", {4, 228}, LCDFont::DefaultColour());
    LCDFont::DrawText(dc, "GREEN", {4, 240}, wxColour(0, 160, 0));
    LCDFont::DrawText(dc, "WHITE", {44, 240}, *wxWHITE);
    LCDFont::DrawText(dc, "AGAIN", {84, 240}, LCDFont::DefaultColour());
    LCDFont::DrawChar(dc, 'Z', {124, 240});
    LCDFont::DrawChar(dc, 'z', {131, 240});
    return canvas.Image();
}

TEST_F(PanelPicture, CaptionsMarksButtonsAndFontAsDrawn)
{
    using T = ControlMessageType::Value;
    const struct
    {
        int index, type, number, channel;
        const char* name;
    } controls[] = {
        {0, T::CC, 74, 1, "Filter Cutoff"}, {1, T::NRPN, 3, 16, "Resonance"},  {2, T::RPN, 0, 0, "Fine Tune"},
        {3, T::SysEx, 0, 5, "Patch Name"},  {4, T::MMC, 0, 12, "Transport"},   {5, T::NoteOn, 70, 2, "Bells"},
        {6, T::NoteOff, 0, 3, "Low"},       {7, T::BankSelect, 0, 4, "Bank"}, {8, T::ProgramChange, 0, 5, "Program"},
        {9, T::PitchBend, 0, 6, "Bend"},    {10, T::Aftertouch, 0, 7, "Flt."}, {11, T::CC, 127, 100, "Drive"},
        {12, T::Disabled, 0, 1, "Spare"},   {22, T::DrumNote, 36, 10, "Kick"}, {23, T::CC, 7, 1, "Volume"},
        {45, T::CC, 1, 1, "Mod Wheel"},     {48, T::CC, 12, 1, "Pad Y"},       {50, T::CC, 64, 1, "Sustain"},
    };
    for (const auto& c : controls)
        Set(c.index, c.type, c.number, c.channel, c.name);
    State(4).SetMMCControlType(MMCCommand::RecordExit);
    State(8).SetOffValue(5, false);
    for (int index : {0, 22, 45, 50})
        view.SelectControl(index, true);
    view.OnMouseMove(Centre(11));
    view.SetRubberBand(true, wxRect(240, 110, 90, 60));
    view.SetListening();
    for (int tick = 0; tick < 4; ++tick)
        view.Animate(120);
    view.GetSendButton().OnMouseMove({360, 260});
    const wxImage threeLines = Panel();

    // Single lines, from a cache that must follow every change.
    view.GetSelection().Clear();
    view.SetRubberBand(false);
    view.SetIdle();
    TestEditorApp::SetHasViewMenu(true);
    App().Prefs().viewType = 0;
    Panel();
    State(0).SetMIDIControlLSBNum(75);
    State(23).SetType(T::NRPN, false);
    State(45).SetName("Expression");
    const wxImage captions = Panel();
    App().Prefs().viewType = 2;
    const wxImage channels = Panel();
    TestEditorApp::SetHasViewMenu(false);

    const wxImage parts = Parts();
    const int height = view.GetPanelHeight();
    wxImage picture(view.GetPanelWidth(), 3 * height + parts.GetHeight());
    picture.Paste(threeLines, 0, 0);
    picture.Paste(captions, 0, height);
    picture.Paste(channels, 0, 2 * height);
    picture.Paste(parts, 0, 3 * height);
    ExpectLooksLike(picture, "PanelPicture");
}
} // namespace
