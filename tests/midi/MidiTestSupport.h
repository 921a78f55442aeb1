#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/SysExBuffer.h"

using Bytes = std::vector<uint8_t>;
using Log = std::vector<std::string>;

// F0, data bytes from seed, F7.
inline Bytes MakeSysEx(size_t length, uint8_t seed = 0)
{
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<uint8_t>((seed + i * 7) & 0x7F);
    if (length >= 2)
    {
        bytes.front() = 0xF0;
        bytes.back() = 0xF7;
    }
    return bytes;
}

// Runs MIDIIO::OnIdle until done() holds or the deadline passes.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MIDIIO::OnIdle();
        std::this_thread::yield(); // lets the driver's threads run on a busy machine
    }
    return true;
}

// Logs every call into a shared log ("name:event"; "complete" and "received"
// get a "*" while MIDIIO::IsReceiving), then runs the hook, which may begin
// transfers, abort or pump nested idle passes.
class RecordingListener : public ISysExListener, public IProgressListener, public IMessageListener
{
public:
    explicit RecordingListener(Log& log, std::string name = "") : m_log(log), m_name(std::move(name)) {}

    bool OnSysExReceived(const SysExBuffer& bytes) override
    {
        received.push_back(bytes.bytes());
        return Note("received");
    }
    void OnSysExInterrupted() override { Note("interrupted"); }
    void OnTransferStart() override { Note("start"); }
    void OnTransferWaiting() override { Note("waiting"); }
    void OnTransferComplete() override { Note("complete"); }
    void OnTransferFailed() override { Note("failed"); }
    void OnMidiMessage(uint8_t status, int data1, int data2) override
    {
        Note("msg " + std::to_string(status) + " " + std::to_string(data1) + " " + std::to_string(data2));
    }

    std::vector<Bytes> received;
    std::function<void(const std::string&)> hook;

private:
    bool Note(const std::string& event)
    {
        const bool marked = (event == "complete" || event == "received") && MIDIIO::IsReceiving();
        m_log.push_back((m_name.empty() ? "" : m_name + ":") + event + (marked ? "*" : ""));
        if (hook)
            hook(event);
        return true;
    }

    Log& m_log;
    std::string m_name;
};

// MIDIIO over a loopback driver with inputs "In A", "In B" and outputs
// "Out A", "Out B", "Out C".
class LoopbackTest : public ::testing::Test
{
protected:
    void SetUp() override { Start(false); }
    void TearDown() override { MIDIIO::Shutdown(); }
    void Start(bool onDemand)
    {
        auto loopback = std::make_unique<LoopbackMidiDriver>(Log{"In A", "In B"}, Log{"Out A", "Out B", "Out C"});
        driver = loopback.get();
        MIDIIO::Init(onDemand, std::move(loopback));
    }
    // The state, then the devices open now: "4 In A Out C".
    std::string Ports() const
    {
        std::string text = std::to_string(MIDIIO::GetState());
        for (const char* name : {"In A", "In B", "Out A", "Out B", "Out C"})
            if (driver->IsOpen(name))
                text += std::string(" ") + name;
        return text;
    }
    void Ticks(int count)
    {
        while (count-- > 0)
            MIDIIO::OnIdle();
    }
    // A SysEx message (in pieces) or a short message, delivered on the
    // driver's thread and queued.
    void Arrive(const Bytes& message, const char* input = "In A")
    {
        if (message[0] == 0xF0)
            driver->InjectSysEx(input, message, 256);
        else
            driver->InjectShort(input, message[0], message[1], message.size() > 2 ? message[2] : 0);
        ASSERT_TRUE(driver->WaitDelivered(5000));
    }

    LoopbackMidiDriver* driver = nullptr;
    Log log;
};
