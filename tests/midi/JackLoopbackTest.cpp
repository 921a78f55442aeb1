#include <gtest/gtest.h>

#include <RtMidi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "JackServer.h"
#include "MidiTestSupport.h"
#include "midi/MidiMessages.h"
#include "midi/RtMidiDriver.h"

namespace
{
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

void IgnoreRtMidiError(RtMidiError::Type, const std::string&, void*) {}

// The unit on the other end of the cable: a JACK client of its own with one
// port each way, recording what it receives and when.
class Unit
{
public:
    void Open()
    {
        m_in = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, "Test Unit");
        m_in->setErrorCallback(&IgnoreRtMidiError);
        m_in->ignoreTypes(false, false, false);
        m_in->setCallback(&Unit::OnMessage, this);
        m_in->openVirtualPort("editor-to-unit");
        m_out = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, "Test Unit");
        m_out->setErrorCallback(&IgnoreRtMidiError);
        m_out->openVirtualPort("unit-to-editor");
    }
    void Close()
    {
        m_in.reset();
        m_out.reset();
    }
    void Send(const Bytes& bytes) { m_out->sendMessage(bytes.data(), bytes.size()); }

    size_t ReceivedCount() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_received.size();
    }
    Bytes Received(size_t i) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_received.at(i);
    }
    Clock::time_point ReceivedAt(size_t i) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_times.at(i);
    }

private:
    // JACK's process thread.
    static void OnMessage(double, std::vector<unsigned char>* message, void* user)
    {
        auto* self = static_cast<Unit*>(user);
        const auto now = Clock::now();
        std::lock_guard<std::mutex> lock(self->m_mutex);
        self->m_received.emplace_back(message->begin(), message->end());
        self->m_times.push_back(now);
    }

    mutable std::mutex m_mutex;
    std::vector<Bytes> m_received;
    std::vector<Clock::time_point> m_times;
    std::unique_ptr<RtMidiIn> m_in;
    std::unique_ptr<RtMidiOut> m_out;
};

class JackLoopbackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string jackd = JackServer::FindJackd();
        if (jackd.empty())
            GTEST_SKIP() << "jackd is not installed (Debian package jackd2): no MIDI server to test against";
        ASSERT_TRUE(m_server.Start(jackd)) << m_server.error();
        m_unit.Open();
        std::unique_ptr<IMidiDriver> driver = CreateRtMidiDriver(MidiBackend::Jack);
        ASSERT_TRUE(driver);
        MIDIIO::Init(false, std::move(driver));
        ASSERT_TRUE(MIDIIO::SelectInputDeviceByName("unit-to-editor"));
        ASSERT_TRUE(MIDIIO::SelectOutputDeviceByName("editor-to-unit"));
    }

    void TearDown() override
    {
        MIDIIO::Shutdown();
        m_unit.Close();
        m_server.Stop();
    }

    // Sends one message through the manager and waits for the unit to have it.
    void SendToUnit(const Bytes& message)
    {
        const size_t before = m_unit.ReceivedCount();
        std::vector<std::string> log;
        RecordingListener listener(log);
        ASSERT_TRUE(MIDIIO::BeginSend(message.data(), message.size(), &listener));
        ASSERT_TRUE(PumpUntil([&] { return m_unit.ReceivedCount() > before; })) << "the unit got nothing";
        EXPECT_EQ(log, (std::vector<std::string>{"start", "complete"}));
        EXPECT_EQ(m_unit.Received(before), message);
    }

    SysExBuffer ReceiveFromUnit(const Bytes& message)
    {
        std::vector<std::string> log;
        RecordingListener listener(log);
        EXPECT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
        m_unit.Send(message);
        EXPECT_TRUE(PumpUntil([&] { return !listener.received.empty(); })) << "nothing arrived from the unit";
        return listener.received.empty() ? SysExBuffer() : listener.received[0];
    }

    JackServer m_server;
    Unit m_unit;
};
} // namespace

