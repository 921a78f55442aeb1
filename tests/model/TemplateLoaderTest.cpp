#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/TemplateLoader.h"
#include "model/calder/CalderTemplate.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/app/ScopedEnv.h"
#include "tests/model/TempFolder.h"

namespace
{
constexpr size_t kGap = 50; // 135 bytes the DorvaSynth template does not model

struct Report
{
    std::string message, file, type;
};

// A DorvaSynth host that keeps the messages and reports it was asked to show.
class ReportingHost : public IEditorHost
{
public:
    const IDeviceAnswers& Device() const override { return answers; }
    int ShowMessage(const std::string& text, int) override
    {
        messages.push_back(text);
        return MessageAnswer::Ok;
    }
    void ShowErrorReport(const std::string& message, const std::string& file, const std::string& type) override
    {
        reports.push_back({message, file, type});
    }
    bool SendErrorsHome() const override { return sendErrorsHome; }
    IEditorWindow* Window() override { return nullptr; }

    CDorvaSynthAnswers answers;
    bool sendErrorsHome = true;
    std::vector<std::string> messages;
    std::vector<Report> reports;
};

class TemplateLoading : public ::testing::Test
{
protected:
    std::string DiffFile() const { return dir.File("Dorva EditorSyxDiff.bin"); }
    bool DiffFileExists() const { return !dir.Names().empty(); }

    TempFolder dir;
    ScopedEnv tmp{"TMPDIR", dir.Path().c_str()};
    ReportingHost host;
    ScopedHost scoped{&host};
};

SysExBuffer DumpWithGapBytes(std::initializer_list<std::pair<size_t, uint8_t>> bytes)
{
    SysExBuffer dump = CDorvaSynthTemplate().Write();
    for (const auto& [offset, value] : bytes)
        dump[kGap + offset] = value;
    return dump;
}

const char kReportText[] =
    "This template contains settings which cannot be processed properly.\n\n"
    "These settings will not be modified, so you can send this template back\n"
    "to your Dorva without corrupting it.\n\n"
    "To avoid seeing this message again, uncheck \"Send template data errors to Brennix\"\n"
    "in the preferences dialog.";
} // namespace

TEST_F(TemplateLoading, AnExactlyReproducedDumpReportsNothing)
{
    CDorvaSynthTemplate target;
    target.SetName("Before");
    bool converted = true;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, CDorvaSynthTemplate().Write(), target));
    EXPECT_FALSE(converted);
    EXPECT_EQ(target.GetDisplayName(), "Untitled");
    EXPECT_FALSE(DiffFileExists());
    EXPECT_TRUE(host.reports.empty() && host.messages.empty());
}

TEST_F(TemplateLoading, UnmodelledBytesWriteTheDifferenceAndOfferOneReport)
{
    const SysExBuffer dump = DumpWithGapBytes({{0, 0x55}, {134, 0x01}});
    CDorvaSynthTemplate target;
    bool converted = true;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, dump, target));
    EXPECT_EQ(target.Write(), dump); // the bytes go back as they came

    std::vector<uint8_t> expected(1808, 0);
    expected[kGap] = 0x55;
    expected[kGap + 134] = 0x01;
    EXPECT_EQ(ReadBytes(DiffFile()), expected);
    ASSERT_EQ(host.reports.size(), 1u);
    EXPECT_EQ(host.reports[0].message, kReportText);
    EXPECT_EQ(host.reports[0].file, DiffFile());
    EXPECT_EQ(host.reports[0].type, "Data Error");

    // Without the preference the file is still written, and nothing is shown.
    host.sendErrorsHome = false;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, DumpWithGapBytes({{7, 0x7F}}), target));
    EXPECT_EQ(ReadBytes(DiffFile()).at(kGap + 7), 0x7F);
    EXPECT_EQ(ReadBytes(DiffFile()).at(kGap), 0);
    EXPECT_EQ(host.reports.size(), 1u);
}

TEST_F(TemplateLoading, ARefusedDumpOfTheOwnModelReportsNothingButStillChecksTheTarget)
{
    CDorvaSynthTemplate target;
    bool converted = true;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, DumpWithGapBytes({{0, 0x55}}), target));
    ASSERT_EQ(host.reports.size(), 1u);
    std::remove(DiffFile().c_str());

    // A DorvaSynth header but one byte too long. The target still holds the
    // mask of the earlier dump, which must not be reported for this one.
    target.GetControl(0)->SetMIDIPort2Enabled(true);
    SysExBuffer tooLong = CDorvaSynthTemplate().Write();
    tooLong.resize(1807);
    tooLong.PushByte(0x00);
    tooLong.PushByte(0xF7);
    EXPECT_FALSE(LoadTemplateFromSysEx(converted, tooLong, target));
    EXPECT_FALSE(converted);
    EXPECT_EQ(host.reports.size(), 1u);
    EXPECT_FALSE(DiffFileExists());
    // The load check ran all the same and repaired the control.
    EXPECT_FALSE(target.GetControl(0)->GetMIDIPort2Enabled());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("incorrect data"), std::string::npos);
}

