#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>

#include "MidiTestSupport.h"
#include "midi/MidiOutput.h"

namespace
{
using Bytes = std::vector<uint8_t>;

class MidiOutputTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(output->Open(driver, 0)); }

    LoopbackMidiDriver driver{{}, {"Out"}};
    std::unique_ptr<MidiOutput> output = std::make_unique<MidiOutput>();
};

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

TEST_F(MidiOutputTest, SendsThroughTheFirstF7Only)
{
    const Bytes bytes = {0xF0, 1, 2, 0xF7, 0xF0, 3, 0xF7};
    ASSERT_TRUE(output->SendSysEx(bytes.data(), bytes.size()));
    const Bytes single = {0xF7, 0x55};
    ASSERT_TRUE(output->SendSysEx(single.data(), single.size()));
    EXPECT_EQ(driver.SentSysEx("Out"), (std::vector<Bytes>{{0xF0, 1, 2, 0xF7}, {0xF7}}));
}

TEST_F(MidiOutputTest, MessageWithoutF7WithinItsLengthIsRefused)
{
    // The F7 lies just past the given length: it must not be read.
    const Bytes bytes = {0xF0, 1, 2, 3, 0xF7};
    EXPECT_FALSE(output->SendSysEx(bytes.data(), 4));
    EXPECT_FALSE(output->SendSysEx(bytes.data(), 0));
    EXPECT_TRUE(driver.SentSysEx("Out").empty());
    // The refusals did not use up the done signal.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(output->SendSysEx(bytes.data(), bytes.size()));
    EXPECT_LT(MillisecondsSince(start), 500.0);
}

TEST_F(MidiOutputTest, LargestMessageIs4352Bytes)
{
    const Bytes largest = MakeSysEx(4352);
    ASSERT_TRUE(output->SendSysEx(largest.data(), largest.size()));
    Bytes tooLong = MakeSysEx(4353);
    EXPECT_FALSE(output->SendSysEx(tooLong.data(), tooLong.size())) << "no F7 within 4352 bytes";
    ASSERT_EQ(driver.SentSysEx("Out").size(), 1u);
    EXPECT_EQ(driver.SentSysEx("Out")[0], largest);
}

TEST_F(MidiOutputTest, NextSendWaitsForTheDriverToFinish)
{
    driver.HoldDone(true);
    const Bytes first = MakeSysEx(100, 1);
    const Bytes second = MakeSysEx(100, 2);
    ASSERT_TRUE(output->SendSysEx(first.data(), first.size())) << "signalled from creation";

    auto sending = std::async(std::launch::async, [&] { return output->SendSysEx(second.data(), second.size()); });
    EXPECT_EQ(sending.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    driver.HoldDone(false);
    EXPECT_TRUE(sending.get());
    EXPECT_EQ(driver.SentSysEx("Out"), (std::vector<Bytes>{first, second}));
}

TEST_F(MidiOutputTest, SendFailsWhenThePreviousIsNotFinishedWithinASecond)
{
    driver.HoldDone(true);
    const Bytes message = MakeSysEx(50);
    ASSERT_TRUE(output->SendSysEx(message.data(), message.size()));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(output->SendSysEx(message.data(), message.size()));
    const double waited = MillisecondsSince(start);
    EXPECT_GE(waited, 990.0);
    EXPECT_LT(waited, 3000.0);
    EXPECT_EQ(driver.SentSysEx("Out").size(), 1u);
    driver.HoldDone(false);
    EXPECT_TRUE(output->SendSysEx(message.data(), message.size()));
}

TEST_F(MidiOutputTest, RefusedSendLeavesTheNextOneFree)
{
    const Bytes message = MakeSysEx(50);
    driver.RefuseSends(true);
    EXPECT_FALSE(output->SendSysEx(message.data(), message.size()));
    driver.RefuseSends(false);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(output->SendSysEx(message.data(), message.size()));
    EXPECT_LT(MillisecondsSince(start), 500.0);
}

TEST_F(MidiOutputTest, ShortMessagesGoOutWithTheirTrueLength)
{
    auto send = [&](uint8_t status, int d1, int d2) {
        MidiShortMessage m;
        m.status = status;
        m.data1 = d1;
        m.data2 = d2;
        return output->SendShortMessage(m);
    };
    EXPECT_TRUE(send(0xB2, 7, 99));
    EXPECT_TRUE(send(0xC1, 12, 77));
    EXPECT_TRUE(send(0xD0, 40, 1));
    EXPECT_TRUE(send(0xF8, 0, 0));
    EXPECT_TRUE(send(0xF3, 4, 0));
    EXPECT_TRUE(send(0xF2, 1, 2));
    EXPECT_FALSE(send(0xF0, 1, 2)) << "SysEx is no short message";
    EXPECT_FALSE(send(0x40, 1, 2)) << "a data byte is no status";
    EXPECT_EQ(driver.SentShort("Out"),
              (std::vector<Bytes>{{0xB2, 7, 99}, {0xC1, 12}, {0xD0, 40}, {0xF8}, {0xF3, 4}, {0xF2, 1, 2}}));
}

TEST(MidiOutputOpen, FailsForMissingBusyOrFailingDevices)
{
    LoopbackMidiDriver driver({}, {"Out", "Broken"});
    driver.SetOpenFails("Broken", true);
    auto first = std::make_unique<MidiOutput>();
    EXPECT_TRUE(first->Open(driver, 0));
    EXPECT_FALSE(std::make_unique<MidiOutput>()->Open(driver, 0)) << "already open";
    EXPECT_FALSE(std::make_unique<MidiOutput>()->Open(driver, 1));
    EXPECT_FALSE(std::make_unique<MidiOutput>()->Open(driver, 2));
    const Bytes message = MakeSysEx(10);
    EXPECT_FALSE(MidiOutput().SendSysEx(message.data(), message.size())) << "never opened";
}
