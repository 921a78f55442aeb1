#include <atomic>

#include "MidiTestSupport.h"
#include "midi/MidiWakeUp.h"

using namespace MIDIIO;

namespace
{
struct OnDemandTest : LoopbackTest
{
    void SetUp() override { Start(true); }
};

struct TransferTest : LoopbackTest
{
    void SetUp() override { LoopbackTest::SetUp(); ASSERT_TRUE(SelectInputDevice(0) && SelectOutputDevice(2)); }
};
} // namespace

TEST_F(LoopbackTest, InputsThenOutputsOfTheKindsCountedAtStart)
{
    // Entries -1 .. 6: their names, and i for an input, o for an output.
    auto Entries = [] {
        std::string text;
        for (int i = -1; i <= 6; ++i)
            text += GetDeviceName(i) + (IsInputDevice(i) ? "i" : "") + (IsOutputDevice(i) ? "o" : "") + "|";
        return text;
    };
    EXPECT_EQ(GetDeviceCount(), 5);
    EXPECT_EQ(Entries(), "|In Ai|In Bi|Out Ao|Out Bo|Out Co|o|o|") << "outputs have no upper bound";
    EXPECT_EQ(Ports(), "4");
    EXPECT_EQ(GetSelectedInputDevice() + GetSelectedOutputDevice(), -2);
    // A device plugged in later is not listed and moves no entry to the other
    // kind; a vanished one keeps its name in the list, and each entry opens
    // its own device by name, never the one that took its place.
    driver->AddInput("In C");
    EXPECT_EQ(GetDeviceCount(), 5);
    EXPECT_EQ(Entries(), "|In Ai|In Bi|Out Ao|Out Bo|Out Co|o|o|");
    EXPECT_TRUE(SelectOutputDevice(4));
    EXPECT_EQ(Ports(), "4 Out C");
    driver->RemoveOutput("Out A");
    driver->RemoveInput("In A");
    EXPECT_EQ(Entries(), "|In Ai|In Bi|Out Ao|Out Bo|Out Co|o|o|");
    EXPECT_TRUE(SelectOutputDevice(4));
    EXPECT_TRUE(SelectInputDevice(1));
    EXPECT_EQ(Ports(), "4 In B Out C");
    EXPECT_FALSE(SelectOutputDevice(2));
    EXPECT_FALSE(SelectInputDevice(0));
    EXPECT_EQ(Ports(), "4");
    // Each failure is given once, until that side opens again.
    EXPECT_EQ(TakeFailedSides(), kInputSide | kOutputSide);
    EXPECT_EQ(TakeFailedSides(), 0);
    EXPECT_FALSE(SelectOutputDevice(2));
    EXPECT_EQ(TakeFailedSides(), 0);
}

TEST_F(LoopbackTest, SelectionByIndexByNameOrFirstOfAKind)
{
    ClosePorts();
    EXPECT_TRUE(OpenPorts()) << "nothing selected opens nothing and succeeds";
    EXPECT_FALSE(SelectOutputDevice(1)) << "entry 1 is an input";
    EXPECT_FALSE(SelectInputDevice(3));
    EXPECT_EQ(GetSelectedOutputDevice(), -1);
    EXPECT_TRUE(SelectOutputDevice(4));
    EXPECT_TRUE(SelectInputDevice(1));
    EXPECT_TRUE(SelectOutputDevice(2));
    EXPECT_EQ(Ports(), "4 In B Out A") << "reopening one port leaves the other alone";
    // The lowest entry of the kind whose name contains the text, with case:
    // whether one was found, and the selection after.
    std::string picks;
    auto pick = [&](bool (*select)(const std::string&), int (*selected)(), const char* text) {
        const bool found = select(text);
        picks += std::to_string(found) + "@" + std::to_string(selected()) + " ";
    };
    for (const char* text : {"In", "B", "a", "Out"})
        pick(SelectInputDeviceByName, GetSelectedInputDevice, text);
    for (const char* text : {"", "C"})
        pick(SelectOutputDeviceByName, GetSelectedOutputDevice, text);
    EXPECT_EQ(picks, "1@0 1@1 0@1 0@1 1@2 1@4 ");
    EXPECT_TRUE(DeviceExists("t C"));
    EXPECT_FALSE(DeviceExists("out"));
    // The first of a kind is selected even when it does not open; by name
    // gives the open's result.
    driver->SetOpenFails("In A", true);
    EXPECT_TRUE(SelectFirstInputDevice());
    EXPECT_FALSE(SelectInputDeviceByName("In A"));
    EXPECT_TRUE(SelectFirstOutputDevice());
    EXPECT_EQ(GetSelectedInputDevice(), 0);
    EXPECT_EQ(GetSelectedOutputDevice(), 2);
    EXPECT_EQ(Ports(), "4 Out A");
    // OpenPorts opens each side that is not open as selected, keeping the
    // other: the output opens although the input fails, and stays as it is.
    ClosePorts();
    EXPECT_FALSE(OpenPorts());
    EXPECT_EQ(Ports(), "4 Out A");
    const int outputOpens = driver->OpenAttempts("Out A");
    driver->SetOpenFails("In A", false);
    ASSERT_TRUE(OpenPorts());
    EXPECT_EQ(driver->OpenAttempts("Out A"), outputOpens);
    RequestClose();
    OnIdle();
    EXPECT_EQ(Ports(), "4 In A Out A") << "requests are for on-demand mode only";
}

