#include <gtest/gtest.h>

#include "model/BulkReading.h"
#include "model/TemplateModel.h"
#include "model/tolvardrel/TolvarDrelTemplate.h"
#include "tests/model/TemplateTestSupport.h"

using TemplateTest::ReadInto;

constexpr size_t kLocals = 6;

TEST(TolvarDrelTemplate, FreshDumpAndIdentity)
{
    CTolvarDrelTemplate t;
    const SysExBuffer dump = t.Write();
    EXPECT_EQ(ModelTolvarDrel, IdentifyTemplateSysEx(dump));
    EXPECT_EQ("Untitled", t.GetDisplayName());
    EXPECT_FALSE(t.GetZonesEnabled());
    EXPECT_EQ(nullptr, t.GetKeyboardZone(0));
    EXPECT_EQ(nullptr, t.GetGroups());
}

TEST(TolvarDrelTemplate, ALongerMessageIsKeptWholeAndWritesBackAsOneDump)
{
    SysExBuffer dump = CTolvarDrelTemplate().Write();
    dump[kLocals + 23] = 0x55; // a skipped byte
    // The dump with something after its end, and one message that runs on
    // past 1305 bytes with its F7 at the very end.
    SysExBuffer trailing = dump;
    trailing.PushByte(0x00);
    SysExBuffer runOn = dump;
    runOn[runOn.size() - 1] = 0x12;
    for (int i = 0; i < 94; ++i)
        runOn.PushByte(0x33);
    runOn.PushByte(SysExBuffer::kEnd);
    for (const SysExBuffer* message : {&trailing, &runOn})
    {
        CTolvarDrelTemplate t;
        size_t position = 0;
        ASSERT_TRUE(t.Read(*message, position)) << message->size();
        EXPECT_EQ(dump.size(), position);
        EXPECT_EQ(*message, t.GetKeptDump()) << "the whole input is kept";
        const SysExBuffer written = t.Write();
        EXPECT_EQ(dump, written) << message->size() << ": the skipped byte kept, ending in F7";
        CTolvarDrelTemplate again;
        EXPECT_TRUE(ReadInto(again, written));
    }

    SysExBuffer tvesk = CTolvarDrelTemplate().Write();
    tvesk[5] = 0x03;
    CTolvarDrelTemplate t;
    EXPECT_FALSE(ReadInto(t, tvesk));
}

TEST(TolvarDrelTemplate, PortSelectorOfTheSettings)
{
    SysExBuffer dump = CTolvarDrelTemplate().Write();
    dump[kLocals + 19] = 3;
    CTolvarDrelTemplate t;
    ASSERT_TRUE(ReadInto(t, dump));
    EXPECT_TRUE(t.GetLocals().Enable_USB_Port);
    EXPECT_TRUE(t.GetLocals().Enable_Midi_Port_1);
    EXPECT_EQ(3, t.SerialiseSysEx()[kLocals + 19]);
    t.GetLocals().Enable_USB_Port = false;
    EXPECT_EQ(1, t.SerialiseSysEx()[kLocals + 19]);
}

TEST(TolvarDrelTemplate, LocalsRecordFields)
{
    CTolvarDrelTemplate t;
    t.SetName("Drums");
    t.GetLocals().Velocity_Curve = 3;
    t.GetLocals().Octave_Setting = 6;
    t.GetLocals().Pad_Y_Type = 2;
    const SysExBuffer dump = t.Write();
    EXPECT_EQ('D', dump[kLocals]);
    EXPECT_EQ(' ', dump[kLocals + 15]);
    EXPECT_EQ(3, dump[kLocals + 16]);
    EXPECT_EQ(2, dump[kLocals + 21]);
    EXPECT_EQ(6, dump[kLocals + 22]);
    CTolvarDrelTemplate back;
    ASSERT_TRUE(ReadInto(back, dump));
    EXPECT_EQ("Drums", back.GetDisplayName());
}

TEST(TolvarDrelTemplate, RecordOrderAndPlaces)
{
    CTolvarDrelTemplate t;
    EXPECT_NE(nullptr, t.GetContinuousControl(42));
    EXPECT_EQ(nullptr, t.GetContinuousControl(41));
    EXPECT_NE(nullptr, t.GetButtonControl(48));
    t.GetControl(38)->SetName("Third");
    const SysExBuffer dump = t.Write();
    // Controls 38, 37, 36 follow the 36 row records.
    EXPECT_EQ('T', dump[30 + 36 * 26 + 10]);
}

TEST(TolvarDrelTemplate, HeaderlessBankEntryNeedsAllItsBytes)
{
    CTolvarDrelTemplate source;
    source.SetName("Entry");
    SysExBuffer entry;
    {
        ScopedBulkReading bulk(true);
        entry = source.SerialiseSysEx();
    }
    ASSERT_EQ(CTolvarDrelTemplate::kHeaderlessSize, entry.size());

    ScopedBulkReading bulk(true);
    CTolvarDrelTemplate t;
    size_t position = 0;
    ASSERT_TRUE(t.ParseSysEx(entry, position));
    EXPECT_EQ(entry.size(), position);
    EXPECT_EQ("Entry", t.GetDisplayName());

    // Entries back to back: each reads and writes back its own bytes.
    SysExBuffer bank = entry;
    bank.Append(entry);
    bank[CTolvarDrelTemplate::kHeaderlessSize + 23] = 0x11; // the second entry's skipped byte
    CTolvarDrelTemplate first;
    CTolvarDrelTemplate second;
    position = 0;
    ASSERT_TRUE(first.Read(bank, position));
    ASSERT_TRUE(second.Read(bank, position));
    EXPECT_EQ(bank.size(), position);
    EXPECT_EQ(entry, first.Write());
    EXPECT_EQ(0x11, second.Write()[23]);

    // 1305 - 9 bytes pass a looser test but are too few for an entry.
    SysExBuffer shorter = entry;
    shorter.resize(CTolvarDrelTemplate::kHeaderlessSize - 1);
    position = 0;
    EXPECT_FALSE(t.ParseSysEx(shorter, position));
    position = 1;
    EXPECT_FALSE(t.ParseSysEx(entry, position));
}

TEST(TolvarDrelTemplate, AssignCopiesTheWholeDumpWhileABankIsRead)
{
    CTolvarDrelTemplate source;
    source.SetName("Copied");
    ScopedBulkReading bulk(true);
    CTolvarDrelTemplate copy;
    copy.Assign(source);
    EXPECT_EQ("Copied", copy.GetDisplayName());
    EXPECT_EQ(static_cast<size_t>(CTolvarDrelTemplate::kSysExSize), copy.GetKeptDump().size());
    EXPECT_TRUE(IsBulkReading());
}
