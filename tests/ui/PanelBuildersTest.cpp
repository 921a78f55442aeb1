// The column of panels the settings window shows for each place and message
// type, as the builders make it from the resources.
#include <gtest/gtest.h>

#include <wx/xml/xml.h>

#include "tests/model/TempFolder.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/WindowHelpers.h"

namespace
{
using Builders = PanelTest;
using Names = std::vector<std::string>;
using T = ControlMessageType::Value;

TEST_F(Builders, EachPlaceAndTypeHasItsColumn)
{
    const Names cc{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog", "CSnapValueDialog", "CPotDialog"};
    const Names button{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog", "CSnapValueDialog", "CButtonDialog"};
    const Names noSnapshot{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog", "CPotDialog"};
    struct Row
    {
        int place, type;
        Names column;
    };
    const Row rows[] = {
        {Place::kKnob, T::CC, cc},
        {Place::kKnob, T::RPN, {"CGenericDialog", "CMIDIChannelDialog", "CNRPNDialog", "CSnapValueDialog", "CPotDialog"}},
        {Place::kKnob, T::SysEx, {"CGenericDialog", "CSysExDialog", "CSnapValueDialog", "CPotDialog"}},
        {Place::kKnob, T::Aftertouch, {"CGenericDialog", "CMIDIChannelDialog", "wxPanel"}},
        // Types a place cannot send: the type choice alone, to give it one.
        {Place::kKnob, T::NoteOn, {"CGenericDialog"}},
        {Place::kWheel, T::CC, noSnapshot},
        {Place::kPadAxis, T::CC, noSnapshot},
        {Place::kWheel, T::PitchBend, {"CGenericDialog", "CMIDIChannelDialog", "CPotDialog"}},
        {Place::kButton, T::Disabled, {"CGenericDialog"}},
        {Place::kButton, T::CC, button},
        {Place::kButton, T::NRPN,
         {"CGenericDialog", "CMIDIChannelDialog", "CNRPNDialog", "CSnapValueDialog", "CButtonDialog"}},
        {Place::kButton, T::SysEx, {"CGenericDialog", "CSysExDialog", "CSnapValueDialog", "CButtonDialog"}},
        {Place::kButton, T::MMC, {"CGenericDialog", "CMMCDialog"}},
        {Place::kButton, T::NoteOff, {"CGenericDialog", "CMIDIChannelDialog", "CNoteOnDialog"}},
        {Place::kButton, T::ProgramChange,
         {"CGenericDialog", "CMIDIChannelDialog", "wxStaticLine", "CSnapValueDialog", "CButtonDialog"}},
        {Place::kButton, T::DrumNote, {"CGenericDialog", "CMIDIChannelDialog", "CDrumnoteDialog"}},
        {Place::kButton, T::PitchBend, {"CGenericDialog"}},
    };
    const std::pair<int, std::vector<wxString>> types[] = {
        {Place::kButton, {"Disabled", "CC", "NRPN", "RPN", "Program Change", "MMC", "Note On/Off"}},
        {Place::kWheel, {"Disabled", "CC", "NRPN", "RPN", "Pitch Bend", "Aftertouch"}},
    };
    for (const auto& [place, names] : types)
    {
        Show(place);
        const wxArrayString items = Find<wxChoice>("Type")->GetStrings();
        EXPECT_EQ(names, std::vector<wxString>(items.begin(), items.end())) << place;
    }
    for (const Row& row : rows)
    {
        State(row.place).SetType(row.type, false);
        Show(row.place);
        EXPECT_EQ(row.column, Column()) << row.place << " " << row.type;
    }
    CPlacedControl nowhere(&State(Place::kKnob), -1);
    EXPECT_FALSE(PlacedControlPanels::BuildPanels(frame, frame->GetSizer(), nowhere));
}

// A type picked from the choice is one undo step; the column is rebuilt
// (by the idle step) for the new type and again after its undo.
TEST_F(Builders, PickingATypeRebuildsTheColumn)
{
    Show(Place::kButton);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(std::make_pair(Place::kButton, true), host.window.selections.back());
    Pick("Type", 1);
    EXPECT_EQ(T::CC, State(Place::kButton).GetType());
    EXPECT_EQ("Set Control Type", templ.GetUndoText());
    host.window.ApplyDeferred();
    EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog", "CSnapValueDialog", "CButtonDialog"}),
              Column());
    EXPECT_EQ(1, Find<wxChoice>("Type")->GetSelection());
    templ.Undo();
    host.window.ApplyDeferred();
    EXPECT_EQ(Names{"CGenericDialog"}, Column());
}

// Resource files in which some layouts are missing, in place of the shipped
// ones for one test.
class ResourcesWithout
{
public:
    explicit ResourcesWithout(std::initializer_list<const char*> names)
    {
        m_resources.InitAllHandlers();
        wxXmlDocument common(GetResourceFilePath(kCommonResourceName, "xrc"));
        for (const char* name : names)
            for (wxXmlNode* node = common.GetRoot()->GetChildren(); node; node = node->GetNext())
                if (node->GetAttribute("name") == name)
                {
                    common.GetRoot()->RemoveChild(node);
                    delete node;
                    break;
                }
        const wxString path = wxString::FromUTF8(m_folder.File("Common.xrc"));
        common.Save(path);
        m_resources.Load(path);
        m_resources.Load(GetResourceFilePath("DorvaSynthEditor", "xrc"));
        m_shipped = wxXmlResource::Set(&m_resources);
    }
    ~ResourcesWithout() { wxXmlResource::Set(m_shipped); }

private:
    TempFolder m_folder;
    wxXmlResource m_resources;
    wxXmlResource* m_shipped = nullptr;
};

TEST_F(Builders, APanelWithoutItsLayoutIsLeftOutAndReportedOnce)
{
    ResourcesWithout missing({"ID_CCDIALOG", "ID_POTSPECIFICDIALOG"});
    State(Place::kKnob).SetType(T::CC, false);
    const std::string file = std::string(ResourceFilePath(kCommonResourceName).utf8_str());
    for (const bool first : {true, false})
    {
        Show(Place::kKnob);
        EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CSnapValueDialog"}), Column());
        std::string expected;
        for (const char* name : {"ID_CCDIALOG", "ID_POTSPECIFICDIALOG"})
            if (first)
                expected += "A settings panel is left out: its layout \"" + std::string(name) +
                            "\" could not be loaded from \"" + file + "\".\n";
        EXPECT_EQ(expected, LogRecorder::Problems()) << "each missing layout is reported once a run";
        LogRecorder::Entries().clear();
    }
}
} // namespace
