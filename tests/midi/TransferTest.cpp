#include <gtest/gtest.h>

#include <functional>

#include "MidiTestSupport.h"

namespace
{
using Log = std::vector<std::string>;

class TransferTest : public LoopbackTest
{
protected:
    void SetUp() override
    {
        LoopbackTest::SetUp();
        ASSERT_TRUE(MIDIIO::SelectInputDevice(0));
        ASSERT_TRUE(MIDIIO::SelectOutputDevice(2));
    }

    // Delivers a message on the driver's thread and waits until it is queued.
    void Arrive(const std::vector<uint8_t>& message)
    {
        driver->InjectSysEx("In A", message, 256);
        ASSERT_TRUE(driver->WaitDelivered(5000));
    }
};
} // namespace

TEST_F(TransferTest, SendReportsStartThenCompleteInOneTick)
{
    RecordingListener listener(log);
    bool sentAgain = false;
    listener.hook = [&](const std::string& event) {
        if (event == "complete" && !sentAgain)
        {
            EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
            sentAgain = MIDIIO::BeginSend(SysExBuffer::FromBytes(MakeSysEx(30, 2)), &listener);
        }
    };
    const std::vector<uint8_t> message = MakeSysEx(1808, 1);
    ASSERT_TRUE(MIDIIO::BeginSend(message.data(), message.size(), &listener));
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kSending);
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"start", "complete"}));
    EXPECT_TRUE(sentAgain);
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"start", "complete", "start", "complete"}));
    EXPECT_EQ(driver->SentSysEx("Out A"), (std::vector<std::vector<uint8_t>>{message, MakeSysEx(30, 2)}));
}

TEST_F(TransferTest, SendWithoutTerminatorFailsWithoutReadingPastItsLength)
{
    RecordingListener listener(log);
    std::vector<uint8_t> bytes = MakeSysEx(64);
    ASSERT_TRUE(MIDIIO::BeginSend(bytes.data(), 63, &listener)); // stops short of the F7
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"start", "failed"}));
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    EXPECT_TRUE(driver->SentSysEx("Out A").empty());
}

TEST_F(TransferTest, SendFailsWhenTheOutputWentAway)
{
    RecordingListener listener(log);
    ASSERT_TRUE(MIDIIO::BeginSend(SysExBuffer::FromBytes(MakeSysEx(10)), &listener));
    driver->SetOpenFails("Out A", true);
    EXPECT_FALSE(MIDIIO::SelectOutputDevice(2));
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"start", "failed"}));
    EXPECT_FALSE(MIDIIO::BeginSend(SysExBuffer::FromBytes(MakeSysEx(10)), &listener));
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
}

TEST_F(TransferTest, ReceiveCompletesBeforeDeliveringAndIsOverInsideBoth)
{
    RecordingListener listener(log);
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, &listener));
    MIDIIO::OnIdle();
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"waiting", "waiting"}));
    const std::vector<uint8_t> message = MakeSysEx(1808, 6);
    Arrive(message);
    log.clear();
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"complete", "received"}));
    EXPECT_EQ(listener.receivingDuringCall, (std::vector<bool>{false, false}));
    ASSERT_EQ(listener.received.size(), 1u);
    EXPECT_EQ(listener.received[0].bytes(), message);
    EXPECT_FALSE(MIDIIO::IsReceiving());
}

TEST_F(TransferTest, SecondQueuedMessageNeedsANewReceive)
{
    RecordingListener listener(log);
    Arrive(MakeSysEx(100, 1));
    Arrive(MakeSysEx(200, 2));
    Arrive(MakeSysEx(300, 3));
    int receives = 0;
    listener.hook = [&](const std::string& event) {
        if (event == "received" && ++receives == 1)
        {
            EXPECT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
        }
    };
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
    MIDIIO::OnIdle();
    MIDIIO::OnIdle();
    ASSERT_EQ(listener.received.size(), 2u);
    EXPECT_EQ(listener.received[1].bytes(), MakeSysEx(200, 2));
    EXPECT_FALSE(MIDIIO::IsReceiving());
    MIDIIO::OnIdle(); // idle: the third is dropped
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
    MIDIIO::OnIdle();
    EXPECT_EQ(listener.received.size(), 2u);
    EXPECT_TRUE(MIDIIO::IsReceiving());
}