// The ports open only on request, taken by the next tick: a side that fails
// is tried again by later ticks until a close (the program went to the
// background) ends it, the other side staying open; the later request wins;
// a running transfer keeps its ports.
TEST_F(OnDemandTest, RequestsAreTakenByTheNextTicks)
{
    Log events;
    RecordingListener listener(events);
    auto choose = [](int input) {
        SelectInputDevice(input);
        RequestClose();
        RequestOpen();
        ApplyRequestsNow();
    };
    const struct
    {
        std::function<void()> act;
        const char* ports;
        bool work; // the next tick has something to do
    } steps[] = {
        {[&] {
             driver->SetOpenFails("Out B", true);
             EXPECT_TRUE(SelectInputDevice(0) && SelectOutputDevice(3)) << "only recorded";
         }, "1", false},
        {[&] { Ticks(1); }, "1", false},
        {[&] { RequestOpen(); Ticks(3); }, "4 In A", true},
        {[&] { driver->SetOpenFails("Out B", false); PumpUntil([&] { return HasOutputPort(); }); },
         "4 In A Out B", false},
        {[&] { RequestClose(); Ticks(1); }, "1", false},
        {[&] { driver->SetOpenFails("Out A", true); SelectOutputDevice(2); RequestOpen(); Ticks(1); }, "4 In A", true},
        {[&] { RequestClose(); Ticks(1); }, "1", false},
        {[&] { driver->SetOpenFails("Out A", false); Ticks(1); }, "1", false},
        {[&] { RequestClose(); RequestOpen(); Ticks(1); }, "4 In A Out A", false},
        {[&] { SelectOutputDevice(4); RequestClose(); RequestOpen(); Ticks(1); }, "1", true},
        {[&] { Ticks(1); }, "4 In A Out C", false},
        {[&] { RequestOpen(); Ticks(1); ClosePorts(); Ticks(1); }, "1", false},
        {[&] { RequestOpen(); Ticks(1); RequestOpen(); RequestClose(); Ticks(2); }, "1", false},
        {[&] { RequestOpen(); AbortTransfer(); Ticks(1); }, "4 In A Out C", false},
        {[&] { choose(1); }, "4 In B Out C", false},
        {[&] { driver->SetOpenFails("In A", true); choose(0); }, "4 Out C", true},
        {[&] { driver->SetOpenFails("In A", false); PumpUntil([&] { return HasInputPort(); }); },
         "4 In A Out C", false},
        {[&] { BeginReceive(&listener, nullptr); choose(1); }, "3 In A Out C", true},
        {[&] { RequestClose(); Ticks(1); }, "3 In A Out C", true},
        {[&] { AbortTransfer(); Ticks(1); }, "1", false},
    };
    int step = 0;
    for (const auto& s : steps)
    {
        s.act();
        EXPECT_EQ(Ports(), s.ports) << "step " << step;
        EXPECT_EQ(HasIdleWork(), s.work) << "step " << step;
        ++step;
    }
}

