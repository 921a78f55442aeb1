#include "MidiTestSupport.h"

#include <chrono>
#include <memory>
#include <thread>

std::vector<uint8_t> MakeSysEx(size_t length, uint8_t seed)
{
    std::vector<uint8_t> bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<uint8_t>((seed + i * 7) & 0x7F);
    if (length > 0)
        bytes.front() = 0xF0;
    if (length > 1)
        bytes.back() = 0xF7;
    return bytes;
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        MIDIIO::OnIdle();
        std::this_thread::yield(); // let the driver's threads run on a busy machine
    }
    return true;
}

void RecordingListener::Log(const std::string& event)
{
    const std::string entry = m_name.empty() ? event : m_name + ":" + event;
    m_log.push_back(entry);
    if (hook)
        hook(event);
}

bool RecordingListener::OnSysExReceived(const SysExBuffer& bytes)
{
    received.push_back(bytes);
    receivingDuringCall.push_back(MIDIIO::IsReceiving());
    Log("received");
    return true;
}

void RecordingListener::OnSysExInterrupted()
{
    Log("interrupted");
}

void RecordingListener::OnTransferStart()
{
    Log("start");
}

void RecordingListener::OnTransferWaiting()
{
    Log("waiting");
}

void RecordingListener::OnTransferComplete()
{
    receivingDuringCall.push_back(MIDIIO::IsReceiving());
    Log("complete");
}

void RecordingListener::OnTransferFailed()
{
    Log("failed");
}

void RecordingListener::OnMidiMessage(uint8_t status, int data1, int data2)
{
    Log("msg " + std::to_string(status) + " " + std::to_string(data1) + " " + std::to_string(data2));
}

void LoopbackTest::Start(bool onDemand)
{
    auto loopback = std::make_unique<LoopbackMidiDriver>(std::vector<std::string>{"In A", "In B"},
                                                         std::vector<std::string>{"Out A", "Out B", "Out C"});
    driver = loopback.get();
    MIDIIO::Init(onDemand, std::move(loopback));
}
