// Converting each of the other models into the DorvaSynth template, and the
// keyboard zones of a conversion between zoned templates.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "model/ControlState.h"
#include "model/KeyboardZone.h"
#include "model/calder/CalderTemplate.h"
#include "model/dorvasynth/DorvaSynthTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/TemplateTestSupport.h"

using TemplateTest::RecordingHost;

namespace
{
const char kRefused[] = "This template contains controls which will not work with this hardware.\n\nThese controls "
                        "will not be loaded.";

struct SourceCase
{
    const char* name;
    std::function<std::unique_ptr<CEditorTemplate>()> make;
    int firstButton;
};

// Test names show the case by name only.
[[maybe_unused]] void PrintTo(const SourceCase& c, std::ostream* os)
{
    *os << c.name;
}


template <class T>
std::unique_ptr<CEditorTemplate> Make()
{
    return std::make_unique<T>();
}

const SourceCase kSources[] = {
    {"TolvarVesk", Make<CTolvarVeskTemplate>, 24},
    {"Calder", Make<CCalderTemplate>, 93},
    {"Tolvar", Make<CTolvarTemplate>, 31},
    {"TolvarDrel", Make<CTolvarDrelTemplate>, 18},
};

void SetControl(CEditorTemplate& t, int index, int type, const std::string& name, int number)
{
    CBaseControlState* state = t.GetControl(index);
    ASSERT_NE(nullptr, state);
    state->SetType(type, false);
    state->SetName(name);
    state->SetMIDIControlLSBNum(static_cast<uint8_t>(number));
}

// The source as the editor gets it: written by its model and read back.
std::unique_ptr<CEditorTemplate> ThroughDump(const SourceCase& source, const CEditorTemplate& filled)
{
    auto read = source.make();
    size_t position = 0;
    EXPECT_TRUE(read->Read(filled.Write(), position));
    return read;
}

int CountNamed(const std::vector<CBaseControlState>& controls, const std::string& name)
{
    return static_cast<int>(std::count_if(controls.begin(), controls.end(),
                                          [&](const CBaseControlState& c) { return c.GetName() == name; }));
}

class FromEveryModel : public ::testing::TestWithParam<SourceCase>
{
};
} // namespace

TEST_P(FromEveryModel, KeepsEachSupportedControlOnceUnderImportedControls)
{
    const SourceCase& source = GetParam();
    RecordingHost host;
    ScopedHost scope(&host);

    auto filled = source.make();
    filled->SetName("Imported Set");
    SetControl(*filled, 0, ControlMessageType::CC, "Cutoff", 74);
    SetControl(*filled, 1, ControlMessageType::CC, "Cutoff", 74); // the same control again
    SetControl(*filled, 2, ControlMessageType::NRPN, "Reso", 3);
    SetControl(*filled, source.firstButton, ControlMessageType::DrumNote, "Kick", 36);
    SetControl(*filled, source.firstButton + 1, ControlMessageType::MMC, "Play", 0);
    SetControl(*filled, source.firstButton + 2, ControlMessageType::BankSelect, "Bank", 0);
    auto read = ThroughDump(source, *filled);
    host.messages.clear();

    CDorvaSynthTemplate target;
    ASSERT_TRUE(target.ConvertFrom(*read));
    target.ValidateAfterLoad();

    const std::vector<CBaseControlState>& imported = target.GetImportedControls();
    EXPECT_EQ(1, CountNamed(imported, "Cutoff"));
    EXPECT_EQ(1, CountNamed(imported, "Reso"));
    EXPECT_EQ(0, CountNamed(imported, "Kick"));
    EXPECT_EQ(0, CountNamed(imported, "Bank"));
    for (const CBaseControlState& c : imported)
    {
        EXPECT_NE(ControlMessageType::Disabled, c.GetType());
        EXPECT_EQ(1, std::count_if(imported.begin(), imported.end(), [&](const CBaseControlState& other) {
                      return CBaseControlState::Equals(c, other);
                  }));
    }
    EXPECT_EQ(1, std::count(host.messages.begin(), host.messages.end(), kRefused));

    EXPECT_EQ("Imported Set", target.GetLocals().GetName());
    EXPECT_EQ("Cutoff", target.GetControl(0)->GetName());
    EXPECT_EQ(74, target.GetControl(0)->GetMIDIControlLSBNum());
    EXPECT_EQ("Reso", target.GetControl(1)->GetName());
}

TEST_P(FromEveryModel, AllDisabledGivesNothingAndNoMessage)
{
    const SourceCase& source = GetParam();
    RecordingHost host;
    ScopedHost scope(&host);
    auto filled = source.make();
    for (int i = 0; i <= filled->GetLastControlIndex(); ++i)
        filled->GetControl(i)->Clear();
    auto read = ThroughDump(source, *filled);
    host.messages.clear();

    CDorvaSynthTemplate target;
    target.ConvertFrom(*read);
    EXPECT_TRUE(target.GetImportedControls().empty());
    EXPECT_TRUE(host.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Models, FromEveryModel, ::testing::ValuesIn(kSources),
                         [](const ::testing::TestParamInfo<SourceCase>& info) { return info.param.name; });

TEST(ZoneConversion, ZonedTargetTakesTheSourceZonesWhenTheDeviceHasZones)
{
    struct ZonedAnswers : CDorvaSynthAnswers
    {
        bool HasKeyboardZones() const override { return true; }
    };
    struct ZonedHost : RecordingHost
    {
        const IDeviceAnswers& Device() const override { return zoned; }
        ZonedAnswers zoned;
    } host;
    ScopedHost scope(&host);

    CTolvarVeskTemplate source;
    source.SetZonesEnabled(true);
    source.GetKeyboardZone(3)->SetNoteRange(40, 50);
    source.GetKeyboardZone(3)->SetChannelGroup(CKeyboardZone::KeyboardGroup);

    CCalderTemplate target;
    target.ConvertFrom(source);
    EXPECT_TRUE(target.GetZonesEnabled());
    EXPECT_FALSE(target.GetKeyboardZone(3)->Differs(*source.GetKeyboardZone(3)));
    EXPECT_EQ(40, target.GetKeyboardZone(3)->GetLowNote());

    // A source without zones leaves the target's as they are.
    CTolvarDrelTemplate drel;
    target.ConvertFrom(drel);
    EXPECT_FALSE(target.GetZonesEnabled());
    EXPECT_EQ(40, target.GetKeyboardZone(3)->GetLowNote());
}
