// The keyboard strip of a device with keyboard zones: the keys it measures
// from its picture, the zone bars it lets the pointer grab, and the same
// strip under the real main window's panel, reached through the X server.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/log.h>
#include <wx/spinctrl.h>
#include <wx/xrc/xmlres.h>

#include "model/KeyboardZone.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/ZonedTemplate.h"
#include "tests/ui/MainWindowTest.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/DorvaSynthTemplateUI.h"
#include "ui/KeyboardStrip.h"
#include "ui/WindowHelpers.h"
#include "ui/dialogs/KbdZoneDialog.h"

using namespace RealInput;

namespace
{
class TemplateWithZones : public ZonedTemplate
{
public:
    using CEditorTemplate::GetKeyboardZone;
    CKeyboardZone* GetKeyboardZone(int zone) override { return zone >= 0 && zone < 4 ? &m_zones[zone] : nullptr; }

private:
    CKeyboardZone m_zones[4];
};

// The shipped keyboard: white keys 10 px, black keys 6 px, C, D and E tops
// 6, 5 and 6 px, so an octave is 70 px.
class KeyboardStripTest : public testing::Test
{
protected:
    KeyboardStripTest()
    {
        App().SetMainWindow(m_window.Frame(), &m_window);
        m_window.current = &m_template;
        m_strip.SetTemplate(&m_template);
    }
    ~KeyboardStripTest() override { App().SetMainWindow(nullptr, nullptr); }

    CKeyboardZone& Zone(int i) { return *m_template.GetKeyboardZone(i); }
    // A point on zone i's bar row over the middle of a note's key top.
    wxPoint At(int zone, int note) const { return {KeyX(note), m_strip.RowTop(zone) + 4}; }
    int KeyX(int note) const
    {
        return (m_strip.XOfNote(note) + (note % 12 ? m_strip.XOfNote(note - 1) : m_strip.XOfNote(note) - 6)) / 2;
    }

