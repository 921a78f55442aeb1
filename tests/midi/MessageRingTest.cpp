#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "midi/MessageRing.h"
#include "midi/MidiPort.h"

TEST(MessageRing, HoldsOneLessThanItsSlotsAndWraps)
{
    MessageRing<int, 4> ring;
    EXPECT_TRUE(ring.IsEmpty());
    for (int round = 0; round < 5; ++round) // crosses the end of the slots several times
    {
        EXPECT_TRUE(ring.Push(round * 10 + 1));
        EXPECT_TRUE(ring.Push(round * 10 + 2));
        EXPECT_TRUE(ring.Push(round * 10 + 3));
        EXPECT_FALSE(ring.Push(99)) << "a full ring refuses";
        EXPECT_EQ(ring.Pop(), round * 10 + 1);
        EXPECT_TRUE(ring.Push(round * 10 + 4)) << "one pop makes room for one";
        EXPECT_EQ(ring.Pop(), round * 10 + 2);
        EXPECT_EQ(ring.Pop(), round * 10 + 3);
        EXPECT_EQ(ring.Pop(), round * 10 + 4);
        EXPECT_TRUE(ring.IsEmpty());
    }
}

// Concrete queues of an input port, as the driver thread fills them.
class QueueProbe : public MIDI::Input
{
};

TEST(MessageRing, ShortQueueTakes255AndSysExQueue128)
{
    auto port = std::make_unique<QueueProbe>();
    MidiShortMessage message;
    for (int i = 0; i < 255; ++i)
    {
        message.data1 = i;
        ASSERT_TRUE(port->PushShort(message)) << i;
    }
    EXPECT_FALSE(port->PushShort(message)) << "the 256th is dropped";
    EXPECT_EQ(port->PopShortMessage().data1, 0);
    EXPECT_TRUE(port->PushShort(message));

    SysExRecord record;
    for (int i = 0; i < 128; ++i)
    {
        record.bytes[1] = static_cast<uint8_t>(i);
        ASSERT_TRUE(port->PushSysEx(record)) << i;
    }
    EXPECT_FALSE(port->PushSysEx(record)) << "a full SysEx queue refuses";
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(port->PopSysEx().bytes[1], i);
    EXPECT_FALSE(port->HasSysEx());
}

TEST(MessageRing, ItemsCrossThreadsInOrderAndWhole)
{
    auto ring = std::make_unique<MessageRing<SysExRecord, 8>>();
    constexpr int kCount = 2000;
    std::thread producer([&ring] {
        SysExRecord record;
        for (int i = 0; i < kCount;)
        {
            // Every byte carries the sequence number, so a torn copy shows.
            std::fill(std::begin(record.bytes), std::end(record.bytes), static_cast<uint8_t>(i & 0x7F));
            record.count = i;
            if (ring->Push(record))
                ++i;
            else
                std::this_thread::yield();
        }
    });
    for (int i = 0; i < kCount;)
    {
        if (ring->IsEmpty())
        {
            std::this_thread::yield();
            continue;
        }
        const SysExRecord record = ring->Pop();
        ASSERT_EQ(record.count, i);
        ASSERT_EQ(record.bytes[0], i & 0x7F);
        ASSERT_EQ(record.bytes[kMaxSysExReceiveLength - 1], i & 0x7F);
        ++i;
    }
    producer.join();
}
