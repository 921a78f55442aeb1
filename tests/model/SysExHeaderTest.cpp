#include <gtest/gtest.h>

#include "model/DeviceReply.h"
#include "model/SysExHeader.h"
#include "model/TemplateModel.h"
#include "model/dorvasynth/DorvaSynthSysExHeader.h"
#include "model/tolvardrel/TolvarDrelSysExHeader.h"
#include "model/tolvarvesk/TolvarVeskSysExHeader.h"

namespace
{
using Bytes = std::vector<uint8_t>;

const Bytes kDorvaSynthHeader = {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05, 0x7F,
                                 0x00, 0x00, 0x11, 0x02, 0x00, 0x01};

// A dump of the given length that opens with the given header bytes.
SysExBuffer Dump(Bytes header, size_t length)
{
    header.resize(length - 1, 0x00);
    header.push_back(0xF7);
    return SysExBuffer::FromBytes(header);
}

Bytes WithByte(Bytes bytes, size_t index, uint8_t value)
{
    bytes.at(index) = value;
    return bytes;
}
} // namespace

TEST(SysExHeader, FreshHeadersByteForByte)
{
    EXPECT_EQ(CDorvaSynthSysExHeader().Write().bytes(), kDorvaSynthHeader);
    EXPECT_EQ(CSysExHeader(0x03).Write().bytes(), WithByte(kDorvaSynthHeader, 5, 0x03));
    EXPECT_EQ(CSysExHeader().Write().bytes(), WithByte(kDorvaSynthHeader, 5, 0x00));
    EXPECT_EQ(CTolvarVeskSysExHeader().GetType(), 0x03);
    EXPECT_EQ(CTolvarDrelSysExHeader().Write().bytes(), (Bytes{0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04}));
    EXPECT_EQ(DeviceReply::GetOSVersion(CSysExHeader()).Format(), "2.1.02");
}

TEST(SysExHeader, LocationAndBulkFlag)
{
    CDorvaSynthSysExHeader header;
    header.SetBulkFlag(7);
    header.SetLocation(15);
    Bytes expected = WithByte(WithByte(kDorvaSynthHeader, 7, 0x01), 12, 0x0F);
    EXPECT_EQ(header.Write().bytes(), expected);

    header.SetBulkFlag(false);
    header.SetLocation(200); // not a data byte: leaves as 0
    EXPECT_EQ(header.Write().bytes(), WithByte(kDorvaSynthHeader, 12, 0x00));

    // Copies carry every byte.
    CSysExHeader copy(header);
    CSysExHeader assigned(0x03);
    assigned.Assign(header);
    EXPECT_EQ(copy.Write(), header.Write());
    EXPECT_EQ(assigned.Write(), header.Write());
}

TEST(SysExHeader, ValidityPerModel)
{
    const auto Valid = [](CSysExHeader&& header, const Bytes& bytes) {
        size_t position = 0;
        return header.Read(SysExBuffer::FromBytes(bytes), position);
    };
    const Bytes tolvar = WithByte(kDorvaSynthHeader, 5, 0x00);

    EXPECT_TRUE(Valid(CDorvaSynthSysExHeader(), kDorvaSynthHeader));
    EXPECT_TRUE(Valid(CDorvaSynthSysExHeader(), WithByte(kDorvaSynthHeader, 6, 0x00))); // byte 6 free
    EXPECT_FALSE(Valid(CDorvaSynthSysExHeader(), tolvar));
    EXPECT_FALSE(Valid(CDorvaSynthSysExHeader(), WithByte(kDorvaSynthHeader, 4, 0x01)));
    EXPECT_FALSE(Valid(CDorvaSynthSysExHeader(), WithByte(kDorvaSynthHeader, 2, 0x6B)));

    EXPECT_FALSE(Valid(CSysExHeader(), kDorvaSynthHeader)); // type 05 is not the base's
    EXPECT_TRUE(Valid(CSysExHeader(), tolvar));
    EXPECT_TRUE(Valid(CTolvarVeskSysExHeader(), tolvar));
    EXPECT_TRUE(Valid(CTolvarVeskSysExHeader(), WithByte(tolvar, 5, 0x03)));
    EXPECT_FALSE(Valid(CSysExHeader(), WithByte(tolvar, 6, 0x7E)));
    EXPECT_FALSE(Valid(CSysExHeader(), WithByte(tolvar, 5, 0x04)));
    EXPECT_FALSE(Valid(CSysExHeader(), WithByte(tolvar, 3, 0x3D)));

    EXPECT_TRUE(Valid(CTolvarDrelSysExHeader(), {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04}));
    EXPECT_FALSE(Valid(CTolvarDrelSysExHeader(), {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x03}));
    EXPECT_FALSE(Valid(CTolvarDrelSysExHeader(), {0xF0, 0x00, 0x6A, 0x3C, 0x02}));
}

