#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "midi/LoopbackMidiDriver.h"
#include "midi/MIDIIO.h"
#include "model/SysExBuffer.h"

// A SysEx message of the given length: F0, data bytes from seed, F7.
std::vector<uint8_t> MakeSysEx(size_t length, uint8_t seed = 0);

// Runs MIDIIO::OnIdle until done() holds or the deadline passes.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Logs every call it receives, in order, into a shared log; each call may
// run a hook first (to start transfers, abort, pump nested idle passes).
class RecordingListener : public ISysExListener, public IProgressListener, public IMessageListener
{
public:
    explicit RecordingListener(std::vector<std::string>& log, std::string name = "")
        : m_log(log), m_name(std::move(name))
    {
    }

    bool OnSysExReceived(const SysExBuffer& bytes) override;
    void OnSysExInterrupted() override;
    void OnTransferStart() override;
    void OnTransferWaiting() override;
    void OnTransferComplete() override;
    void OnTransferFailed() override;
    void OnMidiMessage(uint8_t status, int data1, int data2) override;

    std::vector<SysExBuffer> received;
    std::vector<bool> receivingDuringCall; // MIDIIO::IsReceiving inside complete/received
    std::function<void(const std::string&)> hook;

private:
    void Log(const std::string& event);

    std::vector<std::string>& m_log;
    std::string m_name;
};

// MIDIIO over a loopback driver with inputs "In A", "In B" and outputs
// "Out A", "Out B", "Out C".
class LoopbackTest : public ::testing::Test
{
protected:
    void SetUp() override { Start(false); }
    void TearDown() override { MIDIIO::Shutdown(); }
    void Start(bool onDemand);

    LoopbackMidiDriver* driver = nullptr;
    std::vector<std::string> log;
};
