#include <future>
#include <set>

#include "JackServer.h"
#include "JackUnit.h"
#include "MidiTestSupport.h"
#include "midi/MidiMessages.h"
#include "midi/SystemMidiDriver.h"

namespace
{
using Clock = std::chrono::steady_clock;

// What the unit writes before the graph carries a new connection is lost
// (an asynchronous server drops what a late client writes, too): it sends
// again until something arrives.
bool UntilArrived(JackUnit& unit, const Bytes& message, const std::function<bool()>& arrived)
{
    Clock::time_point resend = Clock::now();
    return PumpUntil([&] {
        if (Clock::now() >= resend)
        {
            unit.Send(message);
            resend = Clock::now() + std::chrono::milliseconds(100);
        }
        return arrived();
    }, 20000);
}

// The editor over the JACK driver with both ports on the unit's.
class JackLoopbackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DORVA_START_JACK_SERVER(m_server);
        ASSERT_TRUE(m_unit.Open()) << "the unit's JACK client did not start";
        MIDIIO::Init(false, CreateMidiDriver(MidiBackend::Jack));
        ASSERT_TRUE(MIDIIO::SelectInputDeviceByName("unit-to-editor"));
        ASSERT_TRUE(m_unit.WaitUntilConnected()) << "the editor's input was not connected to the unit";
        // Last, so that the first send follows the opening of the output at once.
        ASSERT_TRUE(MIDIIO::SelectOutputDeviceByName("editor-to-unit"));
    }
    void TearDown() override { MIDIIO::Shutdown(); }

    void SendToUnit(const Bytes& message)
    {
        const size_t before = m_unit.ReceivedCount();
        Log log;
        RecordingListener listener(log);
        ASSERT_TRUE(MIDIIO::BeginSend(message.data(), message.size(), &listener));
        ASSERT_TRUE(PumpUntil([&] { return m_unit.ReceivedCount() > before; })) << "the unit got nothing";
        EXPECT_EQ(log, (Log{"start", "complete"}));
        EXPECT_EQ(m_unit.Received(before), message);
    }

    JackServer m_server;
    JackUnit m_unit;
};
} // namespace

// Both of the program's ports belong to one client, left out of the lists:
// one thread wakes a period.
TEST_F(JackLoopbackTest, DumpsAndShortMessagesTravelByteExactThroughOneClient)
{
    Log log;
    std::unique_ptr<IMidiDriver> second = CreateMidiDriver(MidiBackend::Jack);
    EXPECT_EQ(second->InputNames(), Log{"Test Unit:unit-to-editor"});
    EXPECT_EQ(second->OutputNames(), Log{"Test Unit:editor-to-unit"});
    jack_client_t* lister = jack_client_open("Lister", JackNoStartServer, nullptr);
    const std::string client = kMidiClientName;
    EXPECT_TRUE(jack_port_by_name(lister, (client + ":Input").c_str()) &&
                jack_port_by_name(lister, (client + ":Output").c_str()));
    jack_client_close(lister);

    SendToUnit(MakeSysEx(1808, 1));
    SendToUnit(MakeSysEx(kMaxSysExLength, 2));
    // The input takes the largest template dump, longer than any message sent.
    for (const Bytes& message : {MakeSysEx(1808, 3), MakeSysEx(kMaxSysExReceiveLength, 4)})
    {
        RecordingListener listener(log);
        EXPECT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
        m_unit.Send(message);
        ASSERT_TRUE(PumpUntil([&] { return !listener.received.empty(); })) << "nothing arrived from the unit";
        EXPECT_EQ(listener.received[0], message);
    }
    log.clear();
    RecordingListener listener(log);
    MIDIIO::AddMessageListener(&listener);
    for (const Bytes& message : std::vector<Bytes>{{0xB2, 7, 100}, {0xC0, 12}, {0x91, 60, 99}})
        m_unit.Send(message);
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 3; }));
    EXPECT_EQ(log, (Log{"msg 178 7 100", "msg 192 12 0", "msg 145 60 99"}));
}

// Closing releases the program's ports (the program went to the
// background); opening again brings both back, on the same client.
TEST_F(JackLoopbackTest, PortsClosedAndOpenedAgainStillCarryMessages)
{
    for (uint8_t round = 0; round < 2; ++round)
    {
        MIDIIO::ClosePorts();
        EXPECT_FALSE(MIDIIO::HasInputPort());
        ASSERT_TRUE(MIDIIO::OpenPorts());
        SendToUnit(MakeSysEx(1808, round));
        Log log;
        RecordingListener listener(log);
        MIDIIO::AddMessageListener(&listener);
        ASSERT_TRUE(UntilArrived(m_unit, {0x90, 60, static_cast<uint8_t>(100 + round)}, [&] { return !log.empty(); }));
        EXPECT_EQ(log[0], "msg 144 60 " + std::to_string(100 + round));
        MIDIIO::RemoveMessageListener(&listener);
    }
}

