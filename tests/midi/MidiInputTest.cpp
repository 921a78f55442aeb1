#include <gtest/gtest.h>

#include <memory>

#include "MidiTestSupport.h"
#include "midi/MidiInput.h"

namespace
{
std::vector<uint8_t> Bytes(const SysExRecord& record)
{
    return std::vector<uint8_t>(record.bytes, record.bytes + record.MessageLength());
}
} // namespace

TEST(AssembleSysEx, ChunkedMessageWithNoiseBeforeItsStart)
{
    auto input = std::make_unique<MidiInput>();
    const std::vector<uint8_t> message = MakeSysEx(1808, 3);
    const uint8_t noise[] = {0x12, 0x7F, 0xF7, 0x40};
    EXPECT_FALSE(input->AssembleSysEx(noise, sizeof noise)) << "an F7 before any F0 is noise";
    EXPECT_FALSE(input->Assembly().started);
    bool complete = false;
    for (size_t at = 0; at < message.size(); at += 256)
    {
        ASSERT_FALSE(complete);
        complete = input->AssembleSysEx(message.data() + at, std::min<size_t>(256, message.size() - at));
    }
    ASSERT_TRUE(complete);
    EXPECT_EQ(Bytes(input->Assembly()), message);
    EXPECT_EQ(input->Assembly().count, 0) << "count is reset when the message completes";
    EXPECT_FALSE(input->Assembly().started);
}

TEST(AssembleSysEx, StopsAtTheFirstF7OfAPiece)
{
    auto input = std::make_unique<MidiInput>();
    const uint8_t piece[] = {0xF0, 1, 2, 0xF7, 0xF0, 5, 0xF7};
    EXPECT_TRUE(input->AssembleSysEx(piece, sizeof piece));
    EXPECT_EQ(Bytes(input->Assembly()), (std::vector<uint8_t>{0xF0, 1, 2, 0xF7}));
    EXPECT_FALSE(input->Assembly().started) << "the rest of the piece is not looked at";
}

// Every model's template dump arrives whole, the largest (Calder) included,
// though no message sent may be longer than 4352 bytes.
TEST(AssembleSysEx, EveryModelsDumpIsKeptWhole)
{
    for (size_t length : {1305u, 1808u, 2832u, 4112u, 4352u, 8208u})
    {
        auto input = std::make_unique<MidiInput>();
        const std::vector<uint8_t> message = MakeSysEx(length, 5);
        bool complete = false;
        for (size_t at = 0; at < message.size() && !complete; at += 256)
            complete = input->AssembleSysEx(message.data() + at, std::min<size_t>(256, message.size() - at));
        ASSERT_TRUE(complete) << length;
        EXPECT_EQ(Bytes(input->Assembly()), message) << length;
    }
    EXPECT_EQ(kMaxSysExReceiveLength, 8208);
    EXPECT_EQ(kMaxSysExLength, 4352);
}

TEST(AssembleSysEx, LongerMessageIsCutAtTheCapWithF7)
{
    constexpr size_t cap = kMaxSysExReceiveLength;
    auto input = std::make_unique<MidiInput>();
    std::vector<uint8_t> message = MakeSysEx(9000, 9);
    ASSERT_TRUE(input->AssembleSysEx(message.data(), message.size()));
    std::vector<uint8_t> kept = Bytes(input->Assembly());
    ASSERT_EQ(kept.size(), cap);
    EXPECT_TRUE(std::equal(kept.begin(), kept.end() - 1, message.begin()));
    EXPECT_EQ(kept.back(), 0xF7);

    // The tail that follows in later pieces is dropped until the next F0.
    const std::vector<uint8_t> next = MakeSysEx(10, 1);
    std::vector<uint8_t> tail(message.begin() + cap + 100, message.end());
    EXPECT_FALSE(input->AssembleSysEx(tail.data(), tail.size()));
    ASSERT_TRUE(input->AssembleSysEx(next.data(), next.size()));
    EXPECT_EQ(Bytes(input->Assembly()), next);

    // Exactly at the cap without F7: the next byte ends it.
    message.resize(cap);
    EXPECT_FALSE(input->AssembleSysEx(message.data(), message.size()));
    const uint8_t after = 0x22;
    ASSERT_TRUE(input->AssembleSysEx(&after, 1));
    kept = Bytes(input->Assembly());
    ASSERT_EQ(kept.size(), cap);
    EXPECT_EQ(kept[cap - 2], message[cap - 2]);
    EXPECT_EQ(kept[cap - 1], 0xF7);
}

TEST_F(LoopbackTest, PiecesFromTheDriverThreadAreQueuedWhole)
{
    ASSERT_TRUE(MIDIIO::SelectInputDevice(0));
    const std::vector<uint8_t> message = MakeSysEx(1000, 2);
    driver->InjectPiece("In A", {0x01, 0x02, 0x7F}); // noise before F0
    driver->InjectPiece("In A", {});                // a buffer returned empty
    driver->InjectSysEx("In A", message, 256);
    driver->InjectPiece("In A", {});
    driver->InjectSysEx("In A", MakeSysEx(20, 4), 7);
    ASSERT_TRUE(driver->WaitDelivered(5000));

    std::vector<SysExBuffer> got;
    RecordingListener listener(log);
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
        ASSERT_TRUE(PumpUntil([&] { return !MIDIIO::IsReceiving(); }));
    }
    ASSERT_EQ(listener.received.size(), 2u);
    EXPECT_EQ(listener.received[0].bytes(), message);
    EXPECT_EQ(listener.received[1].bytes(), MakeSysEx(20, 4));
}

TEST_F(LoopbackTest, ShortMessagesKeepTheirBytes)
{
    ASSERT_TRUE(MIDIIO::SelectInputDevice(1));
    RecordingListener listener(log);
    MIDIIO::AddMessageListener(&listener);
    driver->InjectShort("In B", 0xB3, 7, 100);
    driver->InjectShort("In B", 0xC0, 5);
    driver->InjectShort("In A", 0x90, 60, 64); // not open: lost
    driver->InjectShort("In B", 0xFE, 0);
    ASSERT_TRUE(driver->WaitDelivered(5000));
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"msg 179 7 100", "msg 192 5 0", "msg 254 0 0"}));
}

TEST(MidiInputPort, NoCallbackAfterThePortIsDeleted)
{
    LoopbackMidiDriver driver({"In"}, {});
    for (int round = 0; round < 20; ++round)
    {
        auto input = std::make_unique<MidiInput>();
        ASSERT_TRUE(input->Open(driver, 0));
        for (int i = 0; i < 50; ++i)
            driver.InjectSysEx("In", MakeSysEx(300, static_cast<uint8_t>(i)), 64);
        input.reset(); // while deliveries run: a late callback would write into a freed port
        EXPECT_FALSE(driver.IsOpen("In"));
    }
    EXPECT_TRUE(driver.WaitDelivered(5000));
}
