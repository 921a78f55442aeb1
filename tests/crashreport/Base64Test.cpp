#include "crashreport/Base64.h"

#include <gtest/gtest.h>

#include "tests/crashreport/MailTestSupport.h"

namespace
{
std::string Encode(const std::string& text)
{
    std::string out;
    Base64Encode(reinterpret_cast<const unsigned char*>(text.data()), text.size(), out);
    return out;
}
} // namespace

TEST(Base64Encode, KnownGroupsAndPadding)
{
    EXPECT_EQ("YWJj\n", Encode("abc"));
    EXPECT_EQ("TWFu\n", Encode("Man"));
    EXPECT_EQ("TWE=\n", Encode("Ma"));
    EXPECT_EQ("TQ==\n", Encode("M"));
    EXPECT_EQ("", Encode(""));
}

TEST(Base64Encode, CutsLinesAt54Bytes)
{
    const std::string full = Encode(std::string(54, 'x'));
    ASSERT_EQ(73u, full.size());
    EXPECT_EQ('\n', full.back());
    EXPECT_EQ(72u, full.find('\n'));

    const std::string longer = Encode(std::string(55, 'x'));
    ASSERT_EQ(73u + 5u, longer.size());
    EXPECT_EQ(full, longer.substr(0, 73));
    EXPECT_EQ("eA==\n", longer.substr(73));
}

TEST(Base64Encode, AppendsAndRoundTripsEveryByteValue)
{
    std::string bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes += static_cast<char>(b);
    std::string out = "kept";
    Base64Encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out);
    ASSERT_EQ("kept", out.substr(0, 4));
    const std::string encoded = out.substr(4);
    // 768 bytes: 14 full lines and one of 12 bytes.
    EXPECT_EQ(14u * 73u + 17u, encoded.size());
    EXPECT_EQ(bytes, DecodeBase64(encoded));
}
