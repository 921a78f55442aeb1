#include <gtest/gtest.h>

#include "model/SysExBuffer.h"

namespace
{
using Bytes = std::vector<uint8_t>;
}

TEST(SysExBuffer, PushByteKeepsOnlyDataAndStatusBytes)
{
    SysExBuffer b;
    for (uint8_t byte : {0x90, 0xF0, 0xF7, 0x7F, 0x80, 0xFF, 0x00})
        b.PushByte(byte);
    EXPECT_EQ(b.bytes(), (Bytes{0x00, 0xF0, 0xF7, 0x7F, 0x00, 0x00, 0x00}));
}

TEST(SysExBuffer, FromBytesStopsAfterTheFirstF7OrAtTheEnd)
{
    EXPECT_EQ(SysExBuffer::FromBytes({0xF0, 0x01, 0xF7, 0xF0, 0x02, 0xF7}).bytes(), (Bytes{0xF0, 0x01, 0xF7}));
    EXPECT_EQ(SysExBuffer::FromBytes({0xF0, 0x81, 0x02}).bytes(), (Bytes{0xF0, 0x00, 0x02}));
    EXPECT_TRUE(SysExBuffer::FromBytes(nullptr, 0).empty());
}

TEST(SysExBuffer, Validity)
{
    EXPECT_TRUE(SysExBuffer::FromBytes({0xF0, 0x00, 0x6A, 0x3C, 0xF7}).IsValid());
    // Bytes 1-3 are not tested, bytes from 4 on are.
    SysExBuffer raw;
    raw.resize(7);
    const Bytes highInHead = {0xF0, 0x81, 0x82, 0x83, 0x04, 0x05, 0xF7};
    std::copy(highInHead.begin(), highInHead.end(), raw.data());
    EXPECT_TRUE(raw.IsValid());
    raw[4] = 0x80;
    EXPECT_FALSE(raw.IsValid());
    EXPECT_FALSE(SysExBuffer::FromBytes({0xF0, 0x01, 0x02, 0xF7}).IsValid());
    EXPECT_FALSE(SysExBuffer::FromBytes({0x00, 0x01, 0x02, 0x03, 0xF7}).IsValid());
    EXPECT_FALSE(SysExBuffer::FromBytes({0xF0, 0x01, 0x02, 0x03, 0x04}).IsValid());
    EXPECT_FALSE(SysExBuffer().IsValid());
}
