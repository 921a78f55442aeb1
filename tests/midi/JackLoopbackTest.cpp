#include <gtest/gtest.h>

#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <future>
#include <mutex>
#include <set>
#include <thread>

#include "JackServer.h"
#include "tests/midi/JackTestSupport.h"
#include "JackUnit.h"
#include "MidiTestSupport.h"
#include "midi/MidiMessages.h"
#include "midi/SystemMidiDriver.h"

namespace
{
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

using Unit = JackUnit;

class JackLoopbackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DORVA_START_JACK_SERVER(m_server);
        ASSERT_TRUE(m_unit.Open()) << "the unit's JACK client did not start";
        std::unique_ptr<IMidiDriver> driver = CreateMidiDriver(MidiBackend::Jack);
        ASSERT_TRUE(driver);
        MIDIIO::Init(false, std::move(driver));
        ASSERT_TRUE(MIDIIO::SelectInputDeviceByName("unit-to-editor"));
        ASSERT_TRUE(m_unit.WaitUntilConnected()) << "the editor's input was not connected to the unit";
        // Last, so that the first send follows the opening of the output at once.
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
    std::unique_ptr<IMidiDriver> second = CreateMidiDriver(MidiBackend::Jack);
    ASSERT_TRUE(second);
    for (const auto& names : {second->InputNames(), second->OutputNames()})
    {
        EXPECT_FALSE(names.empty());
        for (const std::string& name : names)
            EXPECT_EQ(name.find(kMidiClientName), std::string::npos) << name;
    }

    // Both of the program's ports belong to one client: one thread wakes a period.
    jack_status_t status;
    jack_client_t* lister = jack_client_open("Lister", JackNoStartServer, &status);
    ASSERT_NE(lister, nullptr);
    std::vector<std::string> ours;
    if (const char** ports = jack_get_ports(lister, (std::string("^") + kMidiClientName).c_str(), nullptr, 0))
    {
        for (const char** port = ports; *port; ++port)
            ours.emplace_back(*port);
        jack_free(ports);
    }
    jack_client_close(lister);
    std::sort(ours.begin(), ours.end());
    EXPECT_EQ(ours, (std::vector<std::string>{std::string(kMidiClientName) + ":Input",
                                              std::string(kMidiClientName) + ":Output"}));
}

TEST_F(JackLoopbackTest, DumpsTravelBothWaysByteExact)
{
    SendToUnit(MakeSysEx(1808, 1));
    SendToUnit(MakeSysEx(kMaxSysExLength, 2));

    const Bytes fromUnit = MakeSysEx(1808, 3);
    EXPECT_EQ(ReceiveFromUnit(fromUnit).bytes(), fromUnit);
    // The input takes the largest template dump, longer than any message sent.
    const Bytes largest = MakeSysEx(kMaxSysExReceiveLength, 4);
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

// Closing releases the program's ports (the program went to the
// background); opening again brings both back, on the same client.
TEST_F(JackLoopbackTest, PortsClosedAndOpenedAgainStillCarryMessages)
{
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE(round);
        MIDIIO::ClosePorts();
        EXPECT_FALSE(MIDIIO::HasInputPort());
        ASSERT_TRUE(MIDIIO::OpenPorts());
        SendToUnit(MakeSysEx(1808, static_cast<uint8_t>(round)));

        std::vector<std::string> log;
        RecordingListener listener(log);
        MIDIIO::AddMessageListener(&listener);
        // What the unit writes before the graph carries the new connection is
        // lost: it plays the note again until one arrives.
        Clock::time_point resend = Clock::now();
        ASSERT_TRUE(PumpUntil([&] {
            if (Clock::now() >= resend)
            {
                m_unit.Send({0x90, 60, static_cast<uint8_t>(100 + round)});
                resend = Clock::now() + std::chrono::milliseconds(100);
            }
            return !log.empty();
        }));
        EXPECT_EQ(log[0], "msg 144 60 " + std::to_string(100 + round));
        MIDIIO::RemoveMessageListener(&listener);
    }
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
    EXPECT_TRUE(MIDIIO::WaitUntilSent(1000));
    // Several went in one period: fewer of the unit's cycles brought them.
    std::set<Clock::time_point> cycles;
    for (size_t i = 0; i < kCount; ++i)
        cycles.insert(m_unit.ReceivedAt(i));
    EXPECT_LT(cycles.size(), kCount) << "one message a period";

    const double total = std::chrono::duration<double, std::milli>(m_unit.ReceivedAt(kCount - 1) - start).count();
    const double first = std::chrono::duration<double, std::milli>(m_unit.ReceivedAt(0) - start).count();
    RecordProperty("sixteen_sends_ms", std::to_string(total));
    std::printf("16 x 1808-byte sends over JACK: %.1f ms from BeginSend to the unit's receipt of the last "
                "(first after %.1f ms)\n",
                total, first);
}

