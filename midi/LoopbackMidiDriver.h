#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "midi/MidiDriver.h"

// An in-process MIDI layer for tests: named devices, input delivered on a
// thread of its own exactly as given (whole messages or any pieces), every
// sent message recorded byte-exact, and the driver's faults on demand. A
// device opens once at a time, as the system's devices do. No callback runs
// after an input connection's destructor has returned.
//
// Test-side calls may come from any thread.
class LoopbackMidiDriver : public IMidiDriver
{
public:
    LoopbackMidiDriver(std::vector<std::string> inputs = {}, std::vector<std::string> outputs = {});
    ~LoopbackMidiDriver() override;
    LoopbackMidiDriver(const LoopbackMidiDriver&) = delete;
    LoopbackMidiDriver& operator=(const LoopbackMidiDriver&) = delete;

    void AddInput(const std::string& name);
    void AddOutput(const std::string& name);
    // The device vanishes from its list; an open connection stays open.
    void RemoveInput(const std::string& name);
    void RemoveOutput(const std::string& name);
    // Opening this device (input or output) fails while set.
    void SetOpenFails(const std::string& name, bool fails);

    // Queued for the delivery thread, in order. Input that arrives while its
    // device is not open is lost, as on the wire.
    void InjectShort(const std::string& input, uint8_t status, uint8_t data1, uint8_t data2 = 0);
    // One delivery of SysEx bytes, as they are (empty, noise, part of a message).
    void InjectPiece(const std::string& input, std::vector<uint8_t> piece);
    // A message cut into pieces of pieceSize bytes (the last may be shorter).
    void InjectSysEx(const std::string& input, const std::vector<uint8_t>& bytes, size_t pieceSize);
    // Waits until everything injected so far has been delivered.
    bool WaitDelivered(int timeoutMs);

    bool IsOpen(const std::string& name) const;
    // How often opening the device was tried, whatever came of it.
    int OpenAttempts(const std::string& name) const;
    std::vector<std::vector<uint8_t>> SentSysEx(const std::string& output) const;
    std::vector<std::vector<uint8_t>> SentShort(const std::string& output) const;
    // While held, the driver never reports a SysEx send finished; releasing
    // reports every held one.
    void HoldDone(bool hold);
    // While set, every send is refused.
    void RefuseSends(bool refuse);

    std::vector<std::string> InputNames() override;
    std::vector<std::string> OutputNames() override;
    std::unique_ptr<IDriverInput> OpenInput(int index, IDriverInputSink& sink) override;
    std::unique_ptr<IDriverOutput> OpenOutput(int index, DoneEvent& done) override;

    struct Shared;

private:
    void Deliver();

    std::shared_ptr<Shared> m_shared;
    std::thread m_delivery;
};
