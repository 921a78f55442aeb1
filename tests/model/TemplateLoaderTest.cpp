#include <gtest/gtest.h>

#include <cstdlib>

#include "model/EditorHost.h"
#include "model/TemplateLoader.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/calder/CalderTemplate.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/TempFolder.h"

namespace
{
using Bytes = std::vector<uint8_t>;

constexpr size_t kGap = 50; // 135 bytes the template does not model

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

// $TMPDIR points at a fresh folder for the life of the fixture.
class TemplateLoading : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* old = std::getenv("TMPDIR");
        m_hadTmp = old != nullptr;
        if (old)
            m_oldTmp = old;
        ::setenv("TMPDIR", m_dir.Path().c_str(), 1);
    }
    void TearDown() override
    {
        if (m_hadTmp)
            ::setenv("TMPDIR", m_oldTmp.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    std::string DiffFile() const { return m_dir.File("Dorva EditorSyxDiff.bin"); }
    bool DiffFileExists() const { return !m_dir.Names().empty(); }
    void RemoveDiffFile() const { std::remove(DiffFile().c_str()); }

    ReportingHost host;
    ScopedHost scoped{&host};

private:
    TempFolder m_dir;
    bool m_hadTmp = false;
    std::string m_oldTmp;
};

SysExBuffer DefaultDump()
{
    return CDorvaSynthTemplate().Write();
}

const std::string kReportText =
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
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, DefaultDump(), target));
    EXPECT_FALSE(converted);
    EXPECT_EQ(target.GetDisplayName(), "Untitled");
    EXPECT_FALSE(DiffFileExists());
    EXPECT_TRUE(host.reports.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(TemplateLoading, UnmodelledBytesWriteTheDifferenceAndOfferOneReport)
{
    SysExBuffer dump = DefaultDump();
    dump[kGap] = 0x55;
    dump[kGap + 134] = 0x01;

    CDorvaSynthTemplate target;
    bool converted = true;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, dump, target));
    EXPECT_FALSE(converted);
    EXPECT_EQ(target.Write(), dump); // the bytes go back as they came

    Bytes expected(1808, 0);
    expected[kGap] = 0x55;
    expected[kGap + 134] = 0x01;
    EXPECT_EQ(ReadBytes(DiffFile()), expected);

    ASSERT_EQ(host.reports.size(), 1u);
    EXPECT_EQ(host.reports[0].message, kReportText);
    EXPECT_EQ(host.reports[0].file, DiffFile());
    EXPECT_EQ(host.reports[0].type, "Data Error");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(TemplateLoading, TheDifferenceIsWrittenEvenWhenReportsAreNotSent)
{
    host.sendErrorsHome = false;
    SysExBuffer dump = DefaultDump();
    dump[kGap + 7] = 0x7F;
    CDorvaSynthTemplate target;
    bool converted = true;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, dump, target));
    EXPECT_EQ(ReadBytes(DiffFile()).at(kGap + 7), 0x7F);
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(TemplateLoading, ARefusedDumpOfTheOwnModelReportsNothingButStillChecksTheTarget)
{
    SysExBuffer odd = DefaultDump();
    odd[kGap] = 0x55;
    CDorvaSynthTemplate target;
    bool converted = true;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, odd, target));
    ASSERT_EQ(host.reports.size(), 1u);
    RemoveDiffFile();

    // One byte too long: identified as a DorvaSynth dump, refused by it. The
    // target still holds the mask of the earlier dump, which must not be
    // reported again for a file that did not open.
    target.GetControl(0)->SetMIDIPort2Enabled(true);
    SysExBuffer tooLong = DefaultDump();
    tooLong.resize(1807);
    tooLong.PushByte(0x00);
    tooLong.PushByte(0xF7);
    EXPECT_FALSE(LoadTemplateFromSysEx(converted, tooLong, target));
    EXPECT_FALSE(converted);
    EXPECT_EQ(host.reports.size(), 1u);
    EXPECT_FALSE(DiffFileExists());

    // The load check ran all the same: it repaired the control.
    EXPECT_FALSE(target.GetControl(0)->GetMIDIPort2Enabled());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("incorrect data"), std::string::npos);
}

TEST_F(TemplateLoading, ADumpOfNoKnownModelFailsAndLeavesTheTargetAlone)
{
    CDorvaSynthTemplate target;
    target.SetName("Mine");
    const SysExBuffer before = target.Write();

    SysExBuffer foreign = DefaultDump();
    foreign[1] = 0x41; // another maker
    SysExBuffer unknownType = DefaultDump();
    unknownType[5] = 0x09;
    for (const SysExBuffer& dump : {foreign, unknownType, SysExBuffer::FromBytes(Bytes{0xF0, 0xF7}), SysExBuffer()})
    {
        bool converted = false;
        EXPECT_FALSE(LoadTemplateFromSysEx(converted, dump, target));
        EXPECT_TRUE(converted);
    }
    EXPECT_EQ(target.Write(), before);
    EXPECT_EQ(target.GetDisplayName(), "Mine");
    EXPECT_FALSE(DiffFileExists());
    EXPECT_TRUE(host.reports.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(TemplateLoading, EveryOtherModelIsConvertedIntoTheTarget)
{
    const SysExBuffer dumps[] = {CTolvarTemplate().Write(), CTolvarDrelTemplate().Write(),
                                 CTolvarVeskTemplate().Write(), CCalderTemplate().Write()};
    const TemplateModel models[] = {ModelTolvar, ModelTolvarDrel, ModelTolvarVesk, ModelCalder};
    for (int i = 0; i < 4; ++i)
    {
        ASSERT_EQ(models[i], IdentifyTemplateSysEx(dumps[i]));
        std::unique_ptr<CEditorTemplate> source = CreateTemplateOfModel(models[i]);
        ASSERT_NE(nullptr, source);
        EXPECT_EQ(dumps[i], source->Write());

        CDorvaSynthTemplate target;
        bool converted = false;
        ASSERT_TRUE(LoadTemplateFromSysEx(converted, dumps[i], target)) << i;
        EXPECT_TRUE(converted);
    }
    EXPECT_EQ(nullptr, CreateTemplateOfModel(ModelUnknown));
    EXPECT_FALSE(DiffFileExists());
    EXPECT_TRUE(host.reports.empty());
}

TEST_F(TemplateLoading, ConvertingBringsTheSourcesControlsAndName)
{
    CTolvarVeskTemplate source;
    source.SetName("Vesk Set");
    source.GetControl(0)->SetType(ControlMessageType::CC, false);
    source.GetControl(0)->SetName("Cutoff");
    CDorvaSynthTemplate target;
    bool converted = false;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, source.Write(), target));
    EXPECT_EQ("Vesk Set", target.GetDisplayName());
    EXPECT_EQ("Cutoff", target.GetControl(0)->GetName());
    EXPECT_FALSE(target.GetImportedControls().empty());
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
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(GetDataErrorFilePath(), "/var/tmp/Dorva EditorSyxDiff.bin");
    ::setenv("TMPDIR", "/var/tmp/", 1);
    EXPECT_EQ(GetDataErrorFilePath(), "/var/tmp/Dorva EditorSyxDiff.bin");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(GetDataErrorFilePath(), "/tmp/Dorva EditorSyxDiff.bin");
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(GetDataErrorFilePath(), "/tmp/Dorva EditorSyxDiff.bin");
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}