TEST_F(JackLoopbackTest, SendsFailOnceTheServerIsGone)
{
    SendToUnit(MakeSysEx(100, 1));
    m_unit.Close();
    m_server.Stop();
    std::vector<std::string> log;
    RecordingListener listener(log);
    // The client learns of the loss on its own thread, so a send made before
    // it has may still look handed over; the next ones fail.
    const SysExBuffer message = SysExBuffer::FromBytes(MakeSysEx(100, 2));
    ASSERT_TRUE(PumpUntil([&] {
        if (!MIDIIO::IsReceiving() && MIDIIO::GetState() == MIDIIO::kIdle)
            MIDIIO::BeginSend(message, &listener);
        return std::find(log.begin(), log.end(), "failed") != log.end();
    }));
    // Closing the ports of a vanished server returns.
    MIDIIO::Shutdown();
}

TEST(JackWithoutServer, ListsNothingAndDoesNotThrow)
{
    setenv("JACK_DEFAULT_SERVER", ("dorva-absent-" + std::to_string(getpid())).c_str(), 1);
    std::unique_ptr<IMidiDriver> driver = CreateMidiDriver(MidiBackend::Jack);
    ASSERT_TRUE(driver);
    EXPECT_TRUE(driver->InputNames().empty());
    EXPECT_TRUE(driver->OutputNames().empty());
    MIDIIO::Init(false, std::move(driver));
    EXPECT_EQ(MIDIIO::GetDeviceCount(), 0);
    EXPECT_FALSE(MIDIIO::SelectFirstInputDevice());
    MIDIIO::Shutdown();
    EXPECT_TRUE(CreateSystemMidiDriver() != nullptr);
}

namespace
{
// Holds the callback that brings a SysEx message until released.
class HeldSink : public IDriverInputSink
{
public:
    void OnShortMessage(uint8_t, uint8_t, uint8_t, int64_t) override {}
    void OnLongData(const uint8_t*, size_t) override
    {
        entered = true;
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
        while (!release && Clock::now() < deadline)
            std::this_thread::yield();
        returned = true;
    }

    std::atomic<bool> entered{false};
    std::atomic<bool> release{false};
    std::atomic<bool> returned{false};
};
} // namespace

// Users' servers mostly run asynchronously; there, deactivating a client
// cancels its process thread wherever it is, in the middle of our code too.
TEST(JackAsynchronousServer, ClosingAnInputWaitsForARunningCallback)
{
    const std::string jackd = JackServer::FindJackd();
    if (jackd.empty())
        GTEST_SKIP() << "jackd is not installed (Debian package jackd2): no MIDI server to test against";
    JackServer server;
    ASSERT_TRUE(server.Start(jackd, 10000, false)) << server.error();
    Unit unit;
    ASSERT_TRUE(unit.Open());
    std::unique_ptr<IMidiDriver> driver = CreateMidiDriver(MidiBackend::Jack);
    ASSERT_TRUE(driver);
    const std::vector<std::string> names = driver->InputNames();
    const auto source = std::find_if(names.begin(), names.end(),
                                     [](const std::string& name) { return name.find("unit-to-editor") != std::string::npos; });
    ASSERT_NE(source, names.end());
    HeldSink sink;
    std::unique_ptr<IDriverInput> input = driver->OpenInput(static_cast<int>(source - names.begin()), sink);
    ASSERT_TRUE(input);

    // The unit's output is all the input listens to; an asynchronous server
    // drops what a late client writes, so the probe goes again until it lands.
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(20);
    Clock::time_point resend = Clock::now();
    while (!sink.entered && Clock::now() < deadline)
    {
        if (Clock::now() >= resend)
        {
            unit.Send(MakeSysEx(100));
            resend = Clock::now() + std::chrono::milliseconds(250);
        }
        std::this_thread::yield();
    }
    ASSERT_TRUE(sink.entered);
    auto closing = std::async(std::launch::async, [&] { input.reset(); });
    EXPECT_EQ(closing.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout)
        << "closed while the callback ran";
    sink.release = true;
    closing.get();
    EXPECT_TRUE(sink.returned) << "the callback was cut short";
}
