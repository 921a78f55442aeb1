#include <memory>

#include "MidiTestSupport.h"
#include "midi/MidiInput.h"
#include "midi/MidiOutput.h"
#include "midi/PortNames.h"

TEST(MessageRing, HoldsOneLessThanItsSlotsAndWraps)
{
    MessageRing<int, 4> ring;
    for (int round = 0; round < 5; ++round) // crosses the end of the slots several times
    {
        for (int i : {1, 2, 3})
            EXPECT_TRUE(ring.Push(round * 10 + i));
        EXPECT_FALSE(ring.Push(99)) << "a full ring refuses";
        EXPECT_EQ(ring.Pop(), round * 10 + 1);
        EXPECT_TRUE(ring.Push(round * 10 + 4));
        for (int i : {2, 3, 4})
            EXPECT_EQ(ring.Pop(), round * 10 + i);
        EXPECT_TRUE(ring.IsEmpty());
    }
}

TEST(MessageRing, InputQueuesHold255ShortMessagesAnd128Records)
{
    auto port = std::make_unique<MIDI::Input>();
    MidiShortMessage message;
    SysExRecord record;
    for (int i = 0; i <= 255; ++i)
    {
        message.data1 = record.bytes[1] = static_cast<uint8_t>(i);
        EXPECT_EQ(port->PushShort(message), i < 255) << i;
        EXPECT_EQ(port->PushSysEx(record), i < 128) << i;
    }
    for (int i = 0; i < 255; ++i)
        ASSERT_EQ(port->PopShortMessage().data1, i);
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(port->PopSysEx().bytes[1], i);
    EXPECT_FALSE(port->HasShortMessage() || port->HasSysEx());
}

TEST(MessageRing, RecordsCrossThreadsInOrderAndWhole)
{
    auto ring = std::make_unique<MessageRing<SysExRecord, 8>>();
    constexpr int kCount = 2000;
    std::thread producer([&ring] {
        auto record = std::make_unique<SysExRecord>();
        for (int i = 0; i < kCount;)
        {
            std::fill(std::begin(record->bytes), std::end(record->bytes), static_cast<uint8_t>(i & 0x7F));
            record->count = i;
            if (ring->Push(*record))
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
        ASSERT_EQ(std::count(std::begin(record.bytes), std::end(record.bytes), i & 0x7F), kMaxSysExReceiveLength)
            << "a torn copy";
        ++i;
    }
    producer.join();
}

// The largest template dump (Calder) is received whole though no message
// sent may be longer than 4,352 bytes; a longer one is cut there.
TEST(AssembleSysEx, CompletesMessagesFromPieces)
{
    constexpr size_t cap = kMaxSysExReceiveLength;
    ASSERT_EQ(cap, 8208u);
    std::vector<Bytes> pieces, expected, got;
    auto add = [&](const Bytes& bytes, size_t size, const Bytes& completes) {
        for (size_t at = 0; at < bytes.size(); at += size)
            pieces.emplace_back(bytes.begin() + at, bytes.begin() + std::min(bytes.size(), at + size));
        if (!completes.empty())
            expected.push_back(completes);
    };
    add({0x12, 0x7F, 0xF7, 0x40}, 4, {}); // noise before any F0
    add({0xF0, 1, 2, 0xF7, 0xF0, 5, 0xF7}, 7, {0xF0, 1, 2, 0xF7}); // the rest of a piece is dropped
    for (size_t length : {1305u, 1808u, 2832u, 4112u, 4352u, 8208u})
        add(MakeSysEx(length, 5), 256, MakeSysEx(length, 5));
    const Bytes over = MakeSysEx(9000, 9), small = MakeSysEx(10, 1);
    Bytes cut(over.begin(), over.begin() + cap), atCap = MakeSysEx(cap + 1, 4);
    cut.back() = 0xF7;
    add(over, cap + 100, cut); // the tail goes until the next F0
    add(small, 10, small);
    atCap.pop_back();
    EXPECT_FALSE(std::make_unique<MidiInput>()->AssembleSysEx(atCap.data(), cap)) << "the next byte ends it";
    add(atCap, cap, {});
    atCap.back() = 0xF7;
    add({0x22}, 1, atCap);
    add(small, 3, small);
    auto input = std::make_unique<MidiInput>();
    for (const Bytes& piece : pieces)
        if (input->AssembleSysEx(piece.data(), piece.size()))
            got.emplace_back(input->Assembly().bytes, input->Assembly().bytes + input->Assembly().MessageLength());
    EXPECT_EQ(got, expected);
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

TEST(MidiOutputPort, ShortMessagesGoOutWithTheirTrueLength)
{
    LoopbackMidiDriver driver({}, {"Out", "Broken"});
    driver.SetOpenFails("Broken", true);
    auto output = std::make_unique<MidiOutput>();
    EXPECT_FALSE(output->SendShortMessage({0xC0, 1, 2})) << "not open";
    ASSERT_TRUE(output->Open(driver, 0));
    for (int index : {0, 1, 2}) // busy, failing, missing
        EXPECT_FALSE(std::make_unique<MidiOutput>()->Open(driver, index)) << index;
    const std::vector<Bytes> sent = {{0xB2, 7, 99}, {0xC1, 12}, {0xD0, 40}, {0xF8}, {0xF3, 4}, {0xF1, 5}, {0xF2, 1, 2}};
    for (const Bytes& b : sent) // with data bytes beyond the message's length
        EXPECT_TRUE(output->SendShortMessage({b[0], b.size() > 1 ? b[1] : 12, b.size() > 2 ? b[2] : 77}));
    EXPECT_FALSE(output->SendShortMessage({0xF0, 1, 2})) << "SysEx is no short message";
    EXPECT_FALSE(output->SendShortMessage({0x40, 1, 2})) << "a data byte is no status";
    EXPECT_EQ(driver.SentShort("Out"), sent);
}

TEST(PortNames, AddressesAreStrippedAndOwnPortsRecognised)
{
    const std::pair<const char*, const char*> stripped[] = {
        {"USB MIDI Keys:USB MIDI Keys MIDI 1 24:0", "USB MIDI Keys:USB MIDI Keys MIDI 1"},
        {"Midi Through:Midi Through Port-0 14:0", "Midi Through:Midi Through Port-0"},
        {"unit:out", "unit:out"}, {"Synth 2", "Synth 2"}, {"Synth 2:", "Synth 2:"}, {"Synth :1", "Synth :1"}, {"", ""}};
    for (const auto& row : stripped)
        EXPECT_EQ(PortNames::StripAddress(row.first), row.second);
    const std::pair<const char*, bool> own[] = {
        {"Dorva Editor:Dorva Editor Input", true}, {"Dorva Editor-01:Dorva Editor Output", true},
        {"Dorva Editor:Dorva Editor Input 130:0", true}, {"Dorva Editor Pro:in", false},
        {"Dorva Editor-x:in", false}, {"Dorva Editor", false}, {"unit:Dorva Editor", false}};
    for (const auto& row : own)
        EXPECT_EQ(PortNames::IsOwnPort(row.first, "Dorva Editor"), row.second) << row.first;
}