// A side that does not open leaves the other one working (its messages are
// delivered) and is tried again about once a second, not on every tick; it
// is given to be said once. A side selected after the ports opened (the
// start-up's output after a notice) opens at the next tick. A paced transfer
// holds the ports: a close request waits for its end.
TEST_F(OnDemandTest, AFailingSideIsRetriedSparinglyAndHeldPortsWaitForTheEnd)
{
    Log events;
    RecordingListener listener(events);
    AddMessageListener(&listener);
    ASSERT_TRUE(SelectInputDevice(0));
    RequestOpen();
    Ticks(1);
    EXPECT_EQ(Ports(), "4 In A");
    driver->SetOpenFails("Out B", true);
    ASSERT_TRUE(SelectOutputDevice(3));
    const auto start = std::chrono::steady_clock::now();
    Ticks(1);
    EXPECT_EQ(TakeFailedSides(), kOutputSide);
    // Ticks for 300 ms: no second try yet, the input never reopened.
    PumpUntil([&] { return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(300); });
    EXPECT_EQ(driver->OpenAttempts("Out B"), 1);
    EXPECT_EQ(driver->OpenAttempts("In A"), 1);
    Arrive({0x90, 60, 1});
    Ticks(1);
    EXPECT_EQ(events, Log{"msg 144 60 1"});
    ASSERT_TRUE(PumpUntil([&] { return driver->OpenAttempts("Out B") == 2; }, 3000));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_EQ(TakeFailedSides(), 0) << "said once";
    driver->SetOpenFails("Out B", false);
    ASSERT_TRUE(PumpUntil([&] { return HasOutputPort(); }, 3000));

    // Leaving during the transfer, and leaving and coming back: the ports
    // are as the last request has them once the transfer is over.
    const struct
    {
        std::function<void()> meanwhile;
        const char* after;
    } holds[] = {
        {[] { RequestClose(); }, "1"},
        {[this] { RequestClose(); Ticks(2); RequestOpen(); }, "4 In A Out B"},
    };
    for (const auto& hold : holds)
    {
        RequestOpen();
        Ticks(1);
        HoldPorts();
        hold.meanwhile();
        Ticks(3);
        ApplyRequestsNow();
        EXPECT_EQ(Ports(), "4 In A Out B");
        EXPECT_FALSE(HasIdleWork()) << "the requests wait for the end";
        ReleasePorts();
        EXPECT_TRUE(HasIdleWork());
        Ticks(2);
        EXPECT_EQ(Ports(), hold.after);
    }
    RemoveMessageListener(&listener);
}

// The user interface is woken for what the next tick has to do: input queued
// on the driver's thread (a SysEx message once it is whole), a transfer, a
// port request, a close that waited for the end of a transfer.
TEST_F(OnDemandTest, WakeUpsComeForInputAndForAskedWork)
{
    static std::atomic<int> wakeUps{0};
    SetMidiWakeUp([] { ++wakeUps; });
    RecordingListener listener(log);
    ASSERT_TRUE(SelectInputDevice(0) && SelectOutputDevice(4));
    const Bytes dump = MakeSysEx(600);
    const struct
    {
        std::function<void()> act;
        int wakeUps;
        bool work; // the next tick has something to do
    } rows[] = {
        {[] { RequestOpen(); }, 1, true},
        {[&] { Ticks(3); }, 0, false},
        {[&] { Arrive({0x90, 60, 1}); }, 1, true},
        {[&] { Ticks(1); }, 0, false},
        {[&] { Arrive(dump); }, 1, true},
        {[&] { Ticks(1); }, 0, false},
        {[&] { BeginSend(dump.data(), dump.size(), &listener); }, 1, true},
        {[&] { Ticks(1); }, 0, false},
        {[&] { BeginReceive(&listener, &listener); }, 1, true},
        {[&] { AbortTransfer(); HoldPorts(); }, 0, false},
        {[] { RequestClose(); }, 1, false}, // held: it waits for the end
        {[&] { Ticks(2); }, 0, false},
        {[] { ReleasePorts(); }, 1, true},
    };
    int row = 0;
    for (const auto& r : rows)
    {
        wakeUps = 0;
        r.act();
        EXPECT_EQ(wakeUps, r.wakeUps) << "row " << row;
        EXPECT_EQ(HasIdleWork(), r.work) << "row " << row;
        ++row;
    }
    SetMidiWakeUp(nullptr);
}