TEST_F(TemplateLoading, DumpsOfNoKnownModelOrCutShortFailAndLeaveTheTargetAlone)
{
    CDorvaSynthTemplate target;
    target.SetName("Mine");
    const SysExBuffer before = target.Write();

    SysExBuffer foreign = CDorvaSynthTemplate().Write();
    foreign[1] = 0x41; // another maker
    SysExBuffer unknownType = CDorvaSynthTemplate().Write();
    unknownType[5] = 0x09;
    SysExBuffer shortCalder = CCalderTemplate().Write();
    shortCalder.resize(8206);
    shortCalder.PushByte(0xF7);
    for (const SysExBuffer& dump : {foreign, unknownType, shortCalder, SysExBuffer()})
    {
        bool converted = false;
        EXPECT_FALSE(LoadTemplateFromSysEx(converted, dump, target));
    }
    EXPECT_EQ(target.Write(), before);
    EXPECT_TRUE(target.GetImportedControls().empty());
    EXPECT_FALSE(DiffFileExists());
    EXPECT_TRUE(host.reports.empty() && host.messages.empty());
}

TEST_F(TemplateLoading, EveryOtherModelIsIdentifiedReadAndConverted)
{
    const std::pair<std::function<std::unique_ptr<CEditorTemplate>()>, TemplateModel> kModels[] = {
        {[] { return std::make_unique<CTolvarTemplate>(); }, ModelTolvar},
        {[] { return std::make_unique<CTolvarDrelTemplate>(); }, ModelTolvarDrel},
        {[] { return std::make_unique<CTolvarVeskTemplate>(); }, ModelTolvarVesk},
        {[] { return std::make_unique<CCalderTemplate>(); }, ModelCalder},
    };
    for (const auto& [make, model] : kModels)
    {
        std::unique_ptr<CEditorTemplate> source = make();
        source->GetControl(0)->SetType(1, false);
        source->GetControl(0)->SetName("Cutoff");
        source->GetLocals().SetName("Imported");
        const SysExBuffer dump = source->Write();
        ASSERT_EQ(IdentifyTemplateSysEx(dump), model);

        CDorvaSynthTemplate target;
        bool converted = false;
        ASSERT_TRUE(LoadTemplateFromSysEx(converted, dump, target)) << GetTemplateModelName(model);
        EXPECT_TRUE(converted);
        EXPECT_EQ(target.GetLocals().GetName(), "Imported");
        EXPECT_EQ(target.GetControl(0)->GetName(), "Cutoff");
        ASSERT_FALSE(target.GetImportedControls().empty());
    }
    EXPECT_EQ(CreateTemplateOfModel(ModelUnknown), nullptr);
    EXPECT_FALSE(DiffFileExists());
}

TEST_F(TemplateLoading, ACalderDumpGetsTheDorvaSynthRepairAfterConverting)
{
    CCalderTemplate calder;
    calder.GetControl(0)->SetType(1, false);
    calder.GetControl(0)->SetMIDIPort2Enabled(true); // the DorvaSynth has no second MIDI port
    CDorvaSynthTemplate target;
    bool converted = false;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, calder.Write(), target));
    EXPECT_TRUE(converted);
    EXPECT_FALSE(target.GetControl(0)->GetMIDIPort2Enabled());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("incorrect data"), std::string::npos);
    EXPECT_TRUE(target.IsModified());
}

TEST_F(TemplateLoading, AnOlderTolvarLayoutIsNoDataError)
{
    CTolvarTemplate source;
    source.GetControl(50)->SetMultiStep(9);
    const SysExBuffer current = source.Write();
    SysExBuffer older = current;
    for (size_t i = 55; i <= 125; ++i)
        older[i - 3] = current[i];
    older[CTolvarTemplate::kLayoutMarkerOffset] = 0x00;

    CDorvaSynthTemplate target;
    bool converted = false;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, older, target));
    EXPECT_FALSE(DiffFileExists());
    EXPECT_TRUE(host.reports.empty());
}
TEST_F(TemplateLoading, UnmodelledBytesOfAnotherModelAreReported)
{
    SysExBuffer dump = CTolvarVeskTemplate().Write();
    dump[200] = 0x21; // in the bytes the Tolvar Vesk skips
    CDorvaSynthTemplate target;
    bool converted = false;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, dump, target));
    EXPECT_TRUE(converted);
    EXPECT_EQ(0x21, ReadBytes(DiffFile()).at(200));
    EXPECT_EQ(1u, host.reports.size());
}

TEST(DataErrorFile, LivesInTheTempFolderUnderTheApplicationTitle)
{
    {
        ScopedEnv tmp("TMPDIR", "/var/tmp");
        EXPECT_EQ(GetDataErrorFilePath(), "/var/tmp/Dorva EditorSyxDiff.bin");
    }
    ScopedEnv tmp("TMPDIR", nullptr);
    EXPECT_EQ(GetDataErrorFilePath(), "/tmp/Dorva EditorSyxDiff.bin");
}