TEST(SysExHeader, ReadTakesThirteenBytesFromThePosition)
{
    Bytes bytes = {0x55, 0x66};
    for (uint8_t b : WithByte(WithByte(kDorvaSynthHeader, 9, 0x0A), 10, 0x0F)) // OS 1.2.15
        bytes.push_back(b);
    bytes.push_back(0xF7);
    const SysExBuffer buffer = SysExBuffer::FromBytes(bytes);

    CDorvaSynthSysExHeader header;
    size_t position = 2;
    ASSERT_TRUE(header.Read(buffer, position));
    EXPECT_EQ(position, 15u);
    EXPECT_EQ(DeviceReply::GetOSVersion(header).Format(), "1.2.15");

    // Round trip: what is written reads back to the same bytes.
    CDorvaSynthSysExHeader again;
    position = 0;
    ASSERT_TRUE(again.Read(header.Write(), position));
    EXPECT_EQ(again.Write(), header.Write());
}

TEST(SysExHeader, ShortInputReadsNothing)
{
    const SysExBuffer twelve = SysExBuffer::FromBytes(Bytes(kDorvaSynthHeader.begin(), kDorvaSynthHeader.end() - 1));
    CSysExHeader header(0x03);
    const SysExBuffer before = header.Write();

    size_t position = 0;
    EXPECT_FALSE(header.Read(twelve, position));
    EXPECT_EQ(position, 0u);
    position = 100; // beyond the end
    EXPECT_FALSE(header.Read(twelve, position));
    EXPECT_EQ(position, 100u);
    position = 1;
    EXPECT_FALSE(CTolvarDrelSysExHeader().Read(SysExBuffer::FromBytes({0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x04}), position));
    EXPECT_EQ(position, 1u);
    EXPECT_EQ(header.Write(), before);
}

TEST(SysExHeader, DeviceKindFromGroupAndType)
{
    const auto Kind = [](uint8_t group, uint8_t type) {
        CSysExHeader header;
        size_t position = 0;
        header.Read(SysExBuffer::FromBytes(WithByte(WithByte(kDorvaSynthHeader, 4, group), 5, type)), position);
        return header.GetDeviceKind();
    };
    std::string kinds;
    for (const auto& [group, type] : {std::pair<uint8_t, uint8_t>{2, 0}, {1, 0}, {2, 3}, {2, 4}, {2, 5}, {2, 2}, {2, 6}})
        kinds += GetTemplateModelName(Kind(group, type)) + ",";
    EXPECT_EQ(kinds, "Tolvar,Calder,Tolvar Vesk,Tolvar Drel,DorvaSynth,Unknown,Unknown,");
}

TEST(TemplateModel, IdentifiesDumpsByHeaderAndSize)
{
    EXPECT_EQ(IdentifyTemplateSysEx(Dump(kDorvaSynthHeader, 1808)), ModelDorvaSynth);
    EXPECT_EQ(IdentifyTemplateSysEx(Dump(WithByte(kDorvaSynthHeader, 5, 0x04), 1305)), ModelTolvarDrel);
    EXPECT_EQ(IdentifyTemplateSysEx(Dump(WithByte(kDorvaSynthHeader, 5, 0x03), 4112)), ModelTolvarVesk);
    const Bytes typeZero = WithByte(kDorvaSynthHeader, 5, 0x00);
    EXPECT_EQ(IdentifyTemplateSysEx(Dump(typeZero, 8208)), ModelCalder);
    EXPECT_EQ(IdentifyTemplateSysEx(Dump(typeZero, 8207)), ModelTolvar);
    EXPECT_EQ(IdentifyTemplateSysEx(Dump(WithByte(typeZero, 4, 0x01), 500)), ModelCalder);
    // The model's own check comes later: a broken byte 6 is still identified.
    EXPECT_EQ(IdentifyTemplateSysEx(Dump(WithByte(kDorvaSynthHeader, 6, 0x00), 1808)), ModelDorvaSynth);

    const SysExBuffer foreign = Dump(WithByte(kDorvaSynthHeader, 1, 0x41), 1808);
    EXPECT_EQ(IdentifyTemplateSysEx(foreign), ModelUnknown);
    EXPECT_EQ(GetTemplateModelName(foreign), "Unknown");
    EXPECT_EQ(IdentifyTemplateSysEx(SysExBuffer::FromBytes(Bytes(kDorvaSynthHeader.begin(), kDorvaSynthHeader.end() - 1))),
              ModelUnknown);
    EXPECT_EQ(IdentifyTemplateSysEx(SysExBuffer()), ModelUnknown);
}

TEST(TemplateModel, Names)
{
    std::string names;
    for (TemplateModel m : {ModelTolvar, ModelTolvarDrel, ModelTolvarVesk, ModelCalder, ModelDorvaSynth, ModelUnknown})
        names += GetTemplateModelName(m) + ",";
    EXPECT_EQ(names, "Tolvar,Tolvar Drel,Tolvar Vesk,Calder,DorvaSynth,Unknown,");
    EXPECT_EQ(GetTemplateModelName(Dump(kDorvaSynthHeader, 1808)), "DorvaSynth");
}
