// One conformance suite over the other models' templates: fresh dumps,
// refusals, round trips of junk, and that every control travels in its own
// record.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "model/ControlState.h"
#include "model/TemplateModel.h"
#include "model/calder/CalderTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/TemplateTestSupport.h"

using TemplateTest::ReadInto;

namespace
{
struct ModelCase
{
    const char* name;
    std::function<std::unique_ptr<CEditorTemplate>()> make;
    size_t size;
    size_t headerSize;
    uint8_t type;
    size_t nameWidth; // of a control record's name
    TemplateModel model;
    // Runs of bytes a fresh dump holds: {first offset, bytes...}.
    std::vector<std::vector<int>> fresh;
    // Locals bytes set in a fresh dump ({offset, value}) and what the locals read then:
    // channel, MIDI port 1, USB, MIDI port 2, bytes 13-15, aftertouch, override channel.
    std::vector<std::pair<size_t, uint8_t>> localsBytes;
    const char* locals;
};

// Test names show the case by name only.
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
    // Drum times, zone flags, settings; the locals' group pages below 2 written as 0;
    // groups at their defaults: channels 1, ports 1, 2 and USB on, no common use.
    {"TolvarVesk", Make<CTolvarVeskTemplate>, 4112, 13, 0x03, 8, ModelTolvarVesk,
     {{109, 0x07}, {179, 0, 1, 0, 0x40, 0, 0, 0, 0}, {13 + 52, 0, 0}, {13 + 55, 0x5A, 0x29}, {13 + 69, 0x19},
      {13 + 86, 0, 0x47, 0, 0x47}, {4109, 0x12, 0x34, 0xF7}},
     {}, "0 1 1 1 0 0 0 1 0 "},
    // The audio block, both effects blocks (E6, E12, E13, E23, E44).
    {"Calder", Make<CCalderTemplate>, 8208, 13, 0x00, 16, ModelCalder,
     {{53, 0, 0, 0x40}, {69 + 5, 0}, {69 + 11, 3, 0x5A}, {69 + 22, 0x14}, {69 + 43, 0x64}, {133 + 5, 0},
      {133 + 11, 3, 0x5A}, {133 + 22, 0x14}, {133 + 43, 0x64}, {8205, 0x12, 0x34, 0xF7}},
     {{13 + 31, 0x2A}, {13 + 36, 0x07}}, "10 1 0 0 0 1 0 0 0 "},
    // The layout marker, the step sizes ahead of the zones.
    {"Tolvar", Make<CTolvarTemplate>, 2832, 13, 0x00, 16, ModelTolvar,
     {{CTolvarTemplate::kLayoutMarkerOffset, 1}, {127, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {2829, 0x12, 0x34, 0xF7}},
     {{13 + 17, 0x35}, {13 + 22, 0x06}, {13 + 38, 9}}, "5 1 1 0 1 0 0 0 9 "},
    {"TolvarDrel", Make<CTolvarDrelTemplate>, 1305, 6, 0x04, 16, ModelTolvarDrel, {}, {}, "0 1 1 1 0 0 0 1 0 "},
};


class EveryModel : public ::testing::TestWithParam<ModelCase>
{
protected:
    // The body of a fresh dump filled with random data bytes; the header and
    // the closing F7 stay valid.
    SysExBuffer JunkDump(unsigned seed) const
    {
        const ModelCase& m = GetParam();
        SysExBuffer dump = m.make()->Write();
        std::mt19937 random(seed);
        for (size_t i = m.headerSize; i + 1 < dump.size(); ++i)
            dump[i] = static_cast<uint8_t>(random() & 0x7F);
        if (m.size == CTolvarTemplate::kSysExSize)
            dump[CTolvarTemplate::kLayoutMarkerOffset] |= 1; // the older layout is converted
        return dump;
    }
};
} // namespace

TEST_P(EveryModel, FreshDumpHasItsSizeHeaderAndEnd)
{
    const ModelCase& m = GetParam();
    const auto t = m.make();
    const SysExBuffer dump = t->Write();
    ASSERT_EQ(m.size, dump.size());
    ASSERT_EQ(static_cast<size_t>(t->GetSysExSize()), dump.size());
    const uint8_t header[] = {0xF0, 0x00, 0x6A, 0x3C, 0x02, m.type};
    for (size_t i = 0; i < sizeof header; ++i)
        EXPECT_EQ(header[i], dump[i]) << "header byte " << i;
    EXPECT_EQ(0xF7, dump[dump.size() - 1]);
    EXPECT_TRUE(dump.IsValid());
    EXPECT_EQ(t->SerialiseSysEx(), dump);
    EXPECT_EQ(m.model, IdentifyTemplateSysEx(dump));
    for (const std::vector<int>& run : m.fresh)
        for (size_t i = 1; i < run.size(); ++i)
            EXPECT_EQ(run[i], dump[run[0] + i - 1]) << "byte " << run[0] + i - 1;
}