TEST_F(TransferTest, ReceiveWithoutInputEndsBeforeTellingTheListeners)
{
    RecordingListener listener(log);
    int nestedPasses = 0;
    listener.hook = [&](const std::string&) {
        // A message box runs idle passes while it is shown.
        EXPECT_FALSE(MIDIIO::IsReceiving());
        for (int i = 0; i < 3; ++i, ++nestedPasses)
            EXPECT_TRUE(MIDIIO::OnIdle());
    };
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, &listener));
    driver->SetOpenFails("In A", true);
    EXPECT_FALSE(MIDIIO::SelectInputDevice(0));
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"failed", "interrupted"}));
    EXPECT_EQ(nestedPasses, 6);
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    EXPECT_FALSE(MIDIIO::BeginReceive(&listener, &listener));
}

TEST_F(TransferTest, NestedIdlePassesFromAListenerDoNothing)
{
    RecordingListener listener(log);
    bool nested = false;
    listener.hook = [&](const std::string& event) {
        if (event == "start" && !nested)
        {
            nested = true;
            for (int i = 0; i < 3; ++i)
                MIDIIO::OnIdle();
        }
    };
    ASSERT_TRUE(MIDIIO::BeginSend(SysExBuffer::FromBytes(MakeSysEx(10)), &listener));
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"start", "complete"}));
    ASSERT_TRUE(MIDIIO::BeginSend(SysExBuffer::FromBytes(MakeSysEx(10)), nullptr)); // no listener: still sent
    MIDIIO::OnIdle();
    EXPECT_EQ(driver->SentSysEx("Out A").size(), 2u);
}

TEST_F(TransferTest, AbortEndsTransfersButNotAClosedState)
{
    RecordingListener listener(log);
    Arrive(MakeSysEx(20));
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, &listener));
    MIDIIO::AbortTransfer();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    MIDIIO::OnIdle();
    EXPECT_TRUE(log.empty()) << "forgotten listeners hear nothing";

    ASSERT_TRUE(MIDIIO::BeginSend(SysExBuffer::FromBytes(MakeSysEx(10)), &listener));
    MIDIIO::AbortTransfer();
    MIDIIO::OnIdle();
    EXPECT_TRUE(driver->SentSysEx("Out A").empty());

    MIDIIO::ClosePorts();
    MIDIIO::AbortTransfer();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kClosed);
}

TEST_F(TransferTest, ReceiveAbortedFromTheProgressCallTellsTheForgottenListenerNothing)
{
    RecordingListener progress(log, "progress");
    RecordingListener sysEx(log, "sysex");
    progress.hook = [](const std::string&) { MIDIIO::AbortTransfer(); }; // a dialog closing
    Arrive(MakeSysEx(20));
    ASSERT_TRUE(MIDIIO::BeginReceive(&sysEx, &progress));
    MIDIIO::OnIdle();
    ASSERT_TRUE(MIDIIO::BeginReceive(&sysEx, &progress));
    driver->SetOpenFails("In A", true);
    EXPECT_FALSE(MIDIIO::SelectInputDevice(0));
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"progress:complete", "progress:failed"}));
}