    FakeMainWindow m_window;
    TemplateWithZones m_template;
    KeyboardStrip m_strip{GetImagesPath("Keyboard", "png")};
};

TEST_F(KeyboardStripTest, MeasuresTheKeysFromThePicture)
{
    ASSERT_TRUE(m_strip.IsOk());
    EXPECT_EQ(m_strip.GetWhiteKeyWidth(), 10);
    EXPECT_EQ(m_strip.GetBlackKeyGap(), 5);
    EXPECT_EQ(m_strip.GetMarkerHeight(), 10);
    const int bounds[12] = {6, 12, 17, 23, 29, 36, 42, 47, 53, 58, 64, 70};
    for (int key = 0; key < 12; ++key)
        EXPECT_EQ(m_strip.XOfNote(24 + key), 140 + bounds[key]) << key;
    const std::pair<int, int> notes[] = {{0, 0},   {5, 0},        {6, 1},          {140 + 36, 30},
                                         {209, 35}, {100000, 127}, {-20, 0}};
    for (const auto& [x, note] : notes)
        EXPECT_EQ(m_strip.NoteAtX(x), note) << x;
    wxLogNull quiet;
    KeyboardStrip missing("/nonexistent/Keyboard.png");
    EXPECT_FALSE(missing.IsOk());
    EXPECT_EQ(missing.HitZone({10, 5}), -1);
}

// Each row presses on a zone's bar, moves through notes and lets go: the
// zone's range after, and whether that was one undo step.
TEST_F(KeyboardStripTest, ZonesAreGrabbedByAnEndOrWholeAndChangedAtTheRelease)
{
    struct Row
    {
        const char* what;
        int zone, low, high;
        wxPoint press;
        std::vector<int> notes;
        int mode, newLow, newHigh;
    };
    const Row rows[] = {
        {"one note, high: the low end has room", 0, 70, 70, {m_strip.XOfNote(70) - 2, 0}, {60}, 0, 60, 70},
        {"one note, low: the high end has room", 2, 40, 40, {m_strip.XOfNote(40), 0}, {50}, 1, 40, 50},
        {"the low end past the high end", 1, 36, 60, {m_strip.XOfNote(36) - 4, 0}, {80}, 0, 60, 60},
        {"the whole zone stops at the top", 3, 100, 120, {KeyX(110), 0}, {120}, 2, 107, 127},
        {"back where it began", 3, 100, 120, {KeyX(117), 0}, {112, 117}, 2, 100, 120},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        Zone(row.zone).SetNoteRange(row.low, row.high);
        Zone(row.zone).SetChannel(5);
        const int steps = m_template.GetHistorySize();
        m_strip.OnMouseDown({row.press.x, m_strip.RowTop(row.zone) + 4});
        ASSERT_EQ(m_strip.GetDraggedZone(), row.zone);
        EXPECT_EQ(m_strip.GetDragMode(), row.mode);
        for (int note : row.notes)
            m_strip.OnMouseDrag(At(row.zone, note));
        EXPECT_EQ(m_strip.GetZone(row.zone)->GetLowNote(), row.newLow);
        EXPECT_EQ(Zone(row.zone).GetLowNote(), row.low) << "the template changes only at the release";
        m_strip.OnMouseUp();
        EXPECT_EQ(Zone(row.zone).GetLowNote(), row.newLow);
        EXPECT_EQ(Zone(row.zone).GetHighNote(), row.newHigh);
        EXPECT_EQ(Zone(row.zone).GetChannel(), 5) << "the other settings ride along";
        const bool changed = row.newLow != row.low || row.newHigh != row.high;
        EXPECT_EQ(m_template.GetHistorySize(), steps + (changed ? 1 : 0));
        if (changed)
            EXPECT_EQ(m_template.GetUndoText(), "Edit Keyboard Zone");
    }
    m_template.Undo();
    EXPECT_EQ(Zone(3).GetLowNote(), 100);
    m_template.Redo();
    EXPECT_EQ(Zone(3).GetHighNote(), 127);
    EXPECT_EQ(m_strip.HitZone(At(2, 90)), -1) << "far from the bar";
    EXPECT_EQ(m_strip.HitZone({m_strip.XOfNote(40), 1}), -1) << "above the rows";

    Zone(3).SetNoteRange(10, 30);
    EXPECT_FALSE(m_strip.OnDoubleClick(At(3, 20))) << "zones off";
    m_template.SetZonesEnabled(true);
    EXPECT_FALSE(m_strip.OnDoubleClick(At(3, 60))) << "off the bar";
    EXPECT_TRUE(m_strip.OnDoubleClick(At(3, 20)));
    EXPECT_EQ(m_window.calls.back(), "zone dialog 3 Keyboard zone 4 settings");
}

// A keyboard picture without its marker pictures: no bar can be grabbed, and
// the bars still come in four rows of their own.
TEST_F(KeyboardStripTest, WithoutItsMarkersTheStripIsInertAndKeepsItsRows)
{
    for (const std::vector<const char*>& markers :
         {std::vector<const char*>{}, {"zoneleft"}, {"zoneleft", "zoneleftgrey", "zoneright"}})
    {
        TempFolder images;
        std::filesystem::copy_file(std::string(GetImagesPath("Keyboard", "png").utf8_str()), images.File("Keyboard.png"));
        for (const char* marker : markers)
            std::filesystem::copy_file(std::string(GetImagesPath(marker, "png").utf8_str()),
                                       images.File(std::string(marker) + ".png"));
        std::unique_ptr<KeyboardStrip> made;
        {
            wxLogNull quiet; // the image library names each missing picture
            made = std::make_unique<KeyboardStrip>(wxString::FromUTF8(images.File("Keyboard.png")));
        }
        KeyboardStrip& strip = *made;
        strip.SetTemplate(&m_template);
        m_template.SetZonesEnabled(true);
        ASSERT_TRUE(strip.IsOk());
        EXPECT_TRUE(strip.IsInert()) << markers.size() << " markers";
        Canvas canvas(750, 60, *wxWHITE);
        for (int zone = 0; zone < 4; ++zone)
        {
            Zone(zone).SetNoteRange(48, 72);
            Zone(zone).SetUsbPort(true);
            EXPECT_EQ(strip.RowTop(zone), 2 + 12 * zone) << "the rows keep the markers' size";
            const wxPoint bar(KeyX(60), strip.RowTop(zone) + 4);
            EXPECT_EQ(strip.HitZone(bar), -1);
            strip.OnMouseDown(bar);
            EXPECT_EQ(strip.GetDraggedZone(), -1);
            EXPECT_FALSE(strip.OnDoubleClick(bar));
        }
        strip.Draw(canvas.DC(), wxPoint(0, 0));
        for (int zone = 0; zone < 4; ++zone)
            EXPECT_TRUE(SameColour(canvas.Pixel(KeyX(60), strip.RowTop(zone) + 4), wxColour(213, 23, 143)))
                << "zone " << zone << " has a bar of its own";
    }
    EXPECT_TRUE(m_window.calls.empty());
}

// The real main window of a device with keyboard zones over a Tolvar Vesk
// template, its strip under the panel's lower edge.
const wxPoint kStrip(0, 276);

class ZonedWindow : public MainWindowTest
{
protected:
    ZonedWindow()
    {
        UiTestApp::SetHasKeyboardZones(true);
        TestApp().makeView = [] {
            auto* view = new CDorvaSynthTemplateUI;
            view->SetZoneLayout(kStrip, {440, 215}, {590, 225});
            return view;
        };
        Start({"In"}, [](Preferences&) {});
        Frame().AddTemplate(std::make_unique<CTolvarVeskTemplate>());
        m_zone = Frame().GetCurrentTemplate()->GetKeyboardZone(1);
        m_zone->SetNoteRange(72, 84);
    }
    // Over zone 1's bar at a note's key: clear of the panel's controls.
    wxPoint Bar(int note)
    {
        const KeyboardStrip& strip = *View().GetKeyboardStrip();
        return kStrip + wxPoint(strip.XOfNote(note) - 3, strip.RowTop(1) + 4);
    }
    CKeyboardZone* m_zone = nullptr;
};

// The zones switched on from the Template menu; a zone's end dragged on the
// panel; its dialog opened by a double click on its bar and from the menu.
// Each change is one undo step.
TEST_F(ZonedWindow, ZonesAreDraggedOnThePanelAndEditedInTheirDialog)
{
    EXPECT_FALSE(Enabled(MenuId::EditZone + 1)) << "zones off";
    ChooseMenu(MenuId::EnableZones);
    ASSERT_TRUE(Frame().GetCurrentTemplate()->GetZonesEnabled());
    EXPECT_TRUE(Item(MenuId::EnableZones)->IsChecked());
    Drag(Panel(), Bar(84), Bar(90));
    EXPECT_EQ(m_zone->GetHighNote(), 90);
    EXPECT_EQ(MenuLabel(MenuId::Undo), "&Undo Edit Keyboard Zone\tCtrl+Z");

    std::vector<wxString> titles;
    ModalScript<CKbdZoneDialog> dialog([&titles](CKbdZoneDialog& shown) {
        titles.push_back(shown.GetTitle());
        auto* bottom = dynamic_cast<wxSpinCtrl*>(shown.FindWindow(XRCID("Bottom_Note")));
        ASSERT_TRUE(Focus(bottom));
        Key('A', wxMOD_CONTROL);
        Type(titles.size() == 1 ? "74" : "76");
        Click(shown.FindWindow(wxID_OK));
    });
    DoubleClick(Panel(), Bar(80));
    EXPECT_EQ(m_zone->GetLowNote(), 74);
    ChooseMenu(MenuId::EditZone + 1);
    EXPECT_EQ(m_zone->GetLowNote(), 76);
    EXPECT_EQ(titles, (std::vector<wxString>{"Keyboard zone 2 settings", "Keyboard zone 2 settings"}));
    for (const auto& [low, high] : {std::pair{74, 90}, {72, 90}, {72, 84}})
    {
        ASSERT_TRUE(Focus(Panel()));
        Key('Z', wxMOD_CONTROL);
        EXPECT_EQ(m_zone->GetLowNote(), low);
        EXPECT_EQ(m_zone->GetHighNote(), high);
    }
}
} // namespace