TEST_F(JackLoopbackTest, TheUnitsPortsAreListedAndOursAreNot)
{
    EXPECT_TRUE(MIDIIO::HasInputPort());
    EXPECT_TRUE(MIDIIO::HasOutputPort());
    std::unique_ptr<IMidiDriver> second = CreateRtMidiDriver(MidiBackend::Jack);
    ASSERT_TRUE(second);
    for (const auto& names : {second->InputNames(), second->OutputNames()})
    {
        EXPECT_FALSE(names.empty());
        for (const std::string& name : names)
            EXPECT_EQ(name.find(kMidiClientName), std::string::npos) << name;
    }
}

TEST_F(JackLoopbackTest, DumpsTravelBothWaysByteExact)
{
    SendToUnit(MakeSysEx(1808, 1));
    SendToUnit(MakeSysEx(kMaxSysExLength, 2));

    const Bytes fromUnit = MakeSysEx(1808, 3);
    EXPECT_EQ(ReceiveFromUnit(fromUnit).bytes(), fromUnit);
    const Bytes largest = MakeSysEx(kMaxSysExLength, 4);
    EXPECT_EQ(ReceiveFromUnit(largest).bytes(), largest);
}

TEST_F(JackLoopbackTest, ShortMessagesReachTheListener)
{
    std::vector<std::string> log;
    RecordingListener listener(log);
    MIDIIO::AddMessageListener(&listener);
    m_unit.Send({0xB2, 7, 100});
    m_unit.Send({0xC0, 12});
    m_unit.Send({0x91, 60, 99});
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 3; }));
    EXPECT_EQ(log, (std::vector<std::string>{"msg 178 7 100", "msg 192 12 0", "msg 145 60 99"}));
}

// Sixteen 1,808-byte messages, each send begun from the completion of the
// previous one, timed from the first BeginSend to the unit's receipt of the
// last.
TEST_F(JackLoopbackTest, SixteenBackToBackTemplates)
{
    constexpr size_t kCount = 16;
    std::vector<Bytes> messages;
    for (size_t i = 0; i < kCount; ++i)
        messages.push_back(MakeSysEx(1808, static_cast<uint8_t>(i)));

    std::vector<std::string> log;
    RecordingListener listener(log);
    size_t begun = 1;
    listener.hook = [&](const std::string& event) {
        if (event == "complete" && begun < kCount)
        {
            ASSERT_TRUE(MIDIIO::BeginSend(messages[begun++].data(), 1808, &listener));
        }
    };
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(MIDIIO::BeginSend(messages[0].data(), 1808, &listener));
    ASSERT_TRUE(PumpUntil([&] { return m_unit.ReceivedCount() >= kCount; }, 10000))
        << m_unit.ReceivedCount() << " of " << kCount << " arrived";
    for (size_t i = 0; i < kCount; ++i)
        EXPECT_EQ(m_unit.Received(i), messages[i]) << i;
    EXPECT_EQ(std::count(log.begin(), log.end(), "failed"), 0);

    const double total = std::chrono::duration<double, std::milli>(m_unit.ReceivedAt(kCount - 1) - start).count();
    const double first = std::chrono::duration<double, std::milli>(m_unit.ReceivedAt(0) - start).count();
    RecordProperty("sixteen_sends_ms", std::to_string(total));
    std::printf("16 x 1808-byte sends over JACK: %.1f ms from BeginSend to the unit's receipt of the last "
                "(first after %.1f ms)\n",
                total, first);
}

TEST(JackWithoutServer, ListsNothingAndDoesNotThrow)
{
    setenv("JACK_DEFAULT_SERVER", ("dorva-absent-" + std::to_string(getpid())).c_str(), 1);
    std::unique_ptr<IMidiDriver> driver = CreateRtMidiDriver(MidiBackend::Jack);
    ASSERT_TRUE(driver);
    EXPECT_TRUE(driver->InputNames().empty());
    EXPECT_TRUE(driver->OutputNames().empty());
    MIDIIO::Init(false, std::move(driver));
    EXPECT_EQ(MIDIIO::GetDeviceCount(), 0);
    EXPECT_FALSE(MIDIIO::SelectFirstInputDevice());
    MIDIIO::Shutdown();
    EXPECT_TRUE(CreateSystemMidiDriver() != nullptr);
}
