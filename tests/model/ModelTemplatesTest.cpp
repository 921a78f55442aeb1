// Every model's template against its committed golden dumps (fresh, filled
// through the setters, and random dumps read and written again), then what
// each model does beyond that.
#include "model/BulkReading.h"
#include "model/KeyboardZone.h"
#include "model/TemplateModel.h"
#include "model/calder/CalderTemplate.h"
#include "model/tolvar/TolvarTemplate.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "model/tolvarvesk/TolvarVeskTemplate.h"
#include "tests/model/ModelTestSupport.h"

namespace
{
// A model: its template, header size, identity, a header type it refuses, its
// places (runs of continuous (c), button (b) and empty (-) indices from 0) and
// the width of a control's name.
struct ModelCase
{
    const char* name;
    std::unique_ptr<CEditorTemplate> (*make)();
    size_t headerSize;
    TemplateModel model;
    uint8_t otherType;
    const char* places;
    size_t nameWidth;
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
    {"DorvaSynth", Make<CDorvaSynthTemplate>, 13, ModelDorvaSynth, 0x00, "c22 b22 c6 b1 -1", 16},
    {"TolvarVesk", Make<CTolvarVeskTemplate>, 13, ModelTolvarVesk, 0x00, "c24 b39 c7 b8 c8 -1", 8},
    {"Calder", Make<CCalderTemplate>, 13, ModelCalder, 0x05, "c93 b56 -1", 16},
    {"Tolvar", Make<CTolvarTemplate>, 13, ModelTolvar, 0x05, "c31 b30 -1", 16},
    {"TolvarDrel", Make<CTolvarDrelTemplate>, 6, ModelTolvarDrel, 0x03, "c18 b24 c6 b1 -1", 16},
};

std::string Places(CEditorTemplate& t)
{
    std::string runs;
    char kind = 0;
    int count = 0;
    for (int i = 0; i <= t.GetLastControlIndex() + 1; ++i)
    {
        auto* model = dynamic_cast<CModelTemplate*>(&t);
        const bool continuous = model ? model->GetContinuousControl(i) != nullptr
                                      : static_cast<CDorvaSynthTemplate&>(t).GetContinuousControl(i) != nullptr;
        const char k = !t.GetControl(i) ? '-' : continuous ? 'c' : 'b';
        if (k != kind && count)
            runs += kind + std::to_string(count) + " ", count = 0;
        kind = k, ++count;
    }
    return runs + kind + std::to_string(count);
}

// Every setting of the template set to something other than its default.
void FillTemplate(CEditorTemplate& t)
{
    CTemplateLocals& l = t.GetLocals();
    l.SetName("A template name longer than any record");
    l.SetManufacturerName("Manufacturer");
    int k = 0;
    for (uint8_t* b : {&l.LocalsByte1, &l.Keybaord_Midi_Channel, &l.LocalsByte3, &l.LocalsByte4, &l.Velocity_Curve,
                       &l.Octave_Setting, &l.LocalsByte7, &l.LocalsByte8, &l.LocalsByte13, &l.LocalsByte14,
                       &l.LocalsByte15, &l.Override_Midi_Channel, &l.LocalsByte21, &l.LocalsByte22})
        *b = static_cast<uint8_t>(++k * 5 % 13);
    l.Enable_Midi_Port_1 = l.Enable_USB_Port = l.After_Touch = false;
    l.Enable_Midi_Port_2 = l.Pathlore_Template = true;
    l.Pad_X_Type = 3, l.Pad_Y_Type = 1, l.Synth_By_Control = 2, l.Synth_By_MIDI = 1, l.Hybrid = 1, l.Transpose = -12;
    t.SetZonesEnabled(true);
    for (int z = 0; CKeyboardZone* zone = t.GetKeyboardZone(z); ++z)
    {
        zone->SetNoteRange(10 + z, 100 - z), zone->SetTranspose(60 + z), zone->SetVelocityOffset(z);
        zone->SetChannel(3 + z), zone->SetChannelGroup(z % 3), zone->SetPortGroup((z + 1) % 3);
        zone->SetMidiPort1(z & 1), zone->SetMidiPort2(z & 2), zone->SetUsbPort(!(z & 1)), zone->SetUsbPort2(z & 1);
        zone->SetUsbPort3(z & 2), zone->SetAftertouch(z & 1), zone->SetPitchBend(z & 2), zone->SetModWheel(!(z & 2));
    }
    for (int i = 0; i <= t.GetLastControlIndex(); ++i)
        Fill(*t.GetControl(i), i, "Control " + std::to_string(i) + " name");
    if (auto* calder = dynamic_cast<CCalderTemplate*>(&t))
    {
        for (size_t i = 0; i < calder->GetAudio().A.size(); ++i)
            calder->GetAudio().A[i] = static_cast<uint8_t>(i + 1);
        for (int block = 0; block < 2; ++block)
            for (size_t i = 0; i < calder->GetEffects(block).E.size(); ++i)
                calder->GetEffects(block).E[i] = static_cast<uint8_t>(30 + i + block * 40);
    }
    if (CTemplateGroups* groups = t.GetGroups())
    {
        PortChannelGroup& g = groups->GetGroups();
        g.own.channel = 8, g.own.midiPort2 = 0, g.common.channel = 3, g.common.usbPort3 = 1;
        g.As_Common_Ports = g.As_Common_Channel = 1;
    }
    if (auto* dorvaSynth = dynamic_cast<CDorvaSynthTemplate*>(&t))
        for (int i = 0; i < CDorvaSynthTemplate::kUnindexedCount; ++i)
            Fill(dorvaSynth->GetUnindexedControl(i), 60 + i, "Hidden");
}

class EveryModel : public ::testing::TestWithParam<ModelCase>
{
protected:
    std::unique_ptr<CEditorTemplate> Junk(unsigned seed) const
    {
        SysExBuffer dump = JunkDump(GetParam().make()->Write(), GetParam().headerSize, seed);
        if (GetParam().model == ModelTolvar)
            dump[CTolvarTemplate::kLayoutMarkerOffset] |= 1; // the older layout is converted
        auto t = GetParam().make();
        EXPECT_TRUE(ReadInto(*t, dump));
        EXPECT_EQ(dump, t->Write()) << "seed " << seed;
        return t;
    }
};

TEST_P(EveryModel, FreshAndFilledDumpsAreTheGoldenOnes)
{
    const ModelCase& m = GetParam();
    const auto t = m.make();
    const SysExBuffer dump = t->Write();
    EXPECT_TRUE(MatchesGolden(dump, std::string(m.name) + "_fresh"));
    EXPECT_EQ(size_t(t->GetSysExSize()), dump.size());
    EXPECT_TRUE(dump.IsValid());
    EXPECT_EQ(t->SerialiseSysEx(), dump);
    EXPECT_EQ(m.model, IdentifyTemplateSysEx(dump));
    EXPECT_EQ(m.places, Places(*t));
    ASSERT_TRUE(ReadInto(*t, dump));
    EXPECT_FALSE(t->GetLostBitMask().AnyNonZero());
    FillTemplate(*t);
    EXPECT_TRUE(MatchesGolden(t->Write(), std::string(m.name) + "_filled"));
}

TEST_P(EveryModel, RandomDumpsReadAsTheGoldenOnesSay)
{
    SysExBuffer serialised;
    for (unsigned seed = 1; seed <= 4; ++seed)
        serialised.Append(Junk(seed)->SerialiseSysEx());
    EXPECT_TRUE(MatchesGolden(serialised, std::string(GetParam().name) + "_random"));
    for (unsigned seed = 5; seed <= 20; ++seed)
        Junk(seed);
}

// The lost-bit mask and the merge as defined, byte by byte, for bodies of any
// bytes: F0 and F7 pass the writers' filter, other status bytes become 0.
TEST_P(EveryModel, MaskAndMergeFollowTheirDefinitionForAnyBytes)
{
    const auto filtered = [](int b) { return uint8_t((b & 0x80) && b != 0xF0 && b != 0xF7 ? 0 : b); };
    for (unsigned seed = 1; seed <= 10; ++seed)
    {
        SysExBuffer dump = GetParam().make()->Write();
        std::mt19937 random(seed);
        for (size_t i = GetParam().headerSize; i + 1 < dump.size(); ++i)
            dump[i] = static_cast<uint8_t>(random());
        if (GetParam().model == ModelTolvar)
            dump[CTolvarTemplate::kLayoutMarkerOffset] |= 1;
        const auto t = GetParam().make();
        ASSERT_TRUE(ReadInto(*t, dump));
        const SysExBuffer again = t->SerialiseSysEx();
        Bytes mask(dump.size()), merged(dump.size());
        for (size_t i = 0; i < dump.size(); ++i)
            mask[i] = filtered(dump[i] ^ again[i]);
        EXPECT_TRUE(SameBytes(t->GetLostBitMask(), mask)) << seed;
        t->GetControl(int(seed))->SetMIDIControlLSBNum(static_cast<uint8_t>(seed));
        const SysExBuffer fresh = t->SerialiseSysEx();
        for (size_t i = 0; i < dump.size(); ++i)
            merged[i] = filtered((fresh[i] & ~mask[i]) | (dump[i] & mask[i]));
        EXPECT_TRUE(SameBytes(t->Write(), merged)) << seed;
    }
}

TEST_P(EveryModel, RefusesWrongSizeMakerAndType)
{
    const ModelCase& m = GetParam();
    const SysExBuffer dump = m.make()->Write();
    const auto t = m.make();
    SysExBuffer shorter = dump, longer = dump, otherType = dump, otherMaker = dump;
    shorter.resize(dump.size() - 1);
    longer.PushByte(0x00);
    otherType[5] = m.otherType;
    otherMaker[2] = 0x6B;
    EXPECT_FALSE(ReadInto(*t, shorter) || ReadInto(*t, otherType) || ReadInto(*t, otherMaker));
    EXPECT_FALSE(ReadInto(*t, SysExBuffer()));
    EXPECT_EQ(m.model == ModelTolvarDrel, ReadInto(*t, longer)); // kept whole, see below
}

TEST_P(EveryModel, AnEditChangesOnlyItsOwnBytes)
{
    const auto t = GetParam().make();
    FillTemplate(*t);
    const SysExBuffer before = t->Write();
    ASSERT_TRUE(ReadInto(*t, before));
    t->GetControl(3)->SetName("Edited");
    const SysExBuffer out = t->Write();
    ASSERT_EQ(before.size(), out.size());
    size_t first = out.size(), last = 0;
    for (size_t i = 0; i < out.size(); ++i)
        if (out[i] != before[i])
            first = std::min(first, i), last = i;
    EXPECT_LT(last - first, GetParam().nameWidth);
    ASSERT_TRUE(ReadInto(*t, out));
    EXPECT_EQ("Edited", t->GetControl(3)->GetName());
}

TEST_P(EveryModel, ResetToDefaultsGivesTheFreshDumpAgain)
{
    const ModelCase& m = GetParam();
    const SysExBuffer fresh = m.make()->Write();
    const auto t = Junk(5);
    t->ResetToDefaults();
    const SysExBuffer reset = t->SerialiseSysEx();
    ASSERT_EQ(fresh.size(), reset.size());
    // The Tolvar Vesk's four states without an index keep their values.
    const size_t keptFirst = m.model == ModelTolvarVesk ? 419 + 86 * 41 : fresh.size(), keptEnd = keptFirst + 4 * 41;
    for (size_t i = 0; i < fresh.size(); ++i)
        if (i < keptFirst || i >= keptEnd)
            ASSERT_EQ(fresh[i], reset[i]) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Models, EveryModel, ::testing::ValuesIn(kModels),
                         [](const ::testing::TestParamInfo<ModelCase>& info) { return info.param.name; });

TEST(DorvaSynthTemplate, KeepsWhatItReadsAndRepairsWhatTheUnitCannotHold)
{
    RecordingHost host;
    ScopedHost scope(&host);
    const auto load = [&](const std::function<void(SysExBuffer&)>& change) {
        SysExBuffer dump = CDorvaSynthTemplate().Write();
        change(dump);
        auto t = std::make_unique<CDorvaSynthTemplate>();
        EXPECT_TRUE(ReadInto(*t, dump));
        t->MarkSaved(true);
        host.messages.clear();
        t->ValidateAfterLoad();
        return t;
    };
    const size_t r0 = 185, r10 = r0 + 10 * 30, r30 = r0 + 30 * 30, r45 = r0 + 45 * 30, hidden = r0 + 51 * 30;
    auto t = load([&](SysExBuffer& d) { d[7] = 1, d[12] = 15, d[50 + 7] = 0x55, d[1805] = 0x66, d[hidden + 19] |= 0x40; });
    EXPECT_FALSE(t->IsModified() || !host.messages.empty());
    EXPECT_EQ("85 102", Join(t->GetLostBitMask()[50 + 7], t->GetTrailingByte(0))); // the unmodelled gap
    EXPECT_EQ(t->GetKeptDump(), t->Write());
    t->SetLocation(3);
    t->SetBulkFlag(false);
    EXPECT_EQ("3 0", Join(t->Write()[12], t->Write()[7]));

    // MIDI port 2 and routing bit 0, display format 3, synth mode and D3.
    t = load([&](SysExBuffer& d) {
        d[r10 + 19] |= 0x40, d[r30 + 19] |= 0x01, d[r45 + 21] = 0x43, d[13 + 31] = 5, d[13 + 25] = 1;
    });
    EXPECT_TRUE(t->IsModified());
    EXPECT_EQ(host.messages, std::vector<std::string>{"Some controls in this template contain incorrect data.  They "
                                                      "will be changed to the correct values - please save this "
                                                      "template again."});
    EXPECT_EQ("0 0 0 0 0", Join(t->Write()[r10 + 19] & 0x41, t->Write()[r30 + 19] & 0x41,
                                t->GetControl(45)->GetDisplayFormat(), t->GetDorvaSynthLocals().Synth_By_Control,
                                t->GetDorvaSynthLocals().D3));
    t = load([&](SysExBuffer& d) { d[13 + 31] = 4, d[13 + 32] = 5; });
    EXPECT_FALSE(t->IsModified() || !t->GetDorvaSynthLocals().Synth_By_MIDI);

    // Snapshots outside the range are clamped, with one message for them all.
    t = load([&](SysExBuffer& d) {
        for (size_t r : {r0, r0 + 30})
            d[r + 16] = 1, d[r + 17] = 10, d[r + 18] = 20, d[r + 25] = 90;
    });
    EXPECT_EQ(host.messages, std::vector<std::string>{"This template contained controls with settings outside their "
                                                      "range.  These settings have been clamped inside the range of "
                                                      "the control."});
    EXPECT_EQ(20, t->Write()[r0 + 30 + 25]);
    EXPECT_TRUE(t->IsModified() && t->GetControl(0)->IsContinuous() && !t->GetControl(22)->IsContinuous());

    // MMC buttons load quietly: their snapshot is their low value.
    CDorvaSynthTemplate source;
    for (int index : {22, 35, 50})
    {
        CBaseControlState* button = source.GetControl(index);
        button->SetType(ControlMessageType::MMC, false), button->SetMMCControlType(2);
        button->SetMIDIChannelOrMMCDeviceNum(127), button->SetOffValue(2, false);
    }
    t = load([&](SysExBuffer& d) { d = source.Write(); });
    EXPECT_FALSE(t->IsModified());
    EXPECT_EQ(2, t->GetControl(35)->GetSnapshotValue());
    EXPECT_EQ(source.Write(), t->Write());
}

TEST(TolvarTemplate, OlderLayoutIsConvertedWhileReading)
{
    CTolvarTemplate source;
    source.SetZonesEnabled(true);
    source.GetKeyboardZone(3)->SetTranspose(52);
    for (int index : {31, 32, 45})
        source.GetControl(index)->SetAction(ControlAction::Step), source.GetControl(index)->SetMultiStep(7);
    source.GetControl(34)->SetMultiStep(4);
    const SysExBuffer current = source.Write();
    SysExBuffer older = current;
    for (size_t i = 55; i < 126; ++i)
        older[i - 3] = current[i];
    older[122] = 0x2A; // a stray byte, moved like the rest
    older[CTolvarTemplate::kLayoutMarkerOffset] = 0x00;
    CTolvarTemplate t;
    ASSERT_TRUE(ReadInto(t, older));
    // Bytes 52-54 keep what the older layout had there: a pad setting and the
    // step of button 31 read from them; a plain button 33 steps by 1.
    EXPECT_EQ(Join(1, 52, 7, older[52], 4, 1, 1), Join(t.GetZonesEnabled(), t.GetKeyboardZone(3)->GetTranspose(),
                                                       t.GetControl(45)->GetMultiStep(), t.GetLocals().Pad_X_Type,
                                                       t.GetControl(31)->GetMultiStep(), t.GetControl(33)->GetMultiStep(),
                                                       t.Write()[CTolvarTemplate::kLayoutMarkerOffset]));
    // The kept dump is the converted one: only the stray byte is lost.
    const SysExBuffer& lost = t.GetLostBitMask();
    EXPECT_EQ(0x2A, lost[125]);
    EXPECT_EQ(1, std::count_if(lost.begin(), lost.end(), [](uint8_t b) { return b != 0; }));

    SysExBuffer marked = current;
    marked[CTolvarTemplate::kLayoutMarkerOffset] = 0x03; // bit 0: the current layout, other bits kept
    ASSERT_TRUE(ReadInto(t, marked));
    EXPECT_EQ(marked, t.Write());
    EXPECT_FALSE(CTolvarTemplate::ConvertOlderLayout(marked, 0));
}

TEST(TolvarDrelTemplate, ALongerMessageIsKeptWholeAndABankEntryHasNoHeader)
{
    SysExBuffer dump = CTolvarDrelTemplate().Write();
    dump[6 + 23] = 0x55; // a skipped byte
    SysExBuffer trailing = dump, runOn = dump;
    trailing.PushByte(0x00);
    runOn[runOn.size() - 1] = 0x12;
    for (int i = 0; i < 94; ++i)
        runOn.PushByte(0x33);
    runOn.PushByte(SysExBuffer::kEnd);
    for (const SysExBuffer* message : {&trailing, &runOn})
    {
        CTolvarDrelTemplate t;
        size_t position = 0;
        ASSERT_TRUE(t.Read(*message, position));
        EXPECT_EQ(dump.size(), position);
        EXPECT_EQ(*message, t.GetKeptDump());
        EXPECT_EQ(dump, t.Write());
    }

    CTolvarDrelTemplate source;
    source.SetName("Entry");
    ScopedBulkReading bulk(true);
    const SysExBuffer entry = source.SerialiseSysEx();
    ASSERT_EQ(CTolvarDrelTemplate::kHeaderlessSize, entry.size());
    SysExBuffer bank = entry;
    bank.Append(entry);
    bank[entry.size() + 23] = 0x11; // the second entry's skipped byte
    CTolvarDrelTemplate first, second;
    size_t position = 0;
    ASSERT_TRUE(first.Read(bank, position) && second.Read(bank, position));
    EXPECT_EQ(bank.size(), position);
    EXPECT_EQ("Entry", first.GetDisplayName());
    EXPECT_EQ(entry, first.Write());
    EXPECT_EQ(0x11, second.Write()[23]);
    SysExBuffer shorter = entry;
    shorter.resize(entry.size() - 1);
    position = 0;
    EXPECT_FALSE(first.ParseSysEx(shorter, position));
    position = 1;
    EXPECT_FALSE(first.ParseSysEx(entry, position));
    first.Assign(source); // a copy is a whole dump even while a bank is read
    EXPECT_EQ(size_t(CTolvarDrelTemplate::kSysExSize), first.GetKeptDump().size());
    EXPECT_TRUE(IsBulkReading());
}

TEST(TolvarVeskTemplate, LoadCheckRepairsAndImportedControlsAfterTheLastIndex)
{
    RecordingHost host;
    ScopedHost scope(&host);
    SysExBuffer dump = CTolvarVeskTemplate().Write();
    dump[13 + 55] = 0x50, dump[13 + 56] = 0x28, dump[13 + 70] = 0x01, dump[109] = 0x03, dump[13 + 51] = 5;
    CTolvarVeskTemplate t;
    ASSERT_TRUE(ReadInto(t, dump));
    t.ValidateAfterLoad();
    t.ValidateAfterLoad();
    EXPECT_EQ(host.messages, (std::vector<std::string>{"Fixing broken template NUMCMN", "Fixing broken template PGCNSIZE",
                                                       "This template has corrupted row select default data - fixing it."}));
    EXPECT_EQ(Join(0x5A, 0x29, 7, 0), Join(t.GetVeskLocals().NUMCMN, t.GetVeskLocals().PGCNSIZE, t.GetTemplateValue(),
                                           t.IsModified()));
    EXPECT_EQ(nullptr, t.GetControl(86));
    EXPECT_FALSE(t.IsIndexValid(86));
    t.GetImportedControls().emplace_back();
    t.GetImportedControls().back().SetName("Imported");
    EXPECT_EQ("Imported", t.GetControl(86)->GetName());
    EXPECT_EQ(nullptr, t.GetControl(87));
    EXPECT_EQ("Untitled - Unknown 1", Join(t.GetDisplayName(), t.GetVeskLocals().Pathlore_Template));
}
} // namespace