TEST_F(TransferTest, SendsReportStartThenCompleteOrFailed)
{
    RecordingListener listener(log);
    const Bytes dump = MakeSysEx(1808, 1), next = MakeSysEx(30, 2), two = {0xF0, 1, 2, 0xF7, 0xF0, 3, 0xF7};
    listener.hook = [&](const std::string& event) {
        if (event == "start" && log.size() == 1)
            Ticks(3); // a message box's nested idle passes do nothing
        if (event == "complete" && log.size() == 2)
        {
            EXPECT_EQ(GetState(), kIdle);
            EXPECT_TRUE(BeginSend(SysExBuffer::FromBytes(next), &listener));
        }
    };
    ASSERT_TRUE(BeginSend(dump.data(), dump.size(), &listener));
    EXPECT_EQ(GetState(), kSending);
    Ticks(1);
    EXPECT_EQ(log, (Log{"start", "complete"}));
    Ticks(1);
    ASSERT_TRUE(BeginSend(next.data(), next.size(), nullptr));
    Ticks(2);
    listener.hook = nullptr;
    // The first message through its F7 within the length and 4,352 bytes. A
    // refused one leaves the driver's done signal for the next send, which
    // would otherwise wait for it and fail.
    const std::tuple<Bytes, size_t, bool, const char*> rows[] = {
        {two, 7, false, "complete"},        {{0xF7, 0x55}, 2, false, "complete"}, {{0xF0, 1, 0xF7}, 2, false, "failed"},
        {two, 0, false, "failed"},          {MakeSysEx(4352), 4352, false, "complete"},
        {MakeSysEx(4353), 4353, false, "failed"}, {two, 7, true, "failed"}, {two, 7, false, "complete"},
    };
    for (const auto& [bytes, length, refused, result] : rows)
    {
        driver->RefuseSends(refused);
        ASSERT_TRUE(BeginSend(bytes.data(), length, &listener));
        Ticks(1);
        EXPECT_EQ(log.back(), result) << length;
    }
    EXPECT_EQ(driver->SentSysEx("Out A"),
              (std::vector<Bytes>{dump, next, next, {0xF0, 1, 2, 0xF7}, {0xF7}, MakeSysEx(4352), {0xF0, 1, 2, 0xF7}}));

    // Sent at once instead of on the next tick, for callers with a timer of
    // their own. The driver may hold a message: its departure can be awaited,
    // the wait leaves the signal, and a send waits a second for it.
    log.clear();
    AddMessageListener(&listener);
    Arrive({0xC0, 1});
    SendPendingNow();
    EXPECT_EQ(log, Log{}) << "nothing pending";
    RemoveMessageListener(&listener);
    driver->HoldDone(true);
    for (const bool failed : {false, true})
    {
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(BeginSend(next.data(), next.size(), &listener));
        SendPendingNow();
        EXPECT_EQ(log.back(), failed ? "failed" : "complete");
        const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(failed ? ms >= 990 && ms < 3000 : ms < 500) << ms;
    }
    EXPECT_FALSE(WaitUntilSent(20)) << "the driver still holds it";
    driver->HoldDone(false);
    EXPECT_TRUE(WaitUntilSent(1000));
    ASSERT_TRUE(BeginSend(next.data(), next.size(), &listener));
    SendPendingNow();
    EXPECT_EQ(log.back(), "complete");

    ASSERT_TRUE(BeginSend(SysExBuffer::FromBytes(next), &listener));
    driver->SetOpenFails("Out A", true);
    EXPECT_FALSE(SelectOutputDevice(2));
    Ticks(1);
    EXPECT_EQ(log.back(), "failed");
    EXPECT_FALSE(BeginSend(SysExBuffer::FromBytes(next), &listener));
    EXPECT_EQ(GetState(), kIdle);
    EXPECT_FALSE(WaitUntilSent(10));
}

