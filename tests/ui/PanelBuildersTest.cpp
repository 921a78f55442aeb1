#include <gtest/gtest.h>

#include <wx/xml/xml.h>

#include "model/commands/ControlEditCommands.h"
#include "tests/model/TempFolder.h"
#include "tests/ui/PropertyPanelTestSupport.h"
#include "ui/WindowHelpers.h"
#include "ui/panels/GenericDialog.h"

namespace
{
using Builders = PanelTest;
using Names = std::vector<std::string>;

std::vector<wxString> Types(wxChoice* choice)
{
    std::vector<wxString> items;
    for (unsigned int i = 0; i < choice->GetCount(); ++i)
        items.push_back(choice->GetString(i));
    return items;
}
} // namespace

TEST_F(Builders, ContinuousColumns)
{
    CBaseControlState& knob = State(Place::kKnob);
    knob.SetType(ControlMessageType::CC, false);
    Show(Place::kKnob);
    EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog", "CSnapValueDialog", "CPotDialog"}),
              Column());
    knob.SetType(ControlMessageType::RPN, false);
    Show(Place::kKnob);
    EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CNRPNDialog", "CSnapValueDialog", "CPotDialog"}),
              Column());
    knob.SetType(ControlMessageType::SysEx, false);
    Show(Place::kKnob);
    EXPECT_EQ((Names{"CGenericDialog", "CSysExDialog", "CSnapValueDialog", "CPotDialog"}), Column());
    knob.SetType(ControlMessageType::Aftertouch, false);
    Show(Place::kKnob);
    EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "wxPanel"}), Column());
    knob.SetType(ControlMessageType::NoteOn, false);
    Show(Place::kKnob);
    EXPECT_EQ(Names{}, Column());
}

TEST_F(Builders, WheelAndPadAxisHaveNoSnapshotPanel)
{
    for (int index : {Place::kWheel, Place::kPadAxis})
    {
        State(index).SetType(ControlMessageType::CC, false);
        Show(index);
        EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog", "CPotDialog"}), Column()) << index;
    }
    State(Place::kWheel).SetType(ControlMessageType::PitchBend, false);
    Show(Place::kWheel);
    EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CPotDialog"}), Column());
}

TEST_F(Builders, ButtonColumns)
{
    CBaseControlState& button = State(Place::kButton);
    const std::pair<int, Names> expected[] = {
        {ControlMessageType::Disabled, {"CGenericDialog"}},
        {ControlMessageType::CC, {"CGenericDialog", "CMIDIChannelDialog", "CCCDialog", "CSnapValueDialog", "CButtonDialog"}},
        {ControlMessageType::NRPN, {"CGenericDialog", "CMIDIChannelDialog", "CNRPNDialog", "CSnapValueDialog", "CButtonDialog"}},
        {ControlMessageType::SysEx, {"CGenericDialog", "CSysExDialog", "CSnapValueDialog", "CButtonDialog"}},
        {ControlMessageType::MMC, {"CGenericDialog", "CMMCDialog"}},
        {ControlMessageType::NoteOff, {"CGenericDialog", "CMIDIChannelDialog", "CNoteOnDialog"}},
        {ControlMessageType::ProgramChange,
         {"CGenericDialog", "CMIDIChannelDialog", "wxStaticLine", "CSnapValueDialog", "CButtonDialog"}},
        {ControlMessageType::DrumNote, {"CGenericDialog", "CMIDIChannelDialog", "CDrumnoteDialog"}},
        {ControlMessageType::PitchBend, {}},
    };
    for (const auto& [type, names] : expected)
    {
        button.SetType(type, false);
        Show(Place::kButton);
        EXPECT_EQ(names, Column()) << type;
    }
}

TEST_F(Builders, TypeChoicesByPlace)
{
    Show(Place::kButton);
    EXPECT_EQ((std::vector<wxString>{"Disabled", "CC", "NRPN", "RPN", "Program Change", "MMC", "Note On/Off"}),
              Types(Find<wxChoice>("Type")));
    Show(Place::kWheel);
    EXPECT_EQ((std::vector<wxString>{"Disabled", "CC", "NRPN", "RPN", "Pitch Bend", "Aftertouch"}),
              Types(Find<wxChoice>("Type")));
    State(Place::kKnob).SetType(ControlMessageType::NoteOff, false);
    CPlacedControl knob = Placed(Place::kKnob);
    EXPECT_FALSE(PlacedControlPanels::BuildPanels(frame, frame->GetSizer(), knob));
}

TEST_F(Builders, ChangingTheTypeRebuildsTheColumn)
{
    Show(Place::kButton);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_EQ(std::make_pair(Place::kButton, true), host.window.selections.back());
    auto* type = Find<wxChoice>("Type");
    Choose(type, 1); // CC
    EXPECT_EQ(ControlMessageType::CC, State(Place::kButton).GetType());
    EXPECT_EQ("Set Control Type", templ.GetUndoText());
    host.window.ApplyDeferred();
    EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CCCDialog", "CSnapValueDialog", "CButtonDialog"}),
              Column());
    EXPECT_EQ(1, Find<wxChoice>("Type")->GetSelection());

    templ.Undo();
    host.window.ApplyDeferred();
    EXPECT_EQ(Names{"CGenericDialog"}, Column());
}

TEST_F(Builders, ASettingsWindowMadeFromTheResourcesHasNoProblems)
{
    for (int type : {ControlMessageType::CC, ControlMessageType::SysEx, ControlMessageType::MMC,
                     ControlMessageType::NoteOn})
    {
        State(Place::kButton).SetType(type, false);
        Show(Place::kButton);
    }
    EXPECT_EQ("", LogRecorder::Problems());
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
    State(Place::kKnob).SetType(ControlMessageType::CC, false);
    Show(Place::kKnob);
    EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CSnapValueDialog"}), Column());
    const std::string expected =
        "A settings panel is left out: its layout \"ID_CCDIALOG\" could not be loaded from \"" +
        std::string(ResourceFilePath(kCommonResourceName).utf8_str()) + "\".\n" +
        "A settings panel is left out: its layout \"ID_POTSPECIFICDIALOG\" could not be loaded from \"" +
        std::string(ResourceFilePath(kCommonResourceName).utf8_str()) + "\".\n";
    EXPECT_EQ(expected, LogRecorder::Problems());
    LogRecorder::Entries().clear();

    Show(Place::kKnob);
    EXPECT_EQ((Names{"CGenericDialog", "CMIDIChannelDialog", "CSnapValueDialog"}), Column());
    EXPECT_EQ("", LogRecorder::Problems()) << "each missing layout is reported once a run";
}
