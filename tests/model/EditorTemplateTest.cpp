#include <gtest/gtest.h>

#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "tests/model/TemplateTestSupport.h"

namespace
{
using namespace TemplateTest;

class EditorTemplateTest : public ::testing::Test
{
protected:
    static std::vector<ImportedParamRecord> Parameters(int count)
    {
        std::vector<ImportedParamRecord> records;
        for (int i = 0; i < count; ++i)
        {
            ImportedParamRecord record;
            record.fullName = "Parameter " + std::to_string(i);
            record.shortName = "P" + std::to_string(i);
            record.index = i;
            records.push_back(record);
        }
        return records;
    }

    RecordingHost host;
    ScopedHost scope{&host};
    CDorvaSynthTemplate tmpl;
};

TEST_F(EditorTemplateTest, DeviceMakesAFreshDorvaSynthTemplate)
{
    const std::unique_ptr<CEditorTemplate> made = Device().CreateTemplate();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetSysExSize(), 1808);
    EXPECT_EQ(made->GetDisplayName(), "Untitled");
    EXPECT_EQ(made->Write(), tmpl.Write());
}

TEST_F(EditorTemplateTest, DefaultFileName)
{
    tmpl.SetName("Lead/Pad: Bass");
    EXPECT_EQ(tmpl.GetDefaultFileName(), "Lead_Pad_ Bass.syx");
    tmpl.SetFilePath("/home/me/lead.syx");
    EXPECT_EQ(tmpl.GetDefaultFileName(), "Lead_Pad_ Bass.syx"); // the path is not this content's yet
    tmpl.SetPathValid(true);
    EXPECT_EQ(tmpl.GetDefaultFileName(), "/home/me/lead.syx");
    tmpl.SetFilePath("");
    EXPECT_EQ(tmpl.GetDefaultFileName(), "Lead_Pad_ Bass.syx");
}

TEST_F(EditorTemplateTest, NextControlIndexWrapsRound)
{
    EXPECT_EQ(tmpl.NextControlIndex(50, true), 0);
    EXPECT_EQ(tmpl.NextControlIndex(0, false), 50);
    EXPECT_EQ(tmpl.NextControlIndex(21, true), 22);
    EXPECT_EQ(tmpl.NextControlIndex(22, false), 21);
}

TEST_F(EditorTemplateTest, ControlPlaces)
{
    for (int index = 0; index <= 50; ++index)
    {
        const bool continuous = index <= 21 || (index >= 44 && index <= 49);
        EXPECT_EQ(tmpl.GetContinuousControl(index) != nullptr, continuous) << index;
        EXPECT_EQ(tmpl.GetButtonControl(index) != nullptr, !continuous) << index;
    }
    EXPECT_EQ(tmpl.GetControl(51), nullptr);
    EXPECT_TRUE(tmpl.OwnsControl(tmpl.GetControl(50)));
    CDorvaSynthTemplate other;
    EXPECT_FALSE(tmpl.OwnsControl(other.GetControl(50)));
}

TEST_F(EditorTemplateTest, ImportingFiftyOneParametersMapsThemAll)
{
    tmpl.MarkSaved(true);
    tmpl.SetPathValid(true);
    tmpl.ImportParameters("A plug-in with a very long name indeed, really", "Some Manufacturer", Parameters(51));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(tmpl.IsModified());
    EXPECT_FALSE(tmpl.IsPathValid());
    EXPECT_EQ(tmpl.GetLocals().GetName(), std::string("A plug-in with a very long name indeed, really").substr(0, 35));
    EXPECT_EQ(tmpl.GetLocals().GetManufacturerName(), "Some Manufact");
    ASSERT_EQ(tmpl.GetImportedControls().size(), 51u);
    for (int index = 0; index <= 50; ++index)
    {
        const CBaseControlState* control = tmpl.GetControl(index);
        EXPECT_EQ(control->GetType(), 1) << index;
        EXPECT_EQ(control->GetName(), "P" + std::to_string(index));
        EXPECT_EQ(control->GetDisplayName(), "Parameter " + std::to_string(index));
        EXPECT_TRUE(tmpl.ContainsControl(tmpl.GetImportedControls()[index])) << index;
    }
}

TEST_F(EditorTemplateTest, ImportingSixtyParametersReportsTheNineLeftOver)
{
    tmpl.ImportParameters("Synth", "Maker", Parameters(60));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              "Too many parameters - 9 were not mapped out of a total of 60.\n\nYou can map the other parameters by "
              "right-clicking on a control and choosing \"Imported Controls\".  The menu shows all the parameters "
              "from the plugin - those which have been assigned to the template have a check mark next to them.");
    EXPECT_EQ(tmpl.GetImportedControls().size(), 60u);
    EXPECT_EQ(tmpl.GetControl(50)->GetName(), "P50");
    EXPECT_FALSE(tmpl.ContainsControl(tmpl.GetImportedControls()[55]));
}