// Complete comes before the message, both once the receive is over; each
// message needs a receive of its own, and SysEx that comes while none runs
// is dropped.
TEST_F(TransferTest, AReceiveTakesOneMessage)
{
    RecordingListener listener(log);
    ASSERT_TRUE(BeginReceive(&listener, &listener));
    Ticks(2);
    const Bytes dump = MakeSysEx(1808, 6);
    Arrive(dump);
    Arrive(MakeSysEx(200, 2));
    Arrive(MakeSysEx(300, 3));
    listener.hook = [&](const std::string& event) {
        if (event == "received" && listener.received.size() == 1)
        {
            EXPECT_TRUE(BeginReceive(&listener, nullptr));
        }
    };
    Ticks(3);
    EXPECT_EQ(log, (Log{"waiting", "waiting", "complete", "received", "received"}));
    EXPECT_EQ(listener.received, (std::vector<Bytes>{dump, MakeSysEx(200, 2)}));
    EXPECT_FALSE(IsReceiving());
    ASSERT_TRUE(BeginReceive(&listener, nullptr));
    Ticks(1);
    EXPECT_EQ(listener.received.size(), 2u);
    EXPECT_TRUE(IsReceiving());
}

// A listener that goes away (a dialog closing) leaves the manager no
// pointer to itself, and a transfer of another listener alone.
TEST_F(TransferTest, AbortedOrReleasedListenersHearNothing)
{
    RecordingListener gone(log, "gone"), other(log, "other");
    const SysExBuffer message = SysExBuffer::FromBytes(MakeSysEx(10));
    const std::function<void()> cases[] = {
        [&] { BeginReceive(&gone, &gone); AbortTransfer(); },
        [&] { BeginSend(message, &gone); AbortTransfer(); },
        [&] { BeginSend(message, &gone); ReleaseListeners(&gone, &gone); },
        [&] { BeginSend(message, &gone); Ticks(1); log.clear(); ReleaseListeners(&gone, &gone); },
        [&] { BeginReceive(&gone, &gone); ReleaseListeners(&gone, &gone); },
        [&] { BeginReceive(&gone, nullptr); ReleaseListeners(&gone, &gone); },
    };
    for (const auto& begin : cases)
    {
        begin();
        EXPECT_EQ(GetState(), kIdle);
        Arrive(MakeSysEx(20));
        Ticks(1);
        EXPECT_EQ(log, Log{});
    }
    EXPECT_EQ(driver->SentSysEx("Out A").size(), 1u);
    ASSERT_TRUE(BeginReceive(&other, &other));
    ReleaseListeners(&gone, &gone);
    EXPECT_TRUE(IsReceiving());
    AbortTransfer();

    // Aborted from the progress call, a receive tells the forgotten SysEx
    // listener nothing. One that lost its input ends before the listeners
    // hear of it: a message box's idle passes find nothing to fail.
    gone.hook = [&](const std::string& event) {
        EXPECT_FALSE(IsReceiving());
        if (event == "complete")
            AbortTransfer();
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(OnIdle());
    };
    Arrive(MakeSysEx(20));
    ASSERT_TRUE(BeginReceive(&other, &gone));
    Ticks(1);
    ASSERT_TRUE(BeginReceive(&other, &gone));
    driver->SetOpenFails("In A", true);
    EXPECT_FALSE(SelectInputDevice(0));
    Ticks(1);
    EXPECT_EQ(log, (Log{"gone:complete", "gone:failed", "other:interrupted"}));
    EXPECT_FALSE(BeginReceive(&other, &gone));
    ClosePorts();
    AbortTransfer();
    EXPECT_EQ(GetState(), kClosed);
}

// In registration order, to each listener still registered, only while no
// transfer runs; the bytes as they came, from the open input only.
TEST_F(TransferTest, ShortMessagesReachTheListeners)
{
    RecordingListener first(log, "1"), second(log, "2");
    AddMessageListener(&first);
    AddMessageListener(&second);
    AddMessageListener(&first);
    EXPECT_EQ(GetListenerCount(), 3);
    Arrive({0xB3, 7, 100});
    Arrive({0x90, 60, 64}, "In B");
    Ticks(1);
    EXPECT_EQ(log, (Log{"1:msg 179 7 100", "2:msg 179 7 100", "1:msg 179 7 100"}));
    EXPECT_TRUE(RemoveMessageListener(&first) && RemoveMessageListener(&first));
    EXPECT_FALSE(RemoveMessageListener(&first));
    AddMessageListener(&first);
    second.hook = [&](const std::string&) { RemoveMessageListener(&first); };
    Arrive({0xC0, 5});
    log.clear();
    Ticks(1);
    EXPECT_EQ(log, (Log{"2:msg 192 5 0"}));

    second.hook = [&](const std::string& event) {
        if (event != "received")
            BeginReceive(&second, nullptr);
    };
    Arrive({0xFE, 0});
    Arrive({0xC0, 4});
    Arrive(MakeSysEx(12));
    Ticks(1);
    EXPECT_EQ(log, (Log{"2:msg 192 5 0", "2:msg 254 0 0"})) << "a transfer began: the rest waits";
    Ticks(1);
    EXPECT_EQ(second.received.size(), 1u) << "the SysEx was kept for the new receive";
    second.hook = nullptr;
    Ticks(1);
    EXPECT_EQ(log.back(), "2:msg 192 4 0");
}