// A dialog that goes away leaves the manager no pointer to itself, and
// leaves a transfer of another listener alone.
TEST_F(TransferTest, ReleasedListenersAreForgottenInEveryState)
{
    RecordingListener gone(log, "gone");
    RecordingListener other(log, "other");
    const SysExBuffer message = SysExBuffer::FromBytes(MakeSysEx(10));
    struct Case
    {
        const char* what;
        std::function<void()> begin;
    };
    const Case cases[] = {
        {"queued send", [&] { ASSERT_TRUE(MIDIIO::BeginSend(message, &gone)); }},
        {"send over, pointer kept", [&] {
             ASSERT_TRUE(MIDIIO::BeginSend(message, &gone));
             MIDIIO::OnIdle();
         }},
        {"receive", [&] { ASSERT_TRUE(MIDIIO::BeginReceive(&gone, &gone)); }},
        {"receive, no progress listener", [&] { ASSERT_TRUE(MIDIIO::BeginReceive(&gone, nullptr)); }},
    };
    for (const Case& c : cases)
    {
        c.begin();
        log.clear();
        MIDIIO::ReleaseListeners(&gone, &gone);
        EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle) << c.what;
        Arrive(MakeSysEx(20));
        MIDIIO::OnIdle();
        EXPECT_TRUE(log.empty()) << c.what;
    }
    ASSERT_TRUE(MIDIIO::BeginReceive(&other, &other));
    MIDIIO::ReleaseListeners(&gone, &gone);
    EXPECT_TRUE(MIDIIO::IsReceiving());
}

TEST_F(TransferTest, APendingSendGoesOutAtOnceAndItsDepartureCanBeAwaited)
{
    RecordingListener listener(log);
    MIDIIO::SendPendingNow();
    EXPECT_TRUE(log.empty()) << "nothing pending";
    driver->HoldDone(true);
    ASSERT_TRUE(MIDIIO::BeginSend(SysExBuffer::FromBytes(MakeSysEx(10)), &listener));
    MIDIIO::SendPendingNow();
    EXPECT_EQ(log, (Log{"start", "complete"}));
    EXPECT_EQ(driver->SentSysEx("Out A").size(), 1u);
    EXPECT_FALSE(MIDIIO::WaitUntilSent(20)) << "the driver still holds it";
    driver->HoldDone(false);
    EXPECT_TRUE(MIDIIO::WaitUntilSent(1000));
    // The wait leaves the driver's signal for the next send.
    ASSERT_TRUE(MIDIIO::BeginSend(SysExBuffer::FromBytes(MakeSysEx(10)), &listener));
    MIDIIO::SendPendingNow();
    EXPECT_EQ(log, (Log{"start", "complete", "start", "complete"}));
}

TEST(OnDemandAbort, KeepsThePendingReopen)
{
    auto loopback = std::make_unique<LoopbackMidiDriver>(std::vector<std::string>{"In"},
                                                         std::vector<std::string>{"Out"});
    LoopbackMidiDriver* driver = loopback.get();
    MIDIIO::Init(true, std::move(loopback));
    MIDIIO::SelectInputDevice(0);
    MIDIIO::SelectOutputDevice(1);
    MIDIIO::RequestOpen();
    MIDIIO::AbortTransfer(); // a dialog closing while the program is in the background
    MIDIIO::OnIdle();
    EXPECT_EQ(MIDIIO::GetState(), MIDIIO::kIdle);
    EXPECT_TRUE(driver->IsOpen("In"));
    EXPECT_TRUE(driver->IsOpen("Out"));
    MIDIIO::Shutdown();
}

TEST_F(TransferTest, ShortMessagesReachListenersInRegistrationOrder)
{
    RecordingListener first(log, "first");
    RecordingListener second(log, "second");
    MIDIIO::AddMessageListener(&first);
    MIDIIO::AddMessageListener(&second);
    MIDIIO::AddMessageListener(&first);
    EXPECT_EQ(MIDIIO::GetListenerCount(), 3);
    driver->InjectShort("In A", 0x90, 60, 100);
    driver->InjectShort("In A", 0x80, 60, 0);
    ASSERT_TRUE(driver->WaitDelivered(5000));
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"first:msg 144 60 100", "second:msg 144 60 100", "first:msg 144 60 100",
                        "first:msg 128 60 0", "second:msg 128 60 0", "first:msg 128 60 0"}));

    EXPECT_TRUE(MIDIIO::RemoveMessageListener(&first));
    EXPECT_TRUE(MIDIIO::RemoveMessageListener(&first));
    EXPECT_FALSE(MIDIIO::RemoveMessageListener(&first));
    EXPECT_EQ(MIDIIO::GetListenerCount(), 1);
}