// Sixteen 1,808-byte messages, each send begun from the completion of the
// previous one, timed from the first BeginSend to the unit's receipt of the
// last (bench/run.sh reads the line printed).
TEST_F(JackLoopbackTest, SixteenBackToBackTemplates)
{
    constexpr size_t kCount = 16;
    std::vector<Bytes> messages;
    for (size_t i = 0; i < kCount; ++i)
        messages.push_back(MakeSysEx(1808, static_cast<uint8_t>(i)));
    Log log;
    RecordingListener listener(log);
    size_t begun = 1;
    listener.hook = [&](const std::string& event) {
        if (event == "complete" && begun < kCount)
            MIDIIO::BeginSend(messages[begun++].data(), 1808, &listener);
    };
    const Clock::time_point start = Clock::now();
    ASSERT_TRUE(MIDIIO::BeginSend(messages[0].data(), 1808, &listener));
    ASSERT_TRUE(PumpUntil([&] { return m_unit.ReceivedCount() >= kCount; }, 10000))
        << m_unit.ReceivedCount() << " of " << kCount << " arrived";
    std::set<Clock::time_point> cycles;
    for (size_t i = 0; i < kCount; ++i)
    {
        EXPECT_EQ(m_unit.Received(i), messages[i]) << i;
        cycles.insert(m_unit.ReceivedAt(i));
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "failed"), 0);
    EXPECT_TRUE(MIDIIO::WaitUntilSent(1000));
    EXPECT_LT(cycles.size(), kCount) << "one message a period";
    auto ms = [&](size_t i) { return std::chrono::duration<double, std::milli>(m_unit.ReceivedAt(i) - start).count(); };
    RecordProperty("sixteen_sends_ms", std::to_string(ms(kCount - 1)));
    std::printf("16 x 1808-byte sends over JACK: %.1f ms from BeginSend to the unit's receipt of the last "
                "(first after %.1f ms)\n", ms(kCount - 1), ms(0));
}

// The client learns of the loss on its own thread, so a send made before it
// has may still look handed over; the next ones fail or are refused, and the
// ports of the vanished server are dropped.
TEST_F(JackLoopbackTest, SendsFailOnceTheServerIsGone)
{
    SendToUnit(MakeSysEx(100, 1));
    m_unit.Close();
    m_server.Stop();
    Log log;
    RecordingListener listener(log);
    const SysExBuffer message = SysExBuffer::FromBytes(MakeSysEx(100, 2));
    bool refused = false;
    ASSERT_TRUE(PumpUntil([&] {
        if (MIDIIO::GetState() == MIDIIO::kIdle)
            refused = !MIDIIO::BeginSend(message, &listener);
        return refused || std::find(log.begin(), log.end(), "failed") != log.end();
    }));
    MIDIIO::OnIdle();
    EXPECT_FALSE(MIDIIO::HasOutputPort());
    EXPECT_FALSE(MIDIIO::HasInputPort());
    EXPECT_EQ(MIDIIO::TakeFailedSides(), MIDIIO::kInputSide | MIDIIO::kOutputSide) << "to be said once";
    MIDIIO::Shutdown(); // closing the ports of a vanished server returns
}

TEST(JackWithoutServer, ListsNothingAndDoesNotThrow)
{
    setenv("JACK_DEFAULT_SERVER", ("dorva-absent-" + std::to_string(getpid())).c_str(), 1);
    MIDIIO::Init(false, CreateMidiDriver(MidiBackend::Jack));
    EXPECT_EQ(MIDIIO::GetDeviceCount(), 0);
    EXPECT_FALSE(MIDIIO::SelectFirstInputDevice());
    MIDIIO::Shutdown();
    EXPECT_TRUE(CreateSystemMidiDriver() != nullptr);
}

// Users' servers mostly run asynchronously; there, deactivating a client
// cancels its process thread wherever it is, in the middle of our code too.
TEST(JackAsynchronousServer, ClosingAnInputWaitsForARunningCallback)
{
    // Holds the callback that brings a SysEx message until released.
    struct HeldSink : IDriverInputSink
    {
        void OnShortMessage(uint8_t, uint8_t, uint8_t, int64_t) override {}
        void OnLongData(const uint8_t*, size_t) override
        {
            entered = true;
            for (const auto deadline = Clock::now() + std::chrono::seconds(5); !release && Clock::now() < deadline;)
                std::this_thread::yield();
            returned = true;
        }
        std::atomic<bool> entered{false}, release{false}, returned{false};
    } sink;
    JackServer server;
    DORVA_START_JACK_SERVER(server, 10000, false);
    JackUnit unit;
    ASSERT_TRUE(unit.Open());
    std::unique_ptr<IMidiDriver> driver = CreateMidiDriver(MidiBackend::Jack);
    ASSERT_EQ(driver->InputNames(), Log{"Test Unit:unit-to-editor"});
    std::unique_ptr<IDriverInput> input = driver->OpenInput(0, sink);
    ASSERT_TRUE(input);
    ASSERT_TRUE(UntilArrived(unit, MakeSysEx(100), [&] { return sink.entered.load(); }));
    auto closing = std::async(std::launch::async, [&] { input.reset(); });
    EXPECT_EQ(closing.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout)
        << "closed while the callback ran";
    sink.release = true;
    closing.get();
    EXPECT_TRUE(sink.returned) << "the callback was cut short";
}
