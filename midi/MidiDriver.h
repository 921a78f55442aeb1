#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class DoneEvent;

// Receives what an open input connection delivers. Called on the driver's
// thread, never after the connection's destructor has returned.
class IDriverInputSink
{
public:
    virtual ~IDriverInputSink() = default;
    // One channel or system message other than SysEx; absent data bytes are 0.
    virtual void OnShortMessage(uint8_t status, uint8_t data1, uint8_t data2, int64_t timeMs) = 0;
    // A piece of SysEx: a whole message or part of one, possibly with bytes
    // before its F0 or after its F7, possibly empty.
    virtual void OnLongData(const uint8_t* bytes, size_t length) = 0;
};

// An open input connection; destroying it closes the connection and waits
// for any running callback to return.
class IDriverInput
{
public:
    virtual ~IDriverInput() = default;
    // False once the device or the server behind the connection went away.
    virtual bool IsAlive() const { return true; }
};

// An open output connection, used from the user interface thread only.
class IDriverOutput
{
public:
    virtual ~IDriverOutput() = default;
    // Hands over one SysEx message; true when the driver took it. The driver
    // signals the connection's done event once it no longer needs the bytes
    // and can take the next message.
    virtual bool SendLong(const uint8_t* bytes, size_t length) = 0;
    // One message of 1, 2 or 3 bytes, sent with exactly that length.
    virtual bool SendShort(const uint8_t* bytes, size_t length) = 0;
    // After the done event: waits up to timeoutMs until every message handed
    // over has left for the device; true when it has. A driver that sends
    // each message as it takes it has nothing to wait for.
    virtual bool WaitUntilSent(int /*timeoutMs*/) { return true; }
    // False once the device or the server behind the connection went away.
    virtual bool IsAlive() const { return true; }
};

// The operating system's MIDI layer as the ports see it: two lists of
// devices by name, and connections opened by list index. The lists never
// hold this program's own ports, and names carry nothing that changes when a
// device is plugged in again.
class IMidiDriver
{
public:
    virtual ~IMidiDriver() = default;
    virtual std::vector<std::string> InputNames() = 0;
    virtual std::vector<std::string> OutputNames() = 0;
    // Null when index is not in the current list or the device cannot be opened.
    virtual std::unique_ptr<IDriverInput> OpenInput(int index, IDriverInputSink& sink) = 0;
    virtual std::unique_ptr<IDriverOutput> OpenOutput(int index, DoneEvent& done) = 0;
};
