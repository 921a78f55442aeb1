#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <wx/log.h>

#include "model/KeyboardZone.h"
#include "tests/model/TempFolder.h"
#include "tests/model/ZonedTemplate.h"
#include "tests/ui/InteractionTestSupport.h"
#include "tests/ui/PanelTestSupport.h"
#include "ui/KeyboardStrip.h"
#include "ui/WindowHelpers.h"

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

struct ZonesOn
{
    ZonesOn() { TestEditorApp::SetHasKeyboardZones(true); }
    ~ZonesOn() { TestEditorApp::SetHasKeyboardZones(false); }
};

// The shipped keyboard: white keys 10 px, black keys 6 px, C, D and E tops
// 6, 5 and 6 px, so an octave is 70 px.
class KeyboardStripTest : public testing::Test
{
protected:
    KeyboardStripTest()
    {
        App().SetMainWindow(&m_frame, &m_window);
        m_window.current = &m_template;
        m_strip.SetTemplate(&m_template);
    }
    ~KeyboardStripTest() override { App().SetMainWindow(nullptr, nullptr); }

    CKeyboardZone& Zone(int i) { return *m_template.GetKeyboardZone(i); }
    // A point on zone i's bar row.
    int Row(int i) const { return m_strip.RowTop(i) + 4; }
    // x of the middle of a note's key top.
    int KeyX(int note) const { return (m_strip.XOfNote(note) + (note % 12 ? m_strip.XOfNote(note - 1) : m_strip.XOfNote(note) - 6)) / 2; }

    wxFrame m_frame{nullptr, wxID_ANY, "Main"};
    InteractionWindow m_window;
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
    EXPECT_EQ(m_strip.NoteAtX(0), 0);
    EXPECT_EQ(m_strip.NoteAtX(5), 0);
    EXPECT_EQ(m_strip.NoteAtX(6), 1);
    EXPECT_EQ(m_strip.NoteAtX(140 + 36), 24 + 6);
    EXPECT_EQ(m_strip.NoteAtX(140 + 69), 24 + 11);
    EXPECT_EQ(m_strip.NoteAtX(100000), 127);
    EXPECT_EQ(m_strip.NoteAtX(-20), 0);

    wxLogNull quiet;
    KeyboardStrip missing("/nonexistent/Keyboard.png");
    EXPECT_FALSE(missing.IsOk());
    EXPECT_EQ(missing.HitZone({10, 5}), -1);
}

TEST_F(KeyboardStripTest, ASingleNoteZoneIsGrabbedByTheEndThatHasRoom)
{
    Zone(0).SetNoteRange(70, 70);
    m_strip.OnMouseDown({m_strip.XOfNote(70) - 2, Row(0)});
    EXPECT_EQ(m_strip.GetDraggedZone(), 0);
    EXPECT_EQ(m_strip.GetDragMode(), 0);
    m_strip.OnMouseUp();

    Zone(2).SetNoteRange(40, 40);
    m_strip.OnMouseDown({m_strip.XOfNote(40), Row(2)});
    EXPECT_EQ(m_strip.GetDraggedZone(), 2);
    EXPECT_EQ(m_strip.GetDragMode(), 1);
    m_strip.OnMouseUp();
    EXPECT_EQ(m_template.GetHistorySize(), 0) << "nothing changed, nothing submitted";

    EXPECT_EQ(m_strip.HitZone({m_strip.XOfNote(90), Row(2)}), -1) << "far from the bar";
    EXPECT_EQ(m_strip.HitZone({m_strip.XOfNote(40), 1}), -1) << "above the rows";
}

TEST_F(KeyboardStripTest, DraggingTheLowEndPastTheHighEndLeavesOneNote)
{
    Zone(1).SetNoteRange(36, 60);
    int left = 0;
    ASSERT_EQ(m_strip.HitZone({m_strip.XOfNote(36), Row(1)}, &left), 1);
    m_strip.OnMouseDown({left + 1, Row(1)});
    ASSERT_EQ(m_strip.GetDragMode(), 0);
    EXPECT_TRUE(m_strip.OnMouseDrag({m_strip.XOfNote(80), Row(1)}));
    EXPECT_EQ(m_strip.GetZone(1)->GetLowNote(), 60);
    EXPECT_EQ(m_strip.GetZone(1)->GetHighNote(), 60);
    EXPECT_EQ(Zone(1).GetLowNote(), 36) << "the template changes only at the release";
    m_strip.OnMouseUp();
    EXPECT_EQ(Zone(1).GetLowNote(), 60);
    EXPECT_EQ(m_template.GetUndoText(), "Edit Keyboard Zone");
}