TEST_F(TransferTest, ListenerRemovedDuringDeliveryIsNotCalledAgain)
{
    RecordingListener first(log, "first");
    RecordingListener second(log, "second");
    first.hook = [&](const std::string&) { MIDIIO::RemoveMessageListener(&second); };
    MIDIIO::AddMessageListener(&first);
    MIDIIO::AddMessageListener(&second);
    driver->InjectShort("In A", 0xB0, 1, 2);
    ASSERT_TRUE(driver->WaitDelivered(5000));
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"first:msg 176 1 2"}));
}

TEST_F(TransferTest, ShortMessagesWaitWhileATransferRuns)
{
    RecordingListener listener(log);
    MIDIIO::AddMessageListener(&listener);
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
    driver->InjectShort("In A", 0xC0, 3);
    ASSERT_TRUE(driver->WaitDelivered(5000));
    MIDIIO::OnIdle();
    EXPECT_TRUE(log.empty());
    // A listener that starts a transfer stops the delivery of the rest.
    listener.hook = [&](const std::string& event) {
        if (event.rfind("msg", 0) == 0)
            MIDIIO::BeginReceive(&listener, nullptr);
    };
    driver->InjectShort("In A", 0xC0, 4);
    Arrive(MakeSysEx(12));
    MIDIIO::AbortTransfer();
    MIDIIO::OnIdle();
    EXPECT_EQ(log, (Log{"msg 192 3 0"}));
    EXPECT_TRUE(MIDIIO::IsReceiving());
    MIDIIO::OnIdle();
    ASSERT_EQ(listener.received.size(), 1u) << "the SysEx was kept for the new receive";
}

TEST_F(TransferTest, LostInputShowsOnEvery201stPoll)
{
    driver->SetOpenFails("In A", true);
    MIDIIO::SelectInputDevice(0);
    ASSERT_FALSE(MIDIIO::HasInputPort());
    for (int round = 0; round < 3; ++round)
    {
        for (int poll = 0; poll < 200; ++poll)
            ASSERT_TRUE(MIDIIO::OnIdle()) << poll;
        EXPECT_FALSE(MIDIIO::OnIdle());
    }
    driver->SetOpenFails("In A", false);
    MIDIIO::SelectInputDevice(0);
    for (int poll = 0; poll < 402; ++poll)
        ASSERT_TRUE(MIDIIO::OnIdle());
    // With no input selected nothing counts as lost.
    MIDIIO::Shutdown();
    MIDIIO::Init(false, std::make_unique<LoopbackMidiDriver>());
    for (int poll = 0; poll < 402; ++poll)
        ASSERT_TRUE(MIDIIO::OnIdle());
}

// A unit sending a bank back to back: every message arrives before the
// editor's next idle pass, and each receive is started from the last one.
TEST_F(TransferTest, BankOfAHundredSentBackToBackArrivesWhole)
{
    std::vector<std::vector<uint8_t>> bank;
    for (int i = 0; i < 100; ++i)
    {
        bank.push_back(MakeSysEx(300, static_cast<uint8_t>(i)));
        driver->InjectPiece("In A", bank.back());
    }
    ASSERT_TRUE(driver->WaitDelivered(5000));
    RecordingListener listener(log);
    listener.hook = [&](const std::string& event) {
        if (event == "received" && listener.received.size() < bank.size())
            MIDIIO::BeginReceive(&listener, nullptr);
    };
    ASSERT_TRUE(MIDIIO::BeginReceive(&listener, nullptr));
    ASSERT_TRUE(PumpUntil([&] { return !MIDIIO::IsReceiving(); }));
    ASSERT_EQ(listener.received.size(), bank.size());
    for (size_t i = 0; i < bank.size(); ++i)
        EXPECT_EQ(listener.received[i].bytes(), bank[i]) << i;
}
