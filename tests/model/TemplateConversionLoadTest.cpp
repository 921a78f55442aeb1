#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "model/ControlState.h"
#include "model/EditorHost.h"
#include "model/TemplateLoader.h"
#include "model/calder/CalderTemplate.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/TempFolder.h"

namespace
{
// A DorvaSynth host that keeps the messages and counts the reports.
class CountingHost : public IEditorHost
{
public:
    const IDeviceAnswers& Device() const override { return answers; }
    int ShowMessage(const std::string& text, int) override
    {
        messages.push_back(text);
        return MessageAnswer::Ok;
    }
    void ShowErrorReport(const std::string&, const std::string&, const std::string&) override { ++reports; }
    bool SendErrorsHome() const override { return true; }
    IEditorWindow* Window() override { return nullptr; }

    CDorvaSynthAnswers answers;
    std::vector<std::string> messages;
    int reports = 0;
};

struct ModelCase
{
    const char* name;
    std::function<std::unique_ptr<CEditorTemplate>()> make;
    TemplateModel model;
    size_t size;
};

[[maybe_unused]] void PrintTo(const ModelCase& c, std::ostream* os)
{
    *os << c.name;
}

template <class T>
std::unique_ptr<CEditorTemplate> Make()
{
    return std::make_unique<T>();
}

const ModelCase kModels[] = {
    {"Tolvar", Make<CTolvarTemplate>, ModelTolvar, 2832},
    {"TolvarDrel", Make<CTolvarDrelTemplate>, ModelTolvarDrel, 1305},
    {"TolvarVesk", Make<CTolvarVeskTemplate>, ModelTolvarVesk, 4112},
    {"Calder", Make<CCalderTemplate>, ModelCalder, 8208},
};

// $TMPDIR points at a fresh folder for the life of the fixture.
class ConvertingLoad : public ::testing::Test
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

    CountingHost host;
    ScopedHost scoped{&host};
    TempFolder m_dir;

private:
    bool m_hadTmp = false;
    std::string m_oldTmp;
};

class FromAnotherModel : public ConvertingLoad, public ::testing::WithParamInterface<ModelCase>
{
};
} // namespace

TEST_P(FromAnotherModel, IsIdentifiedReadAndConverted)
{
    const ModelCase& source = GetParam();
    std::unique_ptr<CEditorTemplate> filled = source.make();
    CBaseControlState* first = filled->GetControl(0);
    ASSERT_NE(first, nullptr);
    first->SetType(1, false);
    first->SetName("Cutoff");
    first->SetMIDIControlLSBNum(74);
    filled->GetLocals().SetName("Imported");
    const SysExBuffer dump = filled->Write();
    ASSERT_EQ(dump.size(), source.size);
    ASSERT_EQ(IdentifyTemplateSysEx(dump), source.model);

    CDorvaSynthTemplate target;
    bool converted = false;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, dump, target));
    EXPECT_TRUE(converted);
    EXPECT_EQ(target.GetLocals().GetName(), "Imported");
    EXPECT_EQ(target.GetControl(0)->GetName(), "Cutoff");
    EXPECT_EQ(target.GetControl(0)->GetType(), 1);
    EXPECT_EQ(target.GetControl(0)->GetMIDIControlLSBNum(), 74);
    ASSERT_FALSE(target.GetImportedControls().empty());
    EXPECT_EQ(target.GetImportedControls()[0].GetName(), "Cutoff");
    // The source's own dump held nothing it could not write back.
    EXPECT_TRUE(m_dir.Names().empty());
    EXPECT_EQ(host.reports, 0);
}

TEST_P(FromAnotherModel, ARefusedDumpOfTheModelLeavesTheTargetAlone)
{
    const ModelCase& source = GetParam();
    SysExBuffer dump = source.make()->Write();
    dump.resize(dump.size() - 2); // cut short, closing F7 kept
    dump.PushByte(SysExBuffer::kEnd);

    CDorvaSynthTemplate target;
    target.SetName("Mine");
    const SysExBuffer before = target.Write();
    bool converted = false;
    EXPECT_FALSE(LoadTemplateFromSysEx(converted, dump, target));
    EXPECT_EQ(target.Write(), before);
    EXPECT_TRUE(target.GetImportedControls().empty());
}

INSTANTIATE_TEST_SUITE_P(Models, FromAnotherModel, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<ModelCase>& info) { return std::string(info.param.name); });

TEST_F(ConvertingLoad, ACalderDumpRunsTheDorvaSynthRepairAfterConverting)
{
    CCalderTemplate calder;
    CBaseControlState* pot = calder.GetControl(0);
    pot->SetType(1, false);
    pot->SetName("Drive");
    pot->SetMIDIPort2Enabled(true); // the DorvaSynth has no second MIDI port
    const SysExBuffer dump = calder.Write();
    ASSERT_EQ(dump.size(), 8208u);
    ASSERT_EQ(dump[5], 0x00);

    CDorvaSynthTemplate target;
    bool converted = false;
    ASSERT_TRUE(LoadTemplateFromSysEx(converted, dump, target));
    EXPECT_TRUE(converted);
    EXPECT_EQ(target.GetControl(0)->GetName(), "Drive");
    EXPECT_FALSE(target.GetControl(0)->GetMIDIPort2Enabled());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("incorrect data"), std::string::npos);
    EXPECT_TRUE(target.IsModified());
}