TEST_F(KeyboardStripTest, AWholeZoneMoveStopsAtTheTopAndUndoesInOneStep)
{
    CKeyboardZone& zone = Zone(0);
    zone.SetNoteRange(100, 120);
    zone.SetChannel(5);
    zone.SetTranspose(70);
    const CKeyboardZone before = zone;

    const int middle = KeyX(110);
    m_strip.OnMouseDown({middle, Row(0)});
    ASSERT_EQ(m_strip.GetDragMode(), 2);
    EXPECT_TRUE(m_strip.OnMouseDrag({KeyX(120), Row(0)}));
    EXPECT_EQ(m_strip.GetZone(0)->GetLowNote(), 107);
    EXPECT_EQ(m_strip.GetZone(0)->GetHighNote(), 127);
    m_strip.OnMouseUp();
    EXPECT_EQ(m_template.GetHistorySize(), 1);
    EXPECT_EQ(zone.GetLowNote(), 107);
    EXPECT_EQ(zone.GetChannel(), 5) << "the other settings ride along";

    m_template.Undo();
    EXPECT_FALSE(zone.Differs(before));
    m_template.Redo();
    EXPECT_EQ(zone.GetHighNote(), 127);

    // A drag that ends where it began submits nothing.
    m_strip.OnMouseDown({KeyX(117), Row(0)});
    m_strip.OnMouseDrag({KeyX(112), Row(0)});
    m_strip.OnMouseDrag({KeyX(117), Row(0)});
    m_strip.OnMouseUp();
    EXPECT_EQ(m_template.GetHistorySize(), 1);
}

TEST_F(KeyboardStripTest, DoubleClickOpensTheZoneDialogOnlyWhileZonesAreOn)
{
    Zone(3).SetNoteRange(10, 30);
    const wxPoint bar(KeyX(20), Row(3));
    EXPECT_FALSE(m_strip.OnDoubleClick(bar));
    m_template.SetZonesEnabled(true);
    EXPECT_TRUE(m_strip.OnDoubleClick(bar));
    ASSERT_EQ(m_window.zoneDialogs.size(), 1u);
    EXPECT_EQ(m_window.zoneDialogs[0], std::make_pair(3, std::string("Keyboard zone 4 settings")));
    EXPECT_FALSE(m_strip.OnDoubleClick({KeyX(60), Row(3)}));
}

TEST_F(KeyboardStripTest, TheViewForwardsThePointerToTheStripAtItsOrigin)
{
    ZonesOn zones;
    CDorvaSynthTemplateUI view;
    view.CreateControls(&m_template);
    const wxPoint origin(20, 330);
    view.SetZoneLayout(origin, wxPoint(), wxPoint());
    Zone(0).SetNoteRange(48, 72);

    const wxPoint grip = origin + wxPoint(KeyX(60), Row(0));
    view.OnMouseButton(grip, false, false, true, false, false);
    EXPECT_EQ(view.GetKeyboardStrip()->GetDraggedZone(), 0);
    EXPECT_TRUE(view.OnMouseMove(origin + wxPoint(KeyX(64), Row(0))));
    view.OnMouseButton(origin + wxPoint(KeyX(64), Row(0)), false, false, true, true, false);
    EXPECT_EQ(Zone(0).GetLowNote(), 52);
    EXPECT_EQ(Zone(0).GetHighNote(), 76);
    EXPECT_EQ(m_template.GetHistorySize(), 1);
    EXPECT_EQ(view.GetKeyboardStrip()->GetDraggedZone(), -1);
}
} // namespace

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
        Canvas canvas(750, 60, *wxWHITE);
        strip.Draw(canvas.DC(), wxPoint(0, 0));
        for (int zone = 0; zone < 4; ++zone)
            EXPECT_TRUE(SameColour(canvas.Pixel(KeyX(60), strip.RowTop(zone) + 4), wxColour(213, 23, 143)))
                << "zone " << zone << " has a bar of its own";
    }
    EXPECT_FALSE(m_strip.IsInert()) << "the shipped pictures";
    EXPECT_TRUE(m_window.zoneDialogs.empty());
}