TEST_F(TransferTest, ALostInputShowsOnEvery201stPoll)
{
    driver->SetOpenFails("In A", true);
    SelectInputDevice(0);
    for (int poll = 1; poll <= 603; ++poll)
        ASSERT_EQ(OnIdle(), poll % 201 != 0) << poll;
    driver->SetOpenFails("In A", false);
    SelectInputDevice(0);
    for (int poll = 0; poll < 402; ++poll)
        ASSERT_TRUE(OnIdle());
    Shutdown();
    EXPECT_EQ(GetState(), kNotStarted);
    EXPECT_EQ(GetDeviceCount(), -1);
    Init(false, std::make_unique<LoopbackMidiDriver>());
    EXPECT_EQ(GetSelectedInputDevice(), -1);
    EXPECT_EQ(GetDeviceCount(), 0);
    EXPECT_FALSE(SelectFirstInputDevice() || SelectFirstOutputDevice() || DeviceExists(""));
    for (int poll = 0; poll < 402; ++poll)
        ASSERT_TRUE(OnIdle()) << "with no input selected nothing counts as lost";
}

// A unit sending a bank back to back, in pieces of any size with noise
// between: every message arrives before the editor's next idle pass, and
// each receive is started from the last one.
TEST_F(TransferTest, ABankOfAHundredArrivesWhole)
{
    std::vector<Bytes> bank;
    for (size_t i = 0; i < 100; ++i)
    {
        bank.push_back(MakeSysEx(300, static_cast<uint8_t>(i)));
        driver->InjectPiece("In A", {0x01, 0x7F});
        driver->InjectPiece("In A", {});
        driver->InjectSysEx("In A", bank.back(), 7 + i * 5);
    }
    ASSERT_TRUE(driver->WaitDelivered(5000));
    RecordingListener listener(log);
    listener.hook = [&](const std::string& event) {
        if (event == "received" && listener.received.size() < bank.size())
            BeginReceive(&listener, nullptr);
    };
    ASSERT_TRUE(BeginReceive(&listener, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return !IsReceiving(); }));
    EXPECT_EQ(listener.received, bank);
}

TEST(FormatMessage, EveryKindOfMessage)
{
    const std::pair<std::array<int, 3>, std::array<std::string, 4>> rows[] = {
        {{0x80, 60, 0}, {"Note off", "Channel: 1", "Note: 60", "Velocity: 0"}},
        {{0x9F, 61, 127}, {"Note on", "Channel: 16", "Note: 61", "Velocity: 127"}},
        {{0xB1, 7, 100}, {"CC", "Channel: 2", "CC#: 7", "Value: 100"}},
        {{0xC5, 10, 0}, {"Prog. Change", "Channel: 6", "Data 1: A", ""}},
        {{0xC0, 127, 0}, {"Prog. Change", "Channel: 1", "Data 1: 7F", ""}},
        {{0xD3, 90, 1}, {"Aftertouch", "Channel: 4", "Value: 90", ""}},
        {{0xE0, 5, 64}, {"Pitchbend", "Channel: 1", "Value: 64", ""}},
        {{0xF8, 0x1B, 0x2C}, {"SysEx", "", "Data 1: 1B", "Data 2: 2C"}},
        {{0xA2, 60, 33}, {"Type: A0", "Channel: 3", "Data 1: 60", "Data 2: 33"}},
    };
    for (const auto& [message, lines] : rows)
        EXPECT_EQ(FormatMessage(static_cast<uint8_t>(message[0]), message[1], message[2]), lines);
}
