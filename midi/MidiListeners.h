#pragma once

#include <cstdint>

class SysExBuffer;

// Listeners of the transfer manager (MIDIIO). Every call is made on the user
// interface thread from MIDIIO::OnIdle. A listener stays alive while it is
// registered or named by a running transfer; one that goes away first calls
// MIDIIO::AbortTransfer or MIDIIO::RemoveMessageListener.

// Told about one SysEx receive started with MIDIIO::BeginReceive.
class ISysExListener
{
public:
    virtual ~ISysExListener() = default;
    // One complete message arrived. The manager is already idle and has
    // forgotten this listener, so the call may start a new receive or a send.
    // The result is not used.
    virtual bool OnSysExReceived(const SysExBuffer& bytes) = 0;
    // The receive ended without a message.
    virtual void OnSysExInterrupted() = 0;
};

// Told about the progress of one send or receive.
class IProgressListener
{
public:
    virtual ~IProgressListener() = default;
    // A send is about to hand its message to the output port.
    virtual void OnTransferStart() = 0;
    // Every idle tick of a receive in which nothing complete has arrived.
    virtual void OnTransferWaiting() = 0;
    // Sent: the message was handed to the driver. Received: a complete
    // message arrived (before OnSysExReceived).
    virtual void OnTransferComplete() = 0;
    // The send failed, or the receive was interrupted (before OnSysExInterrupted).
    virtual void OnTransferFailed() = 0;
};

// Told about every incoming short message while no transfer runs.
class IMessageListener
{
public:
    virtual ~IMessageListener() = default;
    virtual void OnMidiMessage(uint8_t status, int data1, int data2) = 0;
};