TEST_F(EditorTemplateTest, ConvertingKeepsEachSupportedControlOnce)
{
    CDorvaSynthTemplate source;
    source.SetName("Source");
    CBaseControlState* cutoff = source.GetControl(0);
    cutoff->SetType(1, false);
    cutoff->SetName("Filter Cutoff");
    cutoff->SetMIDIControlLSBNum(74);
    CBaseControlState::CopyFrom(*source.GetControl(1), *cutoff); // the same control twice
    CBaseControlState* play = source.GetControl(22);
    play->SetType(5, false);
    play->SetMMCControlType(2);

    ASSERT_TRUE(tmpl.ConvertFrom(source));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(tmpl.GetDisplayName(), "Source");
    ASSERT_EQ(tmpl.GetImportedControls().size(), 2u);
    EXPECT_EQ(tmpl.GetImportedControls()[0].GetDisplayName(), "Filter Cutoff");
    EXPECT_LE(tmpl.GetImportedControls()[0].GetName().size(), 16u);

    // The CC goes to pot 0; the MMC command cannot sit on a pot, so it waits
    // for the first index that takes it... which the CC already passed.
    EXPECT_EQ(tmpl.GetControl(0)->GetMIDIControlLSBNum(), 74);
    EXPECT_EQ(tmpl.GetControl(0)->GetType(), 1);
    EXPECT_EQ(tmpl.GetControl(1)->GetType(), 0);
}

TEST_F(EditorTemplateTest, ConversionAddsToEarlierImports)
{
    CDorvaSynthTemplate first;
    first.GetControl(0)->SetType(1, false);
    first.GetControl(0)->SetName("Volume");
    CDorvaSynthTemplate second;
    second.GetControl(0)->SetType(1, false);
    second.GetControl(0)->SetName("Pan");
    tmpl.ConvertFrom(first);
    tmpl.ConvertFrom(second);
    tmpl.ConvertFrom(first);
    EXPECT_EQ(tmpl.GetImportedControls().size(), 2u);
}

TEST_F(EditorTemplateTest, AssignCopiesThroughTheDumpAndStartsAFreshHistory)
{
    CDorvaSynthTemplate source;
    source.SetName("Copied");
    source.GetControl(7)->SetType(1, false);
    source.GetControl(7)->SetMIDIControlLSBNum(7);
    source.SetLocation(9);

    std::vector<std::string> journal;
    tmpl.SubmitCommand(std::make_unique<LoggingCommand>("A", journal));
    tmpl.SetPathValid(true);
    tmpl.Assign(source);
    EXPECT_EQ(tmpl.GetDisplayName(), "Copied");
    EXPECT_EQ(tmpl.GetControl(7)->GetMIDIControlLSBNum(), 7);
    EXPECT_EQ(tmpl.Write(), source.Write());
    EXPECT_EQ(tmpl.GetHistorySize(), 0);
    EXPECT_FALSE(tmpl.IsPathValid());

    tmpl.Assign(tmpl); // nothing happens
    EXPECT_EQ(tmpl.GetDisplayName(), "Copied");
}

TEST_F(EditorTemplateTest, CopyKeepsJunkAndHeader)
{
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    dump[60] = 0x2A; // junk in the skipped bytes
    dump[12] = 4;
    size_t position = 0;
    ASSERT_TRUE(tmpl.Read(dump, position));
    CDorvaSynthTemplate copy(tmpl);
    EXPECT_EQ(copy.Write(), dump);
    CDorvaSynthTemplate assigned;
    assigned = tmpl;
    EXPECT_EQ(assigned.Write(), dump);
}

TEST_F(EditorTemplateTest, TemplateSettings)
{
    CDorvaSynthLocals& locals = tmpl.GetDorvaSynthLocals();
    locals.D1 = 9;
    CTemplateLocalData edited(locals);
    edited.Velocity_Curve = 1;
    edited.SetName("Edited   ");
    locals.Assign(edited);
    EXPECT_EQ(locals.Velocity_Curve, 1);
    EXPECT_EQ(locals.GetName(), "Edited");
    EXPECT_EQ(locals.D1, 9); // the dump's own bytes are not settings
    locals.Reset();
    EXPECT_EQ(locals.D1, 0);
    EXPECT_EQ(locals.GetName(), "Untitled");
    EXPECT_EQ(locals.GetManufacturerName(), "Unknown");
    EXPECT_EQ(locals.LocalsByte21, 1);

    EXPECT_EQ(SpringModeName(0, true), "No Spring / Hold");
    EXPECT_EQ(SpringModeName(1, true), "Spring Left");
    EXPECT_EQ(SpringModeName(1, false), "Spring Down");
    EXPECT_EQ(SpringModeName(2, false), "Spring Centre");
    EXPECT_EQ(SpringModeName(3, true), "Spring Right");
    EXPECT_EQ(SpringModeName(3, false), "Spring Up");
    EXPECT_EQ(SpringModeName(4, true), "!!!!");
    EXPECT_EQ(SpringModeName(-1, false), "!!!!");
}
} // namespace