TEST_P(EveryModel, LocalsReadFromTheirBytes)
{
    const ModelCase& m = GetParam();
    SysExBuffer dump = m.make()->Write();
    for (const auto& [offset, value] : m.localsBytes)
        dump[offset] = value;
    const auto t = m.make();
    ASSERT_TRUE(ReadInto(*t, dump));
    const CTemplateLocals& l = t->GetLocals();
    std::string read;
    for (int v : std::initializer_list<int>{l.Keybaord_Midi_Channel, l.Enable_Midi_Port_1, l.Enable_USB_Port,
                                            l.Enable_Midi_Port_2, l.LocalsByte13, l.LocalsByte14, l.LocalsByte15,
                                            l.After_Touch, l.Override_Midi_Channel})
        read += std::to_string(v) + " ";
    EXPECT_EQ(read, m.locals);
}

TEST_P(EveryModel, FreshDumpReadsBackWithNothingLost)
{
    const ModelCase& m = GetParam();
    const SysExBuffer dump = m.make()->Write();
    const auto t = m.make();
    ASSERT_TRUE(ReadInto(*t, dump));
    EXPECT_EQ(dump, t->Write());
    EXPECT_FALSE(t->GetLostBitMask().AnyNonZero());
}

TEST_P(EveryModel, RefusesWrongSizeAndWrongType)
{
    const ModelCase& m = GetParam();
    const SysExBuffer dump = m.make()->Write();
    const auto t = m.make();

    SysExBuffer shorter = dump;
    shorter.resize(dump.size() - 1);
    EXPECT_FALSE(ReadInto(*t, shorter));

    SysExBuffer wrongType = dump;
    wrongType[5] = 0x05;
    EXPECT_FALSE(ReadInto(*t, wrongType));

    SysExBuffer longer = dump;
    longer.PushByte(0x00);
    const bool atLeast = m.size == CTolvarDrelTemplate::kSysExSize;
    EXPECT_EQ(atLeast, ReadInto(*t, longer));
}

TEST_P(EveryModel, JunkInEveryByteRoundTrips)
{
    for (unsigned seed = 1; seed <= 20; ++seed)
    {
        const SysExBuffer dump = JunkDump(seed);
        const auto t = GetParam().make();
        ASSERT_TRUE(ReadInto(*t, dump)) << "seed " << seed;
        ASSERT_EQ(dump, t->Write()) << "seed " << seed;
    }
}

TEST_P(EveryModel, AnEditChangesOnlyTheEditedBytes)
{
    const SysExBuffer dump = JunkDump(99);
    const auto t = GetParam().make();
    ASSERT_TRUE(ReadInto(*t, dump));
    t->GetControl(0)->SetName("Edited");
    const SysExBuffer out = t->Write();
    ASSERT_EQ(dump.size(), out.size());
    size_t first = out.size();
    size_t last = 0;
    for (size_t i = 0; i < out.size(); ++i)
        if (out[i] != dump[i])
        {
            first = std::min(first, i);
            last = i;
        }
    ASSERT_LT(first, out.size());
    EXPECT_LT(last - first, GetParam().nameWidth);

    const auto back = GetParam().make();
    ASSERT_TRUE(ReadInto(*back, out));
    EXPECT_EQ("Edited", back->GetControl(0)->GetName());
}

TEST_P(EveryModel, EveryControlTravelsInItsOwnRecord)
{
    const ModelCase& m = GetParam();
    const auto t = m.make();
    for (int i = 0; i <= t->GetLastControlIndex(); ++i)
    {
        CBaseControlState* state = t->GetControl(i);
        ASSERT_NE(nullptr, state) << i;
        state->SetType(ControlMessageType::CC, false);
        state->SetName("C" + std::to_string(i));
        state->SetSnapshotValue(i % 100);
    }
    const auto back = m.make();
    ASSERT_TRUE(ReadInto(*back, t->Write()));
    for (int i = 0; i <= t->GetLastControlIndex(); ++i)
    {
        EXPECT_EQ("C" + std::to_string(i), back->GetControl(i)->GetName());
        EXPECT_EQ(i % 100, back->GetControl(i)->GetSnapshotValue()) << i;
    }
}

TEST_P(EveryModel, ResetToDefaultsGivesTheFreshDumpAgain)
{
    const ModelCase& m = GetParam();
    const SysExBuffer fresh = m.make()->Write();
    const auto t = m.make();
    ASSERT_TRUE(ReadInto(*t, JunkDump(5)));
    t->ResetToDefaults();
    const SysExBuffer reset = t->SerialiseSysEx();
    ASSERT_EQ(fresh.size(), reset.size());
    // The Tolvar Vesk's four states without an index keep their values.
    size_t keptFirst = fresh.size();
    size_t keptEnd = fresh.size();
    if (m.size == CTolvarVeskTemplate::kSysExSize)
    {
        keptFirst = 419 + CTolvarVeskTemplate::kIndexedControls * 41;
        keptEnd = keptFirst + CTolvarVeskTemplate::kUnindexedControls * 41;
    }
    for (size_t i = 0; i < fresh.size(); ++i)
    {
        if (i >= keptFirst && i < keptEnd)
            continue;
        ASSERT_EQ(fresh[i], reset[i]) << "byte " << i;
    }
    EXPECT_TRUE(t->IsInitialised());
}

INSTANTIATE_TEST_SUITE_P(Models, EveryModel, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<ModelCase>& info) { return info.param.name; });
