#include <gtest/gtest.h>

#include "model/DeviceReply.h"
#include "model/EditorHost.h"
#include "model/OSVersion.h"
#include "model/dorvasynth/DorvaSynthAnswers.h"
#include "model/dorvasynth/DorvaSynthOS.h"

TEST(OSVersion, DecodeAndFormat)
{
    EXPECT_EQ(OSVersion::Decode(0x11, 0x02).Format(), "2.1.02");
    EXPECT_EQ(OSVersion::Decode(0x0A, 0x0F).Format(), "1.2.15");
    EXPECT_EQ(OSVersion::Decode(0x7F, 0x7F).Format(), "15.7.127");
    EXPECT_EQ(OSVersion().Format(), "0.0.00");
}

TEST(OSVersion, Ordering)
{
    const OSVersion a = OSVersion::Decode(0x11, 2); // 2.1.02
    EXPECT_TRUE(OSVersion::IsOlder(a, Device().GetRequiredOSVersion()));
    EXPECT_FALSE(OSVersion::IsOlder(Device().GetRequiredOSVersion(), Device().GetRequiredOSVersion()));
    // 2.2.00 against 2.1.99: the minor decides before the build.
    const OSVersion b{2, 2, 0}, c{2, 1, 99};
    EXPECT_FALSE(OSVersion::IsOlder(b, c));
    EXPECT_TRUE(OSVersion::IsGreater(b, c));
    EXPECT_TRUE(OSVersion::IsOlder(c, b));
    EXPECT_FALSE(OSVersion::IsOlder(a, a));
    EXPECT_TRUE(OSVersion::IsGreater(OSVersion{3, 0, 0}, OSVersion{2, 7, 127}));
}

TEST(DeviceReply, VersionOfShortMessagesIsZero)
{
    const std::vector<uint8_t> header = {0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05, 0x7F, 0x00, 0x00, 0x11, 0x06};
    EXPECT_EQ(DeviceReply::GetOSVersion(SysExBuffer::FromBytes(header)).Format(), "2.1.06");
    EXPECT_EQ(DeviceReply::GetOSVersion(SysExBuffer::FromBytes({header.begin(), header.end() - 1})).Format(),
              "0.0.00");
    EXPECT_EQ(DeviceReply::GetOSVersion(SysExBuffer()).Format(), "0.0.00");
    // Eleven bytes: byte 10 is the closing F7.
    EXPECT_EQ(DeviceReply::GetOSVersion(SysExBuffer::FromBytes({0xF0, 0x00, 0x6A, 0x3C, 0x02, 0x05, 0x7F, 0x00,
                                                                0x00, 0x11, 0xF7}))
                  .Format(),
              "0.0.00");
}

TEST(DorvaSynthOS, MadeFreshByTheDevice)
{
    std::unique_ptr<CDeviceOS> first = Device().CreateDeviceOS();
    std::unique_ptr<CDeviceOS> second = Device().CreateDeviceOS();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_NE(dynamic_cast<CDorvaSynthOS*>(first.get()), nullptr);
    EXPECT_FALSE(first->IsValid()); // no message yet
    EXPECT_EQ(first->GetVersion().Format(), "0.0.00");
}
